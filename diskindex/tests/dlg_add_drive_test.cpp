#include "diskindex/ui/dlg_add_drive.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_root.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/scan_prompts_fake.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

using scan::testing::FakeDrive;
using scan::testing::TempTree;
using testing::FakeScanPrompts;

class DlgAddDriveTest : public ::testing::Test {
 protected:
  DlgAddDriveTest() : m_drives(scan::testing::fakeDriveTable({{'E', cd()}, {'F', stick()}})) {
    testing::ensureApplication();
    m_catalogue.setDataDirectory(m_data.root());
    VolumeHeader h = freshHeader();
    h.name = "Fotos";
    h.driveLetter = 'F';
    h.driveType = 2;
    h.label = "BILDER";
    const EntryRecord entry{1, "A.TXT", 1, 0, 0x20};
    m_catalogue.addVolume(h, std::span<const EntryRecord>(&entry, 1), TFileCommentList{});
  }
  FakeDrive cd() {
    FakeDrive d;
    d.root = m_cdRoot.root();
    d.fsType = "iso9660";
    d.label = "BILDER";
    return d;
  }
  FakeDrive stick() {
    FakeDrive d;
    d.root = m_stickRoot.root();
    d.label = "STICK";
    return d;
  }
  std::unique_ptr<TDlgAddDrive> adding(char letter = 'F') {
    const scan::DialogValues initial = scan::valuesForAdding(m_drives, letter, "<ALLE>");
    return std::make_unique<TDlgAddDrive>(
        TDlgAddDrive::Mode::Adding, m_drives,
        scan::DialogContext{&m_catalogue.volumes(), &m_drives, std::nullopt}, initial,
        std::vector<std::string>{"Urlaub"}, m_prompts);
  }
  std::unique_ptr<TDlgAddDrive> changing() { return changingVolume(0); }
  // The change dialog of the volume at index, as the window opens it.
  std::unique_ptr<TDlgAddDrive> changingVolume(std::size_t index) {
    VolumeHeader header;
    EXPECT_EQ(readHeader(m_catalogue.volumes()[index].dataFile, header), ResultCode::Ok);
    auto dialog = std::make_unique<TDlgAddDrive>(
        TDlgAddDrive::Mode::Changing, m_drives,
        scan::DialogContext{&m_catalogue.volumes(), &m_drives, index},
        scan::valuesForChanging(header), std::vector<std::string>{}, m_prompts);
    return dialog;
  }
  // A volume that keeps folder instead of a letter (D: to Z: were taken).
  void addKeptFolderVolume(const std::string& name, const std::string& folder) {
    VolumeHeader h = freshHeader();
    h.name = name;
    h.driveLetter = platform::DriveTable::kFolderKey;
    h.folder = folder;
    const EntryRecord entry{1, "B.TXT", 1, 0, 0x20};
    ASSERT_EQ(
        m_catalogue.addVolume(h, std::span<const EntryRecord>(&entry, 1), TFileCommentList{}),
        ResultCode::Ok);
  }
  // A mount path as the drive list writes it: no trailing "/".
  static QString shownPath(const TempTree& tree) {
    std::string path = tree.root().string();
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    return QString::fromStdString(path);
  }
  template <typename T>
  static T* find(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  TempTree m_cdRoot;
  TempTree m_stickRoot;
  TempTree m_data;
  Catalogue m_catalogue;
  platform::DriveTable m_drives;
  FakeScanPrompts m_prompts;
};

TEST_F(DlgAddDriveTest, AddingShowsEveryControlWithItsLimits) {
  auto dialog = adding();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Datenträger hinzufügen"));
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditName")->maxLength(), 50);
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditWhere")->maxLength(), 50);
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditCount")->maxLength(), 3);
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditCount")->text(), QStringLiteral("1"));
  auto* category = find<QComboBox>(*dialog, "ComboBoxCategory");
  EXPECT_EQ(category->itemText(0), QStringLiteral("<keine Zuordnung>"));
  EXPECT_EQ(category->itemText(1), QStringLiteral("Urlaub"));
  EXPECT_EQ(category->currentText(), QStringLiteral("<keine Zuordnung>"));
  EXPECT_EQ(category->lineEdit()->maxLength(), 50);
  EXPECT_FALSE(find<QCheckBox>(*dialog, "CheckBoxChangeDrives")->isVisibleTo(dialog.get()));
  EXPECT_TRUE(find<QCheckBox>(*dialog, "CheckBoxSerial")->isVisibleTo(dialog.get()));
  EXPECT_FALSE(find<QLineEdit>(*dialog, "EditCount")->isEnabled());
  find<QCheckBox>(*dialog, "CheckBoxSerial")->setChecked(true);
  EXPECT_TRUE(find<QLineEdit>(*dialog, "EditCount")->isEnabled());
  EXPECT_EQ(find<QPushButton>(*dialog, "ButtonCancel")->text(), QStringLiteral("Abbruch"));
  EXPECT_EQ(find<QPushButton>(*dialog, "ButtonHelp")->text(), QStringLiteral("&Hilfe"));
}

TEST_F(DlgAddDriveTest, ChosenDriveProposesItsLabelAndOkNeedsAName) {
  auto dialog = adding('F');
  auto* name = find<QLineEdit>(*dialog, "EditName");
  auto* ok = find<QPushButton>(*dialog, "ButtonOk");
  EXPECT_EQ(name->text(), QStringLiteral("STICK"));
  auto* drives = find<QComboBox>(*dialog, "DriveComboBox");
  drives->setCurrentIndex(drives->findData(QVariant(int{'E'})));
  EXPECT_EQ(name->text(), QStringLiteral("BILDER"));
  EXPECT_EQ(drives->currentText(), QStringLiteral("E:  BILDER  (%1)").arg(shownPath(m_cdRoot)));
  name->clear();
  EXPECT_FALSE(ok->isEnabled());
  name->setText(QStringLiteral("x"));
  EXPECT_TRUE(ok->isEnabled());
}

TEST_F(DlgAddDriveTest, TakenNameKeepsTheDialogOpenWithAWarning) {
  auto dialog = adding('F');
  find<QLineEdit>(*dialog, "EditName")->setText(QStringLiteral("FOTOS"));
  find<QPushButton>(*dialog, "ButtonOk")->click();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  ASSERT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("warning"));
  EXPECT_EQ(m_prompts.shown[0].caption, QStringLiteral("Datenträger hinzufügen"));
  EXPECT_EQ(m_prompts.shown[0].text,
            QStringLiteral("Díe Bezeichnung\n\"FOTOS\"\nwurde bereits für einen anderen\n"
                           "Datenträger vergeben!"));
}

