// Adding volumes and changing their information from the main window: the
// writability test, the add/change dialog, the progress window around the
// core's add operation, and the overview refreshed on the affected volume.

#include <QComboBox>

#include "diskindex/core/messages.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_add_drive.h"
#include "diskindex/ui/dlg_list_dirs.h"
#include "diskindex/ui/scan_prompts.h"
#include "platform/ini_file.h"

namespace diskindex::ui {
namespace {

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The drive table with the folders the settings map to letters.
platform::DriveTable driveTable(const std::filesystem::path& settingsFile) {
  return platform::DriveTable::fromSystem(scan::driveOverrides(platform::IniFile(settingsFile)));
}

}  // namespace

void TDiskIndexForm::onAddVolume() {
  const std::unique_ptr<ScanPrompts> prompts = scanPromptsFactory()(this);
  const QString caption = qs(scan::messages::kAddCaption);
  if (!m_state.catalogue.dataDirectoryWritable()) {
    prompts->error(caption, boxText(messages::kReadOnlyDataDir));
    return;
  }
  const platform::DriveTable drives = driveTable(m_env.settingsFile);
  const scan::DialogValues initial = scan::valuesForAdding(
      drives, m_state.settings.drive, m_toolBar.categoryCombo->currentText().toStdString());
  TDlgAddDrive dialog(TDlgAddDrive::Mode::Adding, drives,
                      scan::DialogContext{&m_state.catalogue.volumes(), &drives, std::nullopt},
                      initial, m_state.categories.names(), *prompts, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const scan::DialogValues values = dialog.values();
  m_state.settings.drive = values.driveLetter;
  VolumeHeader header = freshHeader();
  scan::fillHeader(header, values, scan::driveTypeCode(drives, values.driveLetter));
  scan::AddOutcome outcome;
  {
    TDlgListDirs progress(values.driveLetter, QString::fromStdString(header.name), *prompts, this);
    progress.onVolumeAdded = [this](std::size_t index) { refreshOverview(index); };
    progress.show();
    outcome = scan::addVolumes(m_state.catalogue, drives, header, dialog.seriesCount(), progress);
  }
  if (outcome.added.empty()) return;
  if (!header.category.empty()) m_state.categories.add(header.category);
  rebuildCategoryCombo();
  refreshOverview(m_state.catalogue.volumes().findByDataFile(outcome.added.back()));
}

void TDiskIndexForm::onChangeVolume() {
  const std::optional<std::size_t> volume = selectedVolume();
  if (!volume) return;
  const std::unique_ptr<ScanPrompts> prompts = scanPromptsFactory()(this);
  const QString caption = qs(scan::messages::kChangeCaption);
  if (!m_state.catalogue.dataDirectoryWritable()) {
    prompts->error(caption, boxText(messages::kReadOnlyDataDir));
    return;
  }
  const std::filesystem::path dataFile = m_state.catalogue.volumes()[*volume].dataFile;
  VolumeHeader header;
  ResultCode code = readHeader(dataFile, header);
  if (code == ResultCode::Ok) {
    const platform::DriveTable drives = driveTable(m_env.settingsFile);
    TDlgAddDrive dialog(TDlgAddDrive::Mode::Changing, drives,
                        scan::DialogContext{&m_state.catalogue.volumes(), &drives, volume},
                        scan::valuesForChanging(header), m_state.categories.names(), *prompts,
                        this);
    if (dialog.exec() != QDialog::Accepted) return;
    const scan::DialogValues values = dialog.values();
    std::size_t newIndex = *volume;
    code = scan::changeVolumeInformation(m_state.catalogue, drives, *volume, header, values,
                                         &newIndex);
    if (code == ResultCode::Ok) {
      const std::string& category = m_state.catalogue.volumes()[newIndex].category.value_or("");
      if (!category.empty()) m_state.categories.add(category);
      rebuildCategoryCombo();
      refreshOverview(newIndex);
      return;
    }
  }
  const ErrorMessage message = errorMessage(code, OperationTitle::ChangeInfo, dataFile.string());
  prompts->error(QString::fromStdString(message.caption), boxText(message.text));
}

}  // namespace diskindex::ui
