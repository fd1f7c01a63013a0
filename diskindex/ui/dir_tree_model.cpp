#include "diskindex/ui/dir_tree_model.h"

#include <QApplication>
#include <QStyle>

#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/toolbar_icons.h"

namespace diskindex::ui {

DirTreeModel::DirTreeModel(QObject* parent)
    : QAbstractItemModel(parent),
      m_folder(toolIcon(ToolIcon::Folder)),
      m_unreadable(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)) {}

void DirTreeModel::setDirectories(const TOutlineDirList* directories) {
  beginResetModel();
  m_directories = directories && !directories->empty() ? directories : nullptr;
  m_index = m_directories ? DirTreeIndex(*m_directories) : DirTreeIndex();
  endResetModel();
}

QModelIndex DirTreeModel::indexOfDirectory(std::uint32_t dir) const {
  if (dir >= m_index.size()) return {};
  return createIndex(static_cast<int>(m_index.row(dir)), 0, static_cast<quintptr>(dir));
}

QModelIndex DirTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0 || !m_directories) return {};
  if (!parent.isValid()) return row == 0 ? createIndex(0, 0, quintptr{0}) : QModelIndex();
  const auto children = m_index.children(directoryOf(parent));
  if (static_cast<std::size_t>(row) >= children.size()) return {};
  return createIndex(row, 0, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex DirTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  const std::uint32_t up = m_index.parent(directoryOf(child));
  if (up == DirTreeIndex::kNone) return {};
  return indexOfDirectory(up);
}

int DirTreeModel::rowCount(const QModelIndex& parent) const {
  if (!m_directories) return 0;
  if (!parent.isValid()) return 1;
  if (parent.column() != 0) return 0;
  return static_cast<int>(m_index.children(directoryOf(parent)).size());
}

int DirTreeModel::columnCount(const QModelIndex& /*parent*/) const {
  return 1;
}

bool DirTreeModel::hasChildren(const QModelIndex& parent) const {
  return rowCount(parent) > 0;
}

QVariant DirTreeModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid) || !m_directories) return {};
  switch (role) {
    case Qt::DisplayRole:
      return qUtf8(m_directories->directoryName(directoryOf(index)));
    case Qt::DecorationRole:
      return m_directories->directory(directoryOf(index)).unreadable ? m_unreadable : m_folder;
    case Qt::ToolTipRole: {
      // The whole name (a long one may run past the pane's edge); a
      // directory read without its contents says so below it.
      QString tip = qUtf8(m_directories->directoryName(directoryOf(index)));
      if (m_directories->directory(directoryOf(index)).unreadable) {
        tip += QStringLiteral("\n") + qUtf8(scan::messages::kUnreadableDirectoryTip)
                                          .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      }
      return tip;
    }
    default:
      return {};
  }
}

}  // namespace diskindex::ui
