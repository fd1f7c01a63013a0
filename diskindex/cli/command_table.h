#pragma once
// The command table of diskindx-cli: one row per command name with its
// option parser, its run function and what it needs before it runs. The
// dispatcher (runCommandLine) reads the global options once (--data), finds
// the row, parses the command's options, runs the one shared preamble
// (startCatalogue: start the session, report a data-folder failure, find the
// named volume, check that the data folder is writable) and then the
// command. An unknown command or option prints the usage and gives 2.
//
// Adding a command: write its parser (arguments after the name -> its
// options, or the problem) and its run function (CommandContext, options ->
// exit status), add a row in commandTable() and a line to the manual
// (cli_manual.cpp). The table does not print results: each command does.

#include <any>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/cli/terminal_scan.h"
#include "diskindex/core/session_environment.h"

namespace diskindex {
class CatalogueSession;
}

namespace diskindex::cli {

// Which start-up failures a command reports: everything (damaged volume
// files and a data folder that could not be created), only the data folder
// (the reading commands: damaged volumes are the list's business), or
// nothing but the failure to open the data folder.
enum class StartReport { Everything, DataFolderOnly, FailureOnly };

// How a message box's caption precedes its text on the error stream: the
// catalogue commands write "Caption: text", the reading commands (scan,
// rescan) "Caption text".
enum class CaptionStyle { Colon, Space };

struct Preamble {
  StartReport report = StartReport::Everything;
  CaptionStyle style = CaptionStyle::Colon;
  // Files of an older version are named on the error stream.
  bool oldFormatNotice = true;
  // The exit status when the volume the options name is not catalogued;
  // nothing when the command names no volume (or finds its own).
  std::optional<int> volumeMissingExit;
  // The caption of the read-only data folder message; empty: not checked.
  std::string_view writableCaption;
};

// What a command runs with: the started session, the streams and, when its
// row names a volume, that volume's list position.
struct CommandContext {
  CatalogueSession& session;
  ScanStreams& streams;
  std::optional<std::size_t> volume;
};

struct CommandRow {
  std::string_view name;
  Preamble preamble;
  // The arguments after the name -> the command's options (held in the
  // any), or nothing with the problem (empty: just the usage).
  std::function<std::optional<std::any>(std::span<const std::string>, std::string& problem)> parse;
  // The name of the volume the options name (rows with volumeMissingExit).
  std::function<std::string(const std::any&)> volumeName;
  std::function<int(CommandContext&, const std::any&)> run;
  // Printed after a problem; nullptr: the manual's usage.
  const char* usage = nullptr;
};

// Every command of diskindx-cli, in the manual's order.
const std::vector<CommandRow>& commandTable();
// The row of this command name, or nullptr.
const CommandRow* findCommand(std::string_view name);

// The shared preamble: starts the session and does what the row asks. An
// exit status when the command must not run.
std::optional<int> startCatalogue(CatalogueSession& session, const Preamble& preamble,
                                  const std::string& volumeName, CommandContext& context);

// Runs a whole command line (without the program name).
int runCommandLine(const std::vector<std::string>& args, SessionEnvironment environment,
                   ScanStreams streams);

}  // namespace diskindex::cli
