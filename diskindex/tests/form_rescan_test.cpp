#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/scan/orphan_file.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/tests/scan_prompts_fake.h"
#include "platform/ini_file.h"
#include "diskindex/tests/ui_test_support.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_orphan_remarks.h"
#include "diskindex/ui/dlg_rescan_volume.h"
#include "diskindex/ui/remark_edit.h"
#include "diskindex/core/messages.h"

namespace diskindex::ui {
namespace {

using scan::testing::TempTree;
using testing::testFormEnvironment;

QWidget* visibleTopLevel(const QString& objectName) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == objectName && widget->isVisible()) return widget;
  }
  return nullptr;
}

// Runs step on the dialog as soon as it shows (polling, since it may come up
// only after the progress window has processed events for a while).
void whenShown(const QString& objectName, std::function<void(QWidget*)> step) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, objectName, step] {
    if (QWidget* dialog = visibleTopLevel(objectName)) {
      timer->stop();
      timer->deleteLater();
      step(dialog);
    }
  });
  timer->start();
}

std::string textOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void click(QWidget* dialog, const char* button) {
  dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

// The window makes its scan prompts per command and drops them afterwards;
// these hand every box on to prompts the fixture keeps.
class ForwardingScanPrompts : public ScanPrompts {
 public:
  explicit ForwardingScanPrompts(testing::FakeScanPrompts& target) : m_target(target) {}
  bool yesNo(const QString& caption, const QString& text) override {
    return m_target.yesNo(caption, text);
  }
  bool okCancel(const QString& caption, const QString& text) override {
    return m_target.okCancel(caption, text);
  }
  void warning(const QString& caption, const QString& text) override {
    m_target.warning(caption, text);
  }
  void error(const QString& caption, const QString& text) override {
    m_target.error(caption, text);
  }

 private:
  testing::FakeScanPrompts& m_target;
};

class FormRescanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ensureApplication();
    m_data = m_temp.path() / "data";
    std::filesystem::create_directories(m_data);
    m_settingsFile = m_temp.path() / "DISKINDX.INI";
    std::ofstream(m_settingsFile) << "[Inits]\nDATA_PATH=" << m_data.string() << "/\nDRIVE=C\n"
                                  << "[Drives]\nX=" << m_disc.root().string() << "\n";
    m_disc.file("A.TXT", "a");
    m_disc.file("B.TXT", "b");
    m_disc.file("DOCS/C.TXT", "c");
    const platform::DriveTable drives = platform::DriveTable::fromSystem({{'X', m_disc.root()}});
    VolumeHeader header = freshHeader();
    header.driveLetter = 'X';
    header.name = "Archiv";
    scan::ScanObserver quiet;
    ASSERT_EQ(scan::readDrive(drives, header, dataFile(), quiet).code, ResultCode::Ok);
    // Catalogued under a label the folder drive does not report, so that
    // the volume check asks.
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data);
    catalogue.loadVolumeList();
    ASSERT_EQ(readHeader(dataFile(), header), ResultCode::Ok);
    header.label = "FRUEHER";
    ASSERT_EQ(catalogue.changeVolumeInfo(0, header), ResultCode::Ok);
    TFileCommentList remarks;
    remarks.set({1, 0}, "über A");
    remarks.set({1, 1}, "über B");
    remarks.set({2, 0}, "über C");
    ASSERT_EQ(saveRemarks(commentFileFor(dataFile()), remarks), ResultCode::Ok);
    m_previousFactory = scanPromptsFactory();
    scanPromptsFactory() = [this](QWidget*) {
      m_prompts = &m_promptStore;
      return std::make_unique<ForwardingScanPrompts>(m_promptStore);
    };
    m_previousChooser = TDlgRescanVolume::folderChooser();
  }
  void TearDown() override {
    m_form.reset();
    scanPromptsFactory() = m_previousFactory;
    TDlgRescanVolume::folderChooser() = m_previousChooser;
  }
  TDiskIndexForm& start() {
    FormEnvironment env = testFormEnvironment(m_settingsFile, m_temp.path());
    auto prompts = std::make_unique<testing::FakePrompts>();
    m_formPrompts = prompts.get();
    m_form = std::make_unique<TDiskIndexForm>(std::move(env), std::move(prompts));
    m_form->start();
    m_form->show();
    return *m_form;
  }
  std::filesystem::path dataFile() const { return m_data / "CD000001.DAT"; }

  testing::TempDir m_temp;
  TempTree m_disc;
  std::filesystem::path m_data;
  std::filesystem::path m_settingsFile;
  std::unique_ptr<TDiskIndexForm> m_form;
  ScanPromptsFactory m_previousFactory;
  TDlgRescanVolume::FolderChooser m_previousChooser;
  testing::FakeScanPrompts m_promptStore;
  testing::FakeScanPrompts* m_prompts = nullptr;  // set once the window asked for prompts
  testing::FakePrompts* m_formPrompts = nullptr;     // the window's own boxes
};

