#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <fstream>
#include <functional>
#include <utility>

#include "diskindex/tests/image_files.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/scan_prompts_fake.h"
#include "diskindex/tests/ui_catalogue_builder.h"
#include "diskindex/tests/ui_test_support.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_add_drive.h"

namespace diskindex::ui {
namespace {

using scan::testing::TempTree;
using testing::FakeScanPrompts;

// The form frees its prompts when a command ends; these hand what they
// showed to the fixture before they go.
// They can also run a step of the test at the first Yes/No question, while
// the drive is being read.
class RecordingScanPrompts : public FakeScanPrompts {
 public:
  RecordingScanPrompts(std::vector<Shown>& sink, std::function<void()> atFirstQuestion)
      : m_sink(sink), m_atFirstQuestion(std::move(atFirstQuestion)) {}
  ~RecordingScanPrompts() override { m_sink.insert(m_sink.end(), shown.begin(), shown.end()); }
  bool yesNo(const QString& caption, const QString& text) override {
    if (const std::function<void()> step = std::exchange(m_atFirstQuestion, nullptr)) step();
    return FakeScanPrompts::yesNo(caption, text);
  }

 private:
  std::vector<Shown>& m_sink;
  std::function<void()> m_atFirstQuestion;
};

// Fills the add/change dialog as soon as its modal loop runs and presses OK.
void answerDialogWith(const QString& name) {
  QTimer::singleShot(0, [name] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<TDlgAddDrive*>(widget);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      dialog->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(name);
      dialog->findChild<QPushButton*>(QStringLiteral("ButtonOk"))->click();
      return;
    }
    ADD_FAILURE() << "the dialog did not open";
  });
}

class FormAddVolumeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ensureApplication();
    m_data = m_temp.path() / "data";
    std::filesystem::create_directories(m_data);
    m_settingsFile = m_temp.path() / "DISKINDX.INI";
    std::ofstream(m_settingsFile) << "[Inits]\nDATA_PATH=" << m_data.string() << "/\nDRIVE=X\n"
                                  << "[Drives]\nX=" << m_disc.root().string() << "\n";
    m_previousFactory = scanPromptsFactory();
    scanPromptsFactory() = [this](QWidget*) {
      auto prompts = std::make_unique<RecordingScanPrompts>(m_shown, m_atFirstQuestion);
      prompts->answers = m_answers;
      return prompts;
    };
  }
  void TearDown() override {
    m_form.reset();
    scanPromptsFactory() = m_previousFactory;
  }
  TDiskIndexForm& start() {
    FormEnvironment env;
    env.settingsFile = m_settingsFile;
    env.settings.dataHome = m_temp.path() / "home";
    env.settings.tempDir = m_temp.path();
    env.settings.screen = {1280, 1024};
    m_form =
        std::make_unique<TDiskIndexForm>(std::move(env), std::make_unique<testing::FakePrompts>());
    m_form->start();
    m_form->show();
    return *m_form;
  }
  QString selectedName() {
    const auto* tree = m_form->findChild<QTreeView*>(QStringLiteral("OutlineDir"));
    return tree->currentIndex().data().toString();
  }

  testing::TempDir m_temp;
  TempTree m_disc;
  std::filesystem::path m_data;
  std::filesystem::path m_settingsFile;
  std::unique_ptr<TDiskIndexForm> m_form;
  ScanPromptsFactory m_previousFactory;
  std::deque<bool> m_answers;
  std::vector<FakeScanPrompts::Shown> m_shown;
  std::function<void()> m_atFirstQuestion;
};

TEST_F(FormAddVolumeTest, AddingAFolderMappedAsADriveInsertsAndSelectsTheVolume) {
  m_disc.file("LIESMICH.TXT");
  m_disc.file("FILES.BBS", "LIESMICH.TXT  Zuerst lesen\r\n");
  m_disc.file("Bilder/urlaub.jpg");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.actions().addVolume->isEnabled());
  m_answers = {true};  // read the descriptions
  answerDialogWith(QStringLiteral("Urlaub 2026"));
  form.onAddVolume();
  const VolumeList& volumes = form.state().catalogue.volumes();
  ASSERT_EQ(volumes.size(), 1u);
  EXPECT_EQ(volumes[0].name, "Urlaub 2026");
  EXPECT_EQ(volumes[0].driveLetter, 'X');
  EXPECT_EQ(volumes[0].directoryCount, 1);
  EXPECT_EQ(volumes[0].fileCount, 3);
  EXPECT_TRUE(std::filesystem::exists(volumes[0].commentFile()));
  EXPECT_EQ(selectedName(), QStringLiteral("Urlaub 2026"));
  ASSERT_EQ(m_shown.size(), 1u);
  EXPECT_EQ(m_shown.front().caption, QStringLiteral("Verzeichnisse einlesen"));
}

