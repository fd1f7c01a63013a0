#pragma once
// FileGrid: the contents view's file list as a table view that moves like a
// file manager's list. Home and End go to the first and the last file (a
// plain table view would go to the first and last column of the row), and
// typing the start of a name finds the file by its name whichever cell holds
// the focus. The name column takes the room the other columns leave, so
// long names get the window's width before they are elided; it never gets
// narrower than the width the user gave it. It shows what its model holds
// and keeps no catalogue data.

#include <QTableView>

namespace diskindex::ui {

class FileGrid : public QTableView {
  Q_OBJECT
 public:
  explicit FileGrid(QWidget* parent = nullptr);
  void keyboardSearch(const QString& search) override;
  // The name column's width as the user (or the settings) set it: the
  // column is at least this wide and grows into the free room.
  void setNameWidth(int width);
  int nameWidth() const { return m_nameWidth; }

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fitNameColumn();

  int m_nameWidth = 0;
  bool m_fitting = false;
};

}  // namespace diskindex::ui
