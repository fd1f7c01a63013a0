#pragma once
// Starting other programs the way a desktop user expects: a program with its
// arguments, detached (its own session, its standard input from /dev/null,
// no file descriptors of ours, never waited for and never left as a zombie),
// and a document with the desktop's opener (xdg-open). The result says only
// whether the program could be started; what it does afterwards is its own
// business. Nothing here throws or goes through a shell, so arguments need
// no quoting.

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

enum class StartResult {
  Ok,
  NotFound,       // no such program (or document)
  NotExecutable,  // found, but not allowed or not a program
  Failed,         // the system refused (no processes, no memory, ...)
};

// program: a path, or a bare name searched on PATH. workingDirectory: where
// the program starts; empty keeps ours.
StartResult startProgram(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingDirectory = {});

// Opens the document with xdg-open; NotFound when the document is missing.
StartResult openDocument(const std::filesystem::path& document);

}  // namespace platform
