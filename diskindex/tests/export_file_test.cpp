#include "diskindex/core/export/export_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "diskindex/tests/test_files.h"

namespace diskindex::exporting {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string fileText(const fs::path& file) {
  const std::vector<std::uint8_t> bytes = test::readAll(file);
  return std::string(bytes.begin(), bytes.end());
}

TEST(ExportFile, ReplacingWritesCrLfLinesInWindows1252) {
  test::TempDir tmp;
  const fs::path file = tmp / "out.lst";
  test::writeAll(file, {'a', 'l', 't', '\n'});
  ASSERT_EQ(writeLines(file, Lines{"Größe", "", "x"}, WriteMode::Replace), ExportResult::Ok);
  EXPECT_EQ(fileText(file),
            "Gr\xf6\xdf"
            "e\r\n\r\nx\r\n");
}

TEST(ExportFile, TextBeyondWindows1252IsWrittenAsUtf8) {
  test::TempDir tmp;
  const fs::path file = tmp / "out.lst";
  ASSERT_EQ(writeLines(file, Lines{"Größe", "Ωmega"}, WriteMode::Replace), ExportResult::Ok);
  EXPECT_EQ(fileText(file), "Größe\r\nΩmega\r\n");
}

TEST(ExportFile, NoLinesReplaceByAnEmptyFileAndLeaveAnAppendTargetAlone) {
  test::TempDir tmp;
  const fs::path file = tmp / "out.lst";
  test::writeAll(file, {'a'});
  ASSERT_EQ(writeLines(file, Lines{}, WriteMode::Append), ExportResult::Ok);
  EXPECT_EQ(fileText(file), "a");
  ASSERT_EQ(writeLines(file, Lines{}, WriteMode::Replace), ExportResult::Ok);
  EXPECT_EQ(fs::file_size(file), 0u);
}

TEST(ExportFile, AppendingTwiceSeparatesTheExportsByTwoEmptyLines) {
  test::TempDir tmp;
  const fs::path file = tmp / "tree.lst";
  const Lines tree{"E:\\", "\tA.exe"};
  ASSERT_EQ(writeLines(file, treeExportLines(tree, "Erste", false), WriteMode::Replace),
            ExportResult::Ok);
  ASSERT_EQ(writeLines(file, treeExportLines(tree, "", true), WriteMode::Append), ExportResult::Ok);
  ASSERT_EQ(writeLines(file, treeExportLines(tree, "Dritte", true), WriteMode::Append),
            ExportResult::Ok);
  EXPECT_EQ(fileText(file),
            "Erste\r\n\r\nE:\\\r\n\tA.exe\r\n"
            "\r\n\r\nE:\\\r\n\tA.exe\r\n"
            "\r\n\r\nDritte\r\n\r\nE:\\\r\n\tA.exe\r\n");
}

TEST(ExportFile, AppendedLinesKeepTheEncodingOfTheFileTheyGoInto) {
  test::TempDir tmp;
  const fs::path cp1252 = tmp / "alt.lst";
  const fs::path utf8 = tmp / "neu.lst";
  const fs::path ascii = tmp / "ascii.lst";
  // A Windows-1252 file takes Windows-1252 lines as they are.
  ASSERT_EQ(writeLines(cp1252, Lines{"Größe"}, WriteMode::Replace), ExportResult::Ok);
  ASSERT_EQ(writeLines(cp1252, Lines{"Übersicht"}, WriteMode::Append), ExportResult::Ok);
  EXPECT_EQ(fileText(cp1252), "Gr\xf6\xdf" "e\r\n\xdc" "bersicht\r\n");
  // ... and is converted once, as a whole, when a line needs UTF-8.
  ASSERT_EQ(writeLines(cp1252, Lines{"Ωmega"}, WriteMode::Append), ExportResult::Ok);
  EXPECT_EQ(fileText(cp1252), "Größe\r\nÜbersicht\r\nΩmega\r\n");
  // A UTF-8 file gets UTF-8 even for lines Windows-1252 could hold.
  ASSERT_EQ(writeLines(utf8, Lines{"Ωmega"}, WriteMode::Replace), ExportResult::Ok);
  ASSERT_EQ(writeLines(utf8, Lines{"Größe"}, WriteMode::Append), ExportResult::Ok);
  EXPECT_EQ(fileText(utf8), "Ωmega\r\nGröße\r\n");
  // A file of plain ASCII is either: the new lines decide.
  test::writeAll(ascii, {'a', '\r', '\n'});
  ASSERT_EQ(writeLines(ascii, Lines{"Größe"}, WriteMode::Append), ExportResult::Ok);
  EXPECT_EQ(fileText(ascii), "a\r\nGr\xf6\xdf" "e\r\n");
}

TEST(ExportFile, TreeLineSetsForExportPrintAndClipboard) {
  const Lines tree{"Tools", "\tA.exe"};
  EXPECT_TRUE(treeExportLines(Lines{}, "Kopf", true).empty()) << "an empty result writes nothing";
  EXPECT_EQ(treeExportLines(tree, "", false), tree);
  EXPECT_EQ(treePrintLines(tree, "Kopf"), (Lines{"Kopf", "", "Tools", "\tA.exe"}));
  EXPECT_EQ(treePrintLines(tree, ""), tree) << "no leading empty lines when printing";
  EXPECT_EQ(joinLines(tree), "Tools\r\n\tA.exe\r\n");
  EXPECT_EQ(joinLines(Lines{}), "");
}

TEST(ExportFile, TargetThatCannotBeCreatedIsReported) {
  test::TempDir tmp;
  EXPECT_EQ(writeLines(tmp.path(), Lines{"x"}, WriteMode::Replace), ExportResult::CannotCreate);
  EXPECT_EQ(writeLines(tmp / "fehlt" / "out.lst", Lines{"x"}, WriteMode::Append),
            ExportResult::CannotCreate);
}

// Writes beyond a file size limit fail with EFBIG (SIGXFSZ ignored), as on
// a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_old{};
  void (*m_oldHandler)(int) = nullptr;
};

TEST(ExportFile, FailedWriteRemovesANewFileButKeepsWhatAnAppendTargetHeld) {
  test::TempDir tmp;
  const Lines many(20000, std::string(40, 'x'));
  const fs::path fresh = tmp / "neu.lst";
  const fs::path kept = tmp / "alt.lst";
  test::writeAll(kept, std::vector<std::uint8_t>(1000, 'a'));
  ExportResult replaced = ExportResult::Ok;
  ExportResult appended = ExportResult::Ok;
  {
    const FileSizeLimit limit(64 * 1024);
    replaced = writeLines(fresh, many, WriteMode::Replace);
    appended = writeLines(kept, many, WriteMode::Append);
  }
  EXPECT_EQ(replaced, ExportResult::CannotWrite);
  EXPECT_FALSE(fs::exists(fresh)) << "no cut-off export is left behind";
  EXPECT_EQ(appended, ExportResult::CannotWrite);
  EXPECT_EQ(fileText(kept), std::string(1000, 'a')) << "the file is cut back to its old text";
}

}  // namespace
}  // namespace diskindex::exporting
