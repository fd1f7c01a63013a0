#include "diskindex/ui/file_grid.h"

#include <QHeaderView>
#include <algorithm>

#include "diskindex/ui/file_list_model.h"

namespace diskindex::ui {

FileGrid::FileGrid(QWidget* parent) : QTableView(parent) {
  horizontalHeader()->setStretchLastSection(false);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int size) {
            if (m_fitting) return;
            // A drag of the name column sets its floor; any other column
            // changes the room the name column may take.
            if (column == FileListModel::NameColumn) m_nameWidth = size;
            fitNameColumn();
          });
}

void FileGrid::setNameWidth(int width) {
  m_nameWidth = width;
  fitNameColumn();
}

void FileGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  fitNameColumn();
}

void FileGrid::fitNameColumn() {
  if (m_fitting || !model() || model()->columnCount() <= FileListModel::NameColumn) return;
  int others = 0;
  for (int column = 0; column < model()->columnCount(); ++column) {
    if (column != FileListModel::NameColumn) others += columnWidth(column);
  }
  const int wanted = std::max(m_nameWidth, viewport()->width() - others);
  if (wanted == columnWidth(FileListModel::NameColumn)) return;
  m_fitting = true;
  setColumnWidth(FileListModel::NameColumn, wanted);
  m_fitting = false;
}

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
