#pragma once
// The fixture of the main window tests: a temporary data directory and
// settings file, sample volumes written through the core, a started form
// with scripted prompts, and access to its widgets by object name.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <fstream>

#include "diskindex/core/comment_file.h"
#include "diskindex/tests/ui_catalogue_builder.h"
#include "diskindex/tests/ui_test_support.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/remark_edit.h"
#include "platform/ini_file.h"

namespace diskindex::ui::testing {

inline EntryRecord file(std::uint8_t level, const char* name, std::uint32_t size,
                        bool longName = false) {
  return EntryRecord{level, name, size, (20u << 25) | (3u << 21) | (4u << 16),
                     static_cast<std::uint8_t>(0x20 | (longName ? 0x80 : 0))};
}
inline EntryRecord dir(std::uint8_t level, const char* name) {
  return EntryRecord{level, name, 0, 0, 0x10};
}

// Root: Readme.txt 300, Zeta.doc 100, alpha.c 200; \Tools: A.exe; \Leer (no
// files) with \Leer\Innen: X.txt.
inline const std::vector<EntryRecord> kEntries{file(1, "README.TXT", 300),
                                               file(1, "Zeta.doc", 100, true),
                                               file(1, "alpha.c", 200, true),
                                               dir(1, "TOOLS"),
                                               file(2, "A.EXE", 10),
                                               dir(1, "LEER"),
                                               dir(2, "INNEN"),
                                               file(3, "X.TXT", 1)};

// The environment of a window under test: its settings file, and home,
// temporary folder and screen inside the test's own directory.
inline FormEnvironment testFormEnvironment(const std::filesystem::path& settingsFile,
                                           const std::filesystem::path& testDirectory) {
  FormEnvironment env;
  env.settingsFile = settingsFile;
  env.settings.dataHome = testDirectory / "home";
  env.settings.tempDir = testDirectory;
  env.settings.screen = {1280, 1024};
  return env;
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ensureApplication();
    m_data = m_temp.path() / "data";
    std::filesystem::create_directories(m_data);
    m_settingsFile = m_temp.path() / "config" / "DISKINDX.INI";
  }

  void addVolume(const std::string& name, const std::string& category,
                 std::int64_t capacity = 1474560) {
    addVolumeWith(name, kEntries, capacity, category);
  }
  // A volume holding these entries (kEntries for addVolume).
  void addVolumeWith(const std::string& name, const std::vector<EntryRecord>& entries,
                     std::int64_t capacity = 1474560, const std::string& category = "") {
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data);
    catalogue.loadVolumeList();
    testing::SampleVolume volume;
    volume.name = name;
    volume.category = category;
    volume.capacity = capacity;
    volume.freeSpace = 474560;
    ASSERT_EQ(testing::addSampleVolume(catalogue, volume, entries), ResultCode::Ok);
    if (!std::filesystem::exists(m_settingsFile)) writeSettings("");
  }

  void writeSettings(const std::string& text) {
    std::filesystem::create_directories(m_settingsFile.parent_path());
    std::ofstream(m_settingsFile) << "[Inits]\nDATA_PATH=" << m_data.string() << "/\n" << text;
  }

  TDiskIndexForm& start(std::deque<bool> answers = {}) {
    FormEnvironment env = testFormEnvironment(m_settingsFile, m_temp.path());
    env.settings.defaultEditor = "editor";
    auto prompts = std::make_unique<FakePrompts>();
    m_prompts = prompts.get();
    m_prompts->answers = std::move(answers);
    m_form = std::make_unique<TDiskIndexForm>(std::move(env), std::move(prompts));
    m_form->start();
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    return *m_form;
  }

  template <typename T>
  T* child(const char* name) {
    T* widget = m_form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QTreeView* tree() { return child<QTreeView>("OutlineDir"); }
  QTableView* grid() { return child<QTableView>("GridFiles"); }
  QString status() { return child<QLabel>("StatusText")->text(); }
  QString cell(int row, int column) {
    return grid()->model()->index(row, column).data().toString();
  }
  void selectFile(int row) { grid()->setCurrentIndex(grid()->model()->index(row, 0)); }
  void selectFileNamed(const char* name) {
    for (int row = 0; row < grid()->model()->rowCount(); ++row) {
      if (cell(row, 0) == QLatin1String(name)) return selectFile(row);
    }
    ADD_FAILURE() << "no file " << name;
  }
  void selectDirectory(const QModelIndex& index) { tree()->setCurrentIndex(index); }
  QModelIndex rootItem() { return tree()->model()->index(0, 0); }

  testing::TempDir m_temp;
  std::filesystem::path m_data;
  std::filesystem::path m_settingsFile;
  std::unique_ptr<TDiskIndexForm> m_form;
  FakePrompts* m_prompts = nullptr;
};

}  // namespace diskindex::ui::testing
