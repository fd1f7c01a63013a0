#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <functional>
#include <string_view>

#include "diskindex/core/file_io.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_add_drive.h"
#include "diskindex/ui/dlg_categories.h"

namespace diskindex::ui {
namespace {

namespace fs = std::filesystem;
using testing::MainFormTest;

// Opens of paths starting with this fail as a folder without write access would.
std::string g_blockedPrefix;
int blockedOpen(const char* path, int flags, mode_t mode) {
  if (std::string_view(path).starts_with(g_blockedPrefix)) {
    errno = EACCES;
    return -1;
  }
  return systemFileOps().open(path, flags, mode);
}

template <typename Dialog>
Dialog* openDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<Dialog*>(widget);
    if (dialog != nullptr && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

class FormCategoriesTest : public MainFormTest {
 protected:
  // Runs the steps in the categories dialog once its modal loop runs; the
  // steps end it (Ok or Abbruch).
  void categories(std::function<void(TDlgCategories&)> steps) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      TDlgCategories* dialog = openDialog<TDlgCategories>();
      ASSERT_NE(dialog, nullptr) << "the dialog did not open";
      ran = true;
      steps(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    ASSERT_TRUE(m_form->actions().categories->isEnabled());
    m_form->actions().categories->trigger();
    EXPECT_TRUE(ran);
  }
  static void click(TDlgCategories& dialog, const char* name) {
    dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click();
  }
  static void typeName(TDlgCategories& dialog, const char* text) {
    dialog.findChild<QLineEdit*>(QStringLiteral("EditCategory"))->setText(QString::fromUtf8(text));
    click(dialog, "ButtonOk");
  }
  static void selectEntry(TDlgCategories& dialog, const char* name) {
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListBoxCategories"));
    const auto found = list->findItems(QString::fromUtf8(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    list->setCurrentItem(found[0]);
  }
  std::string fileCategory(const std::string& volume) {
    const auto index = m_form->state().catalogue.volumes().findByName(volume);
    if (!index) return "(missing)";
    VolumeHeader header;
    EXPECT_EQ(readHeader(m_form->state().catalogue.volumes()[*index].dataFile, header),
              ResultCode::Ok);
    return header.category;
  }
  QStringList comboItems() {
    auto* combo = child<QComboBox>("ComboBoxCategory");
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
  }
  void chooseFilter(const QString& entry) {
    auto* combo = child<QComboBox>("ComboBoxCategory");
    combo->setCurrentIndex(combo->findText(entry));
    emit combo->activated(combo->currentIndex());
  }
};

TEST_F(FormCategoriesTest, RenamesAToBToCRewriteTheVolumesOfAToC) {
  addVolume("Doom", "A");
  addVolume("Quake", "A");
  addVolume("Tetris", "Z");
  start();
  chooseFilter(QStringLiteral("A"));
  categories([](TDlgCategories& dialog) {
    click(dialog, "ButtonRename");
    typeName(dialog, "B");
    click(dialog, "ButtonRename");
    typeName(dialog, "C");
    click(dialog, "ButtonOk");
  });
  EXPECT_EQ(fileCategory("Doom"), "C");
  EXPECT_EQ(fileCategory("Quake"), "C");
  EXPECT_EQ(fileCategory("Tetris"), "Z");
  EXPECT_TRUE(m_prompts->shown.empty());
  EXPECT_EQ(comboItems(), (QStringList{"<ALLE>", "<keine Zuordnung>", "C", "Z"}));
  // The filter follows its category to the new name.
  EXPECT_EQ(child<QComboBox>("ComboBoxCategory")->currentText(), QStringLiteral("C"));
  EXPECT_EQ(tree()->model()->rowCount(), 2);
  EXPECT_EQ(status(), QStringLiteral(" 3 Datenträger erfaßt, 2 in ausgewählter Kategorie"));

  // The add dialog offers the new list.
  QStringList offered;
  QTimer::singleShot(0, [&] {
    TDlgAddDrive* dialog = openDialog<TDlgAddDrive>();
    ASSERT_NE(dialog, nullptr);
    auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("ComboBoxCategory"));
    for (int i = 0; i < combo->count(); ++i) offered << combo->itemText(i);
    dialog->reject();
  });
  m_form->onAddVolume();
  EXPECT_EQ(offered, (QStringList{"<keine Zuordnung>", "C", "Z"}));
}

TEST_F(FormCategoriesTest, NoToTheDeletionQuestionKeepsTheDialogAndChangesNothing) {
  addVolume("Doom", "Spiele");
  start();
  const fs::path file = m_form->state().catalogue.volumes()[0].dataFile;
  const std::vector<std::uint8_t> before = [&] {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  bool stayedOpen = false;
  categories([&](TDlgCategories& dialog) {
    click(dialog, "ButtonRemove");
    click(dialog, "ButtonOk");  // answered No
    stayedOpen = dialog.isVisible();
    click(dialog, "ButtonCancel");
  });
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("question"));
  EXPECT_EQ(fileCategory("Doom"), "Spiele");
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}), before);
  EXPECT_EQ(comboItems(), (QStringList{"<ALLE>", "<keine Zuordnung>", "Spiele"}));
}

TEST_F(FormCategoriesTest, DeletingMovesItsVolumesToNoCategory) {
  addVolume("Doom", "Spiele");
  addVolume("Briefe", "Archiv");
  start({true});
  chooseFilter(QStringLiteral("Spiele"));
  categories([](TDlgCategories& dialog) {
    click(dialog, "ButtonRemove");  // Spiele, the filter's category
    click(dialog, "ButtonOk");      // answered Yes
  });
  EXPECT_EQ(fileCategory("Doom"), "");
  EXPECT_EQ(fileCategory("Briefe"), "Archiv");
  EXPECT_EQ(comboItems(), (QStringList{"<ALLE>", "<keine Zuordnung>", "Archiv"}));
  EXPECT_EQ(child<QComboBox>("ComboBoxCategory")->currentText(), QStringLiteral("<ALLE>"));
  chooseFilter(QStringLiteral("<keine Zuordnung>"));
  ASSERT_EQ(tree()->model()->rowCount(), 1);
  EXPECT_EQ(rootItem().data().toString(), QStringLiteral("Doom"));
}

TEST_F(FormCategoriesTest, AVolumeThatCannotBeRewrittenIsReportedAndTheOthersChange) {
  addVolume("Doom", "Alt");
  addVolume("Quake", "Alt");
  start();
  const fs::path blocked = m_form->state().catalogue.volumes()[0].dataFile;
  // Its UTF-8 rewrite cannot be made: no temporary file can be created beside it.
  g_blockedPrefix = blocked.string() + ".";
  FileOps ops = systemFileOps();
  ops.open = blockedOpen;
  const ScopedFileOps blocking(ops);
  categories([](TDlgCategories& dialog) {
    click(dialog, "ButtonRename");
    typeName(dialog, "Ωmega");
    click(dialog, "ButtonOk");
  });
  EXPECT_EQ(fileCategory("Doom"), "Alt");
  EXPECT_EQ(fileCategory("Quake"), "Ωmega");
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("error"));
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Kategorien verwalten - Fehler:"));
  EXPECT_TRUE(m_prompts->shown[0].text.contains(QStringLiteral("\"Doom\"")))
      << m_prompts->shown[0].text.toStdString();
  // Doom keeps "Alt", so the filter still offers it.
  EXPECT_EQ(comboItems(), (QStringList{"<ALLE>", "<keine Zuordnung>", "Alt", "Ωmega"}));
}

