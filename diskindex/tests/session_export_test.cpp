#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/session_fixture.h"
#include "diskindex/tests/test_files.h"
#include "platform/dates.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using exporting::ExportResult;
using exporting::InfoField;
using exporting::TreeContent;
using test::dir;
using test::file;

std::string fileText(const fs::path& path) {
  const std::vector<std::uint8_t> bytes = test::readAll(path);
  return std::string(bytes.begin(), bytes.end());
}

// The volume every tree test reads: a root file, TOOLS with two files and
// BIN below it, and DOCS; 8.3 names appear in display case.
std::vector<EntryRecord> toolsVolume() {
  return {file(1, "README.TXT"), dir(1, "TOOLS"),  file(2, "A.EXE"),
          file(2, "B.EXE"),      dir(2, "BIN"),    file(3, "C.COM"),
          dir(1, "DOCS"),        file(2, "D.TXT"), dir(2, "Long Name", attributes::kLongName)};
}

class SessionExportTest : public test::SessionFixture {
 protected:
  void addVolume(VolumeHeader header, const std::vector<EntryRecord>& entries = toolsVolume()) {
    const fs::path path = nextDataFile();
    header.captureDate = platform::daysSince18991230(2024, 3, 9);
    ASSERT_EQ(createVolume(path, header, entries), ResultCode::Ok);
  }
  VolumeHeader header(const std::string& name, const std::string& label,
                      const std::string& category = "") {
    VolumeHeader h = test::sampleHeader(name);
    h.label = label;
    h.category = category;
    return h;
  }
  CatalogueSession& started() {
    m_session = startSession();
    return *m_session;
  }

  std::unique_ptr<CatalogueSession> m_session;
};

exporting::InfoExportOptions infoOptions(std::vector<InfoField> fields, std::string separator,
                                         bool all, std::string filter = "<ALLE>") {
  exporting::InfoExportOptions o;
  o.fields = std::move(fields);
  o.separator = std::move(separator);
  o.allVolumes = all;
  o.categoryFilter = std::move(filter);
  return o;
}

TEST_F(SessionExportTest, NameAndLabelOfEveryVolumeInListOrderWithCrLfAndNoHeader) {
  addVolume(header("Zeta", "ZL"));
  addVolume(header("alpha", "AL"));
  CatalogueSession& session = started();
  const fs::path target = m_tmp / "info.txt";
  ASSERT_EQ(session.exportService().exportInfo(
                infoOptions({InfoField::VolumeName, InfoField::Label}, ";", true), target),
            ExportResult::Ok);
  EXPECT_EQ(fileText(target), "alpha;AL\r\nZeta;ZL\r\n");
}

TEST_F(SessionExportTest, TwoLineRemarkAndCapacityZeroStayOnTheirVolumesLines) {
  VolumeHeader remarked = header("Archiv", "ARC");
  remarked.remark = "Sicherung\r\nvom Montag";
  addVolume(remarked);
  VolumeHeader empty = header("Leer", "LEER");
  empty.capacity = 0;
  empty.freeSpace = 0;
  addVolume(empty);
  CatalogueSession& session = started();
  const fs::path target = m_tmp / "info.txt";
  const auto fields = {InfoField::VolumeName, InfoField::UsedSpace, InfoField::FreeSpace,
                       InfoField::Capacity, InfoField::Remark};
  ASSERT_EQ(session.exportService().exportInfo(infoOptions(fields, "\t", true), target),
            ExportResult::Ok);
  EXPECT_EQ(fileText(target),
            "Archiv\t650000000\t0\t650000000\tSicherung  vom Montag\r\n"
            "Leer\t\t\t\t\r\n");
}

TEST_F(SessionExportTest, FilterChoosesTheCategorysVolumesAndOptionsAreRemembered) {
  addVolume(header("Eins", "E1", "Spiele"));
  addVolume(header("Zwei", "E2"));
  addVolume(header("Drei", "E3", "Spiele"));
  CatalogueSession& session = started();
  auto options = infoOptions({InfoField::Label, InfoField::Category}, ",", false, "Spiele");
  EXPECT_EQ(session.exportService().infoLines(options),
            (std::vector<std::string>{"E3,Spiele", "E1,Spiele"}));
  options.categoryFilter = "<keine Zuordnung>";
  EXPECT_EQ(session.exportService().infoLines(options),
            (std::vector<std::string>{"E2,<keine Zuordnung>"}));
  options.allVolumes = true;
  EXPECT_EQ(session.exportService().infoLines(options).size(), 3u)
      << "all volumes, whatever the filter";

  const fs::path cwd = fs::current_path();
  fs::current_path(m_tmp.path());
  const ExportResult relative = session.exportService().exportInfo(options, "rel/../liste.txt");
  fs::current_path(cwd);
  ASSERT_EQ(relative, ExportResult::Ok);
  EXPECT_TRUE(fs::exists(m_tmp / "liste.txt"));
  ASSERT_EQ(session.shutdown(), ResultCode::Ok);
  const platform::IniFile ini(m_env.settingsFile);
  EXPECT_EQ(ini.readString("Inits", "EXPT_PATH", ""), (m_tmp / "liste.txt").string())
      << "the target is kept as a full path";
  EXPECT_EQ(ini.readString("Inits", "ExpFlds", ""), "11,7");
  EXPECT_EQ(ini.readString("Inits", "ExpCSep", ""), ",");
  EXPECT_EQ(ini.readInt("Inits", "ExpFAll", 0), 1);
}

