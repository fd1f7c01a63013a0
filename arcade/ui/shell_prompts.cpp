#include "arcade/ui/shell_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace arcade::ui {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton byDefault) {
  QMessageBox box(icon, caption, text, buttons, parent);
  box.setDefaultButton(byDefault);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

class Dialogs : public IShellPrompts {
 public:
  bool OkCancel(QWidget* parent, const QString& caption, const QString& text) override {
    return Ask(parent, QMessageBox::Critical, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Cancel) == QMessageBox::Ok;
  }
  bool YesNo(QWidget* parent, const QString& caption, const QString& text) override {
    return Ask(parent, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No) == QMessageBox::Yes;
  }
  bool Confirm(QWidget* parent, const QString& caption, const QString& text) override {
    return Ask(parent, QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Ok) == QMessageBox::Ok;
  }
  SaveAnswer YesNoCancel(QWidget* parent, const QString& caption, const QString& text) override {
    switch (Ask(parent, QMessageBox::Warning, caption, text,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
      case QMessageBox::Yes:
        return SaveAnswer::Yes;
      case QMessageBox::No:
        return SaveAnswer::No;
      default:
        return SaveAnswer::Cancel;
    }
  }
  void Message(QWidget* parent, MessageIcon icon, const QString& caption,
               const QString& text) override {
    Ask(parent, BoxIcon(icon), caption, text, QMessageBox::Ok, QMessageBox::Ok);
  }
  QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                       const QString& initial) override {
    return QFileDialog::getOpenFileName(parent, title, initial, filter, nullptr,
                                        QFileDialog::ReadOnly);
  }
  QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                       const QString& initial) override {
    // The game asks before writing over a file itself, and adds the
    // extension only to a name without a dot.
    return QFileDialog::getSaveFileName(parent, title, initial, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
  }
};

}  // namespace

IShellPrompts& DialogShellPrompts() {
  static Dialogs dialogs;
  return dialogs;
}

void QtMessageReporter::ShowMessage(MessageIcon icon, std::string_view caption,
                                    std::string_view text) {
  m_prompts.Message(m_parent, icon, FromView(caption), FromView(text));
}

void QtMessageReporter::Beep() {
  QApplication::beep();
}

}  // namespace arcade::ui
