#pragma once
// The contents view's file list: a three-column Qt table model ("Dateiname",
// "Größe", "Datum  /  Zeit") over the files of one directory of the opened
// volume, in the show order of file_order.h. A directory without files shows
// one empty row. The header of the column holding the sort key carries a
// small arrow (up ascending, down reversed); sorting by extension marks none.
// Rows map to file positions in file order, which is what remarks key on.
// Sizes are shown with digit groups ("1.474.560"); a name's tool tip is the
// whole name, since the view elides long names in the middle.

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <cstdint>
#include <vector>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/file_order.h"

namespace diskindex::ui {

inline constexpr qsizetype kMaxClipboardBytes = 65000;

class FileListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { NameColumn = 0, SizeColumn = 1, DateColumn = 2, ColumnCount = 3 };

  explicit FileListModel(QObject* parent = nullptr);

  // Shows the files of directory dir (nullptr: nothing) in the current order.
  void setDirectory(const TOutlineDirList* directories, std::size_t dir);
  // Changes the order and keeps the files in place (no model reset of rows).
  void setOrder(SortKey key, bool reverse);
  SortKey sortKey() const { return m_key; }
  // The key a click on this column's header sorts by (None for none).
  static SortKey keyOfColumn(int column);
  bool reversed() const { return m_reverse; }

  bool hasFiles() const { return !m_order.empty(); }
  // The file position (0-based, file order) of a row; -1 for the empty row.
  int filePosition(int row) const;
  int rowOfPosition(int position) const;
  // The cell text exactly as shown.
  QString cellText(int row, int column) const;
  // The cells of these rows as clipboard text: TAB between cells, CR LF
  // between rows, none after the last; rows that would pass maxBytes (UTF-8)
  // are left out, and a first row longer than that is cut.
  QString rowsText(const QList<int>& rows, qsizetype maxBytes) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  void rebuildOrder();

  const TOutlineDirList* m_directories = nullptr;
  std::size_t m_dir = 0;
  SortKey m_key = SortKey::None;
  bool m_reverse = false;
  std::vector<std::uint32_t> m_order;
  std::vector<std::uint32_t> m_rowOf;  // inverse of m_order
  QString m_timeFormat;
  QIcon m_up;
  QIcon m_down;
};

// The time part of a date cell in the system's time format (with seconds).
QString systemTimeFormat();

}  // namespace diskindex::ui
