#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <random>

namespace platform {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    m_path = fs::temp_directory_path() / ("ini_test_" + std::to_string(rd()));
    fs::create_directories(m_path);
  }
  ~TempDir() {
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, ec);
    fs::remove_all(m_path, ec);
  }
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& path, std::string_view content) {
  std::ofstream(path, std::ios::binary) << content;
}

constexpr std::string_view kSample =
    "orphan=before any section\r\n"
    "[Inits]\r\n"
    "; a comment = not a key\r\n"
    "  Data_Path = /home/anna/cds/  \r\n"
    "Quoted=\"  padded  \"\r\n"
    "single='x'\r\n"
    "no equals sign here\r\n"
    "Data_Path=second copy\r\n"
    "\r\n"
    "[Fonts]\r\n"
    "Size_F=12\r\n"
    "[INITS]\r\n"
    "Late=in a second copy of the section\r\n"
    "data_path=third copy\r\n";

TEST(IniRead, SectionsAndKeysIgnoreCaseAndTheFirstKeyWins) {
  const IniFile ini = IniFile::fromText(kSample);
  EXPECT_EQ(ini.readString("inits", "DATA_PATH"), "/home/anna/cds/");
  EXPECT_EQ(ini.readString("INITS", "late"), "in a second copy of the section");
  EXPECT_EQ(ini.readInt("fonts", "size_f", 10), 12);
  EXPECT_TRUE(ini.hasSection("fOnTs"));
  EXPECT_TRUE(ini.hasKey("Inits", "quoted"));
}

TEST(IniRead, ValuesLoseBlanksAndOneMatchingPairOfQuotes) {
  const IniFile ini = IniFile::fromText(kSample);
  EXPECT_EQ(ini.readString("Inits", "Quoted"), "  padded  ");
  EXPECT_EQ(ini.readString("Inits", "single"), "x");
  const IniFile odd = IniFile::fromText("[s]\na=\"open\nb=\"\nc=x=y\n");
  EXPECT_EQ(odd.readString("s", "a"), "\"open");
  EXPECT_EQ(odd.readString("s", "b"), "\"");
  EXPECT_EQ(odd.readString("s", "c"), "x=y");
}

TEST(IniRead, CommentsOrphansAndLinesWithoutEqualsAreNoKeys) {
  const IniFile ini = IniFile::fromText(kSample);
  EXPECT_EQ(ini.readString("", "orphan", "dflt"), "dflt");
  EXPECT_FALSE(ini.hasKey("Inits", "; a comment"));
  EXPECT_FALSE(ini.hasKey("Inits", "no equals sign here"));
  EXPECT_EQ(ini.readString("Inits", "missing", "fallback"), "fallback");
  EXPECT_EQ(ini.readString("Nowhere", "Data_Path", "fallback"), "fallback");
}

TEST(IniRead, KeysAndSectionsComeInFileOrderOncePerName) {
  const IniFile ini = IniFile::fromText(kSample);
  EXPECT_EQ(ini.keys("inits"), (std::vector<std::string>{"Data_Path", "Quoted", "single", "Late"}));
  EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Inits", "Fonts"}));
  EXPECT_TRUE(ini.keys("none").empty());
}

TEST(IniRead, EntriesPairEachKeyOnceWithTheValueReadStringGives) {
  const IniFile ini = IniFile::fromText(kSample);
  const auto entries = ini.entries("INITS");
  ASSERT_EQ(entries.size(), ini.keys("Inits").size());
  for (const auto& [key, value] : entries) {
    EXPECT_EQ(value, ini.readString("inits", key)) << "key " << key;
  }
  std::string big = "[Cat]\n";
  for (int i = 0; i < 100000; ++i)
    big += "C" + std::to_string(i % 50000) + "=" + std::to_string(i) + "\n";
  const auto many = IniFile::fromText(big).entries("cat");
  ASSERT_EQ(many.size(), 50000u);
  EXPECT_EQ(many.back(), (std::pair<std::string, std::string>{"C49999", "49999"}));
}

