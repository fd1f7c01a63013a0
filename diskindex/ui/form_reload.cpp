// Following what other programs change in the data folder: a file system
// watcher on the folder, a short pause so that a burst of writes (a scan
// writing its temporary file, the rename, the comment file) gives one
// reload, and the reload itself, which keeps the selected volume and the
// open one. A reload waits while a dialog is open or a drive is read.

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include "diskindex/core/messages.h"
#include "diskindex/ui/busy_scope.h"
#include "diskindex/ui/contents_pane.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/volume_list_model.h"

namespace diskindex::ui {
namespace {

// Quiet time after the last change before the list is read again.
constexpr int kReloadPauseMs = 300;

// Collects the files that fail while the list is read again; each is shown
// once for the whole run, not on every reload.
class ReloadFailures : public ListLoadObserver {
 public:
  explicit ReloadFailures(std::set<std::filesystem::path>& reported) : m_reported(reported) {}
  void fileFailed(ResultCode code, const std::filesystem::path& file) override {
    if (code == ResultCode::OldFormat || !m_reported.insert(file).second) return;
    m_failures.emplace_back(code, file);
  }
  const std::vector<std::pair<ResultCode, std::filesystem::path>>& failures() const {
    return m_failures;
  }

 private:
  std::set<std::filesystem::path>& m_reported;
  std::vector<std::pair<ResultCode, std::filesystem::path>> m_failures;
};

}  // namespace

void TDiskIndexForm::watchDataDirectory() {
  if (!m_folderWatcher) {
    m_folderWatcher = new QFileSystemWatcher(this);
    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(kReloadPauseMs);
    // Every change starts the pause again: the reload follows the last one.
    connect(m_folderWatcher, &QFileSystemWatcher::directoryChanged, m_reloadTimer,
            qOverload<>(&QTimer::start));
    connect(m_reloadTimer, &QTimer::timeout, this, &TDiskIndexForm::reloadVolumeList);
  }
  const QString folder =
      QString::fromStdString(m_session.state().catalogue.dataDirectory().string());
  const QStringList watched = m_folderWatcher->directories();
  if (watched.size() == 1 && watched.front() == folder) return;
  if (!watched.isEmpty()) m_folderWatcher->removePaths(watched);
  if (QFileInfo(folder).isDir()) m_folderWatcher->addPath(folder);
}

void TDiskIndexForm::reloadVolumeList() {
  if (!m_started || m_shutDown) return;
  // Never under a running command: it may hold positions in the list.
  if (BusyScope::isBusy(this) || QApplication::activeModalWidget() != nullptr) {
    m_reloadTimer->start();
    return;
  }
  reload(ReloadWhen::Always);
}

bool TDiskIndexForm::reload(ReloadWhen when) {
  // What the remark fields hold goes to the remarks before the list changes.
  if (m_view == View::Contents) takeRemarkFields();
  const std::optional<std::size_t> selected = selectedVolume();
  const std::filesystem::path selectedFile =
      selected ? m_session.volumes()[*selected].dataFile : std::filesystem::path();
  ReloadFailures failures(m_reportedFailures);
  const std::optional<ReloadResult> reloaded =
      when == ReloadWhen::Always ? std::optional(m_session.reloadVolumeList(&failures))
                                 : m_session.reloadIfChangedByOthers(&failures);
  if (!reloaded) return false;
  const ReloadResult& result = *reloaded;
  if (result.changed) {
    rebuildCategoryCombo();
    if (m_view == View::Overview) {
      refreshOverview(m_session.volumes().findByDataFile(selectedFile));
    } else {
      m_volumeModel->refresh();
    }
  }
  for (const auto& [code, file] : failures.failures()) {
    const ErrorMessage message = listLoadMessage(code, file.string());
    m_prompts->error(qUtf8(message.caption), boxText(message.text));
  }
  // A data folder that appeared (a disk plugged in) changes the status line
  // even when it holds no volume yet.
  if (m_view == View::Overview) updateOverviewStatus();
  if (result.remarksReloaded && m_view == View::Contents) m_contents->showRemarksAgain();
  if (result.openVolumeRemoved && m_view == View::Contents) dropRemovedVolume();
  watchDataDirectory();  // a folder made anew is watched again
  return true;
}

bool TDiskIndexForm::followOtherPrograms() {
  if (!m_started || m_shutDown) return false;
  if (BusyScope::isBusy(this) || QApplication::activeModalWidget() != nullptr) return false;
  if (!reload(ReloadWhen::ChangedByOthers)) return false;
  if (m_reloadTimer) m_reloadTimer->stop();  // this reload served the watcher too
  return true;
}

void TDiskIndexForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Queued: the activation finishes before a message box may open.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    QTimer::singleShot(0, this, [this] { followOtherPrograms(); });
  }
}

void TDiskIndexForm::dropRemovedVolume() {
  const std::string name = m_session.state().opened->record.name;
  const bool typed = m_session.state().opened->remarks.modified();
  // The views let go of the contents before anything is asked.
  detachContents();
  showOverview(std::nullopt);
  m_prompts->warning(QString::fromUtf8(kProgramTitle),
                     boxText(messages::openVolumeRemoved(name, typed)));
  // Typed remarks are offered another file; the comment file of a removed
  // volume is never written again.
  while (typed) {
    const std::optional<QString> file = m_prompts->chooseRemarkFile(QStringLiteral("%1.CMT").arg(
        QString::fromStdString(m_session.state().opened->record.dataFile.stem().string())));
    if (!file) break;
    const ResultCode code = m_session.remarkService().saveTo(file->toStdString());
    if (code == ResultCode::Ok) break;
    const ErrorMessage message =
        errorMessage(code, OperationTitle::SaveRemarks, file->toStdString());
    m_prompts->error(qUtf8(message.caption), boxText(message.text));
  }
  m_session.volumeService().close();
}

}  // namespace diskindex::ui
