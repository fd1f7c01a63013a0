// diskindx-cli search with modes, filters and table formats, duplicates,
// and names with control characters in list, tree and search.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "diskindex/cli/commands.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/cli_run.h"
#include "diskindex/tests/test_files.h"
#include "platform/dates.h"

namespace diskindex {
namespace {

using test::dir;
using test::file;

using test::CliRun;

CliRun run(const std::vector<std::string>& args) { return test::runCli(args); }

constexpr std::uint32_t kMarch9 = 0x58690000u | (10 << 11) | (30 << 5) | 5;  // 2024-03-09 10:30:10
constexpr std::uint32_t kMarch10 = 0x586A0000u;                              // 2024-03-10 00:00:00

void makeVolume(const std::filesystem::path& path, const std::string& name,
                const std::vector<EntryRecord>& entries, const std::string& category = "") {
  VolumeHeader header = test::sampleHeader(name);
  header.category = category;
  header.captureDate = platform::daysSince18991230(2024, 3, 9);
  ASSERT_EQ(createVolume(path, header, entries), ResultCode::Ok);
}

class CliSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    makeVolume(
        m_tmp / "CD000001.DAT", "Alpha",
        {dir(1, "DOCS"), file(2, "changelog.Debian.gz", 2048, kMarch9, attributes::kLongName),
         file(2, "NOTES.GZ", 1024, kMarch10)});
  }
  CliRun search(std::vector<std::string> more) {
    std::vector<std::string> args{"--data", m_tmp.path().string(), "search"};
    args.insert(args.end(), more.begin(), more.end());
    return run(args);
  }
  test::TempDir m_tmp;
};

TEST_F(CliSearch, ModeAnyMatchesDotsTheOriginalRulesDoNot) {
  EXPECT_EQ(search({"*.gz"}).out, "Alpha\tE:\\Docs\\Notes.gz\t1024\t10.03.2024    00:00:00\n");
  EXPECT_EQ(search({"*.gz", "--mode", "dos"}).out, search({"*.gz"}).out);
  const CliRun any = search({"*.gz", "--mode", "any"});
  EXPECT_EQ(any.status, 0) << any.err;
  EXPECT_EQ(any.out,
            "Alpha\tE:\\Docs\\changelog.Debian.gz\t2048\t09.03.2024    10:30:10\n"
            "Alpha\tE:\\Docs\\Notes.gz\t1024\t10.03.2024    00:00:00\n");
  EXPECT_EQ(search({"^notes\\.gz$", "--mode", "regex"}).status, 0);
  EXPECT_EQ(search({"^debian", "--mode", "regex"}).status, 1);
}

