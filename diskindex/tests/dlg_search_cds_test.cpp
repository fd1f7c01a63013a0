#include "diskindex/ui/dlg_search_cds.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

class SearchDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ensureApplication();
    for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta"}) {
      VolumeRecord r;
      r.name = name;
      r.dataFile = std::string("/d/") + name;
      if (r.name == "Bravo" || r.name == "Delta") r.category = "Spiele";
      m_volumes.insert(r);
    }
  }
  template <typename T>
  static T* child(QWidget& dialog, const char* name) {
    return testing::namedChild<T>(dialog, name);
  }
  static QStringList names(const QListWidget* list) { return testing::itemTexts(list); }

  VolumeList m_volumes;
};

TEST_F(SearchDialogTest, ParameterPageFollowsTheRulesOfEachChoice) {
  search::SearchParams p;
  p.text = "brief";
  p.dirNames = false;
  TDlgSearchCDs dialog(TDlgSearchCDs::Scope::CurrentVolume, p, {"brief", "*.txt"});
  dialog.show();
  EXPECT_EQ(child<QTabWidget>(dialog, "PageControl")->count(), 1) << "no volume page";
  EXPECT_TRUE(child<QCheckBox>(dialog, "CheckSelectedDir")->isVisible());
  EXPECT_TRUE(child<QRadioButton>(dialog, "RadioFileNames")->isChecked());
  auto* text = child<QComboBox>(dialog, "ComboBoxSearch");
  EXPECT_EQ(text->count(), 2);
  auto* ok = child<QPushButton>(dialog, "ButtonOk");
  EXPECT_TRUE(ok->isEnabled());
  text->setEditText(QString());
  EXPECT_FALSE(ok->isEnabled()) << "Ok needs a search text";
  text->setEditText(QString(100, QLatin1Char('x')));
  EXPECT_EQ(dialog.params().text.size(), 80u);
  auto* caseBox = child<QCheckBox>(dialog, "CheckCase");
  EXPECT_FALSE(caseBox->isEnabled()) << "case only for remark text";
  child<QRadioButton>(dialog, "RadioRemarks")->setChecked(true);
  EXPECT_TRUE(caseBox->isEnabled());
  caseBox->setChecked(true);
  child<QCheckBox>(dialog, "CheckWholeWord")->setChecked(true);
  text->setEditText(QStringLiteral("übersicht"));
  const search::SearchParams back = dialog.params();
  EXPECT_EQ(back.text, "übersicht");
  EXPECT_TRUE(back.remarks && back.caseSensitive && back.wholeWord);
  EXPECT_FALSE(back.fileNames || back.dirNames);
  child<QRadioButton>(dialog, "RadioBoth")->setChecked(true);
  EXPECT_TRUE(dialog.params().fileNames && dialog.params().dirNames);
}

TEST_F(SearchDialogTest, VolumesMoveAcrossByButtonsDoubleClickAndBackspace) {
  TDlgSearchCDs dialog(TDlgSearchCDs::Scope::ManyVolumes, {}, {});
  dialog.setVolumes(m_volumes, {2}, {"Spiele"});
  dialog.show();
  EXPECT_FALSE(child<QCheckBox>(dialog, "CheckSelectedDir")->isVisible());
  child<QTabWidget>(dialog, "PageControl")->setCurrentIndex(1);
  auto* left = child<QListWidget>(dialog, "ListAvailable");
  auto* right = child<QListWidget>(dialog, "ListChosen");
  EXPECT_EQ(names(left), (QStringList{"Alpha", "Bravo", "Delta"}));
  EXPECT_EQ(names(right), (QStringList{"Charlie"}));
  left->item(1)->setSelected(true);
  left->item(2)->setSelected(true);
  child<QPushButton>(dialog, "ButtonMoveRight")->click();
  EXPECT_EQ(names(right), (QStringList{"Bravo", "Charlie", "Delta"})) << "kept in name order";
  child<QPushButton>(dialog, "ButtonMoveAllRight")->click();
  EXPECT_EQ(left->count(), 0);
  EXPECT_FALSE(child<QPushButton>(dialog, "ButtonMoveRight")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(dialog, "ButtonMoveAllRight")->isEnabled());
  child<QPushButton>(dialog, "ButtonMoveAllLeft")->click();
  EXPECT_EQ(right->count(), 0);
  EXPECT_FALSE(child<QPushButton>(dialog, "ButtonMoveLeft")->isEnabled());
  emit left->itemDoubleClicked(left->item(0));
  EXPECT_EQ(names(right), (QStringList{"Alpha"}));
  right->setCurrentRow(0);
  right->setFocus();
  QTest::keyClick(right, Qt::Key_Backspace);
  EXPECT_EQ(right->count(), 0);
  left->clearSelection();
  left->setCurrentRow(3);
  left->item(3)->setSelected(true);
  QTest::keyClick(left, Qt::Key_Backspace);
  EXPECT_EQ(dialog.chosenVolumes(), (std::vector<std::size_t>{3}));
}

TEST_F(SearchDialogTest, CategoryFilterNarrowsOnlyTheAvailableList) {
  TDlgSearchCDs dialog(TDlgSearchCDs::Scope::ManyVolumes, {}, {});
  dialog.setVolumes(m_volumes, {0}, {"Spiele"});
  auto* category = child<QComboBox>(dialog, "ComboBoxSearchCategory");
  ASSERT_EQ(category->count(), 3);
  EXPECT_EQ(category->itemText(0), QStringLiteral("<ALLE>"));
  category->setCurrentIndex(2);
  EXPECT_EQ(names(child<QListWidget>(dialog, "ListAvailable")), (QStringList{"Bravo", "Delta"}));
  EXPECT_EQ(names(child<QListWidget>(dialog, "ListChosen")), (QStringList{"Alpha"}))
      << "chosen volumes stay whatever the filter";
  category->setCurrentIndex(1);
  EXPECT_EQ(names(child<QListWidget>(dialog, "ListAvailable")), (QStringList{"Charlie"}));
  child<QPushButton>(dialog, "ButtonMoveAllRight")->click();
  EXPECT_EQ(dialog.chosenVolumes(), (std::vector<std::size_t>{0, 2}))
      << "\"all\" moves what the filter shows";
}

}  // namespace
}  // namespace diskindex::ui
