#include "diskindex/ui/dlg_list_dirs.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "diskindex/core/catalogue.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/tests/scan_prompts_fake.h"
#include "diskindex/tests/ui_test_support.h"
#include "diskindex/ui/busy_scope.h"

namespace diskindex::ui {
namespace {

using scan::testing::TempTree;
using testing::FakeScanPrompts;

QString labelText(QWidget& w, const char* name) {
  const auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
  return label ? label->text() : QStringLiteral("<missing>");
}

class DlgListDirsTest : public ::testing::Test {
 protected:
  DlgListDirsTest() { testing::ensureApplication(); }
  FakeScanPrompts m_prompts;
};

TEST_F(DlgListDirsTest, StartsWithDriveNameZeroCounterAndDimmedWriteLabel) {
  TDlgListDirs window('e', QStringLiteral("Handbuch"), m_prompts);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Verzeichnisse einlesen"));
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(labelText(window, "LabelDrive"), QStringLiteral("E:"));
  EXPECT_EQ(labelText(window, "LabelName"), QStringLiteral("Handbuch"));
  EXPECT_EQ(labelText(window, "LabelCounter"), QStringLiteral("0"));
  EXPECT_EQ(labelText(window, "LabelPhase"), QStringLiteral("Datenbank erzeugen:"));
  EXPECT_FALSE(window.findChild<QLabel*>(QStringLiteral("LabelPhase"))->isEnabled());
  EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->text(),
            QStringLiteral("Abbruch"));
}

TEST_F(DlgListDirsTest, ShowsCountsAndPhasesAndAsksTheMatchingCancelQuestion) {
  QWidget main;
  TDlgListDirs window('E', QStringLiteral("X"), m_prompts, &main);
  EXPECT_EQ(main.cursor().shape(), Qt::WaitCursor);
  EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
  window.directoryFound(17);
  EXPECT_EQ(labelText(window, "LabelCounter"), QStringLiteral("17"));
  auto* cancel = window.findChild<QPushButton*>(QStringLiteral("ButtonCancel"));
  cancel->click();  // "Nein"
  EXPECT_FALSE(window.cancelRequested());
  EXPECT_EQ(m_prompts.shown.back().text,
            QStringLiteral("Das Einlesen der Verzeichnisse\ntatsächlich abbrechen?"));
  window.writeProgress(40);
  EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("LabelPhase"))->isEnabled());
  EXPECT_EQ(window.findChild<QProgressBar*>(QStringLiteral("ProgressBar"))->value(), 40);
  window.descriptionProgress(0);
  EXPECT_EQ(labelText(window, "LabelPhase"), QStringLiteral("Datei-Informationen lesen:"));
  window.show();
  m_prompts.answers = {true};
  cancel->click();
  EXPECT_EQ(m_prompts.shown.back().caption, QStringLiteral("Vorgang abbrechen"));
  EXPECT_EQ(
      m_prompts.shown.back().text,
      QStringLiteral("Das Einlesen der Datei-/Verzeichnis-\nInformationen tatsächlich abbrechen?"));
  EXPECT_TRUE(window.cancelRequested());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(DlgListDirsTest, EscapeAndTheCloseButtonAskAsAbbruchDoes) {
  TDlgListDirs window('E', QStringLiteral("X"), m_prompts);
  window.show();
  QTest::keyClick(&window, Qt::Key_Escape);  // "Nein": the walk goes on
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.cancelRequested());
  window.close();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.cancelRequested());
  ASSERT_EQ(m_prompts.shown.size(), 2u);
  EXPECT_EQ(m_prompts.shown[1].caption, QStringLiteral("Vorgang abbrechen"));
  EXPECT_EQ(m_prompts.shown[1].text,
            QStringLiteral("Das Einlesen der Verzeichnisse\ntatsächlich abbrechen?"));
  m_prompts.answers = {true};
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(window.cancelRequested());
  QTest::keyClick(&window, Qt::Key_Escape);  // already cancelled: no second question
  EXPECT_EQ(m_prompts.shown.size(), 3u);
}

