#include "calculator/core/program_memory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

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

TEST(ProgramMemoryTest, ReadsNumberedLinesAndComments) {
  ProgramMemory memory;
  ASSERT_TRUE(memory.fromText(
      "007  RCL 1\n"
      "\r\n"
      "12 + 3\r"
      "x9 not a line\n"
      "013  1 2 3 4\n"));
  EXPECT_EQ(memory.lineText(7), "007-  RCL 1");
  EXPECT_EQ(memory.lineText(12), "012-  + 3");
  EXPECT_EQ(memory.lineText(13), "013-  1 2 3 4");
  EXPECT_EQ(memory.lineText(0), "000- ");
  EXPECT_EQ(memory.lineText(5), "005-  GTO 0 0 0");
  EXPECT_EQ(memory.comment(), "not a line\r\n");
}

TEST(ProgramMemoryTest, AFileThatIsNotAProgramLeavesProgramMemoryAlone) {
  ProgramMemory memory;
  record(memory, {"1", "+"});
  memory.setComment("kept");
  for (const char* text : {"12 FOO +\r\n", "1000  STO 1\r\n", "000  STO 3\r\n", "5\r\n",
                           "013  1 2 3 4 5\r\n",
                           "Dear John,\r\nthe rent is due on Monday.\r\n"}) {
    EXPECT_FALSE(memory.fromText(text)) << text;
    EXPECT_EQ(memory.lineText(1), "001-  1") << text;
    EXPECT_EQ(memory.comment(), "kept");
  }
  const auto path = std::filesystem::temp_directory_path() /
                    ("finova_bytes_" + std::to_string(::getpid()) + ".pgm");
  std::ofstream(path, std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
  EXPECT_EQ(memory.Load(path), ProgramFileStatus::NotAProgramFile);
  EXPECT_EQ(memory.lineText(2), "002-  +");
  std::filesystem::remove(path);
}

TEST(ProgramMemoryTest, SavedProgramOmitsTheFillerAndReadsBackIdentically) {
  ProgramMemory memory;
  record(memory, {"1", "+", "2", "*", "3", "-", "4", "/", "R/S"});
  const std::string text = memory.toText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9) << text.substr(0, 200);
  ProgramMemory loaded;
  ASSERT_TRUE(loaded.fromText(text));
  for (int line = 0; line < ProgramMemory::kLines; ++line) {
    ASSERT_EQ(loaded.step(line), memory.step(line)) << line;
  }
}

TEST(ProgramMemoryTest, CommentsAreCharactersAndWindows1252FilesReadAsUtf8) {
  ProgramMemory memory;
  std::string euros;
  for (int k = 0; k < 600; ++k) euros += "\u20AC";
  memory.setComment(euros);
  EXPECT_EQ(memory.comment(), euros.substr(0, 511 * 3)) << "511 characters, none split";
  const auto path = std::filesystem::temp_directory_path() /
                    ("finova_cp1252_" + std::to_string(::getpid()) + ".pgm");
  std::ofstream(path, std::ios::binary) << "CCC  Zins f\xFCr 2024\r\n001  1\r\n";
  ASSERT_EQ(memory.Load(path), ProgramFileStatus::Loaded);
  EXPECT_EQ(memory.comment(), "Zins f\u00FCr 2024\r\n");
  ASSERT_TRUE(memory.Save(path));
  std::ifstream in(path, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(saved.substr(0, 21), "CCC  Zins f\u00FCr 2024\r\n") << "written as UTF-8";
  std::filesystem::remove(path);
}

TEST(ProgramMemoryTest, SaveAndLoadThroughAFile) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("finova_pgm_" + std::to_string(::getpid()) + ".pgm");
  ProgramMemory memory;
  record(memory, {"1", "+", "R/S"});
  memory.setComment("c");
  ASSERT_TRUE(memory.Save(path));
  ProgramMemory loaded;
  ASSERT_EQ(loaded.Load(path), ProgramFileStatus::Loaded);
  EXPECT_EQ(loaded.lineText(3), "003-  R/S");
  EXPECT_EQ(loaded.comment(), "c\r\n");
  std::filesystem::remove(path);
  EXPECT_EQ(loaded.Load(path), ProgramFileStatus::CannotRead);
}

}  // namespace
}  // namespace finova
