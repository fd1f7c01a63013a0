// The main window on a data folder other programs change while it is open,
// and on a data folder or copy target that is not there: the overview
// follows another process's new volume and keeps its selection, an open
// volume that another program removed is said and its typed remarks are
// offered another file, a missing data folder is asked about (and, gone on
// without, refuses changes with its own message), and the copy target
// dialog refuses an empty target and offers to create a missing one.
// Changes the watcher does not hear (another computer on a network share,
// played here by a watcher whose signals are blocked) are noticed by the
// next command that reads the catalogue and when the window is activated.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QPushButton>
#include <sys/wait.h>
#include <unistd.h>

#include "diskindex/core/files/file_messages.h"
#include "diskindex/core/messages.h"
#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/tests/scan_prompts_fake.h"
#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/dlg_select_dir.h"
#include "diskindex/ui/scan_prompts.h"

namespace diskindex::ui {
namespace {

namespace fs = std::filesystem;
using testing::MainFormTest;
using testing::testFormEnvironment;

// Adds a volume from a separate process, as diskindx-cli would.
void addVolumeInAnotherProcess(const fs::path& data, const std::string& name) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Catalogue catalogue;
    catalogue.setDataDirectory(data);
    catalogue.loadVolumeList();
    testing::SampleVolume volume;
    volume.name = name;
    const bool added = testing::addSampleVolume(catalogue, volume, testing::kEntries) ==
                       ResultCode::Ok;
    _exit(added ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Another window comes to the front, then the catalogue's window again.
void switchBackTo(QWidget& form) {
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

class FormSharedFolderTest : public MainFormTest {
 protected:
  int rows() { return tree()->model()->rowCount(); }
  QString currentName() { return tree()->currentIndex().data().toString(); }
  bool shown(const QString& kind, const std::string& programText) {
    for (const testing::PromptRecord& record : m_prompts->shown) {
      if (record.kind == kind && record.text == boxText(programText)) return true;
    }
    return false;
  }
};

TEST_F(FormSharedFolderTest, TheOverviewShowsAVolumeAnotherProcessAddsAndKeepsItsSelection) {
  addVolume("Mitte", "");
  addVolume("Zuletzt", "");
  start();
  tree()->setFocus();
  QTest::keyClick(tree(), Qt::Key_End);
  ASSERT_EQ(currentName(), QStringLiteral("Zuletzt"));

  addVolumeInAnotherProcess(m_data, "Anfang");
  ASSERT_TRUE(QTest::qWaitFor([&] { return rows() == 3; }, 5000))
      << "the overview did not follow the folder";
  EXPECT_EQ(tree()->model()->index(0, 0).data().toString(), QStringLiteral("Anfang"));
  EXPECT_EQ(currentName(), QStringLiteral("Zuletzt")) << "the selection stays on its volume";
  EXPECT_TRUE(status().contains(QStringLiteral("3 Datenträger erfaßt"))) << status().toStdString();
  EXPECT_TRUE(m_prompts->shown.empty());
}

TEST_F(FormSharedFolderTest, AnOpenVolumeRemovedByAnotherProgramIsSaidAndItsRemarksOffered) {
  addVolume("Archiv", "");
  addVolume("Bilder", "");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  auto* memo = child<RemarkEdit>("MemoDir");
  memo->setFocus();
  memo->selectAll();
  QTest::keyClicks(memo, QStringLiteral("noch nicht gespeichert"));
  const fs::path rescued = m_temp.path() / "gerettet.CMT";
  m_prompts->remarkFiles.push_back(QString::fromStdString(rescued.string()));

  fs::remove(m_data / "CD000001.DAT");  // another program deletes the open volume
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.view() == TDiskIndexForm::View::Overview; }, 5000))
      << "the window stayed in the removed volume";
  EXPECT_TRUE(shown(QStringLiteral("warning"), messages::openVolumeRemoved("Archiv", true)));
  TFileCommentList saved;
  ASSERT_EQ(loadRemarks(rescued, saved), ResultCode::Ok);
  EXPECT_EQ(saved.find({1, -1}), std::optional<std::string_view>("noch nicht gespeichert"));
  EXPECT_FALSE(fs::exists(m_data / "CD000001.CMT")) << "no comment file without its volume";
  EXPECT_FALSE(form.state().opened);
  EXPECT_EQ(rows(), 1);
  EXPECT_EQ(currentName(), QStringLiteral("Bilder"));
}

// The window as it runs on a network share: the watcher hears nothing.
class FormUnwatchedFolderTest : public FormSharedFolderTest {
 protected:
  TDiskIndexForm& startDeaf() {
    TDiskIndexForm& form = start();
    auto* watcher = form.findChild<QFileSystemWatcher*>();
    EXPECT_NE(watcher, nullptr);
    if (watcher) watcher->blockSignals(true);
    // The first activation's check is over before anything changes.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::qWait(20);
    return form;
  }
};

TEST_F(FormUnwatchedFolderTest, ActivatingTheWindowShowsAVolumeTheWatcherDidNotReport) {
  addVolume("Mitte", "");
  addVolume("Zuletzt", "");
  TDiskIndexForm& form = startDeaf();
  tree()->setFocus();
  QTest::keyClick(tree(), Qt::Key_End);
  addVolumeInAnotherProcess(m_data, "Anfang");
  QTest::qWait(500);  // longer than the watcher's pause: it stays silent
  ASSERT_EQ(rows(), 2) << "the watcher was meant to be deaf";

  switchBackTo(form);
  ASSERT_TRUE(QTest::qWaitFor([&] { return rows() == 3; }, 2000))
      << "activation did not compare the folder";
  EXPECT_EQ(currentName(), QStringLiteral("Zuletzt"));
  EXPECT_TRUE(status().contains(QStringLiteral("3 Datenträger erfaßt"))) << status().toStdString();
}

TEST_F(FormUnwatchedFolderTest, OpeningAVolumeReadsTheChangedListFirstAndNeverOpensAnother) {
  addVolume("Archiv", "");
  addVolume("Bilder", "");
  addVolume("Chronik", "");
  TDiskIndexForm& form = startDeaf();
  tree()->setFocus();
  QTest::keyClick(tree(), Qt::Key_End);
  ASSERT_EQ(currentName(), QStringLiteral("Chronik"));
  addVolumeInAnotherProcess(m_data, "Anfang");
  QTest::keyClick(tree(), Qt::Key_Return);
  ASSERT_EQ(form.view(), TDiskIndexForm::View::Contents);
  EXPECT_EQ(form.state().opened->record.name, "Chronik");
  EXPECT_EQ(form.state().catalogue.volumes().size(), 4u) << "opened from a stale list";

  QTest::keyClick(&form, Qt::Key_F11);  // "Über&sicht"
  ASSERT_EQ(form.view(), TDiskIndexForm::View::Overview);
  ASSERT_EQ(currentName(), QStringLiteral("Chronik"));
  // Another program removes the chosen volume: Enter opens no neighbour.
  fs::remove(m_data / "CD000003.DAT");
  QTest::keyClick(tree(), Qt::Key_Return);
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Overview);
  EXPECT_EQ(rows(), 3);
  EXPECT_FALSE(form.state().opened);
}

