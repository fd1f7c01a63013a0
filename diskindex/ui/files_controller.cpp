// The window's commands on the files of catalogued volumes. Each runs one
// FileService call; the questions and the progress window come through
// WindowFilesObserver.

#include "diskindex/ui/files_controller.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>
#include <memory>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/files/file_messages.h"
#include "diskindex/ui/convert_dialog.h"
#include "diskindex/ui/dlg_choose_editor.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/dlg_select_dir.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

// Questions to the user's dialogs, progress to the copy form of
// TDlgConvert above 100,000 bytes, else the busy cursor.
class WindowFilesObserver : public files::FilesObserver {
 public:
  WindowFilesObserver(QWidget* window, FormPrompts& prompts, CopyPrompts& copyPrompts)
      : m_window(window), m_prompts(prompts), m_copyPrompts(copyPrompts) {}
  ~WindowFilesObserver() override { end(); }

  void driveUnreadable(const VolumeRoot& root) override {
    m_prompts.error(qUtf8(files::kVolumeAccessCaption),
                    boxText(files::driveUnreadableMessage(root)));
  }
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) override {
    return m_copyPrompts.askOtherVolume(question);
  }
  void updateFailed(ResultCode code, const std::filesystem::path& dataFile) override {
    const ErrorMessage m = errorMessage(code, OperationTitle::ChangeInfo, dataFile.string());
    m_prompts.error(qUtf8(m.caption), boxText(m.text));
  }
  void begin(std::uint64_t, bool progressWindow) override {
    if (progressWindow) {
      m_progress = std::make_unique<TDlgConvert>(m_window, TDlgConvert::Form::Copy);
      m_progress->showTarget(QString());
    } else {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      m_cursor = true;
    }
  }
  void file(const std::filesystem::path& target) override {
    if (m_progress) m_progress->showTarget(QString::fromStdString(target.string()));
  }
  void progress(std::uint64_t done, std::uint64_t total) override {
    if (m_progress) m_progress->showCopied(done, total);
  }
  bool cancelRequested() override { return m_progress && m_progress->cancelRequested(); }
  files::OverwriteAnswer askOverwrite(const std::filesystem::path& target) override {
    // The question wants the normal cursor, the copy after it the busy one.
    if (m_cursor) QApplication::restoreOverrideCursor();
    const files::OverwriteAnswer answer =
        m_copyPrompts.askOverwrite(boxText(files::overwriteQuestion(target.string())));
    if (m_cursor) QApplication::setOverrideCursor(Qt::WaitCursor);
    return answer;
  }
  void end() override {
    m_progress.reset();
    if (m_cursor) QApplication::restoreOverrideCursor();
    m_cursor = false;
  }
  files::InsertVolumeAnswer askInsertVolume(const std::string& text) override {
    return m_copyPrompts.askInsertVolume(boxText(text));
  }

 private:
  QWidget* m_window;
  FormPrompts& m_prompts;
  CopyPrompts& m_copyPrompts;
  std::unique_ptr<TDlgConvert> m_progress;
  bool m_cursor = false;
};

TDlgSelectDir::DriveList driveList(const platform::DriveTable& drives) {
  TDlgSelectDir::DriveList list;
  for (char letter : drives.letters()) {
    if (const auto root = drives.root(letter)) list.emplace_back(letter, *root);
  }
  return list;
}

}  // namespace

FilesController::FilesController(CatalogueSession& session, FormPrompts& prompts, FormView& view)
    : m_session(session),
      m_prompts(prompts),
      m_view(view),
      m_copyPrompts(std::make_unique<QtCopyPrompts>(view.dialogParent())),
      m_starter(std::make_unique<files::ProgramStarter>()) {}

FilesController::~FilesController() = default;

void FilesController::setCopyPrompts(std::unique_ptr<CopyPrompts> prompts) {
  m_copyPrompts = std::move(prompts);
}

void FilesController::setProgramStarter(std::unique_ptr<files::ProgramStarter> starter) {
  m_starter = std::move(starter);
}

