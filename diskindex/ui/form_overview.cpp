// The overview of the main window: the volumes of the chosen category, the
// information of the selected one, the category filter, deleting a volume
// and choosing the data directory.

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeView>

#include "diskindex/core/messages.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/font_setting.h"
#include "diskindex/ui/overview_pane.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/ui/volume_info_pane.h"
#include "diskindex/ui/volume_list_model.h"

namespace diskindex::ui {

void TDiskIndexForm::showOverview(std::optional<std::size_t> selectVolume) {
  m_view = View::Overview;
  setWindowTitle(QString::fromUtf8(kProgramTitle));
  m_toolBar.categoryLabelItem->setVisible(true);
  m_toolBar.categoryComboItem->setVisible(true);
  showContentsButtons(m_toolBar, false);
  applyRemarkFields();
  m_rightStack->setCurrentWidget(m_info);
  m_tree->setFont(toFont(m_session.settings().fontF));
  m_tree->setRootIsDecorated(false);
  if (m_overview->attach()) {
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TDiskIndexForm::onVolumeSelected);
  }
  refreshOverview(selectVolume);
  // The list takes the keys (Return, type-ahead) as in a file manager.
  m_tree->setFocus();
}

void TDiskIndexForm::refreshOverview(std::optional<std::size_t> selectVolume) {
  m_overview->refresh(selectVolume);
  onVolumeSelected();
  updateOverviewStatus();
}

std::optional<std::size_t> TDiskIndexForm::selectedVolume() const {
  if (m_view != View::Overview) return std::nullopt;
  return m_overview->currentVolume();
}

void TDiskIndexForm::onVolumeSelected() {
  if (m_view != View::Overview) return;
  m_overview->showInformation(selectedVolume());
  updateCommandStates();
}

void TDiskIndexForm::updateOverviewStatus() {
  // Without its data folder the catalogue is read-only, and says so.
  if (m_session.volumeService().dataDirectoryMissing()) {
    showStatus(qUtf8(messages::missingDataDirectoryStatus(
        m_session.state().catalogue.dataDirectory().string())));
    return;
  }
  showStatus(m_overview->statusText());
}

void TDiskIndexForm::onFilterChanged(int comboIndex) {
  const std::optional<std::size_t> keep = selectedVolume();
  m_overview->takeFilterFromCombo(comboIndex);
  refreshOverview(keep);
}

void TDiskIndexForm::onRemoveVolume() {
  const std::optional<std::size_t> volume = selectedVolume();
  if (!volume) return;
  const VolumeRecord& record = m_session.state().catalogue.volumes()[*volume];
  const QString caption = QString::fromUtf8(
      messages::kDeleteCaption.data(), static_cast<qsizetype>(messages::kDeleteCaption.size()));
  if (!m_prompts->question(caption, boxText(messages::deleteQuestion(record.name)))) return;
  const std::string dataFile = record.dataFile.string();
  if (m_session.volumeService().remove(*volume) != ResultCode::Ok) {
    m_prompts->error(caption, boxText(messages::deleteFailed(dataFile)));
    return;
  }
  // The selection stays at the same place: on the next volume, or on the
  // last one when the deleted volume was the last.
  refreshOverview(m_overview->neighbourOfRemoved(*volume));
}

void TDiskIndexForm::onOverviewOrder(bool byFreeSpace) {
  m_session.volumeService().setOverviewOrder(byFreeSpace ? OverviewOrder::FreeSpace
                                                         : OverviewOrder::Name);
  if (m_view != View::Overview) {
    m_overview->setOrder(m_session.volumeService().overviewOrder());
    return;
  }
  const std::optional<std::size_t> keep = selectedVolume();
  m_overview->setOrder(m_session.volumeService().overviewOrder());
  refreshOverview(keep);
}

void TDiskIndexForm::onRecogniseVolume() {
  const std::vector<RecognisedVolume> found =
      m_session.volumeService().recognise(m_session.volumeService().driveTable());
  const QString caption = qUtf8(kRecogniseCaption);
  if (found.empty()) {
    m_prompts->information(caption, boxText(recogniseNoneText()));
    return;
  }
  std::size_t chosen = 0;
  if (found.size() > 1) {
    QStringList items;
    for (const RecognisedVolume& volume : found) {
      items << QString::fromStdString(recognisedItemText(volume, m_session.volumes()));
    }
    const std::optional<int> choice =
        m_prompts->chooseItem(caption, boxText(recogniseChoiceText()), items);
    if (!choice || *choice < 0 || static_cast<std::size_t>(*choice) >= found.size()) return;
    chosen = static_cast<std::size_t>(*choice);
  }
  openVolume(found[chosen].volumeIndex);
}

void TDiskIndexForm::onDataDirectory() {
  const QString current =
      QString::fromStdString(m_session.state().catalogue.dataDirectory().string());
  const std::optional<QString> chosen = m_prompts->chooseDataDirectory(current);
  if (!chosen || chosen->isEmpty()) return;
  if (m_view == View::Contents && !leaveContents()) return;
  changeDataDirectory(chosen->toStdString());
}

std::string TDiskIndexForm::categoryFilter() const {
  return m_overview->filter();
}

void TDiskIndexForm::setCategoryFilter(const std::string& filter) {
  m_overview->setFilter(filter);
}

void TDiskIndexForm::showVolumeInFilter(std::size_t index) {
  if (m_overview->showVolumeInFilter(index) && m_view == View::Overview) refreshOverview(index);
}

}  // namespace diskindex::ui