TEST_F(DlgListDirsTest, MainWindowTakesNoCommandsUntilTheReadingEnds) {
  QMainWindow main;
  main.menuBar()->addMenu(QStringLiteral("&Datenträger"));
  main.setCentralWidget(new QWidget);
  {
    TDlgListDirs window('E', QStringLiteral("X"), m_prompts, &main);
    window.show();
    m_prompts.answers = {true};
    QTest::keyClick(&window, Qt::Key_Escape);  // hidden, but the walk has not ended yet
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(BusyScope::isBusy(&main));
    EXPECT_FALSE(main.menuBar()->isEnabled());
    EXPECT_FALSE(main.centralWidget()->isEnabled());
  }
  EXPECT_FALSE(BusyScope::isBusy(&main));
  EXPECT_TRUE(main.menuBar()->isEnabled());
}

TEST_F(DlgListDirsTest, DrivesASeriesThroughTheCoreAndStopsAtCancel) {
  TempTree disc;
  TempTree data;
  disc.file("A/B/C.TXT");
  disc.file("D/E.TXT");
  scan::testing::FakeDrive drive;
  drive.root = disc.root();
  const platform::DriveTable drives = scan::testing::fakeDriveTable({{'E', drive}});
  Catalogue catalogue;
  catalogue.setDataDirectory(data.root());
  VolumeHeader header = freshHeader();
  header.name = "Teil %1 von %2";
  header.driveLetter = 'E';
  TDlgListDirs window('E', QStringLiteral("Teil"), m_prompts);
  std::vector<std::size_t> added;
  window.onVolumeAdded = [&added](std::size_t index) { added.push_back(index); };
  m_prompts.answers = {true, false};  // OK for the first volume, Cancel for the second
  const scan::AddOutcome outcome = scan::addVolumes(catalogue, drives, header, 3, window);
  EXPECT_EQ(added, std::vector<std::size_t>{0});
  EXPECT_EQ(labelText(window, "LabelName"), QStringLiteral("Teil 2 von 3"));
  EXPECT_EQ(labelText(window, "LabelCounter"), QStringLiteral("0"));
  ASSERT_EQ(m_prompts.shown.size(), 2u);
  EXPECT_EQ(m_prompts.shown[0].caption, QStringLiteral("Serie einlesen"));
  EXPECT_EQ(m_prompts.shown[0].text,
            QStringLiteral("Folgenden Datenträger einlegen:\nTeil 1 von 3"));
  EXPECT_EQ(catalogue.volumes().size(), 1u);
  EXPECT_EQ(catalogue.volumes()[0].directoryCount, 3);
  EXPECT_TRUE(outcome.seriesEnded);
}

TEST_F(DlgListDirsTest, FailedVolumeShowsTheCatalogueMessage) {
  TDlgListDirs window('E', QStringLiteral("X"), m_prompts);
  window.volumeFailed(ResultCode::DriveNotReady, "/data/CD000001.DAT");
  ASSERT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("error"));
  EXPECT_EQ(m_prompts.shown[0].caption, QStringLiteral("Daten erzeugen"));
  EXPECT_EQ(
      m_prompts.shown[0].text,
      QStringLiteral("Datenträger ist nicht bereit oder\nenthält keine Verzeichnisse/Dateien!"));
  window.volumeFailed(ResultCode::CommentNotRemovable, "/data/CD000001.DAT");
  EXPECT_EQ(m_prompts.shown.back().caption, QStringLiteral("Daten erzeugen - Fehler:"));
  EXPECT_TRUE(m_prompts.shown.back().text.contains(QStringLiteral("\"/data/CD000001.CMT\"")))
      << m_prompts.shown.back().text.toStdString();
}

TEST_F(DlgListDirsTest, ImageFileTakesThePlaceOfTheDriveAndItsFailureIsShownAsItStands) {
  TDlgListDirs window('E', QStringLiteral("Urlaub"), m_prompts);
  window.showImageFile(QStringLiteral("/home/anna/urlaub.iso"));
  EXPECT_EQ(labelText(window, "LabelDriveCaption"), QStringLiteral("Abbilddatei:"));
  EXPECT_EQ(labelText(window, "LabelDrive"), QStringLiteral("/home/anna/urlaub.iso"));
  window.imageFailed(ErrorMessage{"Daten erzeugen - Fehler:", "Die Abbilddatei\r\n\"x\""});
  ASSERT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("error"));
  EXPECT_EQ(m_prompts.shown[0].caption, QStringLiteral("Daten erzeugen - Fehler:"));
  EXPECT_EQ(m_prompts.shown[0].text, QStringLiteral("Die Abbilddatei\n\"x\""));
}

}  // namespace
}  // namespace diskindex::ui
