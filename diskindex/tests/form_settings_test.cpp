#include <gtest/gtest.h>

#include "diskindex/tests/main_form_fixture.h"

namespace diskindex::ui {
namespace {

using testing::FakePrompts;
using testing::MainFormTest;

TEST_F(MainFormTest, FirstStartWithoutSettingsFileUsesTheDefaults) {
  TDiskIndexForm& form = start();
  // Two thirds of the 1280 x 1024 screen, centred.
  EXPECT_EQ(form.size(), QSize(854, 683));
  EXPECT_EQ(form.pos(), QPoint(213, 170));
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

TEST_F(MainFormTest, ClosingWithRemarksThatCannotBeSavedKeepsTheProgramRunning) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  const auto commentFile = form.state().catalogue.volumes()[0].commentFile();
  std::filesystem::create_directories(commentFile);
  ASSERT_TRUE(form.openVolume(0));
  auto* memo = child<RemarkEdit>("MemoDir");
  memo->setFocus();
  QTest::keyClicks(memo, QStringLiteral("Wurzel"));
  EXPECT_FALSE(form.close());  // "Abbruch": the edits stay, the program goes on
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Contents);
  EXPECT_EQ(m_prompts->shown.back().kind, QStringLiteral("remarkSaveFailed"));

  std::filesystem::remove(commentFile);  // the user makes room and closes again
  EXPECT_TRUE(form.close());
  TFileCommentList saved;
  ASSERT_EQ(loadRemarks(commentFile, saved), ResultCode::Ok);
  EXPECT_EQ(saved.find({1, -1}).value_or(""), "Wurzel");
}

}  // namespace
}  // namespace diskindex::ui