TEST_F(FormAddVolumeTest, WhileReadingTheWindowTakesNoCommandsAndEscapeCancelsAfterItsQuestion) {
  m_disc.file("LIESMICH.TXT");
  m_disc.file("FILES.BBS", "LIESMICH.TXT  Zuerst lesen\r\n");
  TDiskIndexForm& form = start();
  bool stepRan = false;
  m_atFirstQuestion = [this, &stepRan] {  // the descriptions question: the walk is done
    stepRan = true;
    EXPECT_FALSE(m_form->menuBar()->isEnabled());
    EXPECT_FALSE(m_form->centralWidget()->isEnabled());
    EXPECT_FALSE(m_form->close());
    QWidget* progress = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == QLatin1String("TDlgListDirs") && widget->isVisible()) {
        progress = widget;
      }
    }
    ASSERT_NE(progress, nullptr);
    QTest::keyClick(progress, Qt::Key_Escape);
    EXPECT_FALSE(progress->isVisible());
  };
  m_answers = {true, true};  // "Ja" to cancelling, then "Ja" to the descriptions
  answerDialogWith(QStringLiteral("Abgebrochen"));
  form.onAddVolume();
  EXPECT_TRUE(stepRan);
  ASSERT_EQ(m_shown.size(), 2u);
  EXPECT_EQ(m_shown[0].caption, QStringLiteral("Vorgang abbrechen"));
  EXPECT_EQ(m_shown[1].caption, QStringLiteral("Verzeichnisse einlesen"));
  // The data file was written before the cancel; the descriptions were not read.
  const VolumeList& volumes = form.state().catalogue.volumes();
  ASSERT_EQ(volumes.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(volumes[0].commentFile()));
  EXPECT_TRUE(form.menuBar()->isEnabled());
  EXPECT_TRUE(form.centralWidget()->isEnabled());
  EXPECT_TRUE(form.isVisible());
}

TEST_F(FormAddVolumeTest, ChangingInformationRenamesAndKeepsTheVolumeSelected) {
  Catalogue catalogue;
  catalogue.setDataDirectory(m_data);
  testing::SampleVolume sample;
  sample.name = "Alt";
  sample.driveLetter = 'X';
  const EntryRecord entry{1, "A.TXT", 1, 0, 0x20};
  ASSERT_EQ(testing::addSampleVolume(catalogue, sample, std::span<const EntryRecord>(&entry, 1)),
            ResultCode::Ok);
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.actions().changeVolume->isEnabled());
  m_answers = {true};  // the drive type of X differs from the stored CD-ROM: take it
  answerDialogWith(QStringLiteral("Neu"));
  form.onChangeVolume();
  ASSERT_EQ(form.state().catalogue.volumes().size(), 1u);
  EXPECT_EQ(form.state().catalogue.volumes()[0].name, "Neu");
  EXPECT_EQ(selectedName(), QStringLiteral("Neu"));
  VolumeHeader header;
  ASSERT_EQ(readHeader(form.state().catalogue.volumes()[0].dataFile, header), ResultCode::Ok);
  EXPECT_EQ(header.name, "Neu");
}

// Chooses image through "Abbilddatei ..." in the add dialog and presses OK.
void answerDialogWithImage(const std::filesystem::path& image) {
  QTimer::singleShot(0, [image] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<TDlgAddDrive*>(widget);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      dialog->setImageChooser([image](QWidget*) { return QString::fromStdString(image.string()); });
      dialog->findChild<QPushButton*>(QStringLiteral("ButtonImageFile"))->click();
      dialog->findChild<QPushButton*>(QStringLiteral("ButtonOk"))->click();
      return;
    }
    ADD_FAILURE() << "the dialog did not open";
  });
}

TEST_F(FormAddVolumeTest, AddingAnImageFileReadsItAsTheDriveWouldBe) {
  TempTree tree;
  tree.file("DOKU/HANDBUCH.PDF", "pdf");
  tree.file("LIESMICH.TXT", "text");
  const std::filesystem::path zip = m_temp.path() / "Handbuch.zip";
  scan::testing::archiveTree(tree.root(), zip, scan::testing::ArchiveKind::Zip);
  TDiskIndexForm& form = start();
  answerDialogWithImage(zip);
  form.onAddVolume();
  EXPECT_EQ(selectedName(), QStringLiteral("Handbuch"));
  const VolumeList& volumes = form.state().catalogue.volumes();
  ASSERT_EQ(volumes.size(), 1u);
  const VolumeRecord& volume = volumes[0];
  EXPECT_EQ(volume.fileCount, 2);
  EXPECT_EQ(volume.directoryCount, 1);
  EXPECT_EQ(volume.capacity, static_cast<std::int64_t>(std::filesystem::file_size(zip)));
}

TEST_F(FormAddVolumeTest, RefusedImageShowsItsMessageAndAddsNothing) {
  const std::filesystem::path bad = m_temp.path() / "kaputt.iso";
  std::ofstream(bad) << "kein Abbild";
  TDiskIndexForm& form = start();
  answerDialogWithImage(bad);
  form.onAddVolume();
  EXPECT_TRUE(form.state().catalogue.volumes().empty());
  ASSERT_FALSE(m_shown.empty());
  EXPECT_EQ(m_shown.back().caption, QStringLiteral("Daten erzeugen - Fehler:"));
  EXPECT_TRUE(m_shown.back().text.contains(QStringLiteral("kein bekanntes Abbild-")))
      << m_shown.back().text.toStdString();
}

}  // namespace
}  // namespace diskindex::ui
