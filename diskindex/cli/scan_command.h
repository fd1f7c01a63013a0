#pragma once
// The "scan" command of diskindx-cli: reads a drive of the drive table, or
// any directory as a drive, into a new volume of the catalogue without a
// window. Checks the name and the label as the add dialog does, asks the
// descriptions question on the terminal (or answers it from the command
// line), shows a one-line progress on the error stream when it is a
// terminal, and stops cleanly on Ctrl+C.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "diskindex/cli/terminal_scan.h"
#include "diskindex/core/session_environment.h"

namespace diskindex::cli {

// args: everything after the word "scan". The environment's settings file
// is DISKINDX.INI, whose [Drives] section maps letters to folders and whose
// DRIVE key is the default drive; its data directory, when set, is used
// instead of DATA_PATH. Exit status 0, or 2 with the German message.
int scanCommand(SessionEnvironment environment, const std::vector<std::string>& args,
                ScanStreams streams);

// The same with the process's streams and settings file; dataDir empty for
// the data folder of the settings.
int scanCommand(const std::filesystem::path& dataDir, const std::vector<std::string>& args);

}  // namespace diskindex::cli