void FilesController::showCopyResult(const FileCopyResult& result) {
  const QString caption = qUtf8(files::kCopyCaption);
  if (result.status == FileRunStatus::NothingSelected) {
    m_prompts.warning(caption, qUtf8(files::kNothingSelected));
    return;
  }
  if (result.status != FileRunStatus::Done || result.copy.code == ResultCode::Ok) return;
  const files::CopyMessage message = files::copyMessage(result.copy.code, result.copy.file);
  if (message.information) {
    m_prompts.information(caption, boxText(message.text));
  } else {
    m_prompts.error(caption, boxText(message.text));
  }
}

void FilesController::copyFiles() {
  const std::optional<std::uint32_t> dir = m_view.selectedDirectory();
  if (!dir || !m_session.state().opened) return;
  const std::string source = m_view.directoryPath(*dir);
  const platform::DriveTable drives = m_session.volumeService().driveTable();
  TDlgSelectDir dialog(TDlgSelectDir::Form::CopyFiles, qUtf8(source),
                       qUtf8(m_session.state().settings.copyPath), driveList(drives),
                       m_copyWholeDirectory, *m_copyPrompts, m_prompts, m_view.dialogParent());
  if (!m_copyPrompts->runSelectDir(dialog)) return;
  m_copyWholeDirectory = dialog.choice();
  CopySelection selection;
  selection.wholeDirectory = m_copyWholeDirectory;
  selection.directory = *dir;
  if (!selection.wholeDirectory) selection.files = m_view.selectedFileKeys(*dir);
  FileCopyResult result;
  {
    WindowFilesObserver observer(m_view.dialogParent(), m_prompts, *m_copyPrompts);
    result = m_session.fileService().copy(
        CopyRequest{CopyFromOpenVolume{selection}, dialog.target().toStdString(), drives, {}},
        observer);
  }
  showCopyResult(result);
}

void FilesController::copySearchHits(TDlgSearchResults* results) {
  if (results == nullptr) return;
  const platform::DriveTable drives = m_session.volumeService().driveTable();
  TDlgSelectDir dialog(TDlgSelectDir::Form::CopyHits, QString(),
                       qUtf8(m_session.state().settings.copyPath), driveList(drives), m_copyAllHits,
                       *m_copyPrompts, m_prompts, results);
  if (!m_copyPrompts->runSelectDir(dialog)) return;
  m_copyAllHits = dialog.choice();
  std::vector<std::size_t> rows;
  if (m_copyAllHits) {
    for (std::size_t r = 0; r < m_session.searchService().results().size(); ++r) rows.push_back(r);
  } else {
    rows = results->selectedRows();
  }
  FileCopyResult result;
  {
    WindowFilesObserver observer(results, m_prompts, *m_copyPrompts);
    result = m_session.fileService().copy(
        CopyRequest{CopyFromSearchHits{rows}, dialog.target().toStdString(), drives, {}}, observer);
  }
  showCopyResult(result);
}

void FilesController::startFile(StartMode mode) {
  const std::optional<std::uint32_t> dir = m_view.selectedDirectory();
  const int position = m_view.currentFilePosition();
  const QString caption = qUtf8(files::kVolumeAccessCaption);
  if (!dir || position < 0) {
    m_prompts.error(caption, qUtf8(files::kNothingSelected));
    return;
  }
  FileStartResult result;
  {
    WindowFilesObserver observer(m_view.dialogParent(), m_prompts, *m_copyPrompts);
    result = m_session.fileService().start(OpenVolumeFile{*dir, static_cast<std::size_t>(position)},
                                           mode, m_session.volumeService().driveTable(), observer,
                                           *m_starter);
  }
  if (!result.message.empty()) m_prompts.error(caption, boxText(result.message));
}

void FilesController::chooseEditor() {
  const DiskIndexSettings& s = m_session.state().settings;
  TDlgChooseEditor dialog(s.editors, s.editPath, *m_copyPrompts, m_view.dialogParent());
  if (!m_copyPrompts->runChooseEditor(dialog)) return;
  m_session.fileService().chooseEditor(dialog.chosen().toStdString());
}

}  // namespace diskindex::ui
