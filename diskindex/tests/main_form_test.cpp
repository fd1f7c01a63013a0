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

namespace diskindex::ui {
namespace {

using testing::FakePrompts;

EntryRecord file(std::uint8_t level, const char* name, std::uint32_t size, bool longName = false) {
  return EntryRecord{level, name, size, (20u << 25) | (3u << 21) | (4u << 16),
                     static_cast<std::uint8_t>(0x20 | (longName ? 0x80 : 0))};
}
EntryRecord dir(std::uint8_t level, const char* name) {
  return EntryRecord{level, name, 0, 0, 0x10};
}

// Root: Readme.txt 300, Zeta.doc 100, alpha.c 200; \Tools: A.exe; \Leer (no
// files) with \Leer\Innen: X.txt.
const std::vector<EntryRecord> kEntries{file(1, "README.TXT", 300),
                                        file(1, "Zeta.doc", 100, true),
                                        file(1, "alpha.c", 200, true),
                                        dir(1, "TOOLS"),
                                        file(2, "A.EXE", 10),
                                        dir(1, "LEER"),
                                        dir(2, "INNEN"),
                                        file(3, "X.TXT", 1)};

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
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data);
    catalogue.loadVolumeList();
    testing::SampleVolume volume;
    volume.name = name;
    volume.category = category;
    volume.capacity = capacity;
    volume.freeSpace = 474560;
    ASSERT_EQ(testing::addSampleVolume(catalogue, volume, kEntries), ResultCode::Ok);
    if (!std::filesystem::exists(m_settingsFile)) writeSettings("");
  }

  void writeSettings(const std::string& text) {
    std::filesystem::create_directories(m_settingsFile.parent_path());
    std::ofstream(m_settingsFile) << "[Inits]\nDATA_PATH=" << m_data.string() << "/\n" << text;
  }

  TDiskIndexForm& start(std::deque<bool> answers = {}) {
    FormEnvironment env;
    env.settingsFile = m_settingsFile;
    env.settings.dataHome = m_temp.path() / "home";
    env.settings.tempDir = m_temp.path();
    env.settings.defaultEditor = "editor";
    env.settings.screen = {1280, 1024};
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

TEST_F(MainFormTest, FirstStartWithoutSettingsFileUsesTheDefaults) {
  TDiskIndexForm& form = start();
  EXPECT_EQ(form.size(), QSize(620, 460));
  EXPECT_EQ(form.pos(), QPoint(10, 10));
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Overview);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("K&T DiskIndex"));
  EXPECT_TRUE(form.actions().greyBackground->isChecked());
  EXPECT_EQ(tree()->palette().color(QPalette::Base), QColor(192, 192, 192));
  EXPECT_TRUE(form.actions().dirRemarks->isChecked());
  EXPECT_TRUE(form.actions().fileRemarks->isChecked());
  EXPECT_EQ(status(), QStringLiteral(" Keine Datenträger erfaßt !"));
  EXPECT_TRUE(m_prompts->shown.empty());
}

TEST_F(MainFormTest, OutOfRangeFontSizeAndSplitterAreCorrected) {
  writeSettings("SplitX=5\n[Fonts]\nSIZE_F=20\nSIZE_L=9\n");
  start();
  EXPECT_EQ(child<QSplitter>("SplitMain")->sizes().value(0), 30);
  EXPECT_EQ(tree()->font().pointSize(), 10);
  EXPECT_EQ(grid()->font().pointSize(), 9);
}

TEST_F(MainFormTest, OverviewFiltersByCategoryAndCountsInTheStatus) {
  addVolume("Backup", "");
  addVolume("Doom", "Spiele");
  addVolume("Quake", "Spiele", 0);
  TDiskIndexForm& form = start();
  EXPECT_EQ(tree()->model()->rowCount(), 3);
  EXPECT_EQ(status(), QStringLiteral(" 3 Datenträger erfaßt, 3 in ausgewählter Kategorie"));
  auto* combo = child<QComboBox>("ComboBoxCategory");
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), QStringLiteral("<ALLE>"));
  EXPECT_EQ(combo->itemText(1), QStringLiteral("<keine Zuordnung>"));
  combo->setCurrentIndex(2);
  emit combo->activated(2);
  EXPECT_EQ(tree()->model()->rowCount(), 2);
  EXPECT_EQ(status(), QStringLiteral(" 3 Datenträger erfaßt, 2 in ausgewählter Kategorie"));
  EXPECT_EQ(child<QLabel>("LabelCapacity")->text(), QStringLiteral("1.474.560   Byte"));
  EXPECT_EQ(child<QLabel>("LabelUsed")->text(), QStringLiteral("1.000.000   Byte"));
  tree()->setCurrentIndex(tree()->model()->index(1, 0));  // Quake, capacity 0
  EXPECT_TRUE(child<QLabel>("LabelCapacity")->text().isEmpty());
  EXPECT_TRUE(child<QLabel>("LabelUsed")->text().isEmpty());
  EXPECT_TRUE(child<QLabel>("LabelFree")->text().isEmpty());
  EXPECT_EQ(child<QLabel>("LabelFileCount")->text(), QStringLiteral("5"));
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  ASSERT_EQ(tree()->model()->rowCount(), 1);
  EXPECT_EQ(rootItem().data().toString(), QStringLiteral("Backup"));
  EXPECT_TRUE(form.actions().contents->isEnabled());
  EXPECT_FALSE(form.actions().overview->isEnabled());
}

