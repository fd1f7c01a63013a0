#pragma once
// The overview's list of volumes: a flat Qt model over the core's sorted
// volume list, showing the volumes that pass the category filter in list
// order. "<ALLE>" passes every volume, "<keine Zuordnung>" the volumes
// without category, any other text the volumes whose category is exactly
// that text. Rows follow the list (name) order or, on request, the free-space
// order, which also shows each volume's free space. The model keeps only the
// row -> volume mapping; the records stay in the core's list, and refresh()
// must follow every change to it.

#include <QAbstractListModel>
#include <QIcon>
#include <string>
#include <vector>

#include "diskindex/core/volume_finder.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::ui {

class VolumeListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  explicit VolumeListModel(const VolumeList& volumes, QObject* parent = nullptr);

  // The filter entry as shown in the combo box (a pseudo entry or a category).
  void setFilter(const std::string& filter);
  const std::string& filter() const { return m_filter; }
  void setOrder(OverviewOrder order);
  OverviewOrder order() const { return m_order; }
  // Rebuilds the rows from the volume list.
  void refresh();
  // Shows no rows until the next refresh(): called before the volume list is
  // rebuilt, so that nothing paints rows of the old list meanwhile.
  void detach();

  bool passes(const VolumeRecord& record) const;
  std::size_t volumeIndex(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
  // The row showing the volume, or -1 when it does not pass the filter.
  int rowOf(std::size_t volumeIndex) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const VolumeList& m_volumes;
  std::string m_filter;
  OverviewOrder m_order = OverviewOrder::Name;
  std::vector<std::size_t> m_rows;
  QIcon m_icons[7];
};

}  // namespace diskindex::ui
