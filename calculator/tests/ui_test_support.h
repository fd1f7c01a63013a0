#pragma once
// Helpers of the calculator's window tests: the one QApplication, prompts
// that answer from a script and remember what they were asked, a private
// settings folder per test, and a window built on a started session.

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>

#include "calculator/tests/file_test_support.h"
#include "calculator/core/finova_session.h"
#include "calculator/ui/finova_window.h"
#include "calculator/ui/prompts.h"

namespace finova::ui::testing {

void ensureApplication();

class FakePrompts : public Prompts {
 public:
  QString openFileName(QWidget*, const QString& caption, const QString&) override;
  QString saveFileName(QWidget*, const QString& caption, const QString&) override;
  bool confirm(QWidget*, const QString& caption, const QString& text) override;
  void error(QWidget*, const QString& caption, const QString& text) override;
  bool editComment(QWidget*, QString& comment) override;

  QString fileToOpen;
  QString fileToSave;
  bool confirmAnswer = true;
  bool commentAnswer = true;
  QString newComment;  // replaces the comment when not empty
  QStringList asked;   // "caption|text" of every question and message
};

// A folder removed with the object.
struct TempFolder : finova::testing::TempFolder {
  TempFolder() : finova::testing::TempFolder("finova_ui") {}
};

// A started session and its window on the settings file `ini`.
struct Calculator {
  explicit Calculator(const std::filesystem::path& ini, FakePrompts& prompts);
  std::unique_ptr<FinovaSession> session;
  std::unique_ptr<FinovaWindow> window;
};

// The text of a file ("" when missing).
using finova::testing::readFile;
using finova::testing::writeFile;

}  // namespace finova::ui::testing
