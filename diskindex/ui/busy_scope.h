#pragma once
// BusyScope marks a main window busy while a long operation runs inside one
// of its commands (reading a drive, converting old files) and lets the user
// interface process events between steps. Meanwhile the window's menu bar,
// tool bars and central widget are disabled, so that neither a click nor a
// short cut starts another command, and the window refuses to close (its
// closeEvent asks isBusy). Scopes nest; the outermost one restores what it
// disabled. It does not disable the window's own dialogs, which are
// separate windows.

#include <QPointer>
#include <QWidget>
#include <vector>

namespace diskindex::ui {

class BusyScope {
 public:
  explicit BusyScope(QWidget* window);
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

  static bool isBusy(const QWidget* window);

 private:
  QPointer<QWidget> m_window;
  std::vector<QPointer<QWidget>> m_disabled;
};

}  // namespace diskindex::ui
