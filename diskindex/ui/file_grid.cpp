#include "diskindex/ui/file_grid.h"

#include "diskindex/ui/file_list_model.h"

namespace diskindex::ui {

FileGrid::FileGrid(QWidget* parent) : QTableView(parent) {}

QModelIndex FileGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  if (action != MoveHome && action != MoveEnd) return QTableView::moveCursor(action, modifiers);
  // The table's Ctrl+Home/End reach the first/last row; the column stays.
  const QModelIndex target = QTableView::moveCursor(action, modifiers | Qt::ControlModifier);
  const QModelIndex current = currentIndex();
  if (!target.isValid() || !current.isValid()) return target;
  return target.siblingAtColumn(current.column());
}

void FileGrid::keyboardSearch(const QString& search) {
  // The view searches the column of the current cell: bring the name column
  // there first, on the same row, without touching the selection.
  const QModelIndex current = currentIndex();
  if (current.isValid() && current.column() != FileListModel::NameColumn) {
    selectionModel()->setCurrentIndex(current.siblingAtColumn(FileListModel::NameColumn),
                                      QItemSelectionModel::NoUpdate);
  }
  QTableView::keyboardSearch(search);
}

}  // namespace diskindex::ui
