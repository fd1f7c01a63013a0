#include "diskindex/ui/overview_pane.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QTreeView>
#include <algorithm>
#include <ctime>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/messages.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/volume_info_pane.h"
#include "diskindex/ui/volume_list_model.h"
#include "platform/dates.h"

namespace diskindex::ui {

bool OverviewPane::attach() {
  if (m_w.tree->model() == m_w.model) return false;
  m_w.tree->setModel(m_w.model);
  return true;
}

void OverviewPane::refresh(std::optional<std::size_t> selectVolume) {
  m_w.model->refresh();
  int row = selectVolume ? m_w.model->rowOf(*selectVolume) : -1;
  if (row < 0 && m_w.model->rowCount() > 0) row = 0;
  if (row >= 0) {
    const QModelIndex index = m_w.model->index(row);
    m_w.tree->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_w.tree->scrollTo(index);
  }
}

std::optional<std::size_t> OverviewPane::currentVolume() const {
  if (m_w.tree->model() != m_w.model) return std::nullopt;
  const QModelIndex current = m_w.tree->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return m_w.model->volumeIndex(current.row());
}

void OverviewPane::showInformation(std::optional<std::size_t> volume) {
  const double today = platform::dayCountFromUnixTime(std::time(nullptr));
  m_w.info->showVolume(volume ? &m_session.volumes()[*volume] : nullptr, today);
}

QString OverviewPane::statusText() const {
  const std::size_t all = m_session.volumes().size();
  if (all == 0) return QStringLiteral(" Keine Datenträger erfaßt !");
  return QStringLiteral(" %1 Datenträger erfaßt, %2 in ausgewählter Kategorie")
      .arg(all)
      .arg(m_w.model->rowCount());
}

std::string OverviewPane::filter() const {
  return m_w.model->filter();
}

void OverviewPane::setFilter(const std::string& filter) {
  m_w.model->setFilter(filter);
}

void OverviewPane::takeFilterFromCombo(int comboIndex) {
  m_w.model->setFilter(m_w.categoryCombo->itemText(comboIndex).toStdString());
}

bool OverviewPane::showVolumeInFilter(std::size_t index) {
  const VolumeRecord& record = m_session.volumes()[index];
  if (m_w.model->passes(record)) return false;
  const QString filter = qUtf8(record.category ? *record.category : messages::kAllCategories);
  QComboBox* combo = m_w.categoryCombo;
  const int item = std::max(0, combo->findText(filter));
  combo->setCurrentIndex(item);
  m_w.model->setFilter(combo->itemText(item).toStdString());
  return true;
}

void OverviewPane::rebuildCombo(const std::string& wanted) {
  QComboBox* combo = m_w.categoryCombo;
  const QSignalBlocker block(combo);
  combo->clear();
  combo->addItem(qUtf8(messages::kAllCategories));
  combo->addItem(qUtf8(messages::kNoCategory));
  for (const std::string& name : m_session.state().categories.names()) combo->addItem(qUtf8(name));
  const int found = combo->findText(qUtf8(wanted), Qt::MatchFixedString);
  combo->setCurrentIndex(found >= 0 ? found : 0);
  m_w.model->setFilter(combo->currentText().toStdString());
}

void OverviewPane::setOrder(OverviewOrder order) {
  m_w.model->setOrder(order);
}

std::optional<std::size_t> OverviewPane::neighbourOfRemoved(std::size_t removed) const {
  const VolumeList& volumes = m_session.volumes();
  const std::size_t count = volumes.size();
  for (std::size_t i = removed; i < count; ++i) {
    if (m_w.model->passes(volumes[i])) return i;
  }
  for (std::size_t i = std::min(removed, count); i > 0; --i) {
    if (m_w.model->passes(volumes[i - 1])) return i - 1;
  }
  return std::nullopt;
}

}  // namespace diskindex::ui