TEST_F(CliSearch, TextInvalidInItsModeIsSaidInGermanWithStatus2) {
  const CliRun bad = search({"(abc", "--mode", "regex"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("Position"), std::string::npos) << bad.err;
  EXPECT_TRUE(bad.out.empty());
  EXPECT_EQ(search({"a", "--mode", "glob"}).status, 2);
  EXPECT_EQ(search({"a", "--mode"}).status, 2);
}

TEST_F(CliSearch, SizeFiltersIncludeTheirBounds) {
  EXPECT_EQ(search({"*", "--mode", "any", "--min-size", "2K"}).out,
            "Alpha\tE:\\Docs\\changelog.Debian.gz\t2048\t09.03.2024    10:30:10\n");
  EXPECT_EQ(search({"*", "--mode", "any", "--max-size", "1024"}).out,
            "Alpha\tE:\\Docs\\Notes.gz\t1024\t10.03.2024    00:00:00\n");
  EXPECT_EQ(search({"*", "--mode", "any", "--min-size", "1025", "--max-size", "2047"}).status, 1);
  const CliRun bad = search({"*", "--min-size", "12X"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("12X"), std::string::npos) << bad.err;
  const CliRun empty = search({"*", "--min-size", "2K", "--max-size", "1K"});
  EXPECT_EQ(empty.status, 2);
  EXPECT_NE(empty.err.find("Die Mindestgröße ist größer als die Höchstgröße!"), std::string::npos)
      << empty.err;
}

TEST_F(CliSearch, DayFiltersIncludeBothDays) {
  const std::string march9 = "Alpha\tE:\\Docs\\changelog.Debian.gz\t2048\t09.03.2024    10:30:10\n";
  const std::string march10 = "Alpha\tE:\\Docs\\Notes.gz\t1024\t10.03.2024    00:00:00\n";
  EXPECT_EQ(search({"*.gz", "--mode", "any", "--before", "2024-03-09"}).out, march9);
  EXPECT_EQ(search({"*.gz", "--mode", "any", "--after", "2024-03-10"}).out, march10);
  EXPECT_EQ(
      search({"*.gz", "--mode", "any", "--after", "2024-03-09", "--before", "2024-03-10"}).out,
      march9 + march10);
  EXPECT_EQ(search({"*", "--after", "2024-02-30"}).status, 2);
  const CliRun reversed = search({"*", "--after", "2024-03-10", "--before", "2024-03-09"});
  EXPECT_EQ(reversed.status, 2);
  EXPECT_NE(reversed.err.find("Das Anfangsdatum liegt nach dem Enddatum!"), std::string::npos);
}

TEST_F(CliSearch, TypeChoosesFilesOrDirectories) {
  EXPECT_EQ(search({"d*", "--mode", "any", "--both", "--type", "d"}).out,
            "Alpha\tE:\\Docs\\\t\t\n");
  EXPECT_EQ(search({"d*", "--mode", "any", "--both", "--type", "f"}).status, 1);
  EXPECT_EQ(search({"d*", "--type", "x"}).status, 2);
}

TEST_F(CliSearch, FormatsWriteTheResultsTable) {
  const CliRun csv = search({"*.gz", "--mode", "any", "--format", "csv", "--sep", ";"});
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "Datenträger;Pfad;Größe;Datum\r\n"
            "Alpha;E:\\Docs\\changelog.Debian.gz;2048;2024-03-09T10:30:10\r\n"
            "Alpha;E:\\Docs\\Notes.gz;1024;2024-03-10T00:00:00\r\n");
  const CliRun json = search({"notes", "--format", "json"});
  EXPECT_NE(json.out.find("\"Größe\": 1024"), std::string::npos) << json.out;
  const CliRun html = search({"notes", "--format", "html"});
  EXPECT_NE(html.out.find("<table"), std::string::npos);
  EXPECT_NE(html.out.find("Notes.gz"), std::string::npos);
  // No hit: the table still has its header; the status says none.
  const CliRun none = search({"zzz", "--format", "csv"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "Datenträger,Pfad,Größe,Datum\r\n");
  EXPECT_EQ(search({"a", "--sep", ";"}).status, 2) << "a separator without CSV";
  EXPECT_EQ(search({"a", "--format", "csv", "--sep", "\""}).status, 2);
  EXPECT_EQ(search({"a", "--format", "pdf"}).status, 2);
}

TEST(CliControlCharacters, NamesShowEachControlCharacterAsQuestionMark) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "Bad\nVolume",
             {dir(1, "odd\tdir", attributes::kLongName),
              file(2, "evil\r\nname.txt", 5, kMarch9, attributes::kLongName)});
  const std::string data = tmp.path().string();
  const CliRun list = run({"--data", data, "list"});
  EXPECT_EQ(list.out.substr(0, list.out.find('\t')), "Bad?Volume");
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 1);
  const CliRun tree = run({"--data", data, "tree", "Bad\nVolume"});
  EXPECT_EQ(tree.status, 0) << tree.err;
  EXPECT_EQ(tree.out,
            "Bad?Volume/\n"
            "\todd?dir/\n"
            "\t\tevil??name.txt\t5\t09.03.2024 10:30:10\n");
  const CliRun found = run({"--data", data, "search", "name", "--both"});
  EXPECT_EQ(found.out, "Bad?Volume\tE:\\odd?dir\\evil??name.txt\t5\t09.03.2024    10:30:10\n");
}