TEST_F(DlgAddDriveTest, KnownLabelIsAskedAndYesAcceptsTheSeries) {
  auto dialog = adding('E');  // label BILDER is stored already
  find<QLineEdit>(*dialog, "EditName")->setText(QStringLiteral("Band %1 von %2"));
  find<QCheckBox>(*dialog, "CheckBoxSerial")->setChecked(true);
  find<QLineEdit>(*dialog, "EditCount")->setText(QStringLiteral("3"));
  find<QPlainTextEdit>(*dialog, "MemoComment")->setPlainText(QStringLiteral("a\nb"));
  find<QPushButton>(*dialog, "ButtonOk")->click();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  m_prompts.answers = {true};
  find<QPushButton>(*dialog, "ButtonOk")->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->seriesCount(), 3);
  const scan::DialogValues values = dialog->values();
  EXPECT_EQ(values.driveLetter, 'E');
  EXPECT_EQ(values.remark, "a\r\nb");
  ASSERT_EQ(m_prompts.shown.size(), 2u);
  EXPECT_TRUE(m_prompts.shown[1].text.startsWith(
      QStringLiteral("Ein Datenträger mit dem gleichen Volume-Label\n(\"BILDER\")")));
}

TEST_F(DlgAddDriveTest, RemarkKeepsAtMost255BytesAsStored) {
  auto dialog = adding();
  auto* memo = find<QPlainTextEdit>(*dialog, "MemoComment");
  memo->setPlainText(QString(300, QLatin1Char('m')));
  EXPECT_EQ(memo->toPlainText().size(), 255);
  // Each line break is stored as CR LF: 100 lines of "x" take 299 bytes.
  memo->setPlainText(QStringLiteral("x\n").repeated(100));
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("x\n").repeated(85));
  EXPECT_EQ(dialog->values().remark.size(), 255u);
  // In UTF-8 (Ω does not fit Windows-1252) "ä" takes two bytes.
  memo->setPlainText(QChar(0x03A9) + QString(200, QChar(0x00E4)));
  EXPECT_EQ(memo->toPlainText().size(), 1 + 126);
}

