#include "diskindex/ui/dlg_categories.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

using testing::FakePrompts;

class DlgCategoriesTest : public ::testing::Test {
 protected:
  DlgCategoriesTest() { testing::ensureApplication(); }

  TDlgCategories& open(const std::vector<std::string>& categories, const std::string& filter,
                       bool select = false) {
    m_dialog = std::make_unique<TDlgCategories>(categories, filter, select, m_prompts);
    m_dialog->show();
    return *m_dialog;
  }
  template <typename T>
  T* child(const char* name) {
    T* widget = m_dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void click(const char* name) { child<QPushButton>(name)->click(); }
  QStringList items() {
    QStringList out;
    auto* list = child<QListWidget>("ListBoxCategories");
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
  }
  QString current() {
    auto* item = child<QListWidget>("ListBoxCategories")->currentItem();
    return item ? item->text() : QStringLiteral("(none)");
  }
  QLineEdit* edit() { return child<QLineEdit>("EditCategory"); }

  FakePrompts m_prompts;
  std::unique_ptr<TDlgCategories> m_dialog;
};

TEST_F(DlgCategoriesTest, OpensOnTheFilterCategoryWithTheEditFieldHidden) {
  TDlgCategories& dialog = open({"Spiele", "Archiv", "Musik"}, "Musik");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kategorien verwalten"));
  EXPECT_EQ(items(), (QStringList{"Archiv", "Musik", "Spiele"}));
  EXPECT_EQ(current(), QStringLiteral("Musik"));
  EXPECT_TRUE(edit()->isHidden());
  EXPECT_TRUE(child<QPushButton>("ButtonRename")->isEnabled());
  EXPECT_FALSE(child<QCheckBox>("CheckBoxSelect")->isChecked());
  EXPECT_EQ(child<QCheckBox>("CheckBoxSelect")->text(),
            QStringLiteral("&Selektierte Kategorie auswählen"));
}

TEST_F(DlgCategoriesTest, NewCategoryIsProposedSelectedAndInsertedSorted) {
  TDlgCategories& dialog = open({"Musik"}, "<ALLE>");
  EXPECT_EQ(current(), QStringLiteral("Musik"));
  click("ButtonNew");
  EXPECT_FALSE(edit()->isHidden());
  EXPECT_EQ(edit()->text(), QStringLiteral("Kategorie1"));
  EXPECT_EQ(edit()->selectedText(), QStringLiteral("Kategorie1"));
  edit()->setText(QStringLiteral("  Archiv"));
  click("ButtonOk");
  EXPECT_TRUE(edit()->isHidden());
  EXPECT_TRUE(dialog.isVisible());  // Ok with the edit field open stays in the dialog
  EXPECT_EQ(items(), (QStringList{"Archiv", "Musik"}));
  EXPECT_EQ(current(), QStringLiteral("Archiv"));
  click("ButtonNew");
  EXPECT_EQ(edit()->text(), QStringLiteral("Kategorie2"));
}

TEST_F(DlgCategoriesTest, SpieleIsRefusedNextToSpieleAndTheEditKeepsItsText) {
  TDlgCategories& dialog = open({"spiele"}, "");
  click("ButtonNew");
  edit()->setText(QStringLiteral("Spiele"));
  click("ButtonOk");
  ASSERT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("warning"));
  EXPECT_EQ(m_prompts.shown[0].caption, QStringLiteral("Kategorien verwalten"));
  EXPECT_EQ(m_prompts.shown[0].text, QStringLiteral("Eintrag existiert bereits!"));
  EXPECT_FALSE(edit()->isHidden());
  EXPECT_EQ(edit()->selectedText(), QStringLiteral("Spiele"));
  EXPECT_EQ(items(), (QStringList{"spiele"}));
  edit()->setText(QStringLiteral("   "));
  click("ButtonOk");
  ASSERT_EQ(m_prompts.shown.size(), 2u);
  EXPECT_EQ(m_prompts.shown[1].text, QStringLiteral("Eintrag darf nicht leer sein!"));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(DlgCategoriesTest, RenameThenRemoveMovesTheSelectionAndDisablesAtTheEnd) {
  open({"A", "B"}, "B");
  click("ButtonRename");
  EXPECT_EQ(edit()->text(), QStringLiteral("B"));
  edit()->setText(QStringLiteral("C"));
  click("ButtonOk");
  EXPECT_EQ(items(), (QStringList{"A", "C"}));
  EXPECT_EQ(current(), QStringLiteral("C"));
  click("ButtonRemove");
  EXPECT_EQ(current(), QStringLiteral("A"));  // the previous one at the end
  click("ButtonRemove");
  EXPECT_TRUE(items().isEmpty());
  EXPECT_FALSE(child<QPushButton>("ButtonRename")->isEnabled());
  EXPECT_FALSE(child<QPushButton>("ButtonRemove")->isEnabled());
  EXPECT_TRUE(edit()->text().isEmpty());
}

TEST_F(DlgCategoriesTest, NoToTheDeletionQuestionKeepsTheDialogOpen) {
  TDlgCategories& dialog = open({"A", "B"}, "A");
  click("ButtonRemove");
  click("ButtonOk");
  ASSERT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("question"));
  EXPECT_EQ(m_prompts.shown[0].text,
            QStringLiteral("Den gelöschten Kategorien sind ggf. bereits\nDatenträger zugeordnet.\n"
                           "Soll die Operation fortgesetzt werden und die\nbetreffenden "
                           "Datenträger in die Kategorie \n<keine Zuordnung> verschoben werden?"));
  EXPECT_TRUE(dialog.isVisible());
  m_prompts.answers = {true};
  click("ButtonOk");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.editResult().changes.deletions(), (std::vector<std::string>{"A"}));
}

