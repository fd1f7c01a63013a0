#include "calculator/core/program_memory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "calculator/core/key_table.h"

namespace finova {
namespace {

// Records keys given as mnemonics, as program mode would.
void record(ProgramMemory& memory, std::initializer_list<const char*> mnemonics) {
  for (const char* mnemonic : mnemonics) {
    const KeyCode code = *keyFromMnemonic(mnemonic);
    memory.Record(keyKind(code), code);
  }
}

TEST(ProgramMemoryTest, ClearedMemoryReadsGotoZeroBelowAnEmptyTop) {
  ProgramMemory memory;
  EXPECT_EQ(memory.lineText(0), "000- ");
  EXPECT_EQ(memory.lineText(1), "001-  GTO 0 0 0");
  EXPECT_EQ(memory.lineText(999), "999-  GTO 0 0 0");
}

TEST(ProgramMemoryTest, RecordingPacksOperandsIntoOneLine) {
  ProgramMemory memory;
  record(memory, {"STO", "1", "STO", "+", "2", "RCL", "+", "STO", ".", "5", "RCL", "PV"});
  EXPECT_EQ(memory.lineText(1), "001-  STO 1");
  EXPECT_EQ(memory.lineText(2), "002-  STO + 2");
  EXPECT_EQ(memory.lineText(3), "003-  +");
  EXPECT_EQ(memory.lineText(4), "004-  STO . 5");
  EXPECT_EQ(memory.lineText(5), "005-  RCL PV");
  EXPECT_EQ(memory.line(), 5);
}

TEST(ProgramMemoryTest, UnfinishedOperandIsReplacedByTheNextKey) {
  ProgramMemory memory;
  record(memory, {"STO", "-", "ENTER", "STO", "SQRT", "5"});
  EXPECT_EQ(memory.lineText(1), "001-  ENTER");
  EXPECT_EQ(memory.lineText(2), "002-  SQRT");
  EXPECT_EQ(memory.lineText(3), "003-  5");
}

TEST(ProgramMemoryTest, GotoRecordsItsTargetAndGotoPointMoves) {
  ProgramMemory memory;
  record(memory, {"1", "GTO", "0", "0", "1"});
  EXPECT_EQ(memory.lineText(2), "002-  GTO 0 0 1");
  record(memory, {"GTO", ".", "0", "2", "5"});
  EXPECT_EQ(memory.line(), 25);
  EXPECT_EQ(memory.lineText(3), "003-  GTO 0 0 0");
  EXPECT_EQ(memory.lineText(25), "025-  GTO 0 0 0");
  record(memory, {"GTO", "+"});
  EXPECT_EQ(memory.lineText(26), "026-  +");
  EXPECT_EQ(memory.line(), 26);
}

TEST(ProgramMemoryTest, RecordingStaysOnTheLastLine) {
  ProgramMemory memory;
  memory.setLine(998);
  record(memory, {"1", "2", "3"});
  EXPECT_EQ(memory.line(), 999);
  EXPECT_EQ(memory.lineText(999), "999-  3");
  EXPECT_EQ(memory.lineText(998), "998-  GTO 0 0 0");
}

TEST(ProgramMemoryTest, NextKeyQueuesTheRestOfTheLine) {
  ProgramMemory memory;
  record(memory, {"STO", ".", "5", "+"});
  memory.setLine(0);
  bool ended = false;
  std::vector<KeyCode> keys;
  for (int k = 0; k < 8; ++k) keys.push_back(memory.NextKey(true, ended));
  EXPECT_EQ(keys,
            (std::vector<KeyCode>{key::kSto, key::kPoint, 5, key::kPlus, key::kGto, 0, 0, 0}));
  EXPECT_FALSE(ended);
}

TEST(ProgramMemoryTest, PauseEndsOnTheThirdTick) {
  ProgramMemory memory;
  memory.startPause();
  EXPECT_FALSE(memory.pauseTick());
  EXPECT_FALSE(memory.pauseTick());
  EXPECT_TRUE(memory.pauseTick());
  EXPECT_FALSE(memory.paused());
  EXPECT_FALSE(memory.pauseTick());
}

TEST(ProgramMemoryTest, TextRoundTripKeepsLinesAndComment) {
  ProgramMemory memory;
  record(memory, {"STO", "1", "RCL", "+", "X<->Y", "12*", "GTO", "0", "0", "1"});
  memory.setComment("Loan check\r\nsecond line");
  const std::string text = memory.toText();
  EXPECT_EQ(text.substr(0, 40), "CCC  Loan check\r\nCCC  second line\r\n001  ");
  ProgramMemory loaded;
  loaded.fromText(text);
  for (int line = 0; line < ProgramMemory::kLines; ++line) {
    ASSERT_EQ(loaded.lineText(line), memory.lineText(line)) << line;
  }
  EXPECT_EQ(loaded.comment(), "Loan check\r\nsecond line\r\n");
}

TEST(ProgramMemoryTest, LoadingSkipsWhatItCannotUse) {
  ProgramMemory memory;
  memory.fromText(
      "007  RCL 1\n"
      "\r\n"
      "12 FOO + WAYTOOLONGTOKEN_WAYTOOLONGTOKEN 3\r"
      "1000  STO 1\n"
      "0000 STO 2\n"
      "5\n"
      "x9 not a line\n"
      "000  STO 3\n"
      "013  1 2 3 4 5 6\n"
      "014  FOO 1 BAR 2 3 4\n");
  EXPECT_EQ(memory.lineText(7), "007-  RCL 1");
  EXPECT_EQ(memory.lineText(12), "012-  + 3");
  EXPECT_EQ(memory.lineText(13), "013-  1 2 3 4");
  EXPECT_EQ(memory.lineText(14), "014-  1 2 3 4");
  EXPECT_EQ(memory.lineText(0), "000- ");
  EXPECT_EQ(memory.lineText(5), "005-  GTO 0 0 0");
  EXPECT_EQ(memory.comment(), "not a line\r\n");
}

TEST(ProgramMemoryTest, SaveAndLoadThroughAFile) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("finova_pgm_" + std::to_string(::getpid()) + ".pgm");
  ProgramMemory memory;
  record(memory, {"1", "+", "R/S"});
  memory.setComment("c");
  ASSERT_TRUE(memory.Save(path));
  ProgramMemory loaded;
  ASSERT_TRUE(loaded.Load(path));
  EXPECT_EQ(loaded.lineText(3), "003-  R/S");
  EXPECT_EQ(loaded.comment(), "c\r\n");
  std::filesystem::remove(path);
  EXPECT_FALSE(loaded.Load(path));
}

}  // namespace
}  // namespace finova
