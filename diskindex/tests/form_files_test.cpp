#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "diskindex/tests/temp_tree.h"
#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/tests/search_prompts_fake.h"
#include "diskindex/ui/dlg_choose_editor.h"
#include "diskindex/ui/dlg_other_volume.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/dlg_select_dir.h"

namespace diskindex::ui {
namespace {

namespace fs = std::filesystem;
using scan::testing::TempTree;

bool progressWindowVisible() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QLatin1String("DlgCopyProgress") && w->isVisible()) return true;
  }
  return false;
}

class FakeCopyPrompts : public CopyPrompts {
 public:
  bool runSelectDir(TDlgSelectDir& dialog) override {
    ++selectDirRuns;
    return selectDirScript ? selectDirScript(dialog) : false;
  }
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) override {
    otherVolume.push_back(question);
    return otherVolumeAnswer;
  }
  files::OverwriteAnswer askOverwrite(const QString& text) override {
    overwrite.push_back(text);
    progressAtQuestion.push_back(progressWindowVisible());
    if (overwriteAnswers.empty()) return files::OverwriteAnswer::Cancel;
    const auto a = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return a;
  }
  files::InsertVolumeAnswer askInsertVolume(const QString& text) override {
    insert.push_back(text);
    if (insertAnswers.empty()) return files::InsertVolumeAnswer::Cancel;
    const auto a = insertAnswers.front();
    insertAnswers.pop_front();
    return a;
  }
  std::optional<QString> newFolderName(const QString&) override { return folderName; }
  bool runChooseEditor(TDlgChooseEditor& dialog) override {
    return editorScript ? editorScript(dialog) : false;
  }
  std::optional<QString> findEditor(const QString&) override { return foundEditor; }

  std::function<bool(TDlgSelectDir&)> selectDirScript;
  std::function<bool(TDlgChooseEditor&)> editorScript;
  int selectDirRuns = 0;
  std::vector<files::OtherVolumeQuestion> otherVolume;
  files::OtherVolumeAnswer otherVolumeAnswer{true, false};
  std::vector<QString> overwrite;
  std::vector<bool> progressAtQuestion;
  std::deque<files::OverwriteAnswer> overwriteAnswers;
  std::vector<QString> insert;
  std::deque<files::InsertVolumeAnswer> insertAnswers;
  std::optional<QString> folderName;
  std::optional<QString> foundEditor;
};

class FakeStarter : public files::ProgramStarter {
 public:
  platform::StartResult startProgram(const fs::path& program,
                                     const std::vector<std::string>& arguments) override {
    calls.push_back(program.string());
    calls.insert(calls.end(), arguments.begin(), arguments.end());
    return platform::StartResult::Ok;
  }
  platform::StartResult openDocument(const fs::path& document) override {
    calls.push_back("open " + document.string());
    return platform::StartResult::Ok;
  }
  std::vector<std::string> calls;
};

std::string readText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FormFilesTest : public testing::MainFormTest {
 protected:
  // Drive E is a folder holding the sample volume's files.
  TDiskIndexForm& startWithDrive() {
    m_drive.file("README.TXT", std::string(300, 'r'));
    m_drive.file("Zeta.doc", std::string(100, 'z'));
    m_drive.file("alpha.c", std::string(200, 'a'));
    m_drive.file("TOOLS/A.EXE", std::string(10, 'x'));
    m_drive.file("LEER/INNEN/X.TXT", "x");
    writeSettings("[Drives]\nE=" + m_drive.root().string() + "\n");
    TDiskIndexForm& form = start();
    auto prompts = std::make_unique<FakeCopyPrompts>();
    m_copy = prompts.get();
    form.setCopyPrompts(std::move(prompts));
    auto starter = std::make_unique<FakeStarter>();
    m_starter = starter.get();
    form.setProgramStarter(std::move(starter));
    return form;
  }
  void copyTo(const fs::path& target, bool wholeDirectory = false) {
    m_copy->selectDirScript = [=, this](TDlgSelectDir& dialog) {
      m_source = dialog.findChild<QLabel*>(QStringLiteral("LabelSource"))->text();
      dialog.findChild<QCheckBox*>(QStringLiteral("CheckBoxWholeDir"))->setChecked(wholeDirectory);
      dialog.setTarget(QString::fromStdString(target.string()));
      return true;
    };
  }
  QModelIndex child(const QModelIndex& parent, int row) {
    return tree()->model()->index(row, 0, parent);
  }

  TempTree m_drive;
  TempTree m_target;
  FakeCopyPrompts* m_copy = nullptr;
  FakeStarter* m_starter = nullptr;
  QString m_source;
};