TEST_F(FormRescanTest, TheMenuEntryRereadsTheStoredDriveAndListsTheOrphanedRemarks) {
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.actions().rescanVolume->isEnabled());
  EXPECT_EQ(form.actions().rescanVolume->text(),
            QStringLiteral("Datenträger e&rneut einlesen ..."));
  std::filesystem::remove(m_disc.root() / "A.TXT");
  std::filesystem::rename(m_disc.root() / "DOCS" / "C.TXT", m_disc.root() / "DOCS" / "D.TXT");
  QString preselected;
  TDlgRescanVolume::folderChooser() = [](QWidget*, const QString&) {
    ADD_FAILURE() << "Return must not open the folder dialog";
    return QString();
  };
  whenShown(QStringLiteral("TDlgRescanVolume"), [&](QWidget* dialog) {
    preselected = dialog->findChild<QComboBox*>(QStringLiteral("DriveComboBox"))->currentText();
    // Return on the folder button still means OK.
    QTest::keyClick(dialog->findChild<QPushButton*>(QStringLiteral("ButtonFolder")),
                    Qt::Key_Return);
  });
  // The folder drive has no label, the catalogued volume has one: the
  // volume check asks, and "Ja" goes on.
  bool checked = false;
  whenShown(QStringLiteral("TDlgOtherVolume"), [&](QWidget* dialog) {
    checked = true;
    click(dialog, "ButtonYes");
  });
  QStringList rows;
  QString savedTo;
  QString title;
  whenShown(QStringLiteral("TDlgOrphanRemarks"), [&](QWidget* dialog) {
    title = dialog->windowTitle();
    const auto* grid = dialog->findChild<QTableWidget*>(QStringLiteral("GridOrphans"));
    for (int row = 0; row < grid->rowCount(); ++row) {
      rows << grid->item(row, 0)->text() + QStringLiteral(" = ") + grid->item(row, 1)->text();
    }
    savedTo = dialog->findChild<QLabel*>(QStringLiteral("LabelSavedTo"))->text();
    click(dialog, "ButtonOk");
  });
  form.onRescanVolume();
  EXPECT_TRUE(checked);
  EXPECT_TRUE(preselected.startsWith(QStringLiteral("X:"))) << preselected.toStdString();
  EXPECT_EQ(title, QStringLiteral("Bemerkungen zu nicht mehr vorhandenen Einträgen"));
  EXPECT_EQ(rows, (QStringList{QStringLiteral("\\A.TXT = über A"),
                               QStringLiteral("\\DOCS\\C.TXT = über C")}));
  EXPECT_TRUE(savedTo.contains(QString::fromStdString(scan::orphanFileFor(dataFile()).string())))
      << savedTo.toStdString();
  ASSERT_EQ(form.state().catalogue.volumes().size(), 1u);
  EXPECT_EQ(form.state().catalogue.volumes()[0].fileCount, 2);
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(dataFile()), remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({1, 0}), std::optional<std::string_view>("über B"));
  EXPECT_EQ(remarks.size(), 1u);
  ASSERT_NE(m_prompts, nullptr);
  EXPECT_TRUE(m_prompts->shown.empty()) << "no error box";
}

