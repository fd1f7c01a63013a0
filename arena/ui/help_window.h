// The game's help: one English page (keys, power-ups, ranks, scoring)
// embedded as a Qt resource and shown in a window of its own.
#pragma once

#include <QTextBrowser>

namespace arena::ui {

class HelpWindow : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  static QString pageUrl();
};

}  // namespace arena::ui