TEST_F(DlgCategoriesTest, OkWithoutDeletionsAsksNothingAndHandsBackTheEdit) {
  TDlgCategories& dialog = open({"A"}, "A", true);
  click("ButtonRename");
  edit()->setText(QStringLiteral("Z"));
  QTest::keyClick(edit(), Qt::Key_Return);  // Enter is Ok
  EXPECT_TRUE(dialog.isVisible());
  click("ButtonOk");
  EXPECT_TRUE(m_prompts.shown.empty());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const CategoryEditResult result = dialog.editResult();
  EXPECT_EQ(result.selected, "Z");
  EXPECT_TRUE(dialog.selectCategory());
  ASSERT_EQ(result.changes.renames().size(), 1u);
  EXPECT_EQ(result.changes.renames()[0].to, "Z");
}

TEST_F(DlgCategoriesTest, TheNameFieldCountsStoredBytesAsTypedAndRefusesMore) {
  open({}, "");
  click("ButtonNew");
  auto* edit = child<QLineEdit>("EditCategory");
  ASSERT_TRUE(edit->isVisible());
  const auto typed = [&](const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // Key events carrying each character, as a keyboard layout sends them
    // (QTest::keyClicks takes ASCII only).
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &press);
      QApplication::sendEvent(edit, &release);
    }
    return edit->text();
  };
  // Greek and Cyrillic letters take two bytes each: 25 fit, not 50.
  EXPECT_EQ(typed(QString(30, QChar(0x03A9))), QString(25, QChar(0x03A9)));
  EXPECT_EQ(typed(QString(40, QChar(0x0416))), QString(25, QChar(0x0416)));
  EXPECT_EQ(typed(QStringLiteral("x").repeated(60)), QStringLiteral("x").repeated(50));
  EXPECT_EQ(typed(QStringLiteral("Ä") + QStringLiteral("x").repeated(49)),
            QStringLiteral("Ä") + QStringLiteral("x").repeated(48))
      << "an umlaut counts twice";
}

}  // namespace
}  // namespace diskindex::ui
