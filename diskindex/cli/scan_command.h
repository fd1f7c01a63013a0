#pragma once
// The "scan" command of diskindx-cli: reads a drive of the drive table, or
// any directory as a drive, into a new volume of the catalogue without a
// window. Checks the name and the label as the add dialog does, asks the
// descriptions question on the terminal (or answers it from the command
// line), shows a one-line progress on the error stream when it is a
// terminal, and stops cleanly on Ctrl+C. A folder gets a drive letter
// recorded in [Drives] of DISKINDX.INI; what the walk passed over is printed,
// and directories that could not be read make the exit status 4.

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diskindex/cli/terminal_scan.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/core/session_environment.h"

namespace diskindex::cli {

struct CommandContext;

inline constexpr const char* kScanUsage =
    "Aufruf: diskindx-cli [--data VERZEICHNIS] scan\n"
    "          [--drive X | --path VERZEICHNIS | --image DATEI] --name NAME\n"
    "          [--remark TEXT] [--location TEXT] [--category TEXT] [--descriptions yes|no|ask]\n"
    "          [--nested-mounts yes|no]\n";

struct ScanArgs {
  std::optional<char> drive;
  std::optional<std::filesystem::path> path;
  std::optional<std::filesystem::path> image;
  scan::DialogValues values;
  std::string descriptions = "ask";
};

// The arguments after "scan"; nothing with the problem on bad usage.
std::optional<ScanArgs> parseScanArgs(std::span<const std::string> args, std::string& problem);
// Reads the volume into the started session of the context.
int runScan(CommandContext& context, const ScanArgs& args);

// The whole command through the command table. args: everything after the
// word "scan". The environment's settings file
// is DISKINDX.INI, whose [Drives] section maps letters to folders and whose
// DRIVE key is the default drive; its data directory, when set, is used
// instead of DATA_PATH. Exit status 0, 4 when directories could not be read
// (the volume is added), or 2 with the German message.
int scanCommand(SessionEnvironment environment, const std::vector<std::string>& args,
                ScanStreams streams);

}  // namespace diskindex::cli
