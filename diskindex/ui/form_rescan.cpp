// Reading a catalogued volume again from the main window: where to read
// from, the progress window around the session's rescan, the views
// refreshed, and the remarks whose entries are gone shown afterwards.

#include <QApplication>

#include "diskindex/core/files/file_messages.h"
#include "diskindex/core/files/volume_check.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/scan/rescan_messages.h"
#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_list_dirs.h"
#include "diskindex/ui/dlg_orphan_remarks.h"
#include "diskindex/ui/dlg_rescan_volume.h"
#include "diskindex/ui/scan_prompts.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
namespace {

// The volume check before reading from a drive: the window's boxes.
class RescanVolumeCheck : public files::VolumeCheckObserver {
 public:
  RescanVolumeCheck(ScanPrompts& prompts, CopyPrompts& copyPrompts)
      : m_prompts(prompts), m_copyPrompts(copyPrompts) {}
  void driveUnreadable(char letter) override {
    m_prompts.error(qUtf8(files::kVolumeAccessCaption),
                    boxText(files::driveUnreadableMessage(letter)));
  }
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) override {
    return m_copyPrompts.askOtherVolume(question);
  }

 private:
  ScanPrompts& m_prompts;
  CopyPrompts& m_copyPrompts;
};

}  // namespace

std::optional<std::size_t> TDiskIndexForm::rescanTarget() const {
  if (m_view == View::Contents) {
    return m_session.state().opened ? std::optional(m_session.state().opened->volumeIndex)
                                    : std::nullopt;
  }
  return selectedVolume();
}

RescanResult TDiskIndexForm::runRescan(std::size_t volume, const RescanChoice& choice,
                                       const platform::DriveTable& drives, ScanPrompts& prompts) {
  const VolumeRecord& record = m_session.volumes()[volume];
  const bool fromDrive = choice.folder.empty() && choice.image.empty();
  TDlgListDirs progress(fromDrive ? choice.letter : record.driveLetter,
                        QString::fromStdString(record.name), prompts, this);
  progress.setWindowTitle(qUtf8(scan::messages::kRescanCaption));
  if (!choice.image.empty()) progress.showImageFile(QString::fromStdString(choice.image.string()));
  progress.show();
  RescanVolumeCheck check(prompts, *m_copyPrompts);
  return m_session.rescanService().rescan(volume, rescanSource(choice, drives, &check), progress);
}

void TDiskIndexForm::onRescanVolume() {
  const std::optional<std::size_t> volume = rescanTarget();
  if (!volume) return;
  const std::unique_ptr<ScanPrompts> prompts = scanPromptsFactory()(this);
  if (!m_session.volumeService().dataDirectoryWritable()) {
    prompts->error(qUtf8(scan::messages::kRescanCaption), boxText(messages::kReadOnlyDataDir));
    return;
  }
  const VolumeRecord record = m_session.volumes()[*volume];
  const platform::DriveTable drives = m_session.volumeService().driveTable();
  TDlgRescanVolume dialog(drives, record.driveLetter, QString::fromStdString(record.name), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const RescanChoice choice = dialog.choice();
  if (choice.folder.empty() && choice.image.empty() && choice.letter == 0) return;
  // The contents view shows the old tree, whose numbers the rescan changes:
  // the views let go of it first (what was typed is saved, or kept and
  // nothing is read); the rescan opens the volume again with the new tree.
  if (m_view == View::Contents) {
    if (!leaveContents(LeaveMode::KeepVolumeOpen)) return;
    showOverview(*volume);
  }
  showRescanResult(runRescan(*volume, choice, drives, *prompts), *prompts);
}

void TDiskIndexForm::showRescanResult(const RescanResult& result, ScanPrompts& prompts) {
  const scan::RescanOutcome& outcome = result.outcome;
  const bool open = m_session.state().opened.has_value();
  if (result.volumeRefused) {  // the check or the image's message said why
    if (open) showContents();
    return;
  }
  if (outcome.code != ResultCode::Ok) {
    const ErrorMessage message =
        errorMessage(outcome.code, scan::messages::kRescanCaption, outcome.failedFile.string());
    prompts.error(QString::fromStdString(message.caption), boxText(message.text));
    if (open) showContents();
    return;
  }
  refreshOverview(result.index);
  if (result.reopened) showOpened(*result.index, *result.reopened);
  if (!outcome.orphans.empty()) {
    TDlgOrphanRemarks orphans(outcome.orphans, outcome.orphanFile, this);
    orphans.exec();
  }
}

}  // namespace diskindex::ui
