#pragma once
// FileGrid: the contents view's file list as a table view that moves like a
// file manager's list. Home and End go to the first and the last file (a
// plain table view would go to the first and last column of the row), and
// typing the start of a name finds the file by its name whichever cell holds
// the focus. It shows what its model holds and keeps no state of its own.

#include <QTableView>

namespace diskindex::ui {

class FileGrid : public QTableView {
  Q_OBJECT
 public:
  explicit FileGrid(QWidget* parent = nullptr);
  void keyboardSearch(const QString& search) override;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

}  // namespace diskindex::ui
