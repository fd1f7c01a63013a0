#pragma once
// The two windows of keystroke programs: "Save Program", which lets the user
// edit the program comment (up to 511 characters) before the program is
// saved, and "Program Comments", which shows the comment of a program that
// was just loaded. Neither touches program memory: the window hands the
// comment over.

#include <QDialog>

class QPlainTextEdit;

namespace finova::ui {

class SaveProgramDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SaveProgramDialog(const QString& comment, QWidget* parent = nullptr);
  QString comment() const;

 private:
  void limitLength();
  QPlainTextEdit* m_edit;
};

class ProgramCommentsWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ProgramCommentsWindow(QWidget* parent = nullptr);
  void showComment(const QString& comment);
  QString text() const;

 private:
  QPlainTextEdit* m_text;
};

}  // namespace finova::ui
