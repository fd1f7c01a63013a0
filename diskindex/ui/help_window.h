#pragma once
// The help window ("&Inhalt", F1): German HTML pages built into the program
// as resources, shown in a browser with back and contents buttons. It does
// not search or print.

#include <QDialog>

class QTextBrowser;

namespace diskindex::ui {

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows a page by its file name ("index.html").
  void showPage(const QString& page);
  QTextBrowser* browser() const { return m_browser; }

 private:
  QTextBrowser* m_browser = nullptr;
};

}  // namespace diskindex::ui
