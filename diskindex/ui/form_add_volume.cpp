// Adding volumes and changing their information from the main window: the
// writability test, the add/change dialog, the progress window around the
// session's add operation, and the overview refreshed on the affected volume.

#include <QComboBox>

#include "diskindex/core/messages.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_add_drive.h"
#include "diskindex/ui/dlg_list_dirs.h"
#include "diskindex/ui/scan_prompts.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {
void TDiskIndexForm::onAddVolume() {
  const std::unique_ptr<ScanPrompts> prompts = scanPromptsFactory()(this);
  const QString caption = qUtf8(scan::messages::kAddCaption);
  if (!m_session.volumeService().dataDirectoryWritable()) {
    prompts->error(caption, boxText(messages::kReadOnlyDataDir));
    return;
  }
  const platform::DriveTable drives = m_session.volumeService().driveTable();
  const scan::DialogValues initial = scan::valuesForAdding(
      drives, m_session.settings().drive, m_toolBar.categoryCombo->currentText().toStdString());
  TDlgAddDrive dialog(TDlgAddDrive::Mode::Adding, drives,
                      scan::DialogContext{&m_session.volumes(), &drives, std::nullopt}, initial,
                      m_session.state().categories.names(), *prompts, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const scan::DialogValues values = dialog.values();
  AddResult result;
  {
    TDlgListDirs progress(values.driveLetter, QString::fromStdString(values.name), *prompts, this);
    progress.onVolumeAdded = [this](std::size_t index) { refreshOverview(index); };
    if (!values.imageFile.empty()) {
      progress.showImageFile(QString::fromStdString(values.imageFile.string()));
    }
    progress.show();
    const AddRequest request{values,
                             VolumeService::sourceOf(values, drives, dialog.seriesCount())};
    result = m_session.volumeService().add(request, progress);
  }
  if (!result.lastAdded) return;
  rebuildCategoryCombo();
  refreshOverview(result.lastAdded);
}

void TDiskIndexForm::onChangeVolume() {
  const std::optional<std::size_t> volume = selectedVolume();
  if (!volume) return;
  const std::unique_ptr<ScanPrompts> prompts = scanPromptsFactory()(this);
  const QString caption = qUtf8(scan::messages::kChangeCaption);
  if (!m_session.volumeService().dataDirectoryWritable()) {
    prompts->error(caption, boxText(messages::kReadOnlyDataDir));
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
                        *prompts, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const ChangeResult changed =
        m_session.volumeService().change(ChangeRequest{*volume, read.header, dialog.values(), drives});
    code = changed.code;
    if (code == ResultCode::Ok) {
      rebuildCategoryCombo();
      refreshOverview(changed.index);
      return;
    }
  }
  const ErrorMessage message = errorMessage(code, OperationTitle::ChangeInfo, dataFile.string());
  prompts->error(QString::fromStdString(message.caption), boxText(message.text));
}

}  // namespace diskindex::ui
