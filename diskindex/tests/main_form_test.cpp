#include <gtest/gtest.h>

#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/ui/disk_index_form.h"

namespace diskindex::ui {
namespace {

using testing::FakePrompts;
using testing::MainFormTest;

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

TEST_F(MainFormTest, RemarksThatCannotBeSavedAreKeptUntilTheyAreSavedSomewhere) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  const auto commentFile = form.state().catalogue.volumes()[0].commentFile();
  std::filesystem::create_directories(commentFile);  // the comment file cannot be created
  ASSERT_TRUE(form.openVolume(0));
  auto* memo = child<RemarkEdit>("MemoDir");
  memo->setFocus();
  QTest::keyClicks(memo, QStringLiteral("Wurzel"));

  m_prompts->saveChoices = {RemarkSaveChoice::Retry, RemarkSaveChoice::Keep};
  form.actions().overview->trigger();
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Contents);
  ASSERT_EQ(m_prompts->shown.size(), 2u);
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("remarkSaveFailed"));
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Bemerkungen speichern - Fehler:"));
  EXPECT_TRUE(m_prompts->shown[0].text.startsWith(QStringLiteral("Die Datei\n\"")));
  EXPECT_TRUE(m_prompts->shown[0].text.endsWith(
      QStringLiteral("Die Bemerkungen bleiben erhalten. Erneut\n"
                     "versuchen oder in einer anderen Datei speichern?")))
      << m_prompts->shown[0].text.toStdString();
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Wurzel"));
  EXPECT_FALSE(m_form->openVolume(0));  // opening goes through leaving, which keeps them

  // A cancelled file dialog asks again; then the remarks go to another file.
  const auto elsewhere = m_temp.path() / "gerettet.cmt";
  m_prompts->shown.clear();
  m_prompts->saveChoices = {RemarkSaveChoice::SaveElsewhere, RemarkSaveChoice::SaveElsewhere};
  m_prompts->remarkFiles = {std::nullopt, QString::fromStdString(elsewhere.string())};
  form.actions().overview->trigger();
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Overview);
  EXPECT_EQ(m_prompts->shown.size(), 4u);  // failed, no file, failed again, saved there
  TFileCommentList saved;
  ASSERT_EQ(loadRemarks(elsewhere, saved), ResultCode::Ok);
  EXPECT_EQ(saved.find({1, -1}).value_or(""), "Wurzel");
  EXPECT_TRUE(std::filesystem::is_directory(commentFile));
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