TEST_F(FormFilesTest, SelectedFilesAreCopiedUnderTheirStoredNames) {
  addVolume("Archiv", "");
  TDiskIndexForm& form = startWithDrive();
  ASSERT_TRUE(form.openVolume(0));
  EXPECT_TRUE(form.actions().copyFiles->isEnabled());
  selectFileNamed("Readme.txt");
  grid()->selectionModel()->select(grid()->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  copyTo(m_target.root());
  form.actions().copyFiles->trigger();
  EXPECT_EQ(m_source, QStringLiteral("E:\\"));
  // The folder's file system has no label "DISC": the wrong-volume question.
  ASSERT_EQ(m_copy->otherVolume.size(), 1u);
  EXPECT_EQ(readText(m_target.root() / "README.TXT"), std::string(300, 'r'));
  EXPECT_EQ(readText(m_target.root() / "alpha.c"), std::string(200, 'a'));
  EXPECT_FALSE(fs::exists(m_target.root() / "Zeta.doc"));
  EXPECT_EQ(form.state().settings.copyPath, m_target.root().string() + "/");
  EXPECT_TRUE(m_prompts->shown.empty());

  // Again: the overwrite question once per file, small files without
  // progress window; Cancel at the second one is reported.
  m_copy->overwriteAnswers = {files::OverwriteAnswer::No};
  form.actions().copyFiles->trigger();
  ASSERT_EQ(m_copy->overwrite.size(), 2u);
  EXPECT_TRUE(m_copy->overwrite[0].startsWith(QStringLiteral("Die Datei\n\"")));
  EXPECT_EQ(m_copy->progressAtQuestion, (std::vector<bool>{false, false}));
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("information"));
  EXPECT_EQ(m_prompts->shown[0].text, QStringLiteral("Vorgang wurde abgebrochen!"));
}

TEST_F(FormFilesTest, TheWholeDirectoryAndTheWrongVolumeAnsweredNo) {
  addVolume("Archiv", "");
  TDiskIndexForm& form = startWithDrive();
  ASSERT_TRUE(form.openVolume(0));
  selectDirectory(child(rootItem(), 1));  // LEER
  copyTo(m_target.root(), true);
  m_copy->otherVolumeAnswer = {false, false};
  form.actions().copyFiles->trigger();
  EXPECT_FALSE(fs::exists(m_target.root() / "LEER"));
  EXPECT_TRUE(m_prompts->shown.empty());

  m_copy->otherVolumeAnswer = {true, false};
  form.actions().copyFiles->trigger();
  EXPECT_EQ(readText(m_target.root() / "LEER" / "INNEN" / "X.TXT"), "x");
  EXPECT_EQ(m_source, QStringLiteral("E:\\Leer\\"));  // as the tree shows it

  // Without the whole directory and no file in it: the warning.
  copyTo(m_target.root(), false);
  form.actions().copyFiles->trigger();
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].text, QStringLiteral("Keine Datei(en) ausgewählt!"));
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Dateien kopieren"));
}

