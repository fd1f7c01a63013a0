// Reading a catalogued volume again from the window: one RescanService
// call between the dialog and the views.

#include "diskindex/ui/rescan_controller.h"

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/files/file_messages.h"
#include "diskindex/core/files/volume_check.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/scan/rescan_messages.h"
#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/dlg_list_dirs.h"
#include "diskindex/ui/dlg_orphan_remarks.h"
#include "diskindex/ui/dlg_rescan_volume.h"
#include "diskindex/ui/files_controller.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/remark_save.h"
#include "diskindex/ui/scan_prompts.h"

namespace diskindex::ui {
namespace {

// The volume check before reading from a drive: the window's boxes.
class RescanVolumeCheck : public files::VolumeCheckObserver {
 public:
  RescanVolumeCheck(ScanPrompts& prompts, CopyPrompts& copyPrompts)
      : m_prompts(prompts), m_copyPrompts(copyPrompts) {}
  void driveUnreadable(const VolumeRoot& root) override {
    m_prompts.error(qUtf8(files::kVolumeAccessCaption),
                    boxText(files::driveUnreadableMessage(root)));
  }
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) override {
    return m_copyPrompts.askOtherVolume(question);
  }

 private:
  ScanPrompts& m_prompts;
  CopyPrompts& m_copyPrompts;
};

}  // namespace

std::optional<std::size_t> RescanController::target() const {
  if (m_view.showsContents()) {
    return m_session.state().opened ? std::optional(m_session.state().opened->volumeIndex)
                                    : std::nullopt;
  }
  return m_view.selectedVolume();
}

RescanResult RescanController::run(std::size_t volume, const RescanChoice& choice,
                                   const platform::DriveTable& drives, ScanPrompts& prompts) {
  const VolumeRecord& record = m_session.volumes()[volume];
  const bool fromDrive = choice.folder.empty() && choice.image.empty();
  TDlgListDirs progress(fromDrive ? VolumeRoot(choice.letter) : rootOf(record),
                        QString::fromStdString(record.name), prompts, m_view.dialogParent());
  progress.setWindowTitle(qUtf8(scan::messages::kRescanCaption));
  if (!choice.image.empty()) progress.showImageFile(QString::fromStdString(choice.image.string()));
  if (!choice.folder.empty()) progress.showFolder(QString::fromStdString(choice.folder.string()));
  progress.show();
  RescanVolumeCheck check(prompts, m_files.copyPrompts());
  RemarkConflictBoxes conflicts(m_prompts);
  return m_session.rescanService().rescan(volume, rescanSource(choice, drives, &check), progress,
                                          &conflicts);
}

void RescanController::rescanVolume() {
  const std::optional<std::size_t> volume = target();
  if (!volume) return;
  const std::unique_ptr<ScanPrompts> prompts = scanPromptsFactory()(m_view.dialogParent());
  if (const auto refusal = m_session.volumeService().writeRefusal()) {
    prompts->error(qUtf8(scan::messages::kRescanCaption), boxText(*refusal));
    return;
  }
  const VolumeRecord record = m_session.volumes()[*volume];
  const platform::DriveTable drives = m_session.volumeService().driveTable();
  TDlgRescanVolume dialog(drives, rootOf(record), QString::fromStdString(record.name),
                          m_view.dialogParent());
  if (dialog.exec() != QDialog::Accepted) return;
  const RescanChoice choice = dialog.choice();
  if (choice.folder.empty() && choice.image.empty() && choice.letter == 0) return;
  // The contents view shows the old tree, whose numbers the rescan changes:
  // the views let go of it first (what was typed is saved, or kept and
  // nothing is read); the rescan opens the volume again with the new tree.
  if (m_view.showsContents() && !m_view.leaveContentsKeepingVolume(*volume)) return;
  showResult(run(*volume, choice, drives, *prompts), *prompts);
}

void RescanController::showResult(const RescanResult& result, ScanPrompts& prompts) {
  const scan::RescanOutcome& outcome = result.outcome;
  const bool open = m_session.state().opened.has_value();
  if (result.volumeRefused) {  // the check or the image's message said why
    if (open) m_view.showContents();
    return;
  }
  // A folder that got no letter says why (a missing folder is not ready,
  // said below like a drive that is not).
  if (result.folder && result.folder->status != scan::FolderDriveStatus::NotAFolder &&
      !folderUsable(prompts, qUtf8(scan::messages::kRescanCaption), result.folder,
                       m_session.environment().settingsFile)) {
    if (open) m_view.showContents();
    return;
  }
  if (outcome.code != ResultCode::Ok) {
    const ErrorMessage message =
        errorMessage(outcome.code, scan::messages::kRescanCaption, outcome.failedFile.string());
    prompts.error(QString::fromStdString(message.caption), boxText(message.text));
    if (open) m_view.showContents();
    return;
  }
  m_view.refreshOverview(result.index);
  if (result.reopened) m_view.showOpened(*result.index, *result.reopened);
  for (const std::filesystem::path& copy : outcome.damagedCopies) {
    prompts.warning(
        qUtf8(scan::messages::kRescanCaption),
        boxText(messages::keptDamagedCopy(damagedOriginalName(copy).string(), copy.string())));
  }
  showWalkSummary(prompts, outcome.read.passedOver);
  if (!outcome.orphans.empty()) {
    TDlgOrphanRemarks orphans(outcome.orphans, outcome.orphanFile, m_view.dialogParent());
    orphans.exec();
  }
}

}  // namespace diskindex::ui
