// The questions and messages of the game's window: message boxes with the
// game's captions and icons, and the open and save file dialogs. The window
// asks through this interface so that tests can answer instead of a user;
// DialogShellPrompts asks with real dialogs. QtMessageReporter shows the
// libraries' messages (image, renderer and joystick errors) through it.
#pragma once

#include <QString>
#include <string_view>

#include "arcade/imagelib/messages.h"

class QWidget;

namespace arcade::ui {

// A UTF-8 text of the core as a QString.
inline QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

enum class SaveAnswer { Yes, No, Cancel };

class IShellPrompts {
 public:
  virtual ~IShellPrompts() = default;
  // OK (true) or Cancel, Cancel the default; stop icon.
  virtual bool OkCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
  // Yes (true) or No, No the default; question icon.
  virtual bool YesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
  // OK (true) or Cancel with a question icon (overwriting a file).
  virtual bool Confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
  // Yes, No or Cancel, Yes the default; warning icon (the question whether
  // to save changes before closing).
  virtual SaveAnswer YesNoCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
  // A message with OK only.
  virtual void Message(QWidget* parent, MessageIcon icon, const QString& caption,
                       const QString& text) = 0;
  // A file name, or empty when the user cancels.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                               const QString& initial) = 0;
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                               const QString& initial) = 0;
};

// The prompts of the running program.
IShellPrompts& DialogShellPrompts();

class QtMessageReporter : public IMessageReporter {
 public:
  explicit QtMessageReporter(IShellPrompts& prompts) : m_prompts(prompts) {}
  void SetParent(QWidget* parent) { m_parent = parent; }
  void ShowMessage(MessageIcon icon, std::string_view caption, std::string_view text) override;
  void Beep() override;

 private:
  IShellPrompts& m_prompts;
  QWidget* m_parent = nullptr;
};

}  // namespace arcade::ui