TEST_F(FormFilesTest, LargeCopiesStandInAProgressWindow) {
  Catalogue catalogue;
  catalogue.setDataDirectory(m_data);
  testing::SampleVolume volume;
  volume.name = "Gross";
  const std::vector<EntryRecord> entries{testing::file(1, "BIG.BIN", 150000)};
  ASSERT_EQ(testing::addSampleVolume(catalogue, volume, entries), ResultCode::Ok);
  m_drive.file("BIG.BIN", std::string(150000, 'b'));
  TDiskIndexForm& form = startWithDrive();
  ASSERT_TRUE(form.openVolume(0));
  selectFileNamed("Big.bin");
  m_target.file("BIG.BIN", "o");
  copyTo(m_target.root());
  m_copy->overwriteAnswers = {files::OverwriteAnswer::All};
  form.actions().copyFiles->trigger();
  EXPECT_EQ(m_copy->progressAtQuestion, (std::vector<bool>{true}));
  EXPECT_FALSE(progressWindowVisible());
  EXPECT_EQ(fs::file_size(m_target.root() / "BIG.BIN"), 150000u);
}

TEST_F(FormFilesTest, EditAndRunStartTheRealFile) {
  addVolume("Archiv", "");
  TDiskIndexForm& form = startWithDrive();
  ASSERT_TRUE(form.openVolume(0));
  selectFileNamed("Readme.txt");
  form.actions().editFile->trigger();
  const std::string readme = (m_drive.root() / "README.TXT").string();
  EXPECT_EQ(m_starter->calls, (std::vector<std::string>{"editor", readme}));
  form.actions().runFile->trigger();
  EXPECT_EQ(m_starter->calls.back(), "open " + readme);
  fs::remove(m_drive.root() / "README.TXT");
  form.actions().editFile->trigger();
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Datenträger-Zugriff"));
  EXPECT_EQ(
      m_prompts->shown[0].text,
      QStringLiteral("Kann Datei nicht öffnen:\n\"%1\" !").arg(QString::fromStdString(readme)));
}

TEST_F(FormFilesTest, TheEditorDialogAddsAFoundProgram) {
  addVolume("Archiv", "");
  TDiskIndexForm& form = startWithDrive();
  ASSERT_TRUE(form.actions().chooseEditor->isEnabled());
  m_copy->foundEditor = QStringLiteral("/opt/neu/edit");
  QStringList offered;
  m_copy->editorScript = [&](TDlgChooseEditor& dialog) {
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListEditors"));
    offered << list->currentItem()->text();
    dialog.findChild<QPushButton*>(QStringLiteral("ButtonFindEditor"))->click();
    offered << list->currentItem()->text() << QString::number(list->count());
    return true;
  };
  form.actions().chooseEditor->trigger();
  EXPECT_EQ(offered, (QStringList{"editor", "/opt/neu/edit", "2"}));
  EXPECT_EQ(form.state().settings.editPath, "/opt/neu/edit");
  EXPECT_EQ(form.state().settings.editors, (std::vector<std::string>{"/opt/neu/edit"}));
}

TEST_F(FormFilesTest, SearchHitsAreCopiedAfterTheInsertQuestion) {
  addVolume("Archiv", "");
  TDiskIndexForm& form = startWithDrive();
  auto search = std::make_unique<testing::FakeSearchPrompts>();
  search->searchScript = [](TDlgSearchCDs& dialog) {
    dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxSearch"))->setEditText("*.TXT");
    dialog.findChild<QPushButton*>(QStringLiteral("ButtonMoveAllRight"))->click();
    return true;
  };
  form.setSearchPrompts(std::move(search));
  form.actions().searchMulti->trigger();
  TDlgSearchResults* results = form.searchResults();
  ASSERT_NE(results, nullptr);
  auto* copy = results->findChild<QPushButton*>(QStringLiteral("ButtonCopy"));
  ASSERT_TRUE(copy->isEnabled());
  bool hitsForm = false;
  m_copy->selectDirScript = [&](TDlgSelectDir& dialog) {
    hitsForm = dialog.form() == TDlgSelectDir::Form::CopyHits &&
               dialog.findChild<QLabel*>(QStringLiteral("LabelSource")) == nullptr;
    dialog.findChild<QRadioButton*>(QStringLiteral("RadioAll"))->setChecked(true);
    dialog.setTarget(QString::fromStdString(m_target.root().string()));
    return true;
  };
  m_copy->insertAnswers = {files::InsertVolumeAnswer::Ok};
  copy->click();
  EXPECT_TRUE(hitsForm);
  EXPECT_EQ(m_copy->insert, (std::vector<QString>{"Folgenden Datenträger einlegen:\n\"Archiv\"!"}));
  EXPECT_EQ(readText(m_target.root() / "README.TXT"), std::string(300, 'r'));
  EXPECT_EQ(readText(m_target.root() / "X.TXT"), "x");
}

