#include "diskindex/tests/ui_test_support.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <atomic>
#include <mutex>
#include <random>

namespace diskindex::ui::testing {
namespace {

std::mutex g_mutex;
QStringList g_failures;
int g_checks = 0;
QtMessageHandler g_previous = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  {
    std::lock_guard lock(g_mutex);
    if (g_checks > 0 && type != QtDebugMsg && message.contains(QLatin1String("FAIL"))) {
      g_failures.append(message);
      return;
    }
  }
  if (g_previous) g_previous(type, context, message);
}

}  // namespace

void ensureApplication() {
  static int argc = 1;
  static char name[] = "diskindex_ui_tests";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) new QApplication(argc, argv);
}

void FakePrompts::error(const QString& caption, const QString& text) {
  shown.push_back({QStringLiteral("error"), caption, text});
}

void FakePrompts::information(const QString& caption, const QString& text) {
  shown.push_back({QStringLiteral("information"), caption, text});
}

void FakePrompts::warning(const QString& caption, const QString& text) {
  shown.push_back({QStringLiteral("warning"), caption, text});
}

bool FakePrompts::question(const QString& caption, const QString& text) {
  shown.push_back({QStringLiteral("question"), caption, text});
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<QFont> FakePrompts::chooseFont(const QFont& /*current*/, const QString& title) {
  shown.push_back({QStringLiteral("font"), title, {}});
  return fontAnswer;
}

RemarkSaveChoice FakePrompts::remarkSaveFailed(const QString& caption, const QString& text) {
  shown.push_back({QStringLiteral("remarkSaveFailed"), caption, text});
  if (saveChoices.empty()) return RemarkSaveChoice::Keep;
  const RemarkSaveChoice choice = saveChoices.front();
  saveChoices.pop_front();
  return choice;
}

std::optional<int> FakePrompts::chooseItem(const QString& caption, const QString& text,
                                           const QStringList& items) {
  shown.push_back({QStringLiteral("choice"), caption, text});
  itemLists.push_back(items);
  if (itemChoices.empty()) return std::nullopt;
  const std::optional<int> choice = itemChoices.front();
  itemChoices.pop_front();
  return choice;
}

std::optional<QString> FakePrompts::chooseRemarkFile(const QString& suggested) {
  shown.push_back({QStringLiteral("remarkFile"), suggested, {}});
  if (remarkFiles.empty()) return std::nullopt;
  const std::optional<QString> file = remarkFiles.front();
  remarkFiles.pop_front();
  return file;
}

RemarkConflictAnswer FakePrompts::remarkConflict(const QString& caption, const QString& text) {
  shown.push_back({QStringLiteral("remarkConflict"), caption, text});
  if (conflictAnswers.empty()) return RemarkConflictAnswer::KeepMine;
  const RemarkConflictAnswer answer = conflictAnswers.front();
  conflictAnswers.pop_front();
  return answer;
}

MissingFolderChoice FakePrompts::missingDataDirectory(const QString& caption,
                                                      const QString& text) {
  shown.push_back({QStringLiteral("missingFolder"), caption, text});
  if (missingFolderAnswers.empty()) return MissingFolderChoice::GoOnWithout;
  const MissingFolderChoice answer = missingFolderAnswers.front();
  missingFolderAnswers.pop_front();
  return answer;
}

std::optional<QString> FakePrompts::chooseDataDirectory(const QString& current) {
  shown.push_back({QStringLiteral("datadir"), current, {}});
  return directoryAnswer;
}

ModelCheck::ModelCheck(QAbstractItemModel* model) {
  {
    std::lock_guard lock(g_mutex);
    if (g_checks++ == 0) {
      g_failures.clear();
      g_previous = qInstallMessageHandler(collect);
    }
  }
  m_tester = std::make_unique<QAbstractItemModelTester>(
      model, QAbstractItemModelTester::FailureReportingMode::Warning);
}

ModelCheck::~ModelCheck() {
  m_tester.reset();
  std::lock_guard lock(g_mutex);
  if (--g_checks == 0) qInstallMessageHandler(g_previous);
}

int ModelCheck::failures() const {
  std::lock_guard lock(g_mutex);
  return static_cast<int>(g_failures.size());
}

QStringList ModelCheck::messages() const {
  std::lock_guard lock(g_mutex);
  return g_failures;
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  m_path = std::filesystem::temp_directory_path() /
           ("diskindx-ui-" + std::to_string(random()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

}  // namespace diskindex::ui::testing