class CliDuplicates : public ::testing::Test {
 protected:
  void SetUp() override {
    makeVolume(m_tmp / "CD000001.DAT", "Eins",
               {file(1, "Foto.jpg", 5000, kMarch9, attributes::kLongName),
                file(1, "klein.txt", 10, kMarch9, attributes::kLongName)},
               "Fotos");
    makeVolume(m_tmp / "CD000002.DAT", "Zwei",
               {file(1, "Foto.jpg", 5000, kMarch10, attributes::kLongName),
                file(1, "umbenannt.txt", 10, kMarch9, attributes::kLongName)},
               "Fotos");
    makeVolume(m_tmp / "CD000003.DAT", "Drei",
               {file(1, "Foto.jpg", 5000, kMarch9, attributes::kLongName)});
  }
  CliRun duplicates(std::vector<std::string> more) {
    std::vector<std::string> args{"--data", m_tmp.path().string(), "duplicates"};
    args.insert(args.end(), more.begin(), more.end());
    return run(args);
  }
  test::TempDir m_tmp;
};

TEST_F(CliDuplicates, SameNameAndSizeOnThreeVolumesIsOneGroup) {
  const CliRun r = duplicates({});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Gruppe 1: 3 Dateien, je 5.000 Byte, 10.000 Byte überzählig\n"
            "Drei\tE:\\Foto.jpg\n"
            "Eins\tE:\\Foto.jpg\n"
            "Zwei\tE:\\Foto.jpg\n");
}

TEST_F(CliDuplicates, OptionsNarrowOrWidenTheGroups) {
  EXPECT_EQ(duplicates({"--min-size", "5001"}).status, 1);
  EXPECT_EQ(duplicates({"--min-size", "5001"}).out, "");
  const CliRun dated = duplicates({"--same-date"});
  EXPECT_EQ(dated.out,
            "Gruppe 1: 2 Dateien, je 5.000 Byte, 5.000 Byte überzählig\n"
            "Drei\tE:\\Foto.jpg\n"
            "Eins\tE:\\Foto.jpg\n");
  EXPECT_EQ(duplicates({"--ignore-name", "--max-size", "1K"}).status, 2);
  const CliRun ignoring = duplicates({"--ignore-name", "--volume", "eins", "--volume", "Zwei"});
  EXPECT_EQ(ignoring.status, 0) << ignoring.err;
  EXPECT_NE(ignoring.out.find("Eins\tE:\\klein.txt\nZwei\tE:\\umbenannt.txt\n"), std::string::npos)
      << ignoring.out;
  EXPECT_EQ(duplicates({"--category", "Fotos"}).out,
            "Gruppe 1: 2 Dateien, je 5.000 Byte, 5.000 Byte überzählig\n"
            "Eins\tE:\\Foto.jpg\n"
            "Zwei\tE:\\Foto.jpg\n");
  EXPECT_EQ(duplicates({"--volume", "Drei"}).status, 1) << "one copy is no duplicate";
}

TEST_F(CliDuplicates, FormatsAndBadUsage) {
  const CliRun csv = duplicates({"--format", "csv", "--volume", "Eins", "--volume", "Drei"});
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "Gruppe,Datenträger,Pfad,Größe,Datum\r\n"
            "1,Drei,E:\\Foto.jpg,5000,2024-03-09T10:30:10\r\n"
            "1,Eins,E:\\Foto.jpg,5000,2024-03-09T10:30:10\r\n")
      << "the files of a group in list order, not in the order named";
  EXPECT_NE(duplicates({"--format", "json"}).out.find("\"Gruppe\": 1"), std::string::npos);
  EXPECT_EQ(duplicates({"--format", "html"}).status, 2);
  EXPECT_EQ(duplicates({"--min-size", "viel"}).status, 2);
  const CliRun unknown = duplicates({"--volume", "Vier"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("Vier"), std::string::npos);
  EXPECT_EQ(duplicates({"--category", "Musik"}).status, 1);
  EXPECT_EQ(duplicates({"--category", "Fotos", "--volume", "Eins"}).status, 2);
}

}  // namespace
}  // namespace diskindex
