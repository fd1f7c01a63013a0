#include "diskindex/cli/scan_command.h"

#include <unistd.h>

#include <iostream>
#include <map>
#include <optional>

#include "diskindex/cli/terminal_scan.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_list.h"
#include "platform/codepage.h"
#include "platform/ini_file.h"

namespace diskindex::cli {
namespace {

constexpr int kError = 2;
namespace scanText = diskindex::scan::messages;

const char* kScanUsage =
    "Aufruf: diskindx-cli [--data VERZEICHNIS] scan\n"
    "          [--drive X | --path VERZEICHNIS | --image DATEI] --name NAME\n"
    "          [--remark TEXT] [--location TEXT] [--category TEXT] [--descriptions yes|no|ask]\n";

struct ScanOptions {
  std::optional<char> drive;
  std::optional<std::filesystem::path> path;
  std::optional<std::filesystem::path> image;
  scan::DialogValues values;
  std::string descriptions = "ask";
};

std::size_t characters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// Fills options from the arguments; an error text when they are wrong.
std::optional<std::string> parseOptions(const std::vector<std::string>& args, ScanOptions& o) {
  std::map<std::string, std::string> given;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size() || args[i].rfind("--", 0) != 0)
      return "Unbekanntes Argument: " + args[i];
    if (!given.emplace(args[i], args[i + 1]).second) return "Doppelt angegeben: " + args[i];
  }
  for (const auto& [option, value] : given) {
    if (option == "--drive") {
      const char letter = value.size() == 1 ? static_cast<char>(std::toupper(value[0])) : 0;
      if (letter < 'A' || letter > 'Z') return "Ungültiger Laufwerksbuchstabe: " + value;
      o.drive = letter;
    } else if (option == "--path") {
      o.path = value;
    } else if (option == "--image") {
      o.image = value;
    } else if (option == "--name") {
      o.values.name = value;
    } else if (option == "--remark") {
      o.values.remark = value;
    } else if (option == "--location") {
      o.values.location = value;
    } else if (option == "--category") {
      o.values.category = value;
    } else if (option == "--descriptions") {
      if (value != "yes" && value != "no" && value != "ask") return "--descriptions yes|no|ask";
      o.descriptions = value;
    } else {
      return "Unbekanntes Argument: " + option;
    }
  }
  if (int{o.drive.has_value()} + int{o.path.has_value()} + int{o.image.has_value()} > 1)
    return "--drive, --path und --image schließen sich aus";
  if (o.values.name.empty()) return "--name fehlt";
  if (characters(o.values.name) > kMaxNameLength ||
      characters(o.values.remark) > kMaxRemarkLength ||
      characters(o.values.location) > kMaxLocationLength ||
      characters(o.values.category) > kMaxCategoryLength) {
    return "Bezeichnung, Lagerort und Kategorie höchstens 50, Bemerkung höchstens 255 Zeichen";
  }
  return std::nullopt;
}

// Questions of the dialog's checks, answered on the terminal.
class CliQuestions : public scan::DialogQuestions {
 public:
  explicit CliQuestions(ScanStreams& streams) : m_s(streams) {}
  bool confirmOtherDriveType() override { return true; }
  void nameTaken(const std::string& name) override {
    m_s.err << scanText::kAddCaption << ": " << plainLines(scanText::nameTaken(name)) << "\n";
  }
  // Without a terminal nobody can answer: a known label only draws the
  // warning, as it does in the dialog, and the volume is read.
  bool confirmSameLabel(const std::string& label) override {
    const std::string question = scanText::sameLabelQuestion(label);
    if (m_s.interactive) return askYesNo(m_s, question);
    m_s.err << scanText::kAddCaption << ": " << plainLines(question) << " -> Ja\n";
    return true;
  }

 private:
  ScanStreams& m_s;
};

// The letter to read: --drive, the letter whose root is --path (or a free one
// mapped to it), else DRIVE of the settings, the first CD-ROM drive, or C.
char chooseDrive(const ScanOptions& o, const platform::IniFile& settings,
                 std::map<char, std::filesystem::path>& overrides) {
  if (o.drive) return *o.drive;
  const auto table = platform::DriveTable::fromSystem(overrides);
  if (o.path) {
    const std::filesystem::path wanted = std::filesystem::weakly_canonical(*o.path);
    for (char letter : table.letters()) {
      if (table.root(letter)->lexically_normal() == (wanted / "").lexically_normal()) return letter;
    }
    char letter = 'D';
    while (letter < 'Z' && table.exists(letter)) ++letter;
    overrides[letter] = wanted;
    return letter;
  }
  const std::string drive = settings.readString("Inits", "DRIVE");
  if (drive.size() == 1 && std::toupper(drive[0]) >= 'A' && std::toupper(drive[0]) <= 'Z') {
    return static_cast<char>(std::toupper(drive[0]));
  }
  for (char letter : table.letters()) {
    const auto info = table.info(letter);
    if (info && info->type == platform::DriveType::CdRom) return letter;
  }
  return 'C';
}

