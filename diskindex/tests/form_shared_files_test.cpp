// The main window on files another program shares or that are damaged: a
// damaged comment file shown read-only with its message, a remark conflict
// asked with its three answers (also in the real message box), and the
// settings file's damage and failed write said.

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <iterator>
#include <string>

#include "diskindex/core/messages.h"
#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/ui/form_prompts.h"

namespace diskindex::ui {
namespace {

using testing::MainFormTest;

std::string fileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FormSharedFilesTest : public MainFormTest {
 protected:
  std::filesystem::path commentFile() const { return m_data / "CD000001.CMT"; }
  void writeRootRemark(const std::string& text) {
    TFileCommentList list;
    list.set({1, -1}, text);
    ASSERT_EQ(saveRemarks(commentFile(), list), ResultCode::Ok);
  }
  void otherProgramSetsRoot(const std::string& text) {
    RemarksLoad load = loadRemarksForEdit(commentFile());
    load.remarks.set({1, -1}, text);
    ASSERT_NE(saveRemarksMerged({commentFile(), load.base, load.remarks.records()}).status,
              RemarkSaveStatus::Failed);
  }
  std::string rootRemarkOnDisk() {
    TFileCommentList list;
    EXPECT_EQ(loadRemarks(commentFile(), list), ResultCode::Ok);
    return std::string(list.find({1, -1}).value_or(""));
  }
  void typeRootRemark(const QString& text) {
    auto* memo = child<RemarkEdit>("MemoDir");
    memo->setFocus();
    memo->selectAll();
    QTest::keyClicks(memo, text);
  }
  bool shownWith(const QString& kind, const std::string& programText) {
    for (const testing::PromptRecord& record : m_prompts->shown) {
      if (record.kind == kind && record.text == boxText(programText)) return true;
    }
    return false;
  }
};

TEST_F(FormSharedFilesTest, DamagedCommentFileIsShownReadOnlyWithItsMessage) {
  addVolume("Werkzeug", "");
  writeRootRemark("Wurzel");
  std::string bytes = fileBytes(commentFile());
  bytes[0] = 'X';  // the magic damaged, the records intact
  std::ofstream(commentFile(), std::ios::binary | std::ios::trunc) << bytes;

  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  EXPECT_EQ(m_prompts->beeps, 1);
  EXPECT_TRUE(shownWith(QStringLiteral("warning"),
                        messages::damagedRemarksFile(commentFile().string())));
  auto* memo = child<RemarkEdit>("MemoDir");
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_TRUE(child<RemarkEdit>("MemoFile")->isReadOnly());
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Wurzel"));
  typeRootRemark(QStringLiteral("neu getippt"));
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Wurzel"));

  form.actions().overview->trigger();
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Overview);
  EXPECT_EQ(fileBytes(commentFile()), bytes);

  writeRootRemark("Wurzel");  // mended: the next opening can edit again
  ASSERT_TRUE(form.openVolume(0));
  EXPECT_FALSE(memo->isReadOnly());
}

TEST_F(FormSharedFilesTest, RemarkConflictAsksAndDoesWhatWasAnswered) {
  addVolume("Werkzeug", "");
  writeRootRemark("alt");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  typeRootRemark(QStringLiteral("von hier"));
  otherProgramSetsRoot("von dort");
  m_prompts->conflictAnswers = {RemarkConflictAnswer::KeepTheirs};
  form.actions().overview->trigger();
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Overview);
  ASSERT_FALSE(m_prompts->shown.empty());
  EXPECT_EQ(m_prompts->shown[0].kind, QStringLiteral("remarkConflict"));
  EXPECT_EQ(m_prompts->shown[0].caption, QStringLiteral("Bemerkungen speichern"));
  EXPECT_EQ(m_prompts->shown[0].text,
            boxText(messages::remarkConflictQuestion(commentFile().string(), 1)));
  EXPECT_EQ(rootRemarkOnDisk(), "von dort");