TEST_F(SessionExportTest, ToolsSubtreeInTreeFormAndTheSelectionRule) {
  addVolume(header("Werkzeug", "W"));
  CatalogueSession& session = started();
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  exporting::TreeExportOptions options;
  options.selectedDirectory = true;
  const std::optional<std::size_t> tools =
      exporting::findDirectory(session.state().opened->directories, "TOOLS");
  ASSERT_TRUE(tools.has_value());
  EXPECT_EQ(session.exportService().treeLines(options, tools),
            (std::vector<std::string>{"Tools", "\tA.exe", "\tB.exe", "\tBin", "\t\tC.com"}));
  EXPECT_TRUE(session.exportService().treeLines(options, std::nullopt).empty())
      << "no directory selected: nothing is produced";
  const fs::path target = m_tmp / "tree.txt";
  EXPECT_EQ(session.exportService().exportTree(options, std::nullopt, target),
            ExportResult::NothingToWrite);
  EXPECT_FALSE(fs::exists(target));

  options.selectedDirectory = false;
  options.lines.paths = true;
  options.lines.content = TreeContent::DirectoriesOnly;
  EXPECT_EQ(session.exportService().treeLines(options, tools),
            (std::vector<std::string>{"E:", "E:\\Tools", "E:\\Tools\\Bin", "E:\\Docs",
                                      "E:\\Docs\\Long Name"}));
  session.volumeService().close();
  EXPECT_TRUE(session.exportService().treeLines(options, tools).empty()) << "no volume open";
}

TEST_F(SessionExportTest, ExportingTwiceWithAppendKeepsBothTreesApart) {
  addVolume(header("Werkzeug", "W"));
  CatalogueSession& session = started();
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  const std::size_t bin =
      *exporting::findDirectory(session.state().opened->directories, "tools/bin");
  exporting::TreeExportOptions options;
  options.selectedDirectory = true;
  options.heading = "Werkzeug";
  options.append = true;
  const fs::path target = m_tmp / "tree.txt";
  ASSERT_EQ(session.exportService().exportTree(options, bin, target), ExportResult::Ok);
  options.lines.paths = true;
  options.heading.clear();
  ASSERT_EQ(session.exportService().exportTree(options, bin, target), ExportResult::Ok);
  EXPECT_EQ(fileText(target),
            "\r\n\r\nWerkzeug\r\n\r\nBin\r\n\tC.com\r\n"
            "\r\n\r\nE:\\Tools\\Bin\\\r\nE:\\Tools\\Bin\\C.com\r\n");
  options.append = false;
  ASSERT_EQ(session.exportService().exportTree(options, bin, target), ExportResult::Ok);
  EXPECT_EQ(fileText(target), "E:\\Tools\\Bin\\\r\nE:\\Tools\\Bin\\C.com\r\n")
      << "without appending the file is replaced";
  EXPECT_EQ(session.settings().expApnd, 0);
  EXPECT_EQ(session.settings().expPath, 1);
  EXPECT_EQ(session.settings().expSDir, 1);
}

TEST_F(SessionExportTest, PrintAndClipboardLinesLeaveTheAppendChoiceAlone) {
  addVolume(header("Werkzeug", "W"));
  CatalogueSession& session = started();
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  session.settings().expApnd = 1;
  exporting::TreeExportOptions options;
  options.heading = "Kopf";
  options.lines.content = TreeContent::FilesOnly;
  options.lines.paths = true;
  const std::vector<std::string> printed =
      session.exportService().treePrintLines(options, std::nullopt);
  ASSERT_EQ(printed.size(), 7u);
  EXPECT_EQ(printed[0], "Kopf");
  EXPECT_EQ(printed[1], "");
  EXPECT_EQ(printed[2], "E:\\Readme.txt");
  EXPECT_EQ(session.exportService().treeClipboardText(options, std::nullopt),
            "E:\\Readme.txt\r\nE:\\Tools\\A.exe\r\nE:\\Tools\\B.exe\r\nE:\\Tools\\Bin\\C.com\r\n"
            "E:\\Docs\\D.txt\r\n")
      << "the clipboard gets no heading";
  EXPECT_EQ(session.settings().expApnd, 1);
  EXPECT_EQ(session.settings().expType, 2);
}

TEST_F(SessionExportTest, ControlCharactersInNamesReachTheClipboardAsQuestionMarks) {
  addVolume(header("Werkzeug", "W"),
            {dir(1, "A\nB", attributes::kLongName), file(2, "x\ty\x1b[2J.txt", 3, 0x5A214C00,
                     attributes::kArchive | attributes::kLongName)});
  CatalogueSession& session = started();
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  exporting::TreeExportOptions options;
  options.lines.paths = false;  // the tree form, whose TABs indent
  EXPECT_EQ(session.exportService().treeClipboardText(options, std::nullopt),
            "E:\\\r\n\tA?B\r\n\t\tx?y?[2J.txt\r\n");
  options.lines.paths = true;
  EXPECT_EQ(session.exportService().treeClipboardText(options, std::nullopt),
            "E:\\\r\nE:\\A?B\\\r\nE:\\A?B\\x?y?[2J.txt\r\n");
  EXPECT_EQ(session.state().opened->directories.directoryName(1), "A\nB")
      << "the stored name stays";
}

}  // namespace
}  // namespace diskindex
