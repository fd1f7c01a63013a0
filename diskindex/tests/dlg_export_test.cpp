#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "diskindex/tests/export_prompts_fake.h"
#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

using exporting::InfoField;
using testing::FakeExportPrompts;

using testing::itemTexts;

template <typename T>
T* child(QWidget& dialog, const char* name) {
  return testing::namedChild<T>(dialog, name);
}

class DlgInfoExportTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ensureApplication(); }
  exporting::InfoExportOptions options(std::vector<InfoField> fields, std::string sep = "\t") {
    exporting::InfoExportOptions o;
    o.fields = std::move(fields);
    o.separator = std::move(sep);
    return o;
  }
  FakeExportPrompts m_prompts;
};

TEST_F(DlgInfoExportTest, OpensWithTheRememberedFieldsInOrderAndTheRestSortedByName) {
  TDlgInfoExport dialog(options({InfoField::Label, InfoField::VolumeName}), "/tmp/a.lst",
                        m_prompts);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Datenträger-Informationen exportieren"));
  EXPECT_EQ(itemTexts(child<QListWidget>(dialog, "ListBoxExport")),
            (QStringList{"Volume-Label", "Datenträger-Bezeichnung"}));
  const QStringList available = itemTexts(child<QListWidget>(dialog, "ListBoxFields"));
  ASSERT_EQ(available.size(), 10);
  EXPECT_EQ(available.front(), QStringLiteral("Anzahl Dateien"));
  EXPECT_EQ(available.back(), QStringLiteral("Speicherkapazität"));
  EXPECT_TRUE(child<QRadioButton>(dialog, "RadioTab")->isChecked());
  EXPECT_EQ(child<QLineEdit>(dialog, "EditSeparator")->text(), QStringLiteral(";"));
  EXPECT_FALSE(child<QLineEdit>(dialog, "EditSeparator")->isEnabled());
  EXPECT_TRUE(child<QRadioButton>(dialog, "RadioCategory")->isChecked());
  EXPECT_EQ(dialog.options().separator, "\t");
}

TEST_F(DlgInfoExportTest, FieldsMoveAcrossByButtonsDoubleClickAndBackspaceAndChangeOrder) {
  TDlgInfoExport dialog(options({}), "x", m_prompts);
  auto* available = child<QListWidget>(dialog, "ListBoxFields");
  auto* exported = child<QListWidget>(dialog, "ListBoxExport");
  EXPECT_FALSE(child<QPushButton>(dialog, "ButtonRemove")->isEnabled()) << "export list empty";
  available->setCurrentRow(3);  // "Bemerkung"
  child<QPushButton>(dialog, "ButtonAdd")->click();
  emit available->itemDoubleClicked(available->item(0));  // "Anzahl Dateien"
  available->setCurrentRow(available->count() - 1);       // "Volume-Label"
  QTest::keyClick(available, Qt::Key_Backspace);
  EXPECT_EQ(dialog.options().fields,
            (std::vector<InfoField>{InfoField::Remark, InfoField::FileCount, InfoField::Label}));
  EXPECT_FALSE(child<QPushButton>(dialog, "ButtonDown")->isEnabled()) << "the last is current";
  child<QPushButton>(dialog, "ButtonUp")->click();
  child<QPushButton>(dialog, "ButtonUp")->click();
  EXPECT_EQ(dialog.options().fields,
            (std::vector<InfoField>{InfoField::Label, InfoField::Remark, InfoField::FileCount}));
  exported->setCurrentRow(1);
  QTest::keyClick(exported, Qt::Key_Backspace);
  EXPECT_EQ(dialog.options().fields,
            (std::vector<InfoField>{InfoField::Label, InfoField::FileCount}));
  EXPECT_EQ(itemTexts(available).indexOf(QStringLiteral("Bemerkung")), 2)
      << "back at its sorted place";
  child<QPushButton>(dialog, "ButtonAddAll")->click();
  EXPECT_EQ(exported->count(), 12);
  EXPECT_FALSE(child<QPushButton>(dialog, "ButtonAdd")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(dialog, "ButtonAddAll")->isEnabled());
  child<QPushButton>(dialog, "ButtonRemoveAll")->click();
  EXPECT_EQ(available->count(), 12);
  EXPECT_TRUE(dialog.options().fields.empty());
}

TEST_F(DlgInfoExportTest, OkNeedsATargetAndAnotherSeparatorItsCharacter) {
  TDlgInfoExport dialog(options({InfoField::VolumeName}, ";"), "", m_prompts);
  auto* ok = child<QPushButton>(dialog, "ButtonOk");
  EXPECT_TRUE(child<QRadioButton>(dialog, "RadioOther")->isChecked());
  EXPECT_FALSE(ok->isEnabled());
  m_prompts.targetFiles.push_back(QStringLiteral("/tmp/gewählt.lst"));
  child<QPushButton>(dialog, "ButtonBrowse")->click();
  EXPECT_EQ(dialog.target(), QStringLiteral("/tmp/gewählt.lst"));
  EXPECT_TRUE(ok->isEnabled());
  child<QLineEdit>(dialog, "EditSeparator")->clear();
  EXPECT_FALSE(ok->isEnabled());
  child<QLineEdit>(dialog, "EditSeparator")->setText(QStringLiteral("|"));
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_EQ(dialog.options().separator, "|");
  child<QRadioButton>(dialog, "RadioAll")->setChecked(true);
  EXPECT_TRUE(dialog.options().allVolumes);
  child<QLineEdit>(dialog, "EditTarget")->setText(QStringLiteral("   "));
  EXPECT_FALSE(ok->isEnabled());
}

class DlgTreeExportTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ensureApplication(); }
  FakeExportPrompts m_prompts;
};

TEST_F(DlgTreeExportTest, EachModeShowsItsCaptionAndOnlyItsControls) {
  exporting::TreeExportOptions options;
  TDlgTreeExport exportDialog(TDlgTreeExport::Mode::Export, options, "CD 1", "/tmp/t.lst",
                              m_prompts);
  EXPECT_EQ(exportDialog.windowTitle(), QStringLiteral("Datenträgerinhalt exportieren"));
  EXPECT_NE(exportDialog.findChild<QCheckBox*>(QStringLiteral("CheckAppend")), nullptr);
  EXPECT_NE(exportDialog.findChild<QLineEdit*>(QStringLiteral("EditHeading")), nullptr);
  EXPECT_EQ(exportDialog.findChild<QLabel*>(QStringLiteral("LabelPrinter")), nullptr);

  TDlgTreeExport printDialog(TDlgTreeExport::Mode::Print, options, "CD 1", "", m_prompts);
  EXPECT_EQ(printDialog.windowTitle(), QStringLiteral("Datenträgerinhalt drucken"));
  EXPECT_EQ(printDialog.findChild<QLineEdit*>(QStringLiteral("EditTarget")), nullptr);
  EXPECT_NE(printDialog.findChild<QLabel*>(QStringLiteral("LabelPrinter")), nullptr);
  EXPECT_TRUE(child<QPushButton>(printDialog, "ButtonOk")->isEnabled()) << "no target needed";

  TDlgTreeExport copyDialog(TDlgTreeExport::Mode::Copy, options, "CD 1", "", m_prompts);
  EXPECT_EQ(copyDialog.windowTitle(), QStringLiteral("Datenträgerinhalt kopieren"));
  EXPECT_EQ(copyDialog.findChild<QLineEdit*>(QStringLiteral("EditHeading")), nullptr);
  EXPECT_EQ(copyDialog.findChild<QCheckBox*>(QStringLiteral("CheckAppend")), nullptr);
}

TEST_F(DlgTreeExportTest, ChoicesRoundTripAndTheVolumeNameGoesIntoTheHeading) {
  exporting::TreeExportOptions options;
  options.selectedDirectory = true;
  options.lines.paths = true;
  options.lines.content = exporting::TreeContent::FilesOnly;
  options.append = true;
  TDlgTreeExport dialog(TDlgTreeExport::Mode::Export, options, "Werkzeug", "", m_prompts);
  EXPECT_TRUE(child<QRadioButton>(dialog, "RadioSelectedDir")->isChecked());
  EXPECT_TRUE(child<QRadioButton>(dialog, "RadioPaths")->isChecked());
  EXPECT_TRUE(child<QRadioButton>(dialog, "RadioFilesOnly")->isChecked());
  EXPECT_TRUE(child<QCheckBox>(dialog, "CheckAppend")->isChecked());
  EXPECT_FALSE(child<QPushButton>(dialog, "ButtonOk")->isEnabled()) << "no target yet";
  child<QLineEdit>(dialog, "EditTarget")->setText(QStringLiteral("baum.lst"));
  EXPECT_TRUE(child<QPushButton>(dialog, "ButtonOk")->isEnabled());

  child<QRadioButton>(dialog, "RadioWholeVolume")->setChecked(true);
  child<QRadioButton>(dialog, "RadioTree")->setChecked(true);
  child<QRadioButton>(dialog, "RadioDirsOnly")->setChecked(true);
  child<QCheckBox>(dialog, "CheckAppend")->setChecked(false);
  auto* heading = child<QLineEdit>(dialog, "EditHeading");
  heading->setText(QStringLiteral("Inhalt von "));
  child<QPushButton>(dialog, "ButtonInsertName")->click();
  const exporting::TreeExportOptions chosen = dialog.options();
  EXPECT_FALSE(chosen.selectedDirectory);
  EXPECT_FALSE(chosen.lines.paths);
  EXPECT_EQ(chosen.lines.content, exporting::TreeContent::DirectoriesOnly);
  EXPECT_FALSE(chosen.append);
  EXPECT_EQ(chosen.heading, "Inhalt von Werkzeug");
  EXPECT_EQ(dialog.target(), QStringLiteral("baum.lst"));
}

}  // namespace
}  // namespace diskindex::ui
