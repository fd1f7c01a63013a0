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
  EXPECT_EQ(tape.lines()[1].text, "[" + std::string(18, 'a') + "]");
  tape.AddKeyLine(std::string(40, '9') + " " + std::string(20, 'M'));
  EXPECT_EQ(tape.lines()[2].text.size(), 32u);
  EXPECT_EQ(tape.lines()[2].mnemonic.size(), 16u);
}

TEST(TapeTest, AnnotationsAreCutInCharactersNeverInsideOne) {
  Tape tape;
  std::string euros;
  for (int k = 0; k < 20; ++k) euros += "\u20AC";
  tape.Annotate(euros.substr(0, 18 * 3));
  EXPECT_EQ(tape.lines()[0].text, "[" + euros.substr(0, 18 * 3) + "]") << "18 characters kept";
  tape.Annotate(euros);
  EXPECT_EQ(tape.lines()[1].text, "[" + euros.substr(0, 18 * 3) + "]");
  tape.AddKeyLine(std::string(31, '1') + "\u20AC\u20AC +");
  EXPECT_EQ(tape.lines()[2].text, std::string(31, '1') + "\u20AC");
}

TEST(TapeTest, RecognisesTheShapesOfTapeLines) {
  EXPECT_TRUE(Tape::isTapeText(""));
  EXPECT_TRUE(Tape::isTapeText("100.00 ENTER\r\n-1,234.50 ###\r\n ENTER\r\n[Rent paid]\r\n"
                               "Error0 ###\r\n1.5E+11 ###\r\n001\r\n\r\n"));
  EXPECT_FALSE(Tape::isTapeText("Hello world\r\n"));
  EXPECT_FALSE(Tape::isTapeText("100.00 ENTER now\r\n"));
  EXPECT_FALSE(Tape::isTapeText("abcdefghijklmnopqrstuvwxyz\r\n"));
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
  ASSERT_EQ(tape.Load(path), TapeFileStatus::Adopted);
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
  ASSERT_EQ(tape.Load(path), TapeFileStatus::Adopted);
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
  ASSERT_EQ(reloaded.Load(path), TapeFileStatus::Adopted);
  EXPECT_EQ(reloaded.lines(), tape.lines());
}

TEST_F(TapeFileTest, UnavailableFileStaysWantedAndGetsTheLinesMadeMeanwhile) {
  const auto folder = path.parent_path() / (path.stem().string() + "_disk");
  std::filesystem::remove_all(folder);
  const auto wanted = folder / "t.tpf";
  EXPECT_EQ(tape.Load(wanted), TapeFileStatus::Unavailable);
  EXPECT_FALSE(tape.hasFile());
  EXPECT_EQ(tape.tapeFile(), wanted) << "the tape file is kept, not forgotten";
  tape.AddKeyLine("1.00 +");
  EXPECT_FALSE(tape.flush()) << "nothing could be written yet";
  std::filesystem::create_directories(folder);  // the disk is back
  EXPECT_TRUE(tape.flush());
  EXPECT_EQ(readAll(wanted), "1.00 +\r\n");
  tape.closeFile();
  std::filesystem::remove_all(folder);
}

TEST_F(TapeFileTest, AFileThatIsNotATapeIsRefusedAndNeverWritten) {
  const std::string pdf = std::string("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<<>>\x00\x01stream\n", 34);
  const std::string letter = "Dear John,\nthe rent is due on Monday.\n";
  tape.AddKeyLine("7.00 ENTER");
  for (const std::string& content : {pdf, letter}) {
    std::ofstream(path, std::ios::binary) << content;
    const std::size_t before = tape.size();
    EXPECT_EQ(tape.Load(path), TapeFileStatus::NotATapeFile);
    EXPECT_EQ(tape.size(), before) << "the tape stays as it was";
    EXPECT_FALSE(tape.hasFile());
    tape.AddKeyLine("+");
    tape.WriteNew();
    tape.flush();
    EXPECT_EQ(readAll(path), content) << "never appended to";
  }
}

TEST_F(TapeFileTest, AppendsStartOnANewLine) {
  std::ofstream(path, std::ios::binary) << "100.00 ENTER\r\n[no line break]";
  ASSERT_EQ(tape.Load(path), TapeFileStatus::Adopted);
  tape.AddResultLine("5.00");
  ASSERT_TRUE(tape.flush());
  tape.AddResultLine("6.00");
  ASSERT_TRUE(tape.flush());
  EXPECT_EQ(readAll(path), "100.00 ENTER\r\n[no line break]\r\n5.00 ###\r\n6.00 ###\r\n");
}

TEST_F(TapeFileTest, Windows1252TapeFilesAreReadAsUtf8) {
  std::ofstream(path, std::ios::binary) << "[Miete f\xFCr M\xE4rz]\r\n12.00 +\r\n";
  ASSERT_EQ(tape.Load(path), TapeFileStatus::Adopted);
  EXPECT_EQ(tape.lines()[0].text, "[Miete f\u00FCr M\u00E4rz]");
  std::ofstream(path, std::ios::binary) << "[Miete f\u00FCr M\u00E4rz]\r\n";
  ASSERT_EQ(tape.Load(path), TapeFileStatus::Adopted);
  EXPECT_EQ(tape.lines()[0].text, "[Miete f\u00FCr M\u00E4rz]") << "UTF-8 stays as it is";
}

TEST_F(TapeFileTest, SaveAsWritesLinesThatLeftMemory) {
  const std::size_t total = Tape::kMaxLines + 10;
  for (std::size_t k = 0; k < total; ++k) tape.AddKeyLine(std::to_string(k) + " +");
  ASSERT_LT(tape.size(), total) << "the oldest lines left memory";
  ASSERT_TRUE(tape.SaveAs(path));
  const std::string written = readAll(path);
  std::size_t lines = 0;
  for (char c : written) lines += c == '\n' ? 1 : 0;
  EXPECT_EQ(lines, total);
  EXPECT_EQ(written.substr(0, 6), "0 +\r\n1");
}

TEST(TapeTest, MemoryStaysBoundedAndUnwrittenLinesReachTheFile) {
  Tape tape;
  for (std::size_t k = 0; k < Tape::kMaxLines + 10; ++k) tape.AddKeyLine("+");
  EXPECT_LE(tape.size(), Tape::kMaxLines);
  EXPECT_GT(tape.size(), Tape::kMaxLines / 2);
}

}  // namespace
}  // namespace finova