TEST_F(DlgAddDriveTest, ChangingHidesTheSeriesAndRestoresTheDriveAfterNo) {
  auto dialog = changing();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Datenträger-Informationen ändern"));
  EXPECT_FALSE(find<QCheckBox>(*dialog, "CheckBoxSerial")->isVisibleTo(dialog.get()));
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditName")->text(), QStringLiteral("Fotos"));
  auto* drives = find<QComboBox>(*dialog, "DriveComboBox");
  auto* changeAll = find<QCheckBox>(*dialog, "CheckBoxChangeDrives");
  EXPECT_FALSE(changeAll->isEnabled());
  drives->setCurrentIndex(drives->findData(QVariant(int{'E'})));
  EXPECT_TRUE(changeAll->isEnabled());
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditName")->text(), QStringLiteral("Fotos"));
  find<QPushButton>(*dialog, "ButtonOk")->click();  // CD-ROM instead of removable: No
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(drives->currentData().toInt(), int{'F'});
  EXPECT_FALSE(changeAll->isEnabled());
  ASSERT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_TRUE(m_prompts.shown[0].text.startsWith(QStringLiteral("Der Laufwerkstyp")));
}

TEST_F(DlgAddDriveTest, ImageFileReplacesTheDriveAndProposesItsName) {
  auto dialog = adding('F');
  auto* button = find<QPushButton>(*dialog, "ButtonImageFile");
  auto* shown = find<QLabel>(*dialog, "LabelImageFile");
  EXPECT_EQ(button->text(), QStringLiteral("Abbilddatei ..."));
  EXPECT_TRUE(button->isVisibleTo(dialog.get()));
  EXPECT_FALSE(shown->isVisibleTo(dialog.get()));
  QString answer;
  dialog->setImageChooser([&answer](QWidget*) { return answer; });
  button->click();  // cancelled: the drive stays
  EXPECT_TRUE(dialog->values().imageFile.empty());

  const std::filesystem::path image = m_data.root() / "Urlaub Rom.zip";
  std::ofstream(image) << "kein Abbild";
  answer = QString::fromStdString(image.string());
  find<QCheckBox>(*dialog, "CheckBoxSerial")->setChecked(true);
  button->click();
  EXPECT_TRUE(shown->isVisibleTo(dialog.get()));
  EXPECT_EQ(shown->text(), QStringLiteral("Abbilddatei: ") + answer);
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditName")->text(), QStringLiteral("Urlaub Rom"));
  EXPECT_FALSE(find<QCheckBox>(*dialog, "CheckBoxSerial")->isEnabled());
  EXPECT_FALSE(dialog->values().serial);
  EXPECT_EQ(dialog->values().imageFile, image);
  find<QPushButton>(*dialog, "ButtonOk")->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->seriesCount(), 0);

  auto* drives = find<QComboBox>(*dialog, "DriveComboBox");
  drives->setCurrentIndex(drives->findData(QVariant(int{'E'})));
  EXPECT_TRUE(dialog->values().imageFile.empty());
  EXPECT_FALSE(shown->isVisibleTo(dialog.get()));
  EXPECT_TRUE(find<QCheckBox>(*dialog, "CheckBoxSerial")->isEnabled());
}

