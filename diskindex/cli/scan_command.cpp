#include "diskindex/core/category_list.h"
#include "diskindex/cli/scan_command.h"

#include <csignal>
#include <optional>
#include <ostream>

#include "diskindex/cli/command_table.h"
#include "diskindex/cli/terminal_scan.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/export/table_export.h"
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
constexpr int kUnreadableDirectories = 4;
namespace scanText = diskindex::scan::messages;

std::size_t characters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// Fills options from the arguments; an error text when they are wrong.
std::optional<std::string> parseOptions(std::span<const std::string> args, ScanArgs& o) {
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
    } else if (option == "--nested-mounts") {
      if (value != "yes" && value != "no") return "--nested-mounts yes|no";
      o.values.nestedMounts = value == "yes" ? scan::NestedMounts::Read : scan::NestedMounts::Skip;
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
  if (!categoryNameFits(o.values.category)) {
    return "Kategorie höchstens 50 Byte (Umlaute zählen doppelt, manche Zeichen dreifach)";
  }
  return std::nullopt;
}

// While it lives Ctrl+C ends the program as it does before any reading:
// the checks' questions are asked inside the add call, whose reading has
// Ctrl+C cancel it instead.
class DefaultInterrupt {
 public:
  DefaultInterrupt() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_previous);
  }
  ~DefaultInterrupt() { sigaction(SIGINT, &m_previous, nullptr); }
  DefaultInterrupt(const DefaultInterrupt&) = delete;
  DefaultInterrupt& operator=(const DefaultInterrupt&) = delete;

 private:
  struct sigaction m_previous {};
};

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
    if (m_s.interactive) {
      const DefaultInterrupt asking;
      return askYesNo(m_s, question);
    }
    m_s.err << scanText::kAddCaption << ": " << plainLines(question) << " -> Ja\n";
    return true;
  }

 private:
  ScanStreams& m_s;
};

// The letter to read without --path: --drive, else DRIVE of the settings,
// the first CD-ROM drive, or C.
char chooseDrive(const ScanArgs& o, const platform::IniFile& settings,
                 const platform::DriveTable& table) {
  if (o.drive) return *o.drive;
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

// Where the options say to read from.
AddSource sourceOf(const ScanArgs& o, const platform::DriveTable& drives, char letter) {
  if (o.path) return AddFromFolder{*o.path};
  if (o.image) return AddFromImage{*o.image};
  return AddFromDrive{drives, letter, 0};
}

// A folder that cannot be read: why, on the error stream; false then. A new
// letter, or the folder kept without one, is said on the output.
bool folderUsable(ScanStreams& s, const AddResult& added,
                     const std::filesystem::path& settingsFile) {
  if (!added.folder) return true;
  const std::string folder = added.folder->folder.string();
  switch (added.folder->status) {
    case scan::FolderDriveStatus::Assigned:
      s.out << scanText::folderLetterRecorded(added.folder->letter, folder) << "\n";
      return true;
    case scan::FolderDriveStatus::Existing:
      return true;
    case scan::FolderDriveStatus::LettersRanOut:
      s.out << scanText::folderKeptWithoutLetter(folder) << "\n";
      return true;
    case scan::FolderDriveStatus::NotRecorded:
      s.err << scanText::kAddCaption << ": "
            << plainLines(scanText::folderLetterNotRecorded(folder, settingsFile.string())) << "\n";
      return false;
    case scan::FolderDriveStatus::NotAFolder:
      return true;  // said as "not ready" below
  }
  return true;
}

// What the walk passed over, every unreadable directory named.
void printPassedOver(ScanStreams& s, const scan::WalkSummary& summary) {
  const std::string text = scanText::walkSummaryText(summary, summary.unreadableDirectories.size());
  if (!text.empty()) s.err << plainLines(text) << "\n";
}

}  // namespace

std::optional<ScanArgs> parseScanArgs(std::span<const std::string> args, std::string& problem) {
  ScanArgs options;
  if (const auto wrong = parseOptions(args, options)) {
    problem = *wrong;
    return std::nullopt;
  }
  return options;
}

int runScan(CommandContext& context, const ScanArgs& args) {
  ScanStreams& s = context.streams;
  CatalogueSession& session = context.session;
  if (args.path && !std::filesystem::is_directory(*args.path)) {
    printError(s, ResultCode::DriveNotReady, *args.path);
    return kError;
  }
  const platform::IniFile settings(session.environment().settingsFile);
  const platform::DriveTable drives = session.volumeService().driveTable();
  scan::DialogValues values = args.values;
  values.driveLetter = chooseDrive(args, settings, drives);
  CliQuestions questions(s);
  const AddRequest request{values, sourceOf(args, drives, values.driveLetter), &questions};
  AddResult added;
  TerminalScanObserver observer(s, args.descriptions);
  {
    InterruptGuard interrupts;
    added = session.volumeService().add(request, observer);
  }
  observer.finish();
  if (added.checkRefused) return kError;
  if (!folderUsable(s, added, session.environment().settingsFile)) return kError;
  const scan::ReadDriveOutcome& outcome = added.outcome.lastRead;
  printPassedOver(s, outcome.passedOver);
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
  s.out << "Datenträger \"" << exporting::exportName(volume.name)
        << "\" erfaßt: " << volume.directoryCount << " Verzeichnisse, " << volume.fileCount
        << " Dateien (" << volume.dataFile.string() << ")\n";
  // Directories read without their contents are a failure the caller of a
  // script must notice, although the volume was added.
  return outcome.passedOver.unreadableDirectories.empty() ? 0 : kUnreadableDirectories;
}

int scanCommand(SessionEnvironment environment, const std::vector<std::string>& args,
                ScanStreams streams) {
  std::vector<std::string> line{"scan"};
  line.insert(line.end(), args.begin(), args.end());
  return runCommandLine(line, std::move(environment), streams);
}

}  // namespace diskindex::cli
