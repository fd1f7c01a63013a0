#include <gtest/gtest.h>

#include <sstream>

#include "diskindex/cli/commands.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/cli_run.h"
#include "diskindex/tests/test_files.h"
#include "platform/dates.h"
#include "platform/drives.h"

namespace diskindex {
namespace {

using test::dir;
using test::file;

using test::CliRun;

CliRun run(const std::vector<std::string>& args) { return test::runCli(args); }

void makeVolume(const std::filesystem::path& path, const std::string& name,
                const std::vector<EntryRecord>& entries) {
  VolumeHeader header = test::sampleHeader(name);
  header.category = name == "Spiele 1" ? "Spiele" : "";
  header.captureDate = platform::daysSince18991230(2024, 3, 9);
  ASSERT_EQ(createVolume(path, header, entries), ResultCode::Ok);
}

TEST(Cli, ListPrintsOneTabSeparatedLinePerVolumeAndReportsDamage) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "Spiele 1", {dir(1, "GAMES"), file(2, "A.EXE")});
  makeVolume(tmp / "CD000002.DAT", "Archiv", {file(1, "B.TXT")});
  test::writeAll(tmp / "CD000003.DAT", {'J', 'U', 'N', 'K'});
  const CliRun r = run({"--data", tmp.path().string(), "list"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "Archiv\t\tDISC\tCD-ROM\t1\t0\t09.03.2024\n"
            "Spiele 1\tSpiele\tDISC\tCD-ROM\t1\t1\t09.03.2024\n");
  EXPECT_NE(r.err.find("CD000003.DAT\"\nkann nicht gelesen werden!"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("unvollständig"), std::string::npos);
}

TEST(Cli, TreeIndentsDirectoriesAndFiles) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "Spiele 1",
             {file(1, "README.TXT", 12, 0x58690000u | (10 << 11) | (30 << 5) | 5), dir(1, "GAMES"),
              dir(2, "Long Name", attributes::kLongName), file(3, "X.EXE", 7)});
  const CliRun r = run({"--data", tmp.path().string(), "tree", "spiele 1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Spiele 1/\n"
            "\tReadme.txt\t12\t09.03.2024 10:30:10\n"
            "\tGames/\n"
            "\t\tLong Name/\n"
            "\t\t\tX.exe\t7\t01.01.2025 09:32:00\n");
}

TEST(Cli, ExitStatusTellsNotFoundFromErrors) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "Da", {file(1, "A")});
  EXPECT_EQ(run({"--data", tmp.path().string(), "tree", "Weg"}).status, 1);
  EXPECT_EQ(run({"bogus"}).status, 2);
  // A data folder that is not there (an unplugged disk) is said as such,
  // for reading and for writing commands alike, and nothing is created.
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"list"}, {"scan", "--path", tmp.path().string(), "--name", "X"}}) {
    std::vector<std::string> args{"--data", (tmp / "absent").string()};
    args.insert(args.end(), command.begin(), command.end());
    const CliRun missing = run(args);
    EXPECT_EQ(missing.status, 2) << command[0];
    EXPECT_EQ(missing.err, "Liste der Datenträger lesen - Fehler: Das Datenverzeichnis\n\"" +
                               (tmp / "absent").string() + "/\"\nist nicht vorhanden!\n")
        << command[0];
    EXPECT_FALSE(std::filesystem::exists(tmp / "absent"));
  }
  // A volume whose entries are cut off: the German message and status 2.
  auto bytes = test::readAll(tmp / "CD000001.DAT");
  bytes.pop_back();
  test::writeAll(tmp / "CD000001.DAT", bytes);
  const CliRun r = run({"--data", tmp.path().string(), "tree", "Da"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Datenträger-Inhalt lesen - Fehler:"), std::string::npos) << r.err;
}

TEST(Cli, SearchPrintsOneLinePerHitInResultsOrder) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000002.DAT", "Zeta",
             {file(1, "BRIEF.DOC", 12, 0x58690000u | (10 << 11) | (30 << 5) | 5)});
  makeVolume(tmp / "CD000001.DAT", "Alpha",
             {dir(1, "BRIEFE"), file(2, "BRIEF.TXT", 7), file(2, "NOTIZ.TXT", 3)});
  const std::string data = tmp.path().string();
  CliRun r = run({"--data", data, "search", "brief"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Alpha\tE:\\Briefe\\Brief.txt\t7\t01.01.2025    09:32:00\n"
            "Zeta\tE:\\Brief.doc\t12\t09.03.2024    10:30:10\n");
  r = run({"--data", data, "search", "brief", "--both", "--volume", "alpha"});
  EXPECT_EQ(r.out,
            "Alpha\tE:\\Briefe\\\t\t\n"
            "Alpha\tE:\\Briefe\\Brief.txt\t7\t01.01.2025    09:32:00\n")
      << "a directory hit first, with empty size and date";
  EXPECT_EQ(run({"--data", data, "search", "brief", "--dirs", "--word"}).status, 1);
  EXPECT_EQ(run({"--data", data, "search", "*.TXT; *.doc", "--volume", "Zeta"}).out,
            "Zeta\tE:\\Brief.doc\t12\t09.03.2024    10:30:10\n");
}