TEST_F(DlgAddDriveTest, ImageFileIsNotOfferedWhenChanging) {
  auto dialog = changing();
  EXPECT_FALSE(find<QPushButton>(*dialog, "ButtonImageFile")->isVisibleTo(dialog.get()));
}

// Media as a user knows them: the label and where the medium is mounted,
// in the add and in the change dialog alike.
TEST_F(DlgAddDriveTest, MediaAreListedByLabelAndMountPath) {
  std::vector<std::unique_ptr<TDlgAddDrive>> dialogs;
  dialogs.push_back(adding());
  dialogs.push_back(changing());
  for (const auto& dialog : dialogs) {
    auto* drives = find<QComboBox>(*dialog, "DriveComboBox");
    EXPECT_GE(drives->findText(QStringLiteral("E:  BILDER  (%1)").arg(shownPath(m_cdRoot))), 0);
    EXPECT_GE(drives->findText(QStringLiteral("F:  STICK  (%1)").arg(shownPath(m_stickRoot))), 0);
  }
}

TEST_F(DlgAddDriveTest, FolderReplacesTheDriveProposesItsNameAndSkipsTheLabelQuestion) {
  auto dialog = adding('E');  // BILDER is catalogued already: a drive would ask
  dialog->show();
  auto* button = find<QPushButton>(*dialog, "ButtonFolder");
  auto* shown = find<QLabel>(*dialog, "LabelImageFile");
  EXPECT_EQ(button->text(), QStringLiteral("&Ordner ..."));
  QString answer;
  dialog->setFolderChooser([&answer](QWidget*) { return answer; });
  QTest::mouseClick(button, Qt::LeftButton);  // cancelled: the drive stays
  EXPECT_TRUE(dialog->values().folder.empty());
  EXPECT_FALSE(shown->isVisibleTo(dialog.get()));

  TempTree folder;
  const std::filesystem::path archive = folder.root() / "Archiv 2019";
  std::filesystem::create_directories(archive);
  answer = QString::fromStdString(archive.string());
  find<QCheckBox>(*dialog, "CheckBoxSerial")->setChecked(true);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(shown->text(), QStringLiteral("Ordner: ") + answer);
  EXPECT_TRUE(shown->isVisibleTo(dialog.get()));
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditName")->text(), QStringLiteral("Archiv 2019"));
  EXPECT_FALSE(find<QCheckBox>(*dialog, "CheckBoxSerial")->isEnabled());
  EXPECT_EQ(dialog->values().folder, archive);
  EXPECT_TRUE(dialog->values().imageFile.empty());
  QTest::mouseClick(find<QPushButton>(*dialog, "ButtonOk"), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->seriesCount(), 0);
  EXPECT_TRUE(m_prompts.shown.empty()) << m_prompts.shown.front().text.toStdString();

  // The drive list names no drive while the folder is read.
  auto* drives = find<QComboBox>(*dialog, "DriveComboBox");
  EXPECT_EQ(drives->currentIndex(), -1);
  EXPECT_EQ(drives->placeholderText(), QStringLiteral("(der gewählte Ordner)"));
  drives->setCurrentIndex(drives->findData(QVariant(int{'F'})));
  EXPECT_TRUE(dialog->values().folder.empty());
  EXPECT_FALSE(shown->isVisibleTo(dialog.get()));
}

