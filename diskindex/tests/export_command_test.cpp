#include <gtest/gtest.h>

#include <sstream>

#include "diskindex/cli/commands.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_root.h"
#include "diskindex/tests/cli_run.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using test::dir;
using test::file;

using test::CliRun;

std::string fileText(const fs::path& path) {
  const std::vector<std::uint8_t> bytes = test::readAll(path);
  return std::string(bytes.begin(), bytes.end());
}

class ExportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VolumeHeader tools = test::sampleHeader("Werkzeug");
    tools.label = "TOOLS_1";
    tools.category = "Software";
    const std::vector<EntryRecord> toolsEntries{file(1, "README.TXT"), dir(1, "TOOLS"),
                                                file(2, "A.EXE"),      dir(2, "BIN"),
                                                file(3, "C.COM"),      dir(1, "DOCS")};
    ASSERT_EQ(createVolume(m_tmp / "CD000001.DAT", tools, toolsEntries), ResultCode::Ok);
    VolumeHeader archive = test::sampleHeader("Archiv");
    archive.label = "ARC";
    archive.capacity = 0;
    const std::vector<EntryRecord> archiveEntries{file(1, "X.TXT")};
    ASSERT_EQ(createVolume(m_tmp / "CD000002.DAT", archive, archiveEntries), ResultCode::Ok);
  }
  CliRun run(std::vector<std::string> args) {
    args.insert(args.begin(), "export");
    return test::runCliIn(m_tmp.path(), std::move(args));
  }

  test::TempDir m_tmp;
};

