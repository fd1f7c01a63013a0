#pragma once
// Shared pieces of the window tests: one QApplication for the test process,
// prompts that record what the window asked and answer from a script, a
// checker that fails a test when QAbstractItemModelTester complains, a
// temporary directory per test, and finding a dialog's widgets by name.

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <deque>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "diskindex/ui/form_prompts.h"

class QAbstractItemModelTester;

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace diskindex::ui::testing {

void ensureApplication();

// The visible top-level window of type T (a modal dialog the window opened,
// the help window), or nullptr.
template <typename T>
T* shownWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<T*>(widget); window != nullptr && window->isVisible()) {
      return window;
    }
  }
  return nullptr;
}

struct PromptRecord {
  QString kind;  // "error", "information", "warning", "question"
  QString caption;
  QString text;
};

class FakePrompts : public FormPrompts {
 public:
  void error(const QString& caption, const QString& text) override;
  void information(const QString& caption, const QString& text) override;
  void warning(const QString& caption, const QString& text) override;
  bool question(const QString& caption, const QString& text) override;
  std::optional<QFont> chooseFont(const QFont& current, const QString& title) override;
  std::optional<QString> chooseDataDirectory(const QString& current) override;
  RemarkSaveChoice remarkSaveFailed(const QString& caption, const QString& text) override;
  std::optional<QString> chooseRemarkFile(const QString& suggested) override;
  RemarkConflictAnswer remarkConflict(const QString& caption, const QString& text) override;
  MissingFolderChoice missingDataDirectory(const QString& caption, const QString& text) override;
  std::optional<int> chooseItem(const QString& caption, const QString& text,
                                const QStringList& items) override;
  void beep() override { ++beeps; }

  std::vector<PromptRecord> shown;
  std::deque<bool> answers;  // for questions; "Nein" when empty
  std::optional<QFont> fontAnswer;
  std::optional<QString> directoryAnswer;
  std::deque<RemarkSaveChoice> saveChoices;        // "Abbruch" (Keep) when empty
  std::deque<std::optional<QString>> remarkFiles;  // cancelled when empty
  std::deque<RemarkConflictAnswer> conflictAnswers;  // "&Meine behalten" when empty
  std::deque<MissingFolderChoice> missingFolderAnswers;  // go on without when empty
  std::deque<std::optional<int>> itemChoices;      // cancelled when empty
  std::vector<QStringList> itemLists;              // the items of every choice asked
  int beeps = 0;
};

// Runs QAbstractItemModelTester over the model in warning mode and counts
// the failures it reports while alive.
class ModelCheck {
 public:
  explicit ModelCheck(QAbstractItemModel* model);
  ~ModelCheck();
  int failures() const;
  QStringList messages() const;

 private:
  std::unique_ptr<QAbstractItemModelTester> m_tester;
};

// The widget of that type and objectName below parent; a missing one fails
// the test (and gives nullptr).
template <typename T>
T* namedChild(QWidget& parent, const char* name) {
  T* widget = parent.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// The texts of a list's items, top to bottom.
inline QStringList itemTexts(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

}  // namespace diskindex::ui::testing
