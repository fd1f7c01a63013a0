#pragma once
// The "rescan" command of diskindx-cli: reads a catalogued volume again
// from its drive, another drive (--drive X) or a folder (--path), keeping
// its information and the remarks of every entry that still exists. The
// remarks of vanished entries are printed and saved beside the volume. The
// descriptions question is asked on the terminal or answered by
// --descriptions; Ctrl+C cancels and leaves the old files as they were.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diskindex/cli/scan_command.h"
#include "diskindex/core/rescan_service.h"
#include "diskindex/core/session_environment.h"

namespace diskindex::cli {

inline constexpr const char* kRescanUsage =
    "Aufruf: diskindx-cli [--data VERZEICHNIS] rescan NAME\n"
    "          [--drive X | --path VERZEICHNIS | --image DATEI]\n"
    "          [--descriptions yes|no|ask] [--yes]\n";

struct RescanArgs {
  std::string volume;
  std::optional<char> drive;
  std::optional<std::filesystem::path> path;
  std::optional<std::filesystem::path> image;
  std::string descriptions = "ask";
  bool yes = false;  // answers the wrong-volume question of a drive

  // Where the options say to read from (a drive after the volume check).
  RescanSource source(files::VolumeCheckObserver& check) const;
};

// The arguments after "rescan"; nothing with the problem on bad usage.
std::optional<RescanArgs> parseRescanArgs(std::span<const std::string> args, std::string& problem);
// Reads the volume the preamble found again.
int runRescan(CommandContext& context, const RescanArgs& args);

// The whole command through the command table. args: everything after the
// word "rescan". Exit status 0, 1 when the
// volume is not catalogued, 2 with the German message otherwise (wrong
// arguments, a failed or cancelled reading).
int rescanCommand(SessionEnvironment environment, const std::vector<std::string>& args,
                  ScanStreams streams);

}  // namespace diskindex::cli
