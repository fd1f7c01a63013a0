#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "diskindex/tests/search_form_fixture.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/search_results_model.h"

namespace diskindex::ui {
namespace {

using testing::FakeSearchPrompts;

class FormSearchTest : public testing::SearchFormTest {
 protected:
  void addVolumeWithRemarks(const std::string& name, const std::string& category,
                            const TFileCommentList& remarks) {
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data);
    catalogue.loadVolumeList();
    testing::SampleVolume volume;
    volume.name = name;
    volume.category = category;
    ASSERT_EQ(testing::addSampleVolume(catalogue, volume, testing::kEntries, remarks),
              ResultCode::Ok);
    if (!std::filesystem::exists(m_settingsFile)) writeSettings("");
  }
  // The dialog is answered with this text and kind ("files", "dirs", "both",
  // "remarks"); in the multi-volume dialog every volume is chosen.
  void answer(const QString& text, const char* kind = "files", bool chooseAll = true) {
    m_search->searchScript = [=](TDlgSearchCDs& dialog) {
      dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxSearch"))->setEditText(text);
      const char* radio = kind == std::string("dirs")      ? "RadioDirNames"
                          : kind == std::string("both")    ? "RadioBoth"
                          : kind == std::string("remarks") ? "RadioRemarks"
                                                           : "RadioFileNames";
      dialog.findChild<QRadioButton*>(QString::fromLatin1(radio))->setChecked(true);
      if (auto* all = dialog.findChild<QPushButton*>(QStringLiteral("ButtonMoveAllRight"))) {
        if (chooseAll) all->click();
      }
      return true;
    };
  }
  QString lastText() const {
    return m_prompts->shown.empty() ? QString() : m_prompts->shown.back().text;
  }

};

TEST_F(FormSearchTest, FindAndFindNextWalkTheOpenVolumeWithoutWrapping) {
  addVolume("Backup", "");
  TDiskIndexForm& form = startSearching();
  ASSERT_TRUE(form.openVolume(0));
  EXPECT_TRUE(form.actions().searchCurrent->isEnabled());
  answer(QStringLiteral("*.TXT"));
  form.actions().searchCurrent->trigger();
  EXPECT_EQ(grid()->currentIndex().data().toString(), QStringLiteral("Readme.txt"));
  form.actions().searchNext->trigger();
  EXPECT_EQ(tree()->currentIndex().data().toString(), QStringLiteral("Innen"));
  EXPECT_TRUE(tree()->isExpanded(tree()->currentIndex().parent())) << "parents expanded";
  EXPECT_EQ(grid()->currentIndex().data().toString(), QStringLiteral("X.txt"));
  EXPECT_TRUE(m_prompts->shown.empty());
  form.actions().searchNext->trigger();
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Suchen"));
  EXPECT_EQ(m_prompts->shown[0].text, QStringLiteral("Keine (weitere) Übereinstimmung\ngefunden!"));
  form.actions().searchNext->trigger();
  EXPECT_EQ(m_prompts->beeps, 1) << "no active search: only a beep";
  EXPECT_EQ(form.state().settings.searchTexts.front(), "*.TXT");
}

TEST_F(FormSearchTest, ARemarkHitShowsItsFieldAndSelectsTheMatch) {
  TFileCommentList remarks;
  remarks.set({2, 0}, "Werkzeug\r\nmit der Übersicht aller Programme");
  addVolumeWithRemarks("Backup", "", remarks);
  writeSettings("[Inits]\nMEMOS=1\n");
  TDiskIndexForm& form = startSearching();
  ASSERT_TRUE(form.openVolume(0));
  EXPECT_FALSE(form.actions().fileRemarks->isChecked());
  answer(QStringLiteral("übersicht"), "remarks");
  form.actions().searchCurrent->trigger();
  EXPECT_TRUE(form.actions().fileRemarks->isChecked()) << "the hidden field is shown";
  auto* memo = child<RemarkEdit>("MemoFile");
  EXPECT_TRUE(memo->isVisible());
  EXPECT_EQ(memo->textCursor().selectedText(), QStringLiteral("Übersicht"));
  EXPECT_EQ(grid()->currentIndex().data().toString(), QStringLiteral("A.exe"));
}

TEST_F(FormSearchTest, MultiVolumeSearchFillsTheResultsWindowAndGoesToAHit) {
  addVolume("Backup", "");
  addVolume("Doom", "Spiele");
  TDiskIndexForm& form = startSearching();
  answer(QStringLiteral("*.txt"));
  form.actions().searchMulti->trigger();
  TDlgSearchResults* results = form.searchResults();
  ASSERT_NE(results, nullptr);
  EXPECT_TRUE(results->isVisible());
  EXPECT_FALSE(results->isModal());
  EXPECT_EQ(results->windowTitle(), QStringLiteral("K&T DiskIndex - Suche nach: \"*.txt\""));
  EXPECT_EQ(results->findChild<QLabel*>(QStringLiteral("LabelCount"))->text(), QStringLiteral("4"));
  SearchResultsModel* model = results->model();
  ASSERT_EQ(model->rowCount(), 4);
  EXPECT_EQ(model->cellText(3, 0), QStringLiteral("Doom"));
  EXPECT_EQ(model->cellText(3, 1), QStringLiteral("E:\\Leer\\Innen\\X.txt"));
  EXPECT_EQ(model->cellText(3, 2), QStringLiteral("1"));
  EXPECT_TRUE(model->cellText(3, 3).startsWith(QStringLiteral("04.03.2000    ")))
      << model->cellText(3, 3).toStdString();
  EXPECT_TRUE(results->findChild<QPushButton*>(QStringLiteral("ButtonGoTo"))->isEnabled());
  EXPECT_FALSE(results->findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->isVisible());
  EXPECT_TRUE(form.actions().searchResults->isVisible());
  EXPECT_EQ(m_prompts->beeps, 1) << "a beep at the end";
  EXPECT_TRUE(form.isEnabled());

  // Filter the overview to volumes without category, then go to Doom's hit.
  auto* combo = child<QComboBox>("ComboBoxCategory");
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  auto* table = results->findChild<QTableView*>(QStringLiteral("GridResults"));
  table->setCurrentIndex(table->model()->index(3, 0));
  results->goTo();
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Contents);
  EXPECT_EQ(form.state().opened->record.name, "Doom");
  EXPECT_EQ(combo->currentText(), QStringLiteral("Spiele")) << "the filter follows the volume";
  EXPECT_EQ(tree()->currentIndex().data().toString(), QStringLiteral("Innen"));
  EXPECT_EQ(grid()->currentIndex().data().toString(), QStringLiteral("X.txt"));
  // The window is reused and cleared by the next search.
  answer(QStringLiteral("a.exe"));
  form.actions().searchMulti->trigger();
  EXPECT_EQ(form.searchResults(), results);
  EXPECT_EQ(model->rowCount(), 2);
}