TEST(IniRead, IntegersFollowTheProfileRule) {
  const IniFile ini = IniFile::fromText(
      "[n]\nplain=42\nneg= -17 \nplus=+5\nhex=0x1F\nHEX=0XFF\ntail=12abc\nword=abc\n"
      "empty=\nwrap=4294967295\nquoted=\"7\"\nbinary=0b101\n");
  EXPECT_EQ(ini.readInt("n", "plain", 0), 42);
  EXPECT_EQ(ini.readInt("n", "neg", 0), -17);
  EXPECT_EQ(ini.readInt("n", "plus", 0), 5);
  EXPECT_EQ(ini.readInt("n", "hex", 0), 31);
  EXPECT_EQ(ini.readInt("n", "tail", 0), 12);
  EXPECT_EQ(ini.readInt("n", "word", 99), 0);
  EXPECT_EQ(ini.readInt("n", "empty", 99), 99);
  EXPECT_EQ(ini.readInt("n", "missing", 99), 99);
  EXPECT_EQ(ini.readInt("n", "wrap", 0), -1);
  EXPECT_EQ(ini.readInt("n", "quoted", 0), 7);
  EXPECT_EQ(ini.readInt("n", "binary", 0), 5);
}

TEST(IniRead, MissingFileReadsAsDefaults) {
  TempDir dir;
  const IniFile ini(dir.path() / "absent.ini");
  EXPECT_EQ(ini.readInt("Inits", "x", 3), 3);
  EXPECT_TRUE(ini.sections().empty());
  EXPECT_EQ(ini.text(), "");
}

TEST(IniEncoding, NonUtf8FileIsReadAsWindows1252AndWrittenAsUtf8) {
  const IniFile ini = IniFile::fromText(
      "[Kategorien]\nK1=B\xFC"
      "cher \x80\n");
  EXPECT_EQ(ini.readString("Kategorien", "K1"), "Bücher €");
  EXPECT_EQ(ini.text(), "[Kategorien]\nK1=Bücher €\n");
  const IniFile utf8 = IniFile::fromText("[Kategorien]\nK1=Bücher €\n");
  EXPECT_EQ(utf8.readString("Kategorien", "K1"), "Bücher €");
}

TEST(IniEncoding, ByteOrderMarkIsSkippedForReadingAndKept) {
  IniFile ini = IniFile::fromText("\xEF\xBB\xBF[A]\nk=v\n");
  EXPECT_EQ(ini.readString("a", "k"), "v");
  ini.writeString("a", "k", "w");
  EXPECT_EQ(ini.text(), "\xEF\xBB\xBF[A]\nk=w\n");
}

TEST(IniWrite, UntouchedLinesStayByteForByte) {
  IniFile ini = IniFile::fromText(kSample);
  ini.writeString("INITS", "data_path", "/new/");
  std::string expected(kSample);
  expected.replace(expected.find("  Data_Path = /home/anna/cds/  "), 31, "Data_Path=/new/");
  EXPECT_EQ(ini.text(), expected);
  EXPECT_TRUE(ini.dirty());
}

TEST(IniWrite, RewritingTheSameValueChangesNothing) {
  IniFile ini = IniFile::fromText("[a]\nk=v\n");
  ini.writeString("A", "K", "v");
  EXPECT_FALSE(ini.dirty());
  EXPECT_EQ(ini.text(), "[a]\nk=v\n");
}

TEST(IniWrite, NewKeyGoesToTheEndOfItsSectionBeforeTrailingBlankLines) {
  IniFile ini = IniFile::fromText(kSample);
  ini.writeInt("inits", "SplitX", 30);
  ini.writeString("Fonts", "Name_F", "Arial");
  std::string expected(kSample);
  expected.insert(expected.find("\r\n[Fonts]"), "SplitX=30\r\n");
  expected.insert(expected.find("[INITS]"), "Name_F=Arial\r\n");
  EXPECT_EQ(ini.text(), expected);
}

TEST(IniWrite, NewSectionIsAppendedAfterABlankLineInTheFilesLineEnds) {
  IniFile lf = IniFile::fromText("[a]\nk=v");
  lf.writeString("Neu", "x", "1");
  EXPECT_EQ(lf.text(), "[a]\nk=v\n\n[Neu]\nx=1\n");
  IniFile crlf = IniFile::fromText("[a]\r\nk=v\r\n");
  crlf.writeString("b", "y", "2");
  EXPECT_EQ(crlf.text(), "[a]\r\nk=v\r\n\r\n[b]\r\ny=2\r\n");
  IniFile empty;
  empty.writeString("s", "k", "v");
  EXPECT_EQ(empty.text(), "[s]\nk=v\n");
}

TEST(IniWrite, LoneCarriageReturnAtTheEndIsAnEndOfLine) {
  IniFile ini = IniFile::fromText("[a]\nk=v\r");
  EXPECT_EQ(ini.readString("a", "k"), "v");
  ini.writeString("a", "n", "1");
  EXPECT_EQ(ini.text(), "[a]\nk=v\nn=1\n");
  EXPECT_EQ(IniFile::fromText(ini.text()).readString("a", "k"), "v");
}

