// Printing the tape and the amortization schedule on a machine without a
// printer: both become PDF files, over as many pages as their lines need.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPrinterInfo>
#include <string>

#include "calculator/core/tape.h"
#include "calculator/tests/ui_test_support.h"
#include "calculator/ui/amort_dialog.h"
#include "calculator/ui/print_support.h"
#include "calculator/ui/tape_window.h"

namespace finova::ui {
namespace {

using testing::Calculator;
using testing::FakePrompts;
using testing::TempFolder;

// The pages of a PDF file as its page objects count them.
int pdfPages(const std::string& pdf) {
  int pages = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
  }
  return pages;
}

class FinovaPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ensureApplication();
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
      GTEST_SKIP() << "a printer is installed; printing would ask for it";
    }
  }
  FakePrompts prompts;
  TempFolder folder;
};

TEST_F(FinovaPrintTest, PrintLinesPerPageLeavesSixLinesOfMargin) {
  EXPECT_EQ(printLinesPerPage(66), 60);
  EXPECT_EQ(printLinesPerPage(7), 1);
  EXPECT_EQ(printLinesPerPage(6), 1) << "a tiny page still takes a line";
  EXPECT_EQ(printLinesPerPage(0), 1);
}

TEST_F(FinovaPrintTest, TheTapePrintsToAPdfFileOverAsManyPagesAsItNeeds) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  Tape& tape = calc.session->tape();
  tape.AddKeyLine("100.00 ENTER");
  prompts.fileToSave = QString::fromStdString(folder.file("short").string());
  calc.window->tapeWindow()->printTape();
  EXPECT_TRUE(prompts.asked.contains("Print to PDF File|save"));
  const std::string shortPdf = testing::readFile(folder.file("short.pdf"));
  ASSERT_EQ(shortPdf.rfind("%PDF", 0), 0u) << "no PDF written";
  EXPECT_EQ(pdfPages(shortPdf), 1);

  for (int k = 0; k < 400; ++k) tape.AddKeyLine(std::to_string(k) + ".00 +");
  prompts.fileToSave = QString::fromStdString(folder.file("long.pdf").string());
  calc.window->tapeWindow()->printTape();
  const int pages = pdfPages(testing::readFile(folder.file("long.pdf")));
  EXPECT_GT(pages, 3) << "401 lines at 10 points";
  EXPECT_LT(pages, 20);
  EXPECT_FALSE(prompts.asked.join(' ').contains("Printing failed"));
}

TEST_F(FinovaPrintTest, NoFileChosenPrintsNothing) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  calc.session->tape().AddKeyLine("1.00 ENTER");
  prompts.fileToSave.clear();
  calc.window->tapeWindow()->printTape();
  EXPECT_TRUE(prompts.asked.contains("Print to PDF File|save"));
  EXPECT_FALSE(prompts.asked.join(' ').contains("Printing failed"));
}

TEST_F(FinovaPrintTest, TheScheduleRunsOnToFurtherPages) {
  Calculator calc(folder.file("FINOVA.INI"), prompts);
  EngineRegisters& r = calc.session->engine().registers();
  r.PV() = 100000;
  r.PMT() = -600;
  r.i() = 0.5;  // 360 monthly payments or so
  AmortDialog dialog(calc.session->engine(), prompts);
  ASSERT_GT(dialog.rowList()->count(), 300);
  prompts.fileToSave = QString::fromStdString(folder.file("plan").string());
  dialog.print();
  const std::string pdf = testing::readFile(folder.file("plan.pdf"));
  ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_GT(pdfPages(pdf), 5);
  EXPECT_TRUE(prompts.asked.filter("Amortization Schedule|").isEmpty()) << "no error shown";
}

}  // namespace
}  // namespace finova::ui
