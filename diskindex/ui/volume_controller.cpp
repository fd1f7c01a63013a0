// Adding volumes and changing their information from the window, each one
// VolumeService call.

#include "diskindex/ui/volume_controller.h"

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/ui/dlg_add_drive.h"
#include "diskindex/ui/dlg_list_dirs.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/scan_prompts.h"

namespace diskindex::ui {
void VolumeController::addVolume() {
  const std::unique_ptr<ScanPrompts> prompts = scanPromptsFactory()(m_view.dialogParent());
  const QString caption = qUtf8(scan::messages::kAddCaption);
  if (const auto refusal = m_session.volumeService().writeRefusal()) {
    prompts->error(caption, boxText(*refusal));
    return;
  }
  const platform::DriveTable drives = m_session.volumeService().driveTable();
  const scan::DialogValues initial =
      scan::valuesForAdding(drives, m_session.settings().drive, m_view.categoryFilter());
  TDlgAddDrive dialog(TDlgAddDrive::Mode::Adding, drives,
                      scan::DialogContext{&m_session.volumes(), &drives, std::nullopt}, initial,
                      m_session.state().categories.names(), *prompts, m_view.dialogParent());
  QObject::connect(&dialog, &TDlgAddDrive::helpRequested, &dialog,
                   [this] { m_view.showHelp(help::kAddVolume); });
  if (dialog.exec() != QDialog::Accepted) return;
  const scan::DialogValues values = dialog.values();
  AddResult result;
  {
    TDlgListDirs progress(values.driveLetter, QString::fromStdString(values.name), *prompts,
                          m_view.dialogParent());
    progress.onVolumeAdded = [this](std::size_t index) { m_view.refreshOverview(index); };
    if (!values.imageFile.empty()) {
      progress.showImageFile(QString::fromStdString(values.imageFile.string()));
    } else if (!values.folder.empty()) {
      progress.showFolder(QString::fromStdString(values.folder.string()));
    }
    progress.show();
    const AddRequest request{values, VolumeService::sourceOf(values, drives, dialog.seriesCount())};
    result = m_session.volumeService().add(request, progress);
  }
  if (!folderUsable(*prompts, qUtf8(scan::messages::kAddCaption), result.folder,
                       m_session.environment().settingsFile)) {
    return;
  }
  if (result.lastAdded) {
    m_view.rebuildCategoryCombo();
    m_view.refreshOverview(result.lastAdded);
  }
  // Links, mount points and unreadable directories are never left out
  // without a word.
  showWalkSummary(*prompts, result.outcome.lastRead.passedOver);
}

void VolumeController::changeVolume() {
  const std::optional<std::size_t> volume = m_view.selectedVolume();
  if (!volume) return;
  const std::unique_ptr<ScanPrompts> prompts = scanPromptsFactory()(m_view.dialogParent());
  const QString caption = qUtf8(scan::messages::kChangeCaption);
  if (const auto refusal = m_session.volumeService().writeRefusal()) {
    prompts->error(caption, boxText(*refusal));
    return;
  }
  const std::filesystem::path dataFile = m_session.volumes()[*volume].dataFile;
  const HeaderResult read = m_session.volumeService().readHeader(*volume);
  ResultCode code = read.code;
  if (code == ResultCode::Ok) {
    const platform::DriveTable drives = m_session.volumeService().driveTable();
    TDlgAddDrive dialog(TDlgAddDrive::Mode::Changing, drives,
                        scan::DialogContext{&m_session.volumes(), &drives, volume},
                        scan::valuesForChanging(read.header), m_session.state().categories.names(),
                        *prompts, m_view.dialogParent());
    QObject::connect(&dialog, &TDlgAddDrive::helpRequested, &dialog,
                     [this] { m_view.showHelp(help::kChangeVolume); });
    if (dialog.exec() != QDialog::Accepted) return;
    const ChangeResult changed = m_session.volumeService().change(
        ChangeRequest{*volume, read.header, dialog.values(), drives});
    if (!folderUsable(*prompts, caption, changed.folder, m_session.environment().settingsFile)) {
      return;
    }
    code = changed.code;
    if (code == ResultCode::Ok) {
      m_view.rebuildCategoryCombo();
      m_view.refreshOverview(changed.index);
      return;
    }
  }
  const ErrorMessage message = errorMessage(code, OperationTitle::ChangeInfo, dataFile.string());
  prompts->error(QString::fromStdString(message.caption), boxText(message.text));
}

}  // namespace diskindex::ui