TEST_F(FormRescanTest, InTheContentsViewAFolderIsReadAndTheOpenVolumeShowsTheNewTree) {
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  ASSERT_TRUE(form.actions().rescanVolume->isEnabled());
  TempTree other;
  other.file("A.TXT", "a");
  other.file("NEU/E.TXT", "e");
  other.file("DOCS/C.TXT", "c");
  other.file("B.TXT", "b");
  TDlgRescanVolume::folderChooser() = [&](QWidget*, const QString&) {
    return QString::fromStdString(other.root().string());
  };
  whenShown(QStringLiteral("TDlgRescanVolume"), [&](QWidget* dialog) {
    click(dialog, "ButtonFolder");
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("LabelFolder"))->text(),
              QString::fromStdString(other.root().string()));
    click(dialog, "ButtonOk");
  });
  form.onRescanVolume();
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Contents);
  ASSERT_TRUE(form.state().opened);
  EXPECT_EQ(form.state().opened->directories.directoryCount(), 3u);
  // The new directory NEU sorts after DOCS; every old remark is kept.
  EXPECT_EQ(form.state().opened->remarks.find({2, 0}), std::optional<std::string_view>("über C"));
  EXPECT_EQ(visibleTopLevel(QStringLiteral("TDlgOrphanRemarks")), nullptr);
  // As when adding a folder: the volume takes a letter recorded in [Drives]
  // for the folder, so copying and reading again find it after a restart.
  const char letter = form.state().catalogue.volumes()[0].driveLetter;
  EXPECT_NE(letter, 'X');
  const auto drives = scan::driveOverrides(platform::IniFile(m_settingsFile));
  ASSERT_TRUE(drives.contains(letter)) << "letter " << letter << " not recorded";
  EXPECT_EQ(std::filesystem::weakly_canonical(drives.at(letter)),
            std::filesystem::weakly_canonical(other.root()));
  EXPECT_EQ(drives.at('X'), m_disc.root()) << "the other letters stay";
}

TEST_F(FormRescanTest, AFolderReadAgainSaysWhatTheWalkPassedOverAndReusesItsLetter) {
  TDiskIndexForm& form = start();
  TempTree other;  // every remarked entry is there: no orphaned remarks
  other.file("A.TXT", "a");
  other.file("B.TXT", "b");
  other.file("DOCS/C.TXT", "c");
  std::filesystem::create_directory_symlink(other.root() / "DOCS", other.root() / "Verweis");
  TDlgRescanVolume::folderChooser() = [&](QWidget*, const QString&) {
    return QString::fromStdString(other.root().string());
  };
  const auto rescanFromFolder = [&] {
    whenShown(QStringLiteral("TDlgRescanVolume"), [&](QWidget* dialog) {
      click(dialog, "ButtonFolder");
      click(dialog, "ButtonOk");
    });
    form.onRescanVolume();
  };
  rescanFromFolder();
  ASSERT_NE(m_prompts, nullptr);
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("warning"));
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Verzeichnisse einlesen"));
  EXPECT_TRUE(m_prompts->shown[0].text.contains(QStringLiteral("1 Verknüpfung auf ein Verzeichnis")))
      << m_prompts->shown[0].text.toStdString();
  const char first = form.state().catalogue.volumes()[0].driveLetter;
  const std::string settingsBefore = textOf(m_settingsFile);
  rescanFromFolder();
  EXPECT_EQ(form.state().catalogue.volumes()[0].driveLetter, first)
      << "the folder's recorded letter is used again, no second one";
  EXPECT_EQ(textOf(m_settingsFile), settingsBefore);
  EXPECT_EQ(m_prompts->shown.size(), 2u) << "the summary is shown again";
}