// A volume that keeps its folder instead of a letter (D: to Z: were taken)
// opens the change dialog with that folder chosen, and OK asks nothing.
TEST_F(DlgAddDriveTest, ChangingAVolumeThatKeepsItsFolderStartsWithThatFolder) {
  const std::string folder = m_stickRoot.root().string();
  addKeptFolderVolume("Weit", folder);
  const auto changing = changingVolume(1);
  TDlgAddDrive& dialog = *changing;
  dialog.show();
  EXPECT_EQ(find<QLabel>(dialog, "LabelImageFile")->text(),
            QStringLiteral("Ordner: ") + QString::fromStdString(folder));
  EXPECT_EQ(find<QComboBox>(dialog, "DriveComboBox")->currentIndex(), -1);
  EXPECT_EQ(dialog.values().folder, folder);
  EXPECT_FALSE(find<QCheckBox>(dialog, "CheckBoxChangeDrives")->isEnabled());
  QTest::mouseClick(find<QPushButton>(dialog, "ButtonOk"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(m_prompts.shown.empty()) << m_prompts.shown.front().text.toStdString();
}

// With its .ORD file lost the volume shows "?" as its root; the change
// dialog must not propose the first drive of the list instead, or OK would
// move the volume there (its paths would name that drive from then on).
TEST_F(DlgAddDriveTest, ChangingAVolumeWhoseKeptFolderIsLostProposesNoDrive) {
  addKeptFolderVolume("Verloren", m_stickRoot.root().string());
  ASSERT_TRUE(removeFolderFile(m_catalogue.volumes()[1].dataFile));
  const auto changing = changingVolume(1);
  TDlgAddDrive& dialog = *changing;
  dialog.show();
  auto* drives = find<QComboBox>(dialog, "DriveComboBox");
  EXPECT_EQ(drives->currentIndex(), -1);
  EXPECT_EQ(drives->placeholderText(), QStringLiteral("?"));
  EXPECT_FALSE(find<QCheckBox>(dialog, "CheckBoxChangeDrives")->isEnabled());
  find<QLineEdit>(dialog, "EditName")->setText(QStringLiteral("Verloren 2"));
  QTest::mouseClick(find<QPushButton>(dialog, "ButtonOk"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(m_prompts.shown.empty()) << m_prompts.shown.front().text.toStdString();
  EXPECT_EQ(dialog.values().driveLetter, platform::DriveTable::kFolderKey);
  EXPECT_TRUE(dialog.values().folder.empty());
}

TEST_F(DlgAddDriveTest, ChangingOffersAFolderButKeepsTheNameAndNoChangeOnAll) {
  auto dialog = changing();
  dialog->show();
  auto* button = find<QPushButton>(*dialog, "ButtonFolder");
  EXPECT_TRUE(button->isVisibleTo(dialog.get()));
  TempTree folder;
  dialog->setFolderChooser([&folder](QWidget*) { return QString::fromStdString(folder.root()); });
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(dialog->values().folder, folder.root());
  EXPECT_EQ(find<QLineEdit>(*dialog, "EditName")->text(), QStringLiteral("Fotos"));
  EXPECT_FALSE(find<QCheckBox>(*dialog, "CheckBoxChangeDrives")->isEnabled());
  EXPECT_FALSE(dialog->values().changeAllDrives);
}

TEST_F(DlgAddDriveTest, NestedMountsAreReadOnlyWhenTheUserAsks) {
  auto dialog = adding();
  auto* option = find<QCheckBox>(*dialog, "CheckBoxNestedMounts");
  EXPECT_TRUE(option->isVisibleTo(dialog.get()));
  EXPECT_FALSE(option->isChecked());
  EXPECT_EQ(dialog->values().nestedMounts, scan::NestedMounts::Skip);
  dialog->show();
  QTest::mouseClick(option, Qt::LeftButton);
  EXPECT_EQ(dialog->values().nestedMounts, scan::NestedMounts::Read);
  const auto changed = changing();
  EXPECT_FALSE(find<QCheckBox>(*changed, "CheckBoxNestedMounts")->isVisibleTo(changed.get()));
}

}  // namespace
}  // namespace diskindex::ui