void printError(ScanStreams& s, ResultCode code, const std::filesystem::path& file) {
  const std::filesystem::path named =
      code == ResultCode::CommentNotRemovable ? commentFileFor(file) : file;
  const ErrorMessage message = errorMessage(code, OperationTitle::CreateData, named.string());
  s.err << message.caption << " " << plainLines(message.text) << "\n";
}

int runScan(CatalogueSession& session, const platform::DriveTable& drives, const ScanOptions& o,
            ScanStreams& s) {
  CliQuestions questions(s);
  const scan::DialogContext context{&session.volumes(), &drives, std::nullopt};
  if (scan::checkDialog(o.values, context, questions) != scan::DialogCheck::Accepted) return kError;
  AddResult added;
  TerminalScanObserver observer(s, o.descriptions);
  {
    InterruptGuard interrupts;
    added = o.values.imageFile.empty() ? session.addVolumes(drives, o.values, 0, observer)
                                       : session.addImage(o.values, observer);
  }
  observer.finish();
  const scan::ReadDriveOutcome& outcome = added.outcome.lastRead;
  if (!added.lastAdded) {
    if (const auto& message = observer.imageMessage()) {
      s.err << message->caption << " " << plainLines(message->text) << "\n";
    } else {
      printError(s, outcome.code, observer.failedFile());
    }
    return kError;
  }
  const VolumeRecord& volume = session.volumes()[*added.lastAdded];
  if (outcome.descriptionsRead && outcome.remarksCode != ResultCode::Ok &&
      outcome.remarksCode != ResultCode::DriveNotReady) {
    s.err << "Bemerkungen: "
          << plainLines(errorMessage(outcome.remarksCode, OperationTitle::SaveRemarks,
                                     commentFileFor(volume.dataFile).string())
                            .text)
          << "\n";
  }
  s.out << "Datenträger \"" << volume.name << "\" erfaßt: " << volume.directoryCount
        << " Verzeichnisse, " << volume.fileCount << " Dateien (" << volume.dataFile.string()
        << ")\n";
  return 0;
}

// Start-up reports of the scan command: only a data folder that cannot be
// created (damaged volumes are the "list" command's business).
class ScanStartErrors : public SessionObserver {
 public:
  explicit ScanStartErrors(std::ostream& err) : m_err(err) {}
  void dataDirectoryFailed(ResultCode code, const std::filesystem::path& folder) override {
    const ErrorMessage message =
        errorMessage(code, diskindex::messages::kListLoadCaption, folder.string());
    m_err << message.caption << " " << plainLines(message.text) << "\n";
  }

 private:
  std::ostream& m_err;
};

}  // namespace

int scanCommand(SessionEnvironment environment, const std::vector<std::string>& args,
                ScanStreams streams) {
  ScanOptions options;
  if (const auto problem = parseOptions(args, options)) {
    streams.err << *problem << "\n" << kScanUsage;
    return kError;
  }
  const platform::IniFile settings(environment.settingsFile);
  std::map<char, std::filesystem::path> overrides = scan::driveOverrides(settings);
  options.values.driveLetter = chooseDrive(options, settings, overrides);
  const auto drives = platform::DriveTable::fromSystem(overrides);
  if (options.image) options.values.imageFile = *options.image;
  if (options.path && !std::filesystem::is_directory(*options.path)) {
    printError(streams, ResultCode::DriveNotReady, *options.path);
    return kError;
  }
  CatalogueSession session(std::move(environment));
  ScanStartErrors startErrors(streams.err);
  session.start(startErrors);
  if (!session.dataDirectoryWritable()) {
    streams.err << diskindex::messages::kAddVolumeTitle << ": "
                << plainLines(diskindex::messages::kReadOnlyDataDir) << "\n";
    return kError;
  }
  return runScan(session, drives, options, streams);
}

int scanCommand(const std::filesystem::path& dataDir, const std::vector<std::string>& args) {
  const bool terminal = isatty(STDERR_FILENO) != 0;
  SessionEnvironment environment = SessionEnvironment::fromSystem(ScreenSize{});
  environment.dataDirectory = dataDir;
  return scanCommand(
      std::move(environment), args,
      ScanStreams{std::cin, std::cout, std::cerr, terminal && isatty(STDIN_FILENO) != 0, terminal});
}

}  // namespace diskindex::cli