TEST_F(FormCategoriesTest, TheCheckBoxChoosesTheSelectedCategoryAndIsRemembered) {
  addVolume("Doom", "Spiele");
  addVolume("Briefe", "Archiv");
  start();
  categories([](TDlgCategories& dialog) {
    selectEntry(dialog, "Archiv");
    dialog.findChild<QCheckBox*>(QStringLiteral("CheckBoxSelect"))->setChecked(true);
    click(dialog, "ButtonOk");
  });
  EXPECT_EQ(child<QComboBox>("ComboBoxCategory")->currentText(), QStringLiteral("Archiv"));
  ASSERT_EQ(tree()->model()->rowCount(), 1);
  EXPECT_EQ(rootItem().data().toString(), QStringLiteral("Briefe"));
  bool checked = false;
  QString startsOn;
  categories([&](TDlgCategories& dialog) {
    checked = dialog.findChild<QCheckBox*>(QStringLiteral("CheckBoxSelect"))->isChecked();
    startsOn =
        dialog.findChild<QListWidget*>(QStringLiteral("ListBoxCategories"))->currentItem()->text();
    click(dialog, "ButtonCancel");
  });
  EXPECT_TRUE(checked);
  EXPECT_EQ(startsOn, QStringLiteral("Archiv"));
}

}  // namespace
}  // namespace diskindex::ui