TEST_F(FormUnwatchedFolderTest, RemarksAnotherProgramSavedShowInTheOpenVolumeWhenNoneWereTyped) {
  addVolume("Archiv", "");
  TDiskIndexForm& form = startDeaf();
  ASSERT_TRUE(form.openVolume(0));
  auto* memo = child<RemarkEdit>("MemoDir");
  ASSERT_NE(memo->toPlainText(), QStringLiteral("von nebenan"));
  TFileCommentList theirs;
  theirs.set({1, -1}, "von nebenan");
  ASSERT_EQ(saveRemarks(m_data / "CD000001.CMT", theirs), ResultCode::Ok);

  switchBackTo(form);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return memo->toPlainText() == QStringLiteral("von nebenan"); }, 2000))
      << memo->toPlainText().toStdString();

  // Typed here: the file is not read again, the save merges instead.
  memo->setFocus();
  QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(memo, QStringLiteral(" und von hier"));
  theirs.set({1, 0}, "eine Datei");
  ASSERT_EQ(saveRemarks(m_data / "CD000001.CMT", theirs), ResultCode::Ok);
  switchBackTo(form);
  QTest::qWait(50);
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("von nebenan und von hier"));
  QTest::keyClick(&form, Qt::Key_F11);  // leaving the volume saves
  TFileCommentList saved;
  ASSERT_EQ(loadRemarks(m_data / "CD000001.CMT", saved), ResultCode::Ok);
  EXPECT_EQ(saved.find({1, -1}), std::optional<std::string_view>("von nebenan und von hier"));
  EXPECT_EQ(saved.find({1, 0}), std::optional<std::string_view>("eine Datei"));
}

class FormMissingFolderTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    m_previousFactory = scanPromptsFactory();
    scanPromptsFactory() = [this](QWidget*) {
      auto prompts = std::make_unique<Recording>(m_scanShown);
      return prompts;
    };
  }
  void TearDown() override {
    m_form.reset();
    scanPromptsFactory() = m_previousFactory;
  }
  void pointAt(const fs::path& folder) {
    fs::create_directories(m_settingsFile.parent_path());
    std::ofstream(m_settingsFile) << "[Inits]\nDATA_PATH=" << folder.string() << "/\n";
  }

  class Recording : public testing::FakeScanPrompts {
   public:
    explicit Recording(std::vector<Shown>& sink) : m_sink(sink) {}
    ~Recording() override { m_sink.insert(m_sink.end(), shown.begin(), shown.end()); }

   private:
    std::vector<Shown>& m_sink;
  };

  ScanPromptsFactory m_previousFactory;
  std::vector<testing::FakeScanPrompts::Shown> m_scanShown;
};

TEST_F(FormMissingFolderTest, GoingOnWithoutTheFolderIsSaidAndChangesAreRefusedAsMissing) {
  const fs::path unplugged = m_temp.path() / "usb" / "katalog";
  pointAt(unplugged);
  TDiskIndexForm& form = start();  // no answer: "&Ohne fortfahren"
  const std::string folder = unplugged.string() + "/";
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("missingFolder"));
  EXPECT_EQ(m_prompts->shown[0].text, boxText(messages::missingDataDirectoryQuestion(folder)));
  EXPECT_FALSE(fs::exists(unplugged));
  EXPECT_EQ(status(), qUtf8(messages::missingDataDirectoryStatus(folder)));

  form.activateWindow();
  QTest::keyClick(&form, Qt::Key_F7);  // "&Hinzufügen ..."
  ASSERT_EQ(m_scanShown.size(), 1u);
  EXPECT_EQ(m_scanShown[0].kind, QStringLiteral("error"));
  EXPECT_EQ(m_scanShown[0].text, boxText(messages::missingDataDirectoryRefusal(folder)));
}

TEST_F(FormMissingFolderTest, AFolderPluggedInLaterIsReadAtTheNextActivation) {
  const fs::path unplugged = m_temp.path() / "usb" / "katalog";
  pointAt(unplugged);
  TDiskIndexForm& form = start();  // "&Ohne fortfahren"
  const std::string folder = unplugged.string() + "/";
  ASSERT_EQ(status(), qUtf8(messages::missingDataDirectoryStatus(folder)));
  fs::create_directories(unplugged);  // the disk is back, with a volume
  addVolumeInAnotherProcess(unplugged, "Urlaub");

  switchBackTo(form);
  ASSERT_TRUE(QTest::qWaitFor([&] { return tree()->model()->rowCount() == 1; }, 2000));
  EXPECT_EQ(tree()->model()->index(0, 0).data().toString(), QStringLiteral("Urlaub"));
  EXPECT_NE(status(), qUtf8(messages::missingDataDirectoryStatus(folder)));
  EXPECT_EQ(m_prompts->shown.size(), 1u) << "only the question at start-up";
}

TEST_F(FormMissingFolderTest, TheFolderIsCreatedOrAnotherChosenOnRequest) {
  const fs::path unplugged = m_temp.path() / "usb" / "katalog";
  // Another folder, holding a volume, chosen instead.
  addVolume("Anderswo", "");
  pointAt(unplugged);
  FormEnvironment env = testFormEnvironment(m_settingsFile, m_temp.path());
  auto prompts = std::make_unique<testing::FakePrompts>();
  testing::FakePrompts& fake = *prompts;
  fake.missingFolderAnswers = {MissingFolderChoice::ChooseOther};
  fake.directoryAnswer = QString::fromStdString(m_data.string());
  m_form = std::make_unique<TDiskIndexForm>(std::move(env), std::move(prompts));
  m_form->start();
  m_form->show();
  EXPECT_EQ(tree()->model()->rowCount(), 1);
  EXPECT_EQ(tree()->model()->index(0, 0).data().toString(), QStringLiteral("Anderswo"));
  EXPECT_EQ(m_form->state().catalogue.dataDirectory(), fs::path(m_data.string() + "/"));
  m_form.reset();

  pointAt(unplugged);
  auto creating = std::make_unique<testing::FakePrompts>();
  creating->missingFolderAnswers = {MissingFolderChoice::Create};
  FormEnvironment env2;
  env2.settingsFile = m_settingsFile;
  env2.settings.dataHome = m_temp.path() / "home";
  env2.settings.tempDir = m_temp.path();
  env2.settings.screen = {1280, 1024};
  m_form = std::make_unique<TDiskIndexForm>(std::move(env2), std::move(creating));
  m_form->start();
  EXPECT_TRUE(fs::is_directory(unplugged));
  EXPECT_EQ(status(), QStringLiteral(" Keine Datenträger erfaßt !"));
}

