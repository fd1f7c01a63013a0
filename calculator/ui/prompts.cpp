#include "calculator/ui/prompts.h"

#include <QFileDialog>
#include <QMessageBox>

#include "calculator/ui/program_dialogs.h"

namespace finova::ui {
namespace {

class DialogPrompts final : public Prompts {
 public:
  QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
  }
  QString saveFileName(QWidget* parent, const QString& caption, const QString& filter) override {
    // The windows ask before replacing, once the default extension has been
    // added to the name: the dialog itself would ask about another name.
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
  }
  bool confirm(QWidget* parent, const QString& caption, const QString& text) override {
    return QMessageBox::question(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
  }
  void error(QWidget* parent, const QString& caption, const QString& text) override {
    QMessageBox::critical(parent, caption, text);
  }
  bool editComment(QWidget* parent, QString& comment) override {
    SaveProgramDialog dialog(comment, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    comment = dialog.comment();
    return true;
  }
};

}  // namespace

Prompts& dialogPrompts() {
  static DialogPrompts prompts;
  return prompts;
}

}  // namespace finova::ui
