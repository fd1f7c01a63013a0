#pragma once
// The duplicate groups as a two-level Qt item model over the session's
// DuplicateResult: a group row ("Gruppe 3: name", the number of files, the
// size of one, the bytes beyond the first copy, the volumes) with one child
// row per file (its path, size, volume and date). SortRole gives numbers for
// the number columns and the date, so a sort proxy orders by value. The
// groups stay in the core; reload() follows a new result.

#include <QAbstractItemModel>
#include <QString>
#include <optional>
#include <utility>

#include "diskindex/core/search/duplicate_finder.h"

namespace diskindex::ui {

class DuplicatesModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  enum Column {
    NameColumn = 0,
    FilesColumn,
    SizeColumn,
    WastedColumn,
    VolumesColumn,
    DateColumn,
    ColumnCount
  };
  static constexpr int SortRole = Qt::UserRole + 1;

  explicit DuplicatesModel(const search::DuplicateResult& result, QObject* parent = nullptr);

  // Shows nothing while a search runs, then the result's groups.
  void clear();
  void reload();
  // The group and the file (none for a group row) of an index of this model.
  std::pair<int, std::optional<int>> position(const QModelIndex& index) const;
  // A file's "volume TAB path" line, as the copy puts it on the clipboard.
  QString fileLine(int group, int file) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QVariant groupData(int group, int column, int role) const;
  QVariant fileData(int group, int file, int column, int role) const;
  QString groupVolumes(const search::DuplicateGroup& group) const;
  QString dateText(std::uint32_t dosDateTime) const;

  const search::DuplicateResult& m_result;
  bool m_shown = false;
  QString m_timeFormat;
};

}  // namespace diskindex::ui