TEST_F(ExportCommandTest, InfoWritesOneLinePerVolumeToAFileOrStandardOutput) {
  const fs::path target = m_tmp / "info.txt";
  test::writeAll(target, {'a', 'l', 't'});
  CliRun r = run({"info", "--fields", "4,11", "--sep", ";", "--to", target.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(fileText(target), "Archiv;ARC\r\nWerkzeug;TOOLS_1\r\n") << "the old file is replaced";
  r = run({"info", "--fields", "4,10,7", "--to", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Archiv\t\t<keine Zuordnung>\r\nWerkzeug\t650000000\tSoftware\r\n");
  r = run({"info", "--fields", "11", "--category", "Software", "--to", "-"});
  EXPECT_EQ(r.out, "TOOLS_1\r\n");
  r = run({"info", "--fields", "11", "--category", "<keine Zuordnung>", "--to", "-"});
  EXPECT_EQ(r.out, "ARC\r\n");
  r = run({"info", "--fields", "11", "--category", "Spiele", "--to", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Spiele"), std::string::npos);
}

TEST_F(ExportCommandTest, BadUsageGivesTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"info", "--to", "-"},
           {"info", "--fields", "4,12", "--to", "-"},
           {"info", "--fields", "4,4", "--to", "-"},
           {"info", "--fields", "4", "--sep", ";;", "--to", "-"},
           {"info", "--fields", "4"},
           {"tree", "--to", "-"},
           {"tree", "Werkzeug", "--dirs-only", "--files-only", "--to", "-"},
           {"tree", "Werkzeug", "--paths", "--bogus", "--to", "-"},
           {"list"}}) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("export tree NAME"), std::string::npos);
  }
}

TEST_F(ExportCommandTest, TreeFromADirectoryInAnyCaseAndEitherSeparator) {
  CliRun r = run({"tree", "werkzeug", "--from", "tools", "--to", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Tools\r\n\tA.exe\r\n\tBin\r\n\t\tC.com\r\n");
  r = run({"tree", "Werkzeug", "--from", "\\TOOLS\\bin", "--paths", "--to", "-"});
  EXPECT_EQ(r.out, "E:\\Tools\\Bin\\\r\nE:\\Tools\\Bin\\C.com\r\n");
  r = run({"tree", "Werkzeug", "--paths", "--dirs-only", "--to", "-"});
  EXPECT_EQ(r.out, "E:\r\nE:\\Tools\r\nE:\\Tools\\Bin\r\nE:\\Docs\r\n");
  r = run({"tree", "Werkzeug", "--files-only", "--from", "/tools/", "--to", "-"});
  EXPECT_EQ(r.out, "\tA.exe\r\n\t\tC.com\r\n");
  r = run({"tree", "Werkzeug", "--from", "bin", "--to", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  r = run({"tree", "Niemand", "--to", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Niemand"), std::string::npos);
}

// A volume that keeps its folder prints its paths from it, and such a path
// is understood again by --from.
TEST_F(ExportCommandTest, TreeOfAKeptFolderFromAPathAsItPrintsIt) {
  VolumeHeader kept = test::sampleHeader("Ordner");
  kept.driveLetter = platform::DriveTable::kFolderKey;
  const fs::path data = m_tmp / "CD000003.DAT";
  const std::vector<EntryRecord> entries{file(1, "README.TXT"), dir(1, "TOOLS"), file(2, "A.EXE")};
  ASSERT_EQ(createVolume(data, kept, entries), ResultCode::Ok);
  ASSERT_EQ(writeFolderFile(data, "/srv/Archiv"), ResultCode::Ok);
  CliRun r = run({"tree", "Ordner", "--paths", "--dirs-only", "--to", "-"});
  EXPECT_EQ(r.out, "/srv/Archiv\r\n/srv/Archiv/Tools\r\n");
  r = run({"tree", "Ordner", "--from", "/srv/Archiv/tools", "--paths", "--to", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "/srv/Archiv/Tools/\r\n/srv/Archiv/Tools/A.exe\r\n");
}

TEST_F(ExportCommandTest, InfoAsTableFormats) {
  CliRun r = run({"info", "--fields", "4,11", "--format", "csv", "--sep", ";", "--to", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Datenträger-Bezeichnung;Volume-Label\r\nArchiv;ARC\r\nWerkzeug;TOOLS_1\r\n");
  const fs::path target = m_tmp / "info.json";
  test::writeAll(target, {'a', 'l', 't'});
  r = run({"info", "--fields", "11", "--category", "Software", "--format", "json", "--to",
           target.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(fileText(target).find("\"TOOLS_1\""), std::string::npos) << fileText(target);
  EXPECT_EQ(fileText(target).find("ARC"), std::string::npos);
  r = run({"info", "--fields", "4", "--format", "html", "--to", "-"});
  EXPECT_NE(r.out.find("<td>Werkzeug</td>"), std::string::npos) << r.out;
  EXPECT_EQ(run({"info", "--fields", "4", "--format", "json", "--sep", ";", "--to", "-"}).status,
            2)
      << "a separator only with CSV";
  EXPECT_EQ(run({"info", "--fields", "4", "--format", "xls", "--to", "-"}).status, 2);
}

TEST_F(ExportCommandTest, TreeAsTableFormats) {
  CliRun r = run({"tree", "Werkzeug", "--from", "tools", "--format", "csv", "--to", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")), "Pfad,Typ,Größe,Datum,Bemerkung");
  EXPECT_NE(r.out.find("\r\nE:\\Tools\\,Verzeichnis,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\r\nE:\\Tools\\Bin\\C.com,Datei,"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Readme"), std::string::npos) << "only the directory asked for";
  r = run({"tree", "Werkzeug", "--dirs-only", "--format", "json", "--to", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("A.exe"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Docs"), std::string::npos) << r.out;
  for (const char* textOnly : {"--paths", "--append"}) {
    EXPECT_EQ(run({"tree", "Werkzeug", textOnly, "--format", "csv", "--to", "-"}).status, 2)
        << textOnly;
  }
  EXPECT_EQ(
      run({"tree", "Werkzeug", "--heading", "H", "--format", "html", "--to", "-"}).status, 2);
}

TEST_F(ExportCommandTest, TreeAppendsWithHeadingAndReportsAFileItCannotCreate) {
  const fs::path target = m_tmp / "baum.txt";
  CliRun r =
      run({"tree", "Werkzeug", "--dirs-only", "--heading", "Inhalt", "--to", target.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  r = run({"tree", "Werkzeug", "--from", "docs", "--append", "--to", target.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(fileText(target),
            "Inhalt\r\n\r\nE:\\\r\n\tTools\r\n\t\tBin\r\n\tDocs\r\n"
            "\r\n\r\nDocs\r\n");
  r = run({"tree", "Werkzeug", "--to", (m_tmp / "fehlt" / "baum.txt").string()});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("kann nicht erzeugt werden"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Datenträgerinhalt exportieren"), std::string::npos) << r.err;
  r = run({"tree", "Werkzeug", "--from", "docs", "--files-only", "--to", target.string()});
  EXPECT_EQ(r.status, 0) << "an empty result writes nothing";
  EXPECT_NE(fileText(target).find("Inhalt"), std::string::npos);
}

}  // namespace
}  // namespace diskindex
