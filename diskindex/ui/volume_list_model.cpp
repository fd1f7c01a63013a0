#include "diskindex/ui/volume_list_model.h"

#include <algorithm>

#include "diskindex/core/export/export_options.h"
#include "diskindex/core/messages.h"
#include "diskindex/ui/toolbar_icons.h"

namespace diskindex::ui {

VolumeListModel::VolumeListModel(const VolumeList& volumes, QObject* parent)
    : QAbstractListModel(parent), m_volumes(volumes), m_filter(messages::kAllCategories) {
  // Indexed by drive type code; unknown codes use the disk picture.
  m_icons[0] = m_icons[1] = m_icons[3] = toolIcon(ToolIcon::VolumeDisk);
  m_icons[2] = toolIcon(ToolIcon::VolumeFloppy);
  m_icons[4] = toolIcon(ToolIcon::VolumeNetwork);
  m_icons[5] = toolIcon(ToolIcon::VolumeOptical);
  m_icons[6] = toolIcon(ToolIcon::VolumeDisk);
  refresh();
}

void VolumeListModel::setFilter(const std::string& filter) {
  m_filter = filter;
  refresh();
}

void VolumeListModel::setOrder(OverviewOrder order) {
  m_order = order;
  refresh();
}

bool VolumeListModel::passes(const VolumeRecord& record) const {
  return exporting::passesCategoryFilter(record, m_filter);
}

void VolumeListModel::refresh() {
  beginResetModel();
  m_rows.clear();
  m_rows.reserve(m_volumes.size());
  for (std::size_t i = 0; i < m_volumes.size(); ++i) {
    if (passes(m_volumes[i])) m_rows.push_back(i);
  }
  orderOverviewRows(m_rows, m_volumes, m_order);
  endResetModel();
}

void VolumeListModel::detach() {
  beginResetModel();
  m_rows.clear();
  endResetModel();
}

int VolumeListModel::rowOf(std::size_t volumeIndex) const {
  const auto it = std::find(m_rows.begin(), m_rows.end(), volumeIndex);
  if (it == m_rows.end()) return -1;
  return static_cast<int>(it - m_rows.begin());
}

int VolumeListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant VolumeListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const VolumeRecord& record = m_volumes[volumeIndex(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(overviewRowText(record, m_order));
    case Qt::DecorationRole:
      return m_icons[record.driveType < 7 ? record.driveType : 1];
    default:
      return {};
  }
}

}  // namespace diskindex::ui
