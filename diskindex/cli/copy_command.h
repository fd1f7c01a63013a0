#pragma once
// diskindx-cli copy NAME PATH... --to DIR [--tree] [--from-folder DIR]
// [--overwrite|--skip-existing] [--yes]: copies files of a catalogued volume
// (with --tree one directory and its whole subtree) to DIR. PATHs are typed
// from the volume's root with "\" or "/" and found without regard to case.
// The volume is read from its drive after the volume check (--yes answers
// the wrong-volume question with Yes), or from --from-folder, a folder that
// holds the volume's root (no check). Without --overwrite or
// --skip-existing an existing target stops the copy as Cancel would.
//
// Exit 0 done, 1 the volume check said no, 2 bad usage (an unknown volume
// or path included), 3 a copy error (its German message on the error
// stream).

#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace diskindex::cli {

struct CommandContext;

struct CopyArgs {
  std::string volume;
  std::vector<std::string> paths;
  std::filesystem::path target;
  bool tree = false;
  std::filesystem::path fromFolder;  // empty: the volume's drive
  bool overwrite = false;
  bool skipExisting = false;
  bool yes = false;
};

// The arguments after "copy"; nothing on bad usage.
std::optional<CopyArgs> parseCopyArgs(std::span<const std::string> args);
int copyCommand(CommandContext& context, const CopyArgs& args);

}  // namespace diskindex::cli
