// What the engine journals on the tape after each key.
#include <gtest/gtest.h>

#include "calculator/core/calc_engine.h"
#include "calculator/core/tape.h"
#include "calculator/tests/engine_test_support.h"

namespace finova {
namespace {

using testing::type;

class JournalTest : public ::testing::Test {
 protected:
  JournalTest() { engine.setTape(&tape); }
  std::string journal(const std::string& keys) {
    type(engine, keys);
    return tape.text();
  }
  CalcEngine engine;
  Tape tape;
};

TEST_F(JournalTest, EntryLinesKeyLinesAndResults) {
  EXPECT_EQ(journal("100 ENTER 50 +"), "100.00 ENTER\r\n50.00 +\r\n150.00 ###\r\n");
}

TEST_F(JournalTest, KeysWithoutANumberAreKeyLines) {
  EXPECT_EQ(journal("2 ENTER ENTER * CLX"), "2.00 ENTER\r\n ENTER\r\n *\r\n4.00 ###\r\n CLX\r\n");
}

TEST_F(JournalTest, ErrorsAreResultLines) {
  EXPECT_EQ(journal("0 1/X"), "Error0 ###\r\n");
}

TEST_F(JournalTest, StoreAndRecallPrefixes) {
  // The number keyed in before STO enabled stack lift: a result follows.
  EXPECT_EQ(journal("5 STO 1 RCL 1"), "5.00 STO\r\n 1\r\n5.00 ###\r\n RCL\r\n 1\r\n5.00 ###\r\n");
}

TEST_F(JournalTest, ProgramModeWritesOnlyProgramKey) {
  EXPECT_EQ(journal("P/R 1 + P/R"), " P/R\r\n P/R\r\n");
}

TEST_F(JournalTest, RunningProgramsJournalOnlyTheirFinalResultByDefault) {
  type(engine, "P/R 1 + GTO 0 0 4 CLX P/R");
  tape.Clear();
  type(engine, "R/S");
  EXPECT_EQ(tape.text(), "0.00 ###\r\n");
}

TEST_F(JournalTest, FullyJournalledProgramsJournalTheirGotoTargets) {
  engine.setFullProgramJournal(true);
  type(engine, "P/R 1 + GTO 0 0 4 CLX P/R");
  tape.Clear();
  type(engine, "R/S");
  // R/S shows the program line, which journals nothing; CLX disables the
  // lift, so no result follows the last GTO.
  EXPECT_EQ(tape.text(),
            "1.00 +\r\n1.00 ###\r\n GTO\r\n 004\r\n1.00 ###\r\n CLX\r\n GTO\r\n 000\r\n");
}

TEST_F(JournalTest, DisplayOfAStoPrefixHoldsTheTypedNumber) {
  type(engine, "42 STO");
  EXPECT_EQ(engine.xDisplayText(), "42.");
  type(engine, "1");
  EXPECT_EQ(engine.xDisplayText(), "42.00");
}

}  // namespace
}  // namespace finova