TEST_F(FormFilesTest, TheWrongVolumeDialogGrowsByItsNotes) {
  testing::ensureApplication();
  const files::OtherVolumeQuestion question{"Archiv", "[leer]", "", 'E'};
  TDlgOtherVolume dialog(question);
  dialog.show();
  auto* notes = dialog.findChild<QLabel*>(QStringLiteral("LabelNotes"));
  EXPECT_FALSE(notes->isVisible());
  EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("LabelQuestion"))
                  ->text()
                  .contains(QStringLiteral("Volume-Label (\"[leer]\") ist ein anderes")));
  const int before = dialog.height();
  dialog.findChild<QPushButton*>(QStringLiteral("ButtonNotes"))->click();
  EXPECT_TRUE(notes->isVisible());
  EXPECT_GT(dialog.height(), before);
  EXPECT_TRUE(notes->text().startsWith(QStringLiteral("Ursachen:\n1. Volume-Label")));
  dialog.findChild<QCheckBox*>(QStringLiteral("CheckBoxUpdateLabel"))->setChecked(true);
  dialog.findChild<QPushButton*>(QStringLiteral("ButtonYes"))->click();
  EXPECT_TRUE(dialog.answer().proceed);
  EXPECT_TRUE(dialog.answer().updateLabel);
  TDlgOtherVolume refused(question);
  refused.findChild<QCheckBox*>(QStringLiteral("CheckBoxUpdateLabel"))->setChecked(true);
  refused.findChild<QPushButton*>(QStringLiteral("ButtonNo"))->click();
  EXPECT_FALSE(refused.answer().proceed);
  EXPECT_FALSE(refused.answer().updateLabel);
}

TEST_F(FormFilesTest, TheTargetDialogWalksFoldersAndCreatesNewOnes) {
  testing::ensureApplication();
  m_target.dir("eins");
  m_target.dir("zwei");
  FakeCopyPrompts copyPrompts;
  testing::FakePrompts prompts;
  const QString root = QString::fromStdString(m_target.root().string());
  TDlgSelectDir dialog(TDlgSelectDir::Form::CopyFiles, "E:\\TOOLS\\", root, {{'E', m_drive.root()}},
                       true, copyPrompts, prompts);
  auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListDirs"));
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral(".."));
  EXPECT_EQ(list->item(2)->text(), QStringLiteral("zwei"));
  EXPECT_TRUE(dialog.choice());
  emit list->itemActivated(list->item(1));
  EXPECT_EQ(dialog.target(), root + QStringLiteral("/eins"));
  emit list->itemActivated(list->item(0));
  EXPECT_EQ(dialog.target(), root);
  copyPrompts.folderName = QStringLiteral("neu");
  dialog.findChild<QPushButton*>(QStringLiteral("ButtonNewDir"))->click();
  EXPECT_TRUE(fs::is_directory(m_target.root() / "neu"));
  EXPECT_EQ(dialog.target(), root + QStringLiteral("/neu"));
  dialog.setTarget(root);
  dialog.findChild<QPushButton*>(QStringLiteral("ButtonNewDir"))->click();  // exists already
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].text,
            QStringLiteral("Verzeichnis\n%1/neu\nkann nicht erzeugt werden!").arg(root));
  auto* drives = dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxDrives"));
  EXPECT_EQ(drives->currentIndex(), -1);  // the target lies on no drive of the list
  emit drives->activated(0);
  EXPECT_EQ(dialog.target(), QString::fromStdString(m_drive.root().string()));
  EXPECT_EQ(drives->currentIndex(), 0);
}

}  // namespace
}  // namespace diskindex::ui
