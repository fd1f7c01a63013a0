#pragma once
// The contents view's directory tree: a Qt item model over the opened
// volume's directory list. The root ("\") is the only top-level item and the
// directories hang below it by level. Parent and row lookups use a
// DirTreeIndex built once per volume, so a tree of a hundred thousand
// directories opens at once and only the items the view asks for are ever
// touched. The list itself stays in the core's TOutlineDirList.

#include <QAbstractItemModel>
#include <QIcon>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/dir_tree_index.h"

namespace diskindex::ui {

class DirTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  explicit DirTreeModel(QObject* parent = nullptr);

  // Shows the list (nullptr: nothing). The list must outlive the model's use
  // of it or be replaced by another setDirectories() first.
  void setDirectories(const TOutlineDirList* directories);
  const DirTreeIndex& treeIndex() const { return m_index; }

  QModelIndex indexOfDirectory(std::uint32_t dir) const;
  static std::uint32_t directoryOf(const QModelIndex& index) {
    return static_cast<std::uint32_t>(index.internalId());
  }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const TOutlineDirList* m_directories = nullptr;
  DirTreeIndex m_index;
  QIcon m_folder;
  QIcon m_unreadable;  // a directory whose contents could not be read
};

}  // namespace diskindex::ui