TEST(Cli, SearchRemarksAndBadUsage) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "Alpha", {file(1, "A.TXT", 1)});
  TFileCommentList remarks;
  remarks.set({1, 0}, "Die Übersicht");
  ASSERT_EQ(saveRemarks(tmp / "CD000001.CMT", remarks), ResultCode::Ok);
  const std::string data = tmp.path().string();
  EXPECT_EQ(run({"--data", data, "search", "übersicht", "--remarks"}).status, 0);
  EXPECT_EQ(run({"--data", data, "search", "übersicht", "--remarks", "--case"}).status, 1);
  EXPECT_EQ(run({"--data", data, "search"}).status, 2);
  EXPECT_EQ(run({"--data", data, "search", "a", "b"}).status, 2);
  EXPECT_EQ(run({"--data", data, "search", "a", "--fast"}).status, 2);
  EXPECT_EQ(run({"--data", data, "search", "a", "--volume"}).status, 2);
  const CliRun unknown = run({"--data", data, "search", "a", "--volume", "Omega"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("Omega"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace diskindex

namespace diskindex {
namespace {

// A usage error prints the usage lines of the manual table, wrapped to a
// terminal's width, with every command in them.
TEST(Cli, ListWithFreeSpaceFilterKeepsOnlyVolumesWithThatMuchRoom) {
  test::TempDir tmp;
  const auto volumeWithFree = [&](const char* dataFile, const char* name, std::int64_t freeSpace) {
    VolumeHeader header = test::sampleHeader(name);
    header.capacity = 8'000'000'000;
    header.freeSpace = freeSpace;
    ASSERT_EQ(createVolume(tmp / dataFile, header, std::vector<EntryRecord>{file(1, "A")}),
              ResultCode::Ok);
  };
  volumeWithFree("CD000001.DAT", "Voll", 1000);
  volumeWithFree("CD000002.DAT", "Halb", 734003200);  // exactly 700M
  volumeWithFree("CD000003.DAT", "Leer", 5'000'000'000);
  volumeWithFree("CD000004.DAT", "Unbekannt", -1);
  const auto namesListed = [&](const std::string& amount) {
    const CliRun r = run({"--data", tmp.path().string(), "list", "--free-at-least", amount});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string names;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);)
      names += line.substr(0, line.find('\t')) + ";";
    return names;
  };
  EXPECT_EQ(namesListed("700M"), "Halb;Leer;");
  EXPECT_EQ(namesListed("734003201"), "Leer;");
  EXPECT_EQ(namesListed("0"), "Halb;Leer;Voll;");
  EXPECT_EQ(namesListed("5G"), "");
  for (const std::string bad : {"", "12X", "-5", "1.5G", "99999999999T"}) {
    EXPECT_EQ(run({"--data", tmp.path().string(), "list", "--free-at-least", bad}).status, 2)
        << bad;
  }
}

TEST(Cli, IdentifyNamesTheVolumesReadFromTheFileSystemOfAPath) {
  test::TempDir tmp;
  test::TempDir elsewhere;
  const platform::FileSystemId here =
      platform::DriveTable::fromSystem().fileSystemIdOf(elsewhere.path());
  ASSERT_TRUE(here.known());
  VolumeHeader header = test::sampleHeader("Dieses System");
  header.volumeId = here;
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, std::vector<EntryRecord>{file(1, "A")}),
            ResultCode::Ok);
  makeVolume(tmp / "CD000002.DAT", "Ohne Kennung", {file(1, "B")});
  std::filesystem::create_directories(elsewhere / "tief" / "unten");
  const CliRun found =
      run({"--data", tmp.path().string(), "identify", (elsewhere / "tief" / "unten").string()});
  EXPECT_EQ(found.status, 0) << found.err;
  EXPECT_EQ(found.out, "Dieses System\n");
  VolumeHeader other = test::sampleHeader("Dieses System");
  other.volumeId = platform::FileSystemId::fromUuidText("0000-0001");
  ASSERT_EQ(rewriteHeader(tmp / "CD000001.DAT", other), ResultCode::Ok);
  const CliRun none = run({"--data", tmp.path().string(), "identify", elsewhere.path().string()});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find("nicht erfaßt"), std::string::npos) << none.err;
  EXPECT_EQ(run({"--data", tmp.path().string(), "identify", (elsewhere / "fehlt").string()}).status,
            2);
}

TEST(Cli, UsageErrorListsEveryCommandWithinEightyColumns) {
  const CliRun result = run({"frobnicate"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err.rfind(
                "Aufruf: diskindx-cli [--data VERZEICHNIS] list [--free-at-least BYTES]\n", 0),
            0u)
      << result.err;
  for (const std::string word : {" list", " tree NAME", " identify PFAD", " scan ", " search TEXT",
                                 " copy NAME", " export info", " export tree NAME"}) {
    EXPECT_NE(result.err.find(word), std::string::npos) << word;
  }
  std::istringstream lines(result.err);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(line.size(), 79u) << line;
  }
}

}  // namespace
}  // namespace diskindex