TEST_F(MainFormTest, OpeningAVolumeShowsItsTreeWithTheRootSelected) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Contents);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("K&T DiskIndex:  [Werkzeug]"));
  QApplication::processEvents();  // the tool bar lays out its items
  EXPECT_FALSE(child<QComboBox>("ComboBoxCategory")->isVisible());
  EXPECT_TRUE(form.actions().overview->isEnabled());
  EXPECT_FALSE(form.actions().contents->isEnabled());
  ASSERT_EQ(tree()->model()->rowCount(), 1);
  const QModelIndex root = rootItem();
  EXPECT_EQ(tree()->currentIndex(), root);
  ASSERT_EQ(tree()->model()->rowCount(root), 2);
  const QModelIndex leer = tree()->model()->index(1, 0, root);
  EXPECT_EQ(leer.data().toString(), QStringLiteral("Leer"));
  EXPECT_EQ(tree()->model()->index(0, 0, leer).data().toString(), QStringLiteral("Innen"));

  ASSERT_EQ(grid()->model()->rowCount(), 3);
  EXPECT_EQ(cell(0, 0), QStringLiteral("Readme.txt"));
  EXPECT_EQ(cell(0, 1), QStringLiteral("300    "));
  EXPECT_TRUE(cell(0, 2).startsWith(QStringLiteral("   04.03.2000    ")));
  EXPECT_EQ(status(), QStringLiteral(" E:\\"));

  selectDirectory(leer);
  EXPECT_EQ(grid()->model()->rowCount(), 1);
  EXPECT_TRUE(cell(0, 0).isEmpty());
  EXPECT_FALSE(child<RemarkEdit>("MemoFile")->isEnabled());
  EXPECT_EQ(status(), QStringLiteral(" E:\\Leer\\"));
}

TEST_F(MainFormTest, SortingBySizeTogglesAndKeepsTheSelectedFile) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  selectFile(1);  // Zeta.doc
  form.actions().sortSize->trigger();
  EXPECT_EQ(cell(0, 0), QStringLiteral("Zeta.doc"));
  EXPECT_EQ(grid()->currentIndex().row(), 0);
  form.actions().sortReverse->trigger();
  EXPECT_EQ(cell(0, 0), QStringLiteral("Readme.txt"));
  EXPECT_EQ(grid()->currentIndex().row(), 2);
  form.actions().sortSize->trigger();  // unchecked again: file order, still reversed
  EXPECT_FALSE(form.actions().sortSize->isChecked());
  EXPECT_EQ(cell(0, 0), QStringLiteral("alpha.c"));
  EXPECT_EQ(cell(2, 0), QStringLiteral("Readme.txt"));
  EXPECT_EQ(cell(grid()->currentIndex().row(), 0), QStringLiteral("Zeta.doc"));
}

TEST_F(MainFormTest, RemarksFollowTheirFileAndAreSavedWhenLeavingTheVolume) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  auto* memo = child<RemarkEdit>("MemoFile");
  selectFile(1);
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("(Keine Bemerkungen)"));
  memo->setFocus();
  EXPECT_TRUE(memo->toPlainText().isEmpty());
  QTest::keyClicks(memo, QStringLiteral("Ölfilm"));
  grid()->setFocus();  // the user clicks into the file list
  selectFile(2);
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("(Keine Bemerkungen)"));
  selectFile(1);
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Ölfilm"));
  form.actions().sortSize->trigger();  // the remark stays with the file, not the row
  selectFile(1);                       // alpha.c
  selectFile(0);                       // Zeta.doc again
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Ölfilm"));

  const auto commentFile = form.state().catalogue.volumes()[0].commentFile();
  form.actions().overview->trigger();
  TFileCommentList saved;
  ASSERT_EQ(loadRemarks(commentFile, saved), ResultCode::Ok);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved.records()[0].key, (TDirFileNo{1, 1}));
  EXPECT_EQ(saved.records()[0].text, "Ölfilm");

  ASSERT_TRUE(form.openVolume(0));
  selectFileNamed("Zeta.doc");
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Ölfilm"));
  memo->setFocus();
  memo->selectAll();
  QTest::keyClick(memo, Qt::Key_Delete);
  grid()->setFocus();
  selectFile(0);
  form.actions().overview->trigger();
  ASSERT_EQ(loadRemarks(commentFile, saved), ResultCode::Ok);
  EXPECT_TRUE(saved.empty());
}

