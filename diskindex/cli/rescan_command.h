#pragma once
// The "rescan" command of diskindx-cli: reads a catalogued volume again
// from its drive, another drive (--drive X) or a folder (--path), keeping
// its information and the remarks of every entry that still exists. The
// remarks of vanished entries are printed and saved beside the volume. The
// descriptions question is asked on the terminal or answered by
// --descriptions; Ctrl+C cancels and leaves the old files as they were.

#include <filesystem>
#include <string>
#include <vector>

#include "diskindex/cli/scan_command.h"
#include "diskindex/core/session_environment.h"

namespace diskindex::cli {

// args: everything after the word "rescan". Exit status 0, 1 when the
// volume is not catalogued, 2 with the German message otherwise (wrong
// arguments, a failed or cancelled reading).
int rescanCommand(SessionEnvironment environment, const std::vector<std::string>& args,
                  ScanStreams streams);

// The same with the process's streams and settings file.
int rescanCommand(const std::filesystem::path& dataDir, const std::vector<std::string>& args);

}  // namespace diskindex::cli