  // Saved elsewhere: a cancelled file dialog asks again, then mine go to the
  // chosen file and the other program's text stays in the comment file.
  ASSERT_TRUE(form.openVolume(0));
  typeRootRemark(QStringLiteral("meins"));
  otherProgramSetsRoot("wieder von dort");
  const auto elsewhere = m_temp.path() / "meine.cmt";
  m_prompts->shown.clear();
  m_prompts->conflictAnswers = {RemarkConflictAnswer::SaveElsewhere,
                                RemarkConflictAnswer::SaveElsewhere};
  m_prompts->remarkFiles = {std::nullopt, QString::fromStdString(elsewhere.string())};
  form.actions().overview->trigger();
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Overview);
  EXPECT_EQ(m_prompts->shown.size(), 4u);  // asked, no file, asked again, file chosen
  EXPECT_EQ(rootRemarkOnDisk(), "wieder von dort");
  TFileCommentList saved;
  ASSERT_EQ(loadRemarks(elsewhere, saved), ResultCode::Ok);
  EXPECT_EQ(saved.find({1, -1}).value_or(""), "meins");

  ASSERT_TRUE(form.openVolume(0));
  typeRootRemark(QStringLiteral("doch meins"));
  otherProgramSetsRoot("zum dritten");
  m_prompts->conflictAnswers = {RemarkConflictAnswer::KeepMine};
  form.actions().overview->trigger();
  EXPECT_EQ(rootRemarkOnDisk(), "doch meins");
}

// Clicks the button with this text in the message box once it is shown,
// after checking the box's caption, text and buttons.
void answerConflictBox(const QString& button, const QString& text, QStringList* buttons) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Bemerkungen speichern"));
    EXPECT_EQ(box->text(), text);
    for (QAbstractButton* b : box->buttons()) buttons->append(b->text());
    if (button.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Escape);
      return;
    }
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == button) QTest::mouseClick(b, Qt::LeftButton);
    }
  });
}

TEST_F(FormSharedFilesTest, ConflictBoxOffersTheThreeAnswersAndEscapeDecidesNeither) {
  testing::ensureApplication();
  QtFormPrompts prompts(nullptr);
  const QString text = boxText(messages::remarkConflictQuestion("/daten/CD000001.CMT", 2));
  QStringList buttons;
  answerConflictBox(QStringLiteral("&Andere behalten"), text, &buttons);
  EXPECT_EQ(prompts.remarkConflict(QStringLiteral("Bemerkungen speichern"), text),
            RemarkConflictAnswer::KeepTheirs);
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{QStringLiteral("&Andere behalten"),
                                  QStringLiteral("&Meine behalten"),
                                  QStringLiteral("Meine in andere &Datei speichern")}));
  answerConflictBox(QStringLiteral("&Meine behalten"), text, &buttons);
  EXPECT_EQ(prompts.remarkConflict(QStringLiteral("Bemerkungen speichern"), text),
            RemarkConflictAnswer::KeepMine);
  answerConflictBox(QString(), text, &buttons);
  EXPECT_EQ(prompts.remarkConflict(QStringLiteral("Bemerkungen speichern"), text),
            RemarkConflictAnswer::SaveElsewhere);
}

TEST_F(FormSharedFilesTest, DamagedSettingsAndSettingsThatCannotBeWrittenAreSaid) {
  std::filesystem::create_directories(m_settingsFile.parent_path());
  std::ofstream(m_settingsFile) << "[Inits]\nDATA_PATH=" << m_data.string() << "/\n"
                                << std::string(1, '\0') << "\n";
  start();
  EXPECT_TRUE(shownWith(QStringLiteral("warning"),
                        messages::damagedSettingsFile(m_settingsFile.string())));
  m_form.reset();

  m_settingsFile = m_temp.path() / "blocked" / "DISKINDX.INI";
  std::ofstream(m_temp.path() / "blocked") << "a file where the folder should be";
  start();
  m_prompts->shown.clear();
  EXPECT_TRUE(m_form->close());
  EXPECT_TRUE(shownWith(QStringLiteral("error"),
                        messages::settingsNotSaved(m_settingsFile.string())));
}

}  // namespace
}  // namespace diskindex::ui