TEST_F(MainFormTest, DirectoryRemarkIsKeptPerDirectory) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  auto* memo = child<RemarkEdit>("MemoDir");
  const QModelIndex tools = tree()->model()->index(0, 0, rootItem());
  selectDirectory(tools);
  memo->setFocus();
  QTest::keyClicks(memo, QStringLiteral("Hilfsprogramme"));
  tree()->setFocus();
  selectDirectory(rootItem());
  EXPECT_EQ(form.state().opened->remarks.find({2, -1}).value_or(""), "Hilfsprogramme");
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("(Keine Bemerkungen)"));
}

TEST_F(MainFormTest, CorruptDataFileShowsTheReadErrorAndStaysInTheOverview) {
  addVolume("Kaputt", "");
  const std::filesystem::path dat = m_data / "CD000001.DAT";
  std::filesystem::resize_file(dat, 512 + 5);  // cut off inside the first entry
  TDiskIndexForm& form = start();
  EXPECT_FALSE(form.openVolume(0));
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Overview);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("K&T DiskIndex"));
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("error"));
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Datenträger-Inhalt lesen - Fehler:"));
  EXPECT_TRUE(m_prompts->shown[0].text.contains(QStringLiteral("kann nicht gelesen werden!")));
}

TEST_F(MainFormTest, DeletingAVolumeAsksAndRemovesBothFiles) {
  addVolume("Alt", "");
  addVolume("Neu", "");
  {
    TFileCommentList remarks;
    remarks.set({1, 0}, "Notiz");
    ASSERT_EQ(saveRemarks(m_data / "CD000001.CMT", remarks), ResultCode::Ok);
  }
  TDiskIndexForm& form = start();
  m_prompts->answers = {false};
  form.actions().removeVolume->trigger();
  EXPECT_TRUE(std::filesystem::exists(m_data / "CD000001.DAT"));
  m_prompts->answers = {true};
  form.actions().removeVolume->trigger();
  ASSERT_EQ(m_prompts->shown.size(), 2u);
  EXPECT_EQ(m_prompts->shown[1].caption, QStringLiteral("Daten löschen"));
  EXPECT_TRUE(m_prompts->shown[1].text.contains(QStringLiteral("\"Alt\"")));
  EXPECT_FALSE(std::filesystem::exists(m_data / "CD000001.DAT"));
  EXPECT_FALSE(std::filesystem::exists(m_data / "CD000001.CMT"));
  ASSERT_EQ(tree()->model()->rowCount(), 1);
  EXPECT_EQ(tree()->currentIndex().data().toString(), QStringLiteral("Neu"));
  EXPECT_EQ(status(), QStringLiteral(" 1 Datenträger erfaßt, 1 in ausgewählter Kategorie"));
}

TEST_F(MainFormTest, SettingsAreWrittenAtShutdownAndReadBack) {
  addVolume("Doom", "Spiele");
  writeSettings("");
  {
    TDiskIndexForm& form = start();
    form.resize(700, 520);
    form.move(40, 30);
    form.actions().greyBackground->trigger();
    form.actions().fileRemarks->trigger();
    auto* combo = child<QComboBox>("ComboBoxCategory");
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    form.close();
    m_form.reset();
  }
  const platform::IniFile ini(m_settingsFile);
  EXPECT_EQ(ini.readInt("Inits", "WIN_W", 0), 700);
  EXPECT_EQ(ini.readInt("Inits", "BGND", -1), 0);
  EXPECT_EQ(ini.readInt("Inits", "MEMOS", -1), 1);
  EXPECT_EQ(ini.readString("Inits", "CATEGORY"), "Spiele");
  EXPECT_EQ(ini.readString("Categories", "CAT1"), "Spiele");

  TDiskIndexForm& again = start();
  EXPECT_EQ(again.size(), QSize(700, 520));
  EXPECT_EQ(again.pos(), QPoint(40, 30));
  EXPECT_FALSE(again.actions().greyBackground->isChecked());
  EXPECT_FALSE(again.actions().fileRemarks->isChecked());
  EXPECT_EQ(child<QComboBox>("ComboBoxCategory")->currentText(), QStringLiteral("Spiele"));
}

