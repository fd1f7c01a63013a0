#include "calculator/tests/ui_test_support.h"

#include <QApplication>

namespace finova::ui::testing {

void ensureApplication() {
  static int argc = 1;
  static char name[] = "calculator_ui_tests";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

QString FakePrompts::openFileName(QWidget*, const QString& caption, const QString&) {
  asked << caption + QStringLiteral("|open");
  return fileToOpen;
}

QString FakePrompts::saveFileName(QWidget*, const QString& caption, const QString&) {
  asked << caption + QStringLiteral("|save");
  return fileToSave;
}

bool FakePrompts::confirm(QWidget*, const QString& caption, const QString& text) {
  asked << caption + QLatin1Char('|') + text;
  return confirmAnswer;
}

void FakePrompts::error(QWidget*, const QString& caption, const QString& text) {
  asked << caption + QLatin1Char('|') + text;
}

bool FakePrompts::editComment(QWidget*, QString& comment) {
  asked << QStringLiteral("Save Program|") + comment;
  if (!newComment.isEmpty()) comment = newComment;
  return commentAnswer;
}

Calculator::Calculator(const std::filesystem::path& ini, FakePrompts& prompts) {
  ensureApplication();
  session = std::make_unique<FinovaSession>(ini);
  session->start();
  window = std::make_unique<FinovaWindow>(*session, prompts);
}

}  // namespace finova::ui::testing