// A volume that keeps its folder (no letter was free) is read again from
// that folder unless something else is chosen; picking a drive ends it.
TEST(DlgRescanVolumeTest, AKeptFolderIsChosenFromTheStart) {
  testing::ensureApplication();
  const platform::DriveTable drives = platform::DriveTable::fromSystem();
  TDlgRescanVolume dialog(drives, VolumeRoot(platform::DriveTable::kFolderKey, "/srv/Fotos"),
                          QStringLiteral("Fotos"));
  EXPECT_EQ(dialog.choice().folder, std::filesystem::path("/srv/Fotos"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("LabelFolder"))->text(),
            QStringLiteral("/srv/Fotos"));
  auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("DriveComboBox"));
  ASSERT_GT(combo->count(), 0);
  for (int i = 0; i < combo->count(); ++i) {
    EXPECT_NE(combo->itemData(i).toInt(), int{platform::DriveTable::kFolderKey});
  }
  dialog.show();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_TRUE(dialog.choice().folder.empty());
}

// A volume without a letter proposes no drive: the first of the list is
// "C:  (/)", and with the folder lost OK would read the whole system disk
// into the volume. Then the choice is the volume's own lost folder, which
// the volume check reports as not reachable.
TEST(DlgRescanVolumeTest, AVolumeThatKeepsAFolderProposesNoDrive) {
  testing::ensureApplication();
  const platform::DriveTable drives = platform::DriveTable::fromSystem();
  constexpr char kFolderKey = platform::DriveTable::kFolderKey;
  TDlgRescanVolume kept(drives, VolumeRoot(kFolderKey, "/srv/Fotos"), QStringLiteral("Fotos"));
  auto* combo = kept.findChild<QComboBox*>(QStringLiteral("DriveComboBox"));
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(combo->placeholderText(), QStringLiteral("(der gewählte Ordner)"));

  TDlgRescanVolume lost(drives, VolumeRoot(kFolderKey, ""), QStringLiteral("Fotos"));
  combo = lost.findChild<QComboBox*>(QStringLiteral("DriveComboBox"));
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(combo->placeholderText(), QStringLiteral("?"));
  const RescanChoice choice = lost.choice();
  EXPECT_EQ(choice.letter, kFolderKey);
  EXPECT_TRUE(choice.folder.empty());
  EXPECT_TRUE(choice.image.empty());
}

TEST_F(FormRescanTest, AnImageFileCanBeChosenAndARefusedOneChangesNothing) {
  TDiskIndexForm& form = start();
  const TDlgRescanVolume::ImageChooser previous = TDlgRescanVolume::imageChooser();
  TempTree images;
  const auto bad = images.file("kaputt.zip", std::string(3000, 'q'));
  TDlgRescanVolume::imageChooser() = [&](QWidget*) { return QString::fromStdString(bad.string()); };
  QString shownPath;
  whenShown(QStringLiteral("TDlgRescanVolume"), [&](QWidget* dialog) {
    click(dialog, "ButtonImage");
    shownPath = dialog->findChild<QLabel*>(QStringLiteral("LabelFolder"))->text();
    click(dialog, "ButtonOk");
  });
  std::ifstream in(dataFile(), std::ios::binary);
  const std::string before{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  form.onRescanVolume();
  TDlgRescanVolume::imageChooser() = previous;
  EXPECT_TRUE(shownPath.endsWith(QString::fromStdString(bad.string()))) << shownPath.toStdString();
  ASSERT_NE(m_prompts, nullptr);
  ASSERT_EQ(m_prompts->shown.size(), 1u) << "one box: the image's own message";
  EXPECT_TRUE(m_prompts->shown[0].text.contains(QStringLiteral("kein bekanntes Abbild")))
      << m_prompts->shown[0].text.toStdString();
  std::ifstream after(dataFile(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), std::istreambuf_iterator<char>()),
            before);
}

