#include "diskindex/cli/rescan_command.h"

#include <unistd.h>

#include <iostream>
#include <optional>

#include "diskindex/cli/terminal_scan.h"
#include "diskindex/cli/volume_check_answers.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/scan/rescan_messages.h"
#include "diskindex/core/scan/scan_messages.h"
#include "platform/ini_file.h"

namespace diskindex::cli {
namespace {

constexpr int kNotFound = 1;
constexpr int kError = 2;
namespace scanText = diskindex::scan::messages;

const char* kRescanUsage =
    "Aufruf: diskindx-cli [--data VERZEICHNIS] rescan NAME\n"
    "          [--drive X | --path VERZEICHNIS | --image DATEI]\n"
    "          [--descriptions yes|no|ask] [--yes]\n";

struct RescanOptions {
  std::string name;
  std::optional<char> drive;
  std::optional<std::filesystem::path> path;
  std::optional<std::filesystem::path> image;
  std::string descriptions = "ask";
  bool yes = false;  // answers the wrong-volume question of a drive
};

std::optional<std::string> parseOptions(const std::vector<std::string>& args, RescanOptions& o) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return "NAME fehlt";
  o.name = args[0];
  for (std::size_t i = 1; i < args.size(); i += 2) {
    const std::string& option = args[i];
    if (option == "--yes" && !o.yes) {
      o.yes = true;
      --i;  // a flag without a value
      continue;
    }
    if (i + 1 >= args.size()) return "Unbekanntes Argument: " + option;
    const std::string& value = args[i + 1];
    if (option == "--drive" && !o.drive) {
      const char letter = value.size() == 1 ? static_cast<char>(std::toupper(value[0])) : 0;
      if (letter < 'A' || letter > 'Z') return "Ungültiger Laufwerksbuchstabe: " + value;
      o.drive = letter;
    } else if (option == "--path" && !o.path) {
      o.path = value;
    } else if (option == "--image" && !o.image) {
      o.image = value;
    } else if (option == "--descriptions") {
      if (value != "yes" && value != "no" && value != "ask") return "--descriptions yes|no|ask";
      o.descriptions = value;
    } else {
      return "Unbekanntes oder doppeltes Argument: " + option;
    }
  }
  if ((o.drive ? 1 : 0) + (o.path ? 1 : 0) + (o.image ? 1 : 0) > 1) {
    return "--drive, --path und --image schließen sich aus";
  }
  return std::nullopt;
}

void printResult(const scan::RescanOutcome& outcome, ScanStreams& s) {
  s.out << scanText::rescanDone(outcome.header.name, outcome.header.directoryCount,
                                outcome.header.fileCount)
        << "\n";
  if (outcome.orphans.empty()) return;
  s.out << scanText::kOrphansTitle << ":\n";
  for (const scan::OrphanRemark& orphan : outcome.orphans) {
    s.out << orphan.path << "\n    ";
    for (char c : plainLines(orphan.text)) {
      s.out << c;
      if (c == '\n') s.out << "    ";
    }
    s.out << "\n";
  }
  s.out << plainLines(scanText::orphansSaved(outcome.orphanFile.string())) << "\n";
}

int runRescan(CatalogueSession& session, std::size_t index, const RescanOptions& o,
              ScanStreams& s) {
  TerminalScanObserver observer(s, o.descriptions);
  RescanResult result;
  {
    InterruptGuard interrupts;
    if (o.path) {
      result = session.rescanFromFolder(index, *o.path, observer);
    } else if (o.image) {
      result = session.rescanFromImage(index, *o.image, observer);
    } else {
      const char letter = o.drive.value_or(session.volumes()[index].driveLetter);
      const platform::DriveTable drives = session.driveTable();
      TerminalVolumeCheck check(o.yes, s.err);
      result = session.rescanFromDrive(index, drives, letter, observer, &check);
    }
  }
  observer.finish();
  if (const auto& message = observer.imageMessage()) printMessage(s.err, *message);
  if (result.volumeRefused) return o.image ? kError : kNotFound;
  if (result.outcome.code != ResultCode::Ok) {
    printMessage(s.err, errorMessage(result.outcome.code, scanText::kRescanCaption,
                                     result.outcome.failedFile.string()));
    return kError;
  }
  printResult(result.outcome, s);
  return 0;
}

}  // namespace

int rescanCommand(SessionEnvironment environment, const std::vector<std::string>& args,
                  ScanStreams streams) {
  RescanOptions options;
  if (const auto problem = parseOptions(args, options)) {
    streams.err << *problem << "\n" << kRescanUsage;
    return kError;
  }
  CatalogueSession session(std::move(environment));
  SessionObserver quiet;
  if (session.start(quiet) != ResultCode::Ok) {
    const ErrorMessage message =
        errorMessage(ResultCode::CannotOpen, diskindex::messages::kListLoadCaption,
                     session.state().catalogue.dataDirectory().string());
    streams.err << message.caption << " " << plainLines(message.text) << "\n";
    return kError;
  }
  const std::optional<std::size_t> index = session.volumes().findByName(options.name);
  if (!index) {
    streams.err << "Datenträger \"" << options.name << "\" ist nicht erfaßt.\n";
    return kNotFound;
  }
  if (!session.dataDirectoryWritable()) {
    streams.err << scanText::kRescanCaption << ": "
                << plainLines(diskindex::messages::kReadOnlyDataDir) << "\n";
    return kError;
  }
  return runRescan(session, *index, options, streams);
}

int rescanCommand(const std::filesystem::path& dataDir, const std::vector<std::string>& args) {
  const bool terminal = isatty(STDERR_FILENO) != 0;
  SessionEnvironment environment = SessionEnvironment::fromSystem(ScreenSize{});
  environment.dataDirectory = dataDir;
  return rescanCommand(
      std::move(environment), args,
      ScanStreams{std::cin, std::cout, std::cerr, terminal && isatty(STDIN_FILENO) != 0, terminal});
}

}  // namespace diskindex::cli
