// Adding any folder from the window: "&Ordner ..." in the add dialog, the
// letter it gets recorded so that it resolves after a restart, the folder's
// own size in the information pane, and what the walk passed over said in a
// box after the reading. Driven with key presses and mouse clicks.

#include <QPushButton>
#include <QTimer>
#include <functional>

#include "diskindex/core/display_format.h"
#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/tests/scan_prompts_fake.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/ui/dlg_add_drive.h"
#include "diskindex/ui/qt_text.h"
#include "diskindex/ui/scan_prompts.h"

namespace diskindex::ui::testing {
namespace {

namespace fs = std::filesystem;
using scan::testing::TempTree;

// The window frees its prompts when a command ends; these hand what they
// showed to the test first.
class KeptScanPrompts : public FakeScanPrompts {
 public:
  explicit KeptScanPrompts(std::vector<Shown>& sink) : m_sink(sink) {}
  ~KeptScanPrompts() override { m_sink.insert(m_sink.end(), shown.begin(), shown.end()); }

 private:
  std::vector<Shown>& m_sink;
};

// Runs step on the add/change dialog once its modal loop runs.
void onDialog(std::function<void(TDlgAddDrive&)> step) {
  QTimer::singleShot(0, [step = std::move(step)] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<TDlgAddDrive*>(widget);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      step(*dialog);
      return;
    }
    ADD_FAILURE() << "the dialog did not open";
  });
}

// Chooses folder with "&Ordner ..." and presses OK.
void addFolderThroughTheDialog(const fs::path& folder) {
  onDialog([folder](TDlgAddDrive& dialog) {
    dialog.setFolderChooser([folder](QWidget*) { return QString::fromStdString(folder.string()); });
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ButtonFolder")),
                      Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ButtonOk")), Qt::LeftButton);
  });
}

class FormAddFolderTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    m_previousFactory = scanPromptsFactory();
    scanPromptsFactory() = [this](QWidget*) { return std::make_unique<KeptScanPrompts>(m_shown); };
    writeSettings("");
    m_folder = m_tree.root() / "Archiv 2019";
    fs::create_directories(m_folder / "Briefe");
    std::ofstream(m_folder / "Briefe" / "brief.txt") << "Liebe Anna";  // 10 bytes
    std::ofstream(m_folder / "liste.txt") << "12345";                  // 5 bytes
  }
  void TearDown() override {
    m_form.reset();
    scanPromptsFactory() = m_previousFactory;
  }
  void pressInWindow(Qt::Key key) {
    QApplication::setActiveWindow(m_form.get());
    QTest::keyClick(m_form.get(), key);
  }
  bool captionShown(const QString& text) {
    for (const QLabel* label : m_form->findChildren<QLabel*>()) {
      if (label->text() == text && label->isVisible()) return true;
    }
    return false;
  }

  TempTree m_tree;
  fs::path m_folder;
  ScanPromptsFactory m_previousFactory;
  std::vector<FakeScanPrompts::Shown> m_shown;
};

TEST_F(FormAddFolderTest, FolderAddedFromTheDialogResolvesAfterARestart) {
  start();
  addFolderThroughTheDialog(m_folder);
  pressInWindow(Qt::Key_F7);
  const VolumeList& volumes = m_form->state().catalogue.volumes();
  ASSERT_EQ(volumes.size(), 1u);
  EXPECT_EQ(volumes[0].name, "Archiv 2019");
  const char letter = volumes[0].driveLetter;
  const std::string recorded =
      platform::IniFile(m_settingsFile).readString("Drives", std::string(1, letter));
  EXPECT_EQ(recorded, fs::weakly_canonical(m_folder).string());
  EXPECT_TRUE(m_shown.empty()) << m_shown.front().text.toStdString();

  // A new start knows the letter: the change dialog shows it with the folder.
  m_form.reset();
  start();
  ASSERT_TRUE(m_form->actions().changeVolume->isEnabled());
  QString shownDrive;
  onDialog([&shownDrive](TDlgAddDrive& dialog) {
    shownDrive = dialog.findChild<QComboBox*>(QStringLiteral("DriveComboBox"))->currentText();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ButtonCancel")),
                      Qt::LeftButton);
  });
  pressInWindow(Qt::Key_F8);
  EXPECT_EQ(shownDrive, QStringLiteral("%1:  (%2)").arg(QChar(letter)).arg(qUtf8(recorded)));
}

// With D: to Z: taken the folder is read all the same, without a word, and
// after a restart the open volume's path starts with the folder itself.
TEST_F(FormAddFolderTest, FolderAddedWhenLettersRanOutIsShownByItsOwnPath) {
  std::string drives = "[Drives]\n";
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    drives += std::string(1, letter) + "=" + (m_tree.root() / "belegt").string() + letter + "\n";
  }
  writeSettings(drives);
  start();
  addFolderThroughTheDialog(m_folder);
  pressInWindow(Qt::Key_F7);
  ASSERT_EQ(m_form->state().catalogue.volumes().size(), 1u);
  EXPECT_TRUE(m_shown.empty()) << m_shown.front().text.toStdString();

  m_form.reset();
  start();
  tree()->setFocus();
  QTest::keyClick(tree(), Qt::Key_Return);  // opens the selected volume
  ASSERT_TRUE(m_form->state().opened);
  EXPECT_EQ(child<QLabel>("StatusText")->text().trimmed(),
            qUtf8(fs::weakly_canonical(m_folder).string()) + QStringLiteral("/"));
}

TEST_F(FormAddFolderTest, InformationPaneShowsTheFoldersSizeAndTheDrivesFreeSpace) {
  start();
  addFolderThroughTheDialog(m_folder);
  pressInWindow(Qt::Key_F7);
  ASSERT_EQ(m_form->state().catalogue.volumes().size(), 1u);
  EXPECT_TRUE(captionShown(QStringLiteral("Größe des Ordners:")));
  EXPECT_TRUE(captionShown(QStringLiteral("Frei auf dem Laufwerk:")));
  EXPECT_FALSE(captionShown(QStringLiteral("Kapazität:")));
  EXPECT_EQ(child<QLabel>("LabelCapacity")->text(), qUtf8(byteText(15)));
  EXPECT_EQ(child<QLabel>("LabelUsed")->text(), qUtf8(byteText(15)));
  EXPECT_FALSE(child<QLabel>("LabelFree")->text().isEmpty());
}

TEST_F(FormAddFolderTest, WhatTheWalkPassedOverIsShownAfterTheReading) {
  fs::create_directory_symlink(m_folder / "Briefe", m_folder / "Verweis");
  fs::create_symlink(m_folder / "fehlt.txt", m_folder / "kaputt.txt");
  start();
  addFolderThroughTheDialog(m_folder);
  pressInWindow(Qt::Key_F7);
  ASSERT_EQ(m_form->state().catalogue.volumes().size(), 1u);
  ASSERT_EQ(m_shown.size(), 1u);
  EXPECT_EQ(m_shown[0].kind, QStringLiteral("warning"));
  EXPECT_EQ(m_shown[0].caption, QStringLiteral("Verzeichnisse einlesen"));
  EXPECT_TRUE(m_shown[0].text.startsWith(QStringLiteral("Beim Einlesen wurde übergangen:")));
  EXPECT_TRUE(m_shown[0].text.contains(QStringLiteral("1 Verknüpfung auf ein Verzeichnis")));
  EXPECT_TRUE(m_shown[0].text.contains(QStringLiteral("1 Verknüpfung ohne Ziel")));
}

}  // namespace
}  // namespace diskindex::ui::testing