// The copy target dialog as the user meets it: typing, Ok, the question.
class CopyTargetTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ensureApplication(); }

  class NoCopyPrompts : public CopyPrompts {
   public:
    bool runSelectDir(TDlgSelectDir&) override { return false; }
    files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion&) override {
      return {};
    }
    files::OverwriteAnswer askOverwrite(const QString&) override {
      return files::OverwriteAnswer::Cancel;
    }
    files::InsertVolumeAnswer askInsertVolume(const QString&) override {
      return files::InsertVolumeAnswer::Cancel;
    }
    std::optional<QString> newFolderName(const QString&) override { return std::nullopt; }
    bool runChooseEditor(TDlgChooseEditor&) override { return false; }
    std::optional<QString> findEditor(const QString&) override { return std::nullopt; }
  };

  std::unique_ptr<TDlgSelectDir> dialog(const QString& target) {
    auto made = std::make_unique<TDlgSelectDir>(TDlgSelectDir::Form::CopyFiles, "E:\\", target,
                                                TDlgSelectDir::DriveList{}, false, m_copy,
                                                m_prompts);
    made->show();
    return made;
  }
  static QLineEdit* edit(TDlgSelectDir& d) {
    return d.findChild<QLineEdit*>(QStringLiteral("EditTarget"));
  }
  static QPushButton* ok(TDlgSelectDir& d) {
    return d.findChild<QPushButton*>(QStringLiteral("ButtonOk"));
  }

  testing::TempDir m_temp;
  NoCopyPrompts m_copy;
  testing::FakePrompts m_prompts;
};

TEST_F(CopyTargetTest, OkStaysDisabledWhileTheTargetIsEmpty) {
  auto d = dialog(QString::fromStdString(m_temp.path().string()));
  EXPECT_TRUE(ok(*d)->isEnabled());
  edit(*d)->setFocus();
  edit(*d)->selectAll();
  QTest::keyClick(edit(*d), Qt::Key_Delete);
  EXPECT_TRUE(edit(*d)->text().isEmpty());
  EXPECT_FALSE(ok(*d)->isEnabled());
  QTest::keyClicks(edit(*d), QStringLiteral("   "));
  EXPECT_FALSE(ok(*d)->isEnabled()) << "blanks name no folder";
  QTest::keyClick(edit(*d), Qt::Key_Return);
  EXPECT_NE(d->result(), QDialog::Accepted);
  QTest::keyClicks(edit(*d), QString::fromStdString(m_temp.path().string()));
  EXPECT_TRUE(ok(*d)->isEnabled());
}

TEST_F(CopyTargetTest, AMissingTargetIsOfferedToBeCreatedInsteadOfCalledWriteProtected) {
  const fs::path missing = m_temp.path() / "neu" / "ziel";
  const std::string question = files::createTargetQuestion(missing.string());
  {  // declined: the dialog stays open, nothing is made
    auto d = dialog(QString::fromStdString(missing.string()));
    QTest::mouseClick(ok(*d), Qt::LeftButton);
    ASSERT_EQ(m_prompts.shown.size(), 1u);
    EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("question"));
    EXPECT_EQ(m_prompts.shown[0].text, boxText(question));
    EXPECT_NE(d->result(), QDialog::Accepted);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(fs::exists(missing));
  }
  {  // accepted: made, and Ok goes through
    m_prompts.answers = {true};
    auto d = dialog(QString::fromStdString(missing.string()));
    QTest::mouseClick(ok(*d), Qt::LeftButton);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(fs::is_directory(missing));
  }
  {  // a file where the folder should be is no target
    std::ofstream(m_temp.path() / "datei") << "x";
    m_prompts.shown.clear();
    auto d = dialog(QString::fromStdString((m_temp.path() / "datei").string()));
    QTest::mouseClick(ok(*d), Qt::LeftButton);
    ASSERT_EQ(m_prompts.shown.size(), 1u);
    EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("error"));
    EXPECT_NE(d->result(), QDialog::Accepted);
  }
}

}  // namespace
}  // namespace diskindex::ui
