#pragma once
// ListWindow: what the two non-modal windows that a search fills have in
// common (the multi-volume search's results and the duplicate groups). The
// search runs in the window's thread and polls cancelRequested(): while it
// runs, "Abbruch" (ButtonCancel) and closing the window only ask it to stop;
// afterwards "E&xportieren ..." asks for a target, offering the file last
// chosen, and emits exportRequested. It holds no rows and lays out nothing:
// the grid, the other buttons and where "Abbruch" stands are the
// subclass's.

#include <QDialog>
#include <QString>

#include "diskindex/ui/search_prompts.h"

class QPushButton;

namespace diskindex::ui {

class ListWindow : public QDialog {
  Q_OBJECT
 public:
  bool cancelRequested() const { return m_cancelled; }
  // Asks for the target and emits exportRequested (not while searching,
  // nor with an empty list).
  void exportList();

 signals:
  void exportRequested(const ExportTarget& target);

 protected:
  ListWindow(SearchPrompts& prompts, QWidget* parent);

  // A button with the name the window tests find it by; Enter does not
  // press it unless it is made the default.
  static QPushButton* makeButton(const QString& text, const char* objectName);
  QPushButton* cancelButton() const { return m_cancel; }
  SearchPrompts& searchPrompts() const { return m_prompts; }
  bool searching() const { return m_searching; }
  // A search starts (a new cancel request is awaited) or has ended;
  // "Abbruch" is shown only meanwhile.
  void setSearchRunning(bool running);
  virtual bool hasRows() const = 0;
  // The window closes for good (never while a search runs).
  virtual void closing() {}

  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  SearchPrompts& m_prompts;
  QPushButton* m_cancel = nullptr;
  bool m_searching = false;
  bool m_cancelled = false;
  QString m_lastExport;
};

}  // namespace diskindex::ui