TEST_F(FormRescanTest, CancellingTheChoiceOrAFailedReadingLeavesTheFiles) {
  TDiskIndexForm& form = start();
  std::ifstream in(dataFile(), std::ios::binary);
  const std::string before{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  whenShown(QStringLiteral("TDlgRescanVolume"),
            [](QWidget* dialog) { click(dialog, "ButtonCancel"); });
  form.onRescanVolume();
  std::filesystem::remove_all(m_disc.root() / "DOCS");
  std::filesystem::remove(m_disc.root() / "A.TXT");
  std::filesystem::remove(m_disc.root() / "B.TXT");  // the drive is empty now: not ready
  // "Nein" at the volume check reads nothing and says nothing more.
  whenShown(QStringLiteral("TDlgRescanVolume"), [](QWidget* dialog) { click(dialog, "ButtonOk"); });
  whenShown(QStringLiteral("TDlgOtherVolume"), [](QWidget* dialog) { click(dialog, "ButtonNo"); });
  form.onRescanVolume();
  ASSERT_NE(m_prompts, nullptr);
  EXPECT_TRUE(m_prompts->shown.empty());
  whenShown(QStringLiteral("TDlgRescanVolume"), [](QWidget* dialog) { click(dialog, "ButtonOk"); });
  whenShown(QStringLiteral("TDlgOtherVolume"), [](QWidget* dialog) { click(dialog, "ButtonYes"); });
  form.onRescanVolume();
  ASSERT_NE(m_prompts, nullptr);
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].text.toStdString().rfind("Datenträger ist nicht bereit", 0), 0u)
      << m_prompts->shown[0].text.toStdString();
  std::ifstream after(dataFile(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), std::istreambuf_iterator<char>()),
            before);
  EXPECT_EQ(form.state().catalogue.volumes()[0].fileCount, 3);
}

TEST_F(FormRescanTest, ARemarkAnotherProgramChangedMeanwhileIsAskedAboutBeforeTheRescan) {
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  QApplication::setActiveWindow(&form);  // typing goes to the active window
  auto* memo = form.findChild<RemarkEdit*>(QStringLiteral("MemoDir"));
  memo->setFocus();
  memo->selectAll();
  QTest::keyClicks(memo, QStringLiteral("meine Wurzel"));
  const std::filesystem::path commentFile = commentFileFor(dataFile());
  {  // another program saves the same remark meanwhile
    RemarksLoad load = loadRemarksForEdit(commentFile);
    load.remarks.set({1, -1}, "andere Wurzel");
    ASSERT_EQ(saveRemarksMerged({commentFile, load.base, load.remarks.records()}).status,
              RemarkSaveStatus::Saved);
  }
  m_formPrompts->conflictAnswers = {RemarkConflictAnswer::KeepMine};
  TDlgRescanVolume::folderChooser() = [&](QWidget*, const QString&) {
    return QString::fromStdString(m_disc.root().string());
  };
  whenShown(QStringLiteral("TDlgRescanVolume"), [&](QWidget* dialog) {
    click(dialog, "ButtonFolder");
    click(dialog, "ButtonOk");
  });
  form.actions().rescanVolume->trigger();
  int asked = 0;
  for (const testing::PromptRecord& record : m_formPrompts->shown) {
    if (record.kind != QStringLiteral("remarkConflict")) continue;
    ++asked;
    EXPECT_EQ(record.text, boxText(messages::remarkConflictQuestion(commentFile.string(), 1)));
  }
  EXPECT_EQ(asked, 1) << "asked once, not failed as a save";
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Contents);
  ASSERT_TRUE(form.state().opened);
  EXPECT_EQ(form.state().opened->remarks.find({1, -1}),
            std::optional<std::string_view>("meine Wurzel"));
  TFileCommentList onDisk;
  ASSERT_EQ(loadRemarks(commentFile, onDisk), ResultCode::Ok);
  EXPECT_EQ(onDisk.find({1, -1}), std::optional<std::string_view>("meine Wurzel"));
  EXPECT_EQ(onDisk.find({1, 0}), std::optional<std::string_view>("über A")) << "the rest carried";
}

}  // namespace
}  // namespace diskindex::ui
