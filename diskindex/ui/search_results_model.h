#pragma once
// The rows of the search results window as a four-column Qt table model
// ("Datenträger:", "Verzeichnis-/Dateiname:", "Größe", "Datum  /  Zeit")
// over the session's result rows. The rows themselves stay in the core; the
// model only counts how many of them it has announced, so rows found while a
// search runs appear as sync() announces them. SortRole gives each cell's
// sort key (size and date as numbers, a directory before every file), and
// the path's tooltip is the whole path (the grid elides it in the middle).

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "diskindex/core/search/multi_search.h"

namespace diskindex::ui {

class SearchResultsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { VolumeColumn = 0, PathColumn, SizeColumn, DateColumn, ColumnCount };
  static constexpr int SortRole = Qt::UserRole + 1;

  explicit SearchResultsModel(const std::vector<search::ResultRow>& rows,
                              QObject* parent = nullptr);

  // Shows no rows (before the core's rows are cleared for a new search).
  void reset();
  // Announces the rows added since the last call.
  void sync();
  QString cellText(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QVariant sortKey(int row, int column) const;

  const std::vector<search::ResultRow>& m_rows;
  int m_shown = 0;
  QString m_timeFormat;
};

}  // namespace diskindex::ui
