#include "diskindex/cli/rescan_command.h"

#include <optional>
#include <ostream>

#include "diskindex/cli/command_table.h"
#include "diskindex/cli/terminal_scan.h"
#include "diskindex/cli/volume_check_answers.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/export/table_export.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/scan/rescan_messages.h"
#include "diskindex/core/scan/scan_messages.h"

namespace diskindex::cli {
namespace {

constexpr int kNotFound = 1;
constexpr int kError = 2;
namespace scanText = diskindex::scan::messages;

std::optional<std::string> parseOptions(std::span<const std::string> args, RescanArgs& o) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return "NAME fehlt";
  o.volume = args[0];
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
  for (const std::filesystem::path& copy : outcome.damagedCopies) {
    s.out << plainLines(
                 messages::keptDamagedCopy(damagedOriginalName(copy).string(), copy.string()))
          << "\n";
  }
  if (outcome.orphans.empty()) return;
  s.out << scanText::kOrphansTitle << ":\n";
  for (const scan::OrphanRemark& orphan : outcome.orphans) {
    s.out << exporting::exportName(orphan.path) << "\n    ";
    for (char c : plainLines(exporting::exportRemark(orphan.text))) {
      s.out << c;
      if (c == '\n') s.out << "    ";
    }
    s.out << "\n";
  }
  s.out << plainLines(scanText::orphansSaved(outcome.orphanFile.string())) << "\n";
}

}  // namespace

RescanSource RescanArgs::source(files::VolumeCheckObserver& check) const {
  if (path) return RescanFromFolder{*path};
  if (image) return RescanFromImage{*image};
  return RescanFromDrive{std::nullopt, drive, &check};
}

std::optional<RescanArgs> parseRescanArgs(std::span<const std::string> args, std::string& problem) {
  RescanArgs options;
  if (const auto wrong = parseOptions(args, options)) {
    problem = *wrong;
    return std::nullopt;
  }
  return options;
}

int runRescan(CommandContext& context, const RescanArgs& o) {
  ScanStreams& s = context.streams;
  const std::size_t index = *context.volume;
  TerminalScanObserver observer(s, o.descriptions);
  TerminalVolumeCheck check(o.yes, s.err);
  RescanResult result;
  {
    InterruptGuard interrupts;
    result = context.session.rescanService().rescan(index, o.source(check), observer);
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

int rescanCommand(SessionEnvironment environment, const std::vector<std::string>& args,
                  ScanStreams streams) {
  std::vector<std::string> line{"rescan"};
  line.insert(line.end(), args.begin(), args.end());
  return runCommandLine(line, std::move(environment), streams);
}

}  // namespace diskindex::cli
