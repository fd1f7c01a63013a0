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
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/ui/volume_info_pane.h"
#include "diskindex/ui/volume_list_model.h"
#include "platform/dates.h"

namespace diskindex::ui {

namespace {

double todayDayCount() {
  return platform::dayCountFromUnixTime(std::time(nullptr));
}

}  // namespace

void TDiskIndexForm::showOverview(std::optional<std::size_t> selectVolume) {
  m_view = View::Overview;
  setWindowTitle(QString::fromUtf8(kProgramTitle));
  m_toolBar.categoryLabelItem->setVisible(true);
  m_toolBar.categoryComboItem->setVisible(true);
  for (QAction* action : m_toolBar.contentsOnly) action->setVisible(false);
  applyRemarkFields();
  m_rightStack->setCurrentWidget(m_info);
  m_tree->setFont(toFont(m_session.settings().fontF));
  m_tree->setRootIsDecorated(false);
  if (m_tree->model() != m_volumeModel) {
    m_tree->setModel(m_volumeModel);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TDiskIndexForm::onVolumeSelected);
  }
  refreshOverview(selectVolume);
}

void TDiskIndexForm::refreshOverview(std::optional<std::size_t> selectVolume) {
  m_volumeModel->refresh();
  int row = selectVolume ? m_volumeModel->rowOf(*selectVolume) : -1;
  if (row < 0 && m_volumeModel->rowCount() > 0) row = 0;
  if (row >= 0) {
    const QModelIndex index = m_volumeModel->index(row);
    m_tree->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_tree->scrollTo(index);
  }
  onVolumeSelected();
  updateOverviewStatus();
}

std::optional<std::size_t> TDiskIndexForm::selectedVolume() const {
  if (m_view != View::Overview || m_tree->model() != m_volumeModel) return std::nullopt;
  const QModelIndex current = m_tree->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return m_volumeModel->volumeIndex(current.row());
}

void TDiskIndexForm::onVolumeSelected() {
  if (m_view != View::Overview) return;
  const std::optional<std::size_t> volume = selectedVolume();
  m_info->showVolume(volume ? &m_session.state().catalogue.volumes()[*volume] : nullptr,
                     todayDayCount());
  updateCommandStates();
}

void TDiskIndexForm::updateOverviewStatus() {
  const std::size_t all = m_session.state().catalogue.volumes().size();
  if (all == 0) {
    showStatus(QStringLiteral(" Keine Datenträger erfaßt !"));
  } else {
    showStatus(QStringLiteral(" %1 Datenträger erfaßt, %2 in ausgewählter Kategorie")
                   .arg(all)
                   .arg(m_volumeModel->rowCount()));
  }
}

void TDiskIndexForm::onFilterChanged(int comboIndex) {
  const std::optional<std::size_t> keep = selectedVolume();
  m_volumeModel->setFilter(m_toolBar.categoryCombo->itemText(comboIndex).toStdString());
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
  const std::size_t count = m_session.state().catalogue.volumes().size();
  std::optional<std::size_t> next;
  for (std::size_t i = *volume; i < count && !next; ++i) {
    if (m_volumeModel->passes(m_session.state().catalogue.volumes()[i])) next = i;
  }
  for (std::size_t i = std::min(*volume, count); i > 0 && !next; --i) {
    if (m_volumeModel->passes(m_session.state().catalogue.volumes()[i - 1])) next = i - 1;
  }
  refreshOverview(next);
}

void TDiskIndexForm::onOverviewOrder(bool byFreeSpace) {
  m_session.volumeService().setOverviewOrder(byFreeSpace ? OverviewOrder::FreeSpace
                                                         : OverviewOrder::Name);
  if (m_view != View::Overview) {
    m_volumeModel->setOrder(m_session.volumeService().overviewOrder());
    return;
  }
  const std::optional<std::size_t> keep = selectedVolume();
  m_volumeModel->setOrder(m_session.volumeService().overviewOrder());
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
  return m_volumeModel->filter();
}

void TDiskIndexForm::setCategoryFilter(const std::string& filter) {
  m_volumeModel->setFilter(filter);
}

void TDiskIndexForm::showVolumeInFilter(std::size_t index) {
  const VolumeRecord& record = m_session.volumes()[index];
  if (m_volumeModel->passes(record)) return;
  const QString filter = qUtf8(record.category ? *record.category : messages::kAllCategories);
  QComboBox* combo = m_toolBar.categoryCombo;
  const int item = std::max(0, combo->findText(filter));
  combo->setCurrentIndex(item);
  m_volumeModel->setFilter(combo->itemText(item).toStdString());
  if (m_view == View::Overview) refreshOverview(index);
}

}  // namespace diskindex::ui
