#include "calculator/tests/ui_test_support.h"

#include <unistd.h>

#include <QApplication>
#include <atomic>
#include <fstream>
#include <sstream>

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

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  m_path = std::filesystem::temp_directory_path() /
           ("finova_ui_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

Calculator::Calculator(const std::filesystem::path& ini, FakePrompts& prompts) {
  ensureApplication();
  session = std::make_unique<FinovaSession>(ini);
  session->start();
  window = std::make_unique<FinovaWindow>(*session, prompts);
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

}  // namespace finova::ui::testing