TEST_F(MainFormTest, CopyCommandsPutCellsAndPathsOnTheClipboard) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  selectDirectory(tree()->model()->index(0, 0, rootItem()));  // \Tools
  form.actions().copyPath->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("E:\\Tools\\A.exe"));
  selectDirectory(rootItem());
  grid()->setFocus();
  grid()->selectAll();
  form.actions().copy->trigger();
  const QStringList rows = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
  ASSERT_EQ(rows.size(), 3);
  EXPECT_TRUE(rows[1].startsWith(QStringLiteral("Zeta.doc\t100    \t")));
  // The keyboard short cut copies whole rows too, not just the current cell.
  QApplication::clipboard()->clear();
  selectFile(2);
  QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("alpha.c\t200    \t")))
      << QApplication::clipboard()->text().toStdString();
}

TEST_F(MainFormTest, OldFormatFilesAreConvertedWhenTheUserAgrees) {
  writeSettings("");
  // An old volume: "KT", drive letter at 2, directory count at 4, name at
  // 17, remark at 49, 256 bytes of header, then entries of today's form.
  std::string old(256, '\0');
  old.replace(0, 2, "KT");
  old[2] = 'D';
  old.replace(17, 5, "Antik");
  std::string entry(11, '\0');
  entry[0] = 1;
  entry[1] = 5;
  entry[10] = 0x20;
  old += entry + "A.TXT";
  std::ofstream(m_data / "CD000004.DAT", std::ios::binary) << old;
  start();  // "Nein": nothing is converted and the old file is not listed
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Daten konvertieren:"));
  EXPECT_EQ(tree()->model()->rowCount(), 0);
  m_form.reset();
  start({true});
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  ASSERT_EQ(tree()->model()->rowCount(), 1);
  EXPECT_EQ(rootItem().data().toString(), QStringLiteral("Antik"));
  EXPECT_TRUE(m_form->openVolume(0));
  EXPECT_EQ(cell(0, 0), QStringLiteral("A.txt"));
}

TEST_F(MainFormTest, DataDirectoryFontsAndHelpAreAppliedAtOnce) {
  addVolume("Hier", "");
  TDiskIndexForm& form = start();
  const auto other = m_temp.path() / "anderswo";
  std::filesystem::create_directories(other);
  std::filesystem::copy_file(m_data / "CD000001.DAT", other / "CD000007.DAT");
  {
    Catalogue catalogue;
    catalogue.setDataDirectory(other);
    catalogue.loadVolumeList();
    VolumeHeader header = freshHeader();
    header.name = "Dort";
    ASSERT_EQ(catalogue.changeVolumeInfo(0, header), ResultCode::Ok);
  }
  m_prompts->directoryAnswer = QString::fromStdString(other.string());
  form.actions().dataDirectory->trigger();
  ASSERT_EQ(tree()->model()->rowCount(), 1);
  EXPECT_EQ(rootItem().data().toString(), QStringLiteral("Dort"));

  QFont chosen(QStringLiteral("DejaVu Sans Mono"), 12);
  chosen.setItalic(true);
  m_prompts->fontAnswer = chosen;
  form.actions().fontVolumes->trigger();
  EXPECT_EQ(tree()->font().pointSize(), 12);
  EXPECT_TRUE(tree()->font().italic());

  form.actions().helpContents->trigger();
  auto* help = form.findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Übersicht der Datenträger")));
  form.close();
  m_form.reset();
  const platform::IniFile ini(m_settingsFile);
  EXPECT_EQ(ini.readString("Inits", "DATA_PATH"), other.string() + "/");
  EXPECT_EQ(ini.readInt("Fonts", "SIZE_F", 0), 12);
  EXPECT_EQ(ini.readInt("Fonts", "STYLE_F", 0), 2);
}

TEST_F(MainFormTest, ClosingInTheContentsViewSavesTheRemarks) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  auto* memo = child<RemarkEdit>("MemoDir");
  memo->setFocus();
  QTest::keyClicks(memo, QStringLiteral("Wurzel"));
  form.close();
  TFileCommentList saved;
  ASSERT_EQ(loadRemarks(m_data / "CD000001.CMT", saved), ResultCode::Ok);
  EXPECT_EQ(saved.find({1, -1}).value_or(""), "Wurzel");
}

TEST_F(MainFormTest, ProgramInformationNamesProductVersionAndNotice) {
  TDiskIndexForm& form = start();
  form.actions().about->trigger();
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  const QStringList lines = m_prompts->shown[0].text.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], QStringLiteral("K&T DiskIndex"));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Version ")));
  EXPECT_GT(lines[1].size(), 8);
  EXPECT_LE(lines[2].size(), 80);
  EXPECT_FALSE(lines[2].isEmpty());
}

}  // namespace
}  // namespace diskindex::ui
