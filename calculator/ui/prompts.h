#pragma once
// The questions the calculator's windows ask the user: file names to open
// and save, OK/Cancel confirmations, error messages, and the "Save Program"
// comment dialog. The windows ask through this interface so that tests can
// answer instead of the user; dialogPrompts() asks with real dialogs.

#include <QString>

class QWidget;

namespace finova::ui {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // Empty when the user cancels.
  virtual QString openFileName(QWidget* parent, const QString& caption, const QString& filter) = 0;
  virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& filter) = 0;
  // OK (true) or Cancel.
  virtual bool confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
  virtual void error(QWidget* parent, const QString& caption, const QString& text) = 0;
  // The "Save Program" dialog: true on OK, with the edited comment.
  virtual bool editComment(QWidget* parent, QString& comment) = 0;
};

// The prompts of the running program: file dialogs and message boxes.
Prompts& dialogPrompts();

}  // namespace finova::ui
