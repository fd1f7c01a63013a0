#include "calculator/core/tape.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace finova {
namespace {

std::tm fixedTime() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 8;
  t.tm_hour = 14;
  t.tm_min = 5;
  t.tm_sec = 9;
  return t;
}

std::string readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class TapeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = std::filesystem::temp_directory_path() /
           ("finova_tape_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".tpf");
    std::filesystem::remove(path);
    tape.setClock(fixedTime);
  }
  void TearDown() override {
    tape.closeFile();
    std::filesystem::remove(path);
  }
  std::filesystem::path path;
  Tape tape;
};

TEST(TapeTest, KeyLinesSplitAtTheFirstBlank) {
  Tape tape;
  tape.AddKeyLine("100.00 ENTER");
  tape.AddKeyLine("+");
  tape.AddResultLine("150.00");
  EXPECT_EQ(tape.lines()[0], (TapeLine{"100.00", "ENTER"}));
  EXPECT_EQ(tape.lines()[1], (TapeLine{"", "+"}));
  EXPECT_EQ(tape.text(), "100.00 ENTER\r\n +\r\n150.00 ###\r\n");
}

TEST(TapeTest, AnnotationsAreBracketedAndCut) {
  Tape tape;
  tape.Annotate("eighteen chars ok!");
  EXPECT_EQ(tape.lines()[0].text, "[eighteen chars ok!]");
  tape.Annotate(std::string(40, 'a'));
  EXPECT_EQ(tape.lines()[1].text.size(), TapeLine::kTextSize);
  EXPECT_EQ(tape.lines()[1].text.back(), ']');
  tape.AddKeyLine(std::string(40, '9') + " " + std::string(20, 'M'));
  EXPECT_EQ(tape.lines()[2].text.size(), 32u);
  EXPECT_EQ(tape.lines()[2].mnemonic.size(), 16u);
}

TEST(TapeTest, ParsesEveryLineKind) {
  const auto lines =
      Tape::parse("  100.00 +\r\n200.00 ###\r\n ENTER\r\n[Rent  paid]\r\nCLX   \r\n\r\n");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], (TapeLine{"100.00", "+"}));
  EXPECT_EQ(lines[1], (TapeLine{"200.00", "###"}));
  EXPECT_EQ(lines[2], (TapeLine{"", "ENTER"}));
  EXPECT_EQ(lines[3], (TapeLine{"[Rent  paid]", ""}));
  EXPECT_EQ(lines[4], (TapeLine{"", "CLX"}));
}

TEST_F(TapeFileTest, LoadedLinesCountAsWrittenAndOnlyNewOnesAreAppended) {
  std::ofstream(path, std::ios::binary) << "100.00 ENTER\r\n";
  ASSERT_TRUE(tape.Load(path));
  EXPECT_EQ(tape.size(), 1u);
  EXPECT_EQ(tape.writtenCount(), 1u);
  tape.AddResultLine("5.00");
  ASSERT_TRUE(tape.WriteNew());
  const std::string expected =
      "100.00 ENTER\r\n5.00 ###\r\n[12/08/26 14:05:09]\r\n[Tape Saved]\r\n";
  EXPECT_EQ(readAll(path), expected);
  ASSERT_TRUE(tape.WriteNew());  // nothing new: nothing written
  EXPECT_EQ(readAll(path), expected);
}

TEST_F(TapeFileTest, EraseThenEndWritesNothingMore) {
  ASSERT_TRUE(tape.Load(path));
  tape.AddKeyLine("1.00 +");
  tape.Clear();
  ASSERT_TRUE(tape.WriteNew());
  EXPECT_EQ(readAll(path), "");
}

TEST_F(TapeFileTest, SaveAsWritesTheWholeTape) {
  tape.AddKeyLine("ENTER");
  tape.Annotate("x");
  ASSERT_TRUE(tape.SaveAs(path));
  EXPECT_EQ(readAll(path), " ENTER\r\n[x]\r\n");
  Tape reloaded;
  ASSERT_TRUE(reloaded.Load(path));
  EXPECT_EQ(reloaded.lines(), tape.lines());
}

TEST_F(TapeFileTest, UnopenableFileLeavesTheTapeWithoutAFile) {
  EXPECT_FALSE(tape.Load(path / "missing_dir" / "t.tpf"));
  EXPECT_FALSE(tape.hasFile());
  tape.AddKeyLine("+");
  EXPECT_FALSE(tape.WriteNew());
}

TEST(TapeTest, MemoryStaysBoundedAndUnwrittenLinesReachTheFile) {
  Tape tape;
  for (std::size_t k = 0; k < Tape::kMaxLines + 10; ++k) tape.AddKeyLine("+");
  EXPECT_LE(tape.size(), Tape::kMaxLines);
  EXPECT_GT(tape.size(), Tape::kMaxLines / 2);
}

}  // namespace
}  // namespace finova
