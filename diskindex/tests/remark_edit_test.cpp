#include "diskindex/ui/remark_edit.h"

#include <gtest/gtest.h>

#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

class RemarkEditTest : public ::testing::Test {
 protected:
  RemarkEditTest() { m_edit.showBlank(); }
  struct Application {
    Application() { testing::ensureApplication(); }
  } m_application;  // before the field
  RemarkEdit m_edit;
};

TEST_F(RemarkEditTest, TakesNoMoreThanACommentRecordHoldsCountingLineBreaksAsCrLf) {
  m_edit.insertPlainText(QString(31989, QLatin1Char('a')) + QStringLiteral("\nbc"));
  // 31,989 letters and the line break as CR LF fill the 31,991 bytes.
  EXPECT_EQ(m_edit.toPlainText().size(), 31990);
  EXPECT_TRUE(m_edit.toPlainText().endsWith(QStringLiteral("a\n")));
  EXPECT_TRUE(m_edit.userChanged());
  EXPECT_EQ(m_edit.remarkText().size(), 31991u);
  m_edit.insertPlainText(QStringLiteral("x"));
  EXPECT_EQ(m_edit.toPlainText().size(), 31990);
}

TEST_F(RemarkEditTest, CountsUmlautsAsOneByteUntilTheTextNeedsUtf8) {
  m_edit.insertPlainText(QString(31991, QChar(0x00E4)));  // ä is one byte in Windows-1252
  EXPECT_EQ(m_edit.toPlainText().size(), 31991);
  m_edit.clear();
  m_edit.insertPlainText(QString(20000, QChar(0x00E4)) + QChar(0x03A9));  // Ω needs UTF-8
  EXPECT_EQ(m_edit.toPlainText().size(), 15995);
}

TEST_F(RemarkEditTest, ShortTextIsLeftAsTyped) {
  m_edit.insertPlainText(QStringLiteral("Zeile 1\nZeile 2"));
  EXPECT_EQ(m_edit.remarkText(), "Zeile 1\r\nZeile 2");
}

}  // namespace
}  // namespace diskindex::ui