TEST(IniWrite, LineBreaksCannotInjectKeysOrSections) {
  IniFile ini;
  ini.writeString("s", "k", "a\nb=c\r\n[x]");
  EXPECT_EQ(ini.readString("s", "k"), "a b=c  [x]");
  EXPECT_FALSE(ini.hasKey("s", "b"));
  EXPECT_FALSE(ini.hasSection("x"));
}

TEST(IniErase, KeyErasesEveryCopyAndSectionEveryCopyWithItsLines) {
  IniFile ini = IniFile::fromText(kSample);
  ini.eraseKey("inits", "data_path");
  EXPECT_FALSE(ini.hasKey("Inits", "Data_Path"));
  EXPECT_EQ(ini.readString("Inits", "Late"), "in a second copy of the section");
  ini.eraseSection("inits");
  EXPECT_FALSE(ini.hasSection("Inits"));
  EXPECT_EQ(ini.text(), "orphan=before any section\r\n[Fonts]\r\nSize_F=12\r\n");
  IniFile untouched = IniFile::fromText("[a]\nk=v\n");
  untouched.eraseKey("a", "other");
  untouched.eraseSection("b");
  EXPECT_FALSE(untouched.dirty());
}

TEST(IniFlush, WritesThroughATemporaryFileAndReadsBack) {
  TempDir dir;
  const fs::path file = dir.path() / "DISKINDX.INI";
  writeAll(file, "[Inits]\r\nKeep=me\r\n");
  chmod(file.c_str(), 0600);
  IniFile ini(file);
  ini.writeString("Inits", "Name", "Grüße");
  ASSERT_TRUE(ini.flush());
  EXPECT_FALSE(ini.dirty());
  EXPECT_EQ(readAll(file), "[Inits]\r\nKeep=me\r\nName=Grüße\r\n");
  EXPECT_EQ(IniFile(file).readString("inits", "name"), "Grüße");
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(IniFlush, NewFileFollowsTheUmaskAndLinksStayLinks) {
  TempDir dir;
  const mode_t oldMask = umask(027);
  IniFile fresh(dir.path() / "new.ini");
  fresh.writeInt("Inits", "SplitX", 30);
  const bool written = fresh.flush();
  umask(oldMask);
  ASSERT_TRUE(written);
  struct stat st {};
  ASSERT_EQ(stat((dir.path() / "new.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(readAll(dir.path() / "new.ini"), "[Inits]\nSplitX=30\n");

  fs::create_directory(dir.path() / "dotfiles");
  writeAll(dir.path() / "dotfiles" / "real.ini", "[a]\nk=1\n");
  fs::create_symlink(dir.path() / "dotfiles" / "real.ini", dir.path() / "link.ini");
  IniFile linked(dir.path() / "link.ini");
  linked.writeInt("a", "k", 2);
  ASSERT_TRUE(linked.flush());
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
  EXPECT_EQ(readAll(dir.path() / "dotfiles" / "real.ini"), "[a]\nk=2\n");
}

TEST(IniFlush, FailureKeepsTheDocumentAndTheOldFile) {
  TempDir dir;
  IniFile nowhere(dir.path() / "missing" / "x.ini");
  nowhere.writeString("a", "b", "c");
  EXPECT_FALSE(nowhere.flush());
  EXPECT_TRUE(nowhere.dirty());
  EXPECT_EQ(nowhere.readString("a", "b"), "c");

  // A directory where the file should be cannot be read, and is not replaced.
  const fs::path directory = dir.path() / "folder.ini";
  fs::create_directory(directory);
  IniFile odd(directory);
  EXPECT_TRUE(odd.unreadable());
  odd.writeString("a", "b", "c");
  EXPECT_FALSE(odd.flush());
  EXPECT_TRUE(fs::is_directory(directory));

  if (geteuid() == 0) GTEST_SKIP() << "root reads and writes regardless of permissions";
  const fs::path locked = dir.path() / "locked.ini";
  writeAll(locked, "[a]\nb=keep\n");
  fs::permissions(locked, fs::perms::owner_write);
  IniFile unreadable(locked);
  unreadable.writeString("a", "c", "d");
  EXPECT_FALSE(unreadable.flush());
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(readAll(locked), "[a]\nb=keep\n");

  const fs::path file = dir.path() / "ro.ini";
  writeAll(file, "[a]\nb=old\n");
  IniFile ini(file);
  ini.writeString("a", "b", "new");
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(ini.flush());
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(readAll(file), "[a]\nb=old\n");
  EXPECT_TRUE(ini.dirty());
}

}  // namespace
}  // namespace platform
