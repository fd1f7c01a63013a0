#include "diskindex/cli/copy_command.h"

#include "diskindex/cli/command_table.h"
#include "diskindex/cli/volume_check_answers.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/data_folder.h"
#include "diskindex/core/files/file_messages.h"
#include "diskindex/core/files/volume_paths.h"
#include "diskindex/core/volume_file.h"

namespace diskindex::cli {
namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;
constexpr int kCopyError = 3;

std::string plain(std::string text) {
  std::erase(text, '\r');
  return text;
}

// Answers the questions from the command line and reports on the terminal.
class CommandLineAnswers : public files::FilesObserver {
 public:
  CommandLineAnswers(bool yes, std::ostream& err) : m_check(yes, err) {}
  void driveUnreadable(const VolumeRoot& root) override { m_check.driveUnreadable(root); }
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) override {
    return m_check.askOtherVolume(question);
  }

 private:
  TerminalVolumeCheck m_check;
};

// The selection the typed paths stand for (from the volume's root, or as
// root prints them); nothing (with a message) when one is not in the
// catalogue.
std::optional<CopySelection> selectionOf(const TOutlineDirList& tree, const VolumeRoot& root,
                                         const CopyArgs& args, std::ostream& err) {
  CopySelection selection;
  if (args.tree) {
    const auto dir = files::findDirectory(tree, pathFromRoot(root, args.paths.front()));
    if (!dir) {
      err << "Verzeichnis \"" << args.paths.front() << "\" ist auf dem Datenträger nicht erfaßt.\n";
      return std::nullopt;
    }
    selection.wholeDirectory = true;
    selection.directory = *dir;
    return selection;
  }
  for (const std::string& path : args.paths) {
    const auto key = files::findFile(tree, pathFromRoot(root, path));
    if (!key) {
      err << "Datei \"" << path << "\" ist auf dem Datenträger nicht erfaßt.\n";
      return std::nullopt;
    }
    selection.files.push_back(*key);
  }
  return selection;
}

}  // namespace

std::optional<CopyArgs> parseCopyArgs(std::span<const std::string> args) {
  CopyArgs result;
  bool haveName = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size() && !args[i + 1].empty();
    if (a == "--to" && hasValue) {
      result.target = args[++i];
    } else if (a == "--from-folder" && hasValue) {
      result.fromFolder = args[++i];
    } else if (a == "--tree") {
      result.tree = true;
    } else if (a == "--overwrite") {
      result.overwrite = true;
    } else if (a == "--skip-existing") {
      result.skipExisting = true;
    } else if (a == "--yes") {
      result.yes = true;
    } else if (a.starts_with("--") || a.empty()) {
      return std::nullopt;
    } else if (!haveName) {
      result.volume = a;
      haveName = true;
    } else {
      result.paths.push_back(a);
    }
  }
  const bool valid = haveName && !result.paths.empty() && !result.target.empty() &&
                     !(result.overwrite && result.skipExisting) &&
                     !(result.tree && result.paths.size() != 1);
  if (!valid) return std::nullopt;
  return result;
}

int copyCommand(CommandContext& context, const CopyArgs& args) {
  CatalogueSession& session = context.session;
  std::ostream& out = context.streams.out;
  std::ostream& err = context.streams.err;
  const std::optional<std::size_t> index = context.volume;  // found by the preamble
  const VolumeRecord& volume = session.volumes()[*index];
  TOutlineDirList tree;
  VolumeHeader header;
  const ResultCode loaded = loadStoredNames(volume.dataFile, tree, header);
  if (loaded != ResultCode::Ok) {
    const ErrorMessage m =
        errorMessage(loaded, OperationTitle::ReadContents, volume.dataFile.string());
    err << m.caption << " " << plain(m.text) << "\n";
    return kCopyError;
  }
  const std::optional<CopySelection> selection = selectionOf(tree, rootOf(volume), args, err);
  if (!selection) return kUsage;
  // A missing target is said as such (the window offers to create it), not
  // as a write-protected one.
  if (folderState(args.target) == FolderState::Missing) {
    err << files::kCopyCaption << ": " << plain(files::targetMissing(args.target.string()))
        << "\n";
    return kCopyError;
  }
  CommandLineAnswers answers(args.yes, err);
  const CopyRequest request{CopyFromVolume{*index, *selection, args.fromFolder},
                            args.target,
                            session.volumeService().driveTable(),
                            {args.overwrite, args.skipExisting}};
  const FileCopyResult result = session.fileService().copy(request, answers);
  if (result.status == FileRunStatus::VolumeRefused) return kRefused;
  if (result.copy.code != ResultCode::Ok) {
    err << files::kCopyCaption << ": "
        << plain(files::copyMessage(result.copy.code, result.copy.file).text) << "\n";
    return kCopyError;
  }
  out << result.copy.filesCopied << " Datei(en) kopiert";
  if (result.copy.filesSkipped > 0) out << ", " << result.copy.filesSkipped << " übersprungen";
  out << "\n";
  return kDone;
}

}  // namespace diskindex::cli
