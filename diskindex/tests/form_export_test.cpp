#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>

#include "diskindex/tests/export_prompts_fake.h"
#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/ui/dlg_print_results.h"

namespace diskindex::ui {
namespace {

using testing::FakeExportPrompts;

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FormExportTest : public testing::MainFormTest {
 protected:
  TDiskIndexForm& startExporting() {
    TDiskIndexForm& form = start();
    auto prompts = std::make_unique<FakeExportPrompts>();
    m_export = prompts.get();
    form.setExportPrompts(std::move(prompts));
    return form;
  }
  // The tree dialog is answered with these radio buttons, target, heading
  // and append choice.
  void answerTree(std::vector<const char*> radios, const std::filesystem::path& target = {},
                  const QString& heading = {}, bool append = false) {
    m_export->treeScript = [=](TDlgTreeExport& dialog) {
      for (const char* name : radios) {
        dialog.findChild<QRadioButton*>(QString::fromLatin1(name))->setChecked(true);
      }
      if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("EditTarget"))) {
        edit->setText(QString::fromStdString(target.string()));
      }
      if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("EditHeading"))) {
        edit->setText(heading);
      }
      if (auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("CheckAppend"))) {
        box->setChecked(append);
      }
      return true;
    };
  }
  void selectTools() { selectDirectory(tree()->model()->index(0, 0, rootItem())); }

  FakeExportPrompts* m_export = nullptr;
};

TEST_F(FormExportTest, OverviewExportsTheFilteredVolumesAndAsksBeforeOverwriting) {
  addVolume("Spiele 2", "Spiele");
  addVolume("Archiv", "", 0);
  addVolume("Spiele 1", "Spiele");
  writeSettings("ExpFlds=4,10\nExpCSep=\";\"\n");
  TDiskIndexForm& form = startExporting();
  EXPECT_FALSE(form.actions().print->isEnabled()) << "printing is for the contents view";
  ASSERT_TRUE(form.actions().exportInfo->isEnabled());
  const auto target = m_temp.path() / "info.lst";
  m_export->infoScript = [&](TDlgInfoExport& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("EditTarget"))
        ->setText(QString::fromStdString(target.string()));
    return true;
  };
  auto* combo = child<QComboBox>("ComboBoxCategory");
  const int spiele = combo->findText(QStringLiteral("Spiele"));
  combo->setCurrentIndex(spiele);
  emit combo->activated(spiele);
  form.actions().exportInfo->trigger();
  EXPECT_EQ(fileText(target), "Spiele 1;1474560\r\nSpiele 2;1474560\r\n");
  EXPECT_TRUE(m_prompts->shown.empty());

  m_export->infoScript = [&](TDlgInfoExport& dialog) {
    dialog.findChild<QRadioButton*>(QStringLiteral("RadioAll"))->setChecked(true);
    return true;
  };
  form.actions().exportInfo->trigger();  // answered "Nein"
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Datenträger-Infos exportieren"));
  EXPECT_TRUE(m_prompts->shown[0].text.contains(QStringLiteral("existiert bereits!")));
  EXPECT_EQ(fileText(target), "Spiele 1;1474560\r\nSpiele 2;1474560\r\n");
  m_prompts->answers.push_back(true);
  form.actions().exportInfo->trigger();
  EXPECT_EQ(fileText(target), "Archiv;\r\nSpiele 1;1474560\r\nSpiele 2;1474560\r\n")
      << "all volumes; capacity 0 leaves its field empty";
}

TEST_F(FormExportTest, ContentsViewExportsTheSelectedDirectoryAndAppends) {
  addVolume("Backup", "");
  TDiskIndexForm& form = startExporting();
  ASSERT_TRUE(form.openVolume(0));
  selectTools();
  const auto target = m_temp.path() / "baum.lst";
  answerTree({"RadioSelectedDir", "RadioTree", "RadioDirsAndFiles"}, target);
  form.actions().exportInfo->trigger();
  EXPECT_EQ(m_export->treeCaption, QStringLiteral("Datenträgerinhalt exportieren"));
  EXPECT_EQ(fileText(target), "Tools\r\n\tA.exe\r\n");
  answerTree({"RadioWholeVolume", "RadioPaths", "RadioDirsOnly"}, target, QStringLiteral("Backup"),
             true);
  form.actions().exportInfo->trigger();
  EXPECT_EQ(fileText(target),
            "Tools\r\n\tA.exe\r\n\r\n\r\nBackup\r\n\r\nE:\r\nE:\\Tools\r\nE:\\Leer\r\n"
            "E:\\Leer\\Innen\r\n");
  EXPECT_TRUE(m_prompts->shown.empty()) << "appending asks nothing";
  EXPECT_EQ(form.state().settings.expApnd, 1);

  answerTree({}, m_temp.path() / "fehlt" / "baum.lst", {}, false);
  form.actions().exportInfo->trigger();
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("error"));
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Datenträgerinhalt exportieren"));
  EXPECT_TRUE(m_prompts->shown[0].text.contains(QStringLiteral("kann nicht erzeugt werden")));
}

TEST_F(FormExportTest, CopyPutsTheTreeLinesWithoutHeadingOnTheClipboard) {
  addVolume("Backup", "");
  TDiskIndexForm& form = startExporting();
  EXPECT_FALSE(form.actions().copyTree->isEnabled());
  ASSERT_TRUE(form.openVolume(0));
  ASSERT_TRUE(form.actions().copyTree->isEnabled());
  selectTools();
  QApplication::clipboard()->setText(QStringLiteral("alt"));
  answerTree({"RadioSelectedDir", "RadioPaths", "RadioFilesOnly"});
  form.actions().copyTree->trigger();
  EXPECT_EQ(m_export->treeCaption, QStringLiteral("Datenträgerinhalt kopieren"));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("E:\\Tools\\A.exe\r\n"));
  m_export->treeScript = [](TDlgTreeExport&) { return false; };  // "Abbruch"
  selectDirectory(rootItem());
  form.actions().copyTree->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("E:\\Tools\\A.exe\r\n"));
}

TEST_F(FormExportTest, PrintingWithoutPrinterWritesTheTreeToAPdfFile) {
  addVolume("Backup", "");
  TDiskIndexForm& form = startExporting();
  ASSERT_TRUE(form.openVolume(0));
  ASSERT_TRUE(form.actions().print->isEnabled());
  if (printerInstalled()) GTEST_SKIP() << "a printer is installed on this machine";
  const auto pdf = m_temp.path() / "baum.pdf";
  m_export->pdfFiles.push_back(QString::fromStdString(pdf.string()));
  bool pdfNoted = false;
  m_export->treeScript = [&](TDlgTreeExport& dialog) {
    pdfNoted = dialog.toPdf() && dialog.findChild<QLabel*>(QStringLiteral("LabelPrinter"))
                                     ->text()
                                     .contains(QStringLiteral("PDF"));
    dialog.findChild<QLineEdit*>(QStringLiteral("EditHeading"))->setText(QStringLiteral("Kopf"));
    return true;
  };
  form.actions().print->trigger();
  EXPECT_EQ(m_export->treeCaption, QStringLiteral("Datenträgerinhalt drucken"));
  EXPECT_TRUE(pdfNoted);
  const std::string text = fileText(pdf);
  EXPECT_EQ(text.substr(0, 4), "%PDF");
  EXPECT_TRUE(m_prompts->shown.empty());
  EXPECT_TRUE(m_export->pdfFiles.empty());
}

}  // namespace
}  // namespace diskindex::ui
