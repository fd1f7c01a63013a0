#include "diskindex/ui/data_dir_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <fstream>

#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

using testing::FakePrompts;

class DataDirDialogTest : public ::testing::Test {
 protected:
  DataDirDialogTest() { testing::ensureApplication(); }
  // Types the path and presses OK; true when the dialog accepted it.
  bool choose(const std::filesystem::path& path) {
    DataDirDialog dialog(QStringLiteral("/alt/"), m_prompts);
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("EditNewDir"))
        ->setText(QString::fromStdString(path.string()));
    dialog.findChild<QPushButton*>(QStringLiteral("ButtonOk"))->click();
    return dialog.result() == QDialog::Accepted && !dialog.isVisible();
  }
  testing::TempDir m_temp;
  FakePrompts m_prompts;
};

TEST_F(DataDirDialogTest, ExistingFolderIsTakenWithoutAQuestion) {
  EXPECT_TRUE(choose(m_temp.path()));
  EXPECT_TRUE(m_prompts.shown.empty());
}

TEST_F(DataDirDialogTest, MissingFolderIsCreatedOnlyAfterYes) {
  const auto wanted = m_temp.path() / "Katalog" / "Daten";
  EXPECT_FALSE(choose(wanted));  // "Nein": the dialog stays, nothing is created
  ASSERT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("question"));
  EXPECT_EQ(m_prompts.shown[0].caption, QStringLiteral("Daten-Verzeichnis festlegen"));
  EXPECT_EQ(m_prompts.shown[0].text,
            QStringLiteral("Das Verzeichnis\n\"%1\"\nexistiert nicht.\n\nSoll es angelegt werden?")
                .arg(QString::fromStdString(wanted.string())));
  EXPECT_FALSE(std::filesystem::exists(wanted));
  m_prompts.answers = {true};
  EXPECT_TRUE(choose(wanted));
  EXPECT_TRUE(std::filesystem::is_directory(wanted));
}

TEST_F(DataDirDialogTest, FileOrUncreatableFolderOrNothingIsRefused) {
  const auto file = m_temp.path() / "liste.txt";
  std::ofstream(file) << "x";
  EXPECT_FALSE(choose(file));
  ASSERT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_EQ(m_prompts.shown[0].kind, QStringLiteral("error"));
  EXPECT_TRUE(m_prompts.shown[0].text.endsWith(QStringLiteral("ist kein Verzeichnis!")));
  m_prompts.shown.clear();
  EXPECT_FALSE(choose(file / "unter"));  // no folder can exist below a file
  EXPECT_EQ(m_prompts.shown.size(), 1u);
  EXPECT_FALSE(choose(""));
  EXPECT_EQ(m_prompts.shown.size(), 1u);
}

}  // namespace
}  // namespace diskindex::ui