TEST_F(FormSearchTest, NoChoiceWarnsAndNoHitClosesTheWindow) {
  addVolume("Backup", "");
  TDiskIndexForm& form = startSearching();
  answer(QStringLiteral("brief"), "files", false);
  form.actions().searchMulti->trigger();
  ASSERT_EQ(m_search->warnings.size(), 1u);
  EXPECT_EQ(m_search->warnings[0], QStringLiteral("Suchen: Keine Datenträger ausgewählt!"));
  EXPECT_EQ(form.searchResults(), nullptr);
  answer(QStringLiteral("gibtesnicht"));
  form.actions().searchMulti->trigger();
  ASSERT_FALSE(m_prompts->shown.empty());
  EXPECT_EQ(
      lastText(),
      QStringLiteral("Suchbegriff wurde auf den\nausgewählten Datenträgern\nnicht gefunden!"));
  EXPECT_TRUE(form.searchResults() == nullptr || !form.searchResults()->isVisible());
}

TEST_F(FormSearchTest, SavingWritesTheListAndReportsAFileThatCannotBeCreated) {
  addVolume("Backup", "");
  TDiskIndexForm& form = startSearching();
  answer(QStringLiteral("*.txt"));
  form.actions().searchMulti->trigger();
  TDlgSearchResults* results = form.searchResults();
  ASSERT_NE(results, nullptr);
  const auto file = m_temp.path() / "liste.txt";
  m_search->saveFiles.push_back(QString::fromStdString(file.string()));
  m_search->saveFiles.push_back(QString::fromStdString((m_temp.path() / "no/x.txt").string()));
  results->save();
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text, "Backup\tE:\\Readme.txt\r\nBackup\tE:\\Leer\\Innen\\X.txt\r\n");
  results->save();
  EXPECT_EQ(m_search->saveStarts.back(), QString::fromStdString(file.string()))
      << "the dialog starts with the file last used";
  ASSERT_FALSE(m_prompts->shown.empty());
  EXPECT_EQ(m_prompts->shown.back().caption, QStringLiteral("Suchergebnisse speichern"));
  EXPECT_TRUE(lastText().contains(QStringLiteral("kann nicht erzeugt werden.")));
}

TEST_F(FormSearchTest, PrintingWithoutPrinterWritesAPdfFile) {
  addVolume("Backup", "");
  TDiskIndexForm& form = startSearching();
  answer(QStringLiteral("*.txt"));
  form.actions().searchMulti->trigger();
  ASSERT_NE(form.searchResults(), nullptr);
  if (printerInstalled()) GTEST_SKIP() << "a printer is installed on this machine";
  const auto pdf = m_temp.path() / "liste.pdf";
  m_search->pdfFiles.push_back(QString::fromStdString(pdf.string()));
  form.searchResults()->print();
  EXPECT_TRUE(m_search->printDialogPdf);
  std::ifstream in(pdf, std::ios::binary);
  std::string head(4, '\0');
  in.read(head.data(), 4);
  EXPECT_EQ(head, "%PDF");
}

}  // namespace
}  // namespace diskindex::ui
