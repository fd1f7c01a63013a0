// The duplicate finder over volume data files, and its table and text.

#include "diskindex/core/search/duplicate_finder.h"

#include <gtest/gtest.h>

#include "diskindex/core/search/result_tables.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::search {
namespace {

using test::dir;
using test::file;

class Progress : public DuplicateObserver {
 public:
  void progress(std::size_t done, std::size_t total) override {
    last = done;
    this->total = total;
  }
  bool cancelRequested() override { return cancelAfter != 0 && last >= cancelAfter; }
  std::size_t last = 0;
  std::size_t total = 0;
  std::size_t cancelAfter = 0;
};

class DuplicateFinderTest : public ::testing::Test {
 protected:
  void addVolume(const std::string& name, const std::vector<EntryRecord>& entries) {
    VolumeHeader header = test::sampleHeader(name);
    header.driveLetter = 'F';
    const auto path = m_tmp / ("CD00000" + std::to_string(m_volumes.size() + 1) + ".DAT");
    ASSERT_EQ(createVolume(path, header, entries), ResultCode::Ok);
    m_volumes.push_back(VolumeRecord::fromHeader(header, path));
  }
  DuplicateResult find(const DuplicateOptions& options = {}) {
    Progress progress;
    DuplicateResult result = findDuplicates(m_volumes, options, progress);
    EXPECT_EQ(progress.last, m_volumes.size());
    return result;
  }
  std::vector<std::string> paths(const DuplicateResult& result, std::size_t group) {
    std::vector<std::string> out;
    for (const DuplicateFile& f : result.groups.at(group).files) {
      out.push_back(result.volumeName(f) + "|" + result.path(f));
    }
    return out;
  }

  test::TempDir m_tmp;
  std::vector<VolumeRecord> m_volumes;
};

TEST_F(DuplicateFinderTest, SameNameAndSizeOnThreeVolumesIsOneGroupOfThree) {
  for (const char* name : {"A", "B", "C"}) {
    addVolume(name, {file(1, "other.txt", 10 + m_volumes.size()), dir(1, "DOCS"),
                     file(2, "report.pdf", 500, 0x5A214C00, attributes::kLongName)});
  }
  const DuplicateResult result = find();
  ASSERT_EQ(result.groups.size(), 1u);
  const DuplicateGroup& group = result.groups[0];
  EXPECT_EQ(group.files.size(), 3u);
  EXPECT_EQ(group.size(), 500u);
  EXPECT_EQ(group.wastedBytes(), 1000u);
  EXPECT_EQ(group.volumeCount(), 3u);
  EXPECT_EQ(paths(result, 0), (std::vector<std::string>{"A|F:\\Docs\\report.pdf",
                                                        "B|F:\\Docs\\report.pdf",
                                                        "C|F:\\Docs\\report.pdf"}));
  EXPECT_EQ(group.files[1].key(), (TDirFileNo{2, 0}));
}

TEST_F(DuplicateFinderTest, DifferentSizeIsNoDuplicate) {
  addVolume("A", {file(1, "REPORT.PDF", 500)});
  addVolume("B", {file(1, "REPORT.PDF", 501)});
  EXPECT_TRUE(find().groups.empty());
}

TEST_F(DuplicateFinderTest, IgnoringNamesFindsRenamedCopies) {
  addVolume("A", {file(1, "bericht.pdf", 4096, 0x5A214C00, attributes::kLongName)});
  addVolume("B", {file(1, "report (copy).pdf", 4096, 0x5A214C00, attributes::kLongName),
                  file(1, "unrelated.bin", 4095, 0x5A214C00, attributes::kLongName)});
  EXPECT_TRUE(find().groups.empty());
  DuplicateOptions options;
  options.ignoreName = true;
  const DuplicateResult result = find(options);
  ASSERT_EQ(result.groups.size(), 1u);
  EXPECT_EQ(paths(result, 0), (std::vector<std::string>{"A|F:\\bericht.pdf",
                                                        "B|F:\\report (copy).pdf"}));
}

TEST_F(DuplicateFinderTest, TwiceOnOneVolumeAndLetterCaseOfNames) {
  addVolume("A", {dir(1, "X"), file(2, "README.TXT", 70), dir(1, "Y"),
                  file(2, "readme.txt", 70, 0x5A214C00, attributes::kLongName)});
  const DuplicateResult result = find();
  ASSERT_EQ(result.groups.size(), 1u);
  EXPECT_EQ(result.groups[0].volumeCount(), 1u);
  EXPECT_EQ(paths(result, 0),
            (std::vector<std::string>{"A|F:\\X\\Readme.txt", "A|F:\\Y\\readme.txt"}));
}

TEST_F(DuplicateFinderTest, OptionsSameDateAndMinimumSize) {
  addVolume("A", {file(1, "a.bin", 100, 0x5A214C00), file(1, "empty", 0), file(1, "big", 9000)});
  addVolume("B", {file(1, "a.bin", 100, 0x5A214C02), file(1, "empty", 0), file(1, "big", 9000)});
  const DuplicateResult all = find();
  ASSERT_EQ(all.groups.size(), 2u) << "empty files are not duplicates by default";
  EXPECT_EQ(all.groups[0].size(), 9000u) << "largest waste first";
  DuplicateOptions sameDate;
  sameDate.sameDate = true;
  EXPECT_EQ(find(sameDate).groups.size(), 1u);
  DuplicateOptions large;
  large.minSize = 1000;
  const DuplicateResult big = find(large);
  ASSERT_EQ(big.groups.size(), 1u);
  EXPECT_EQ(big.groups[0].size(), 9000u);
}

TEST_F(DuplicateFinderTest, ClampedSizesAreNeverDuplicates) {
  addVolume("A", {file(1, "disc.iso", std::uint64_t{5} << 30)});
  addVolume("B", {file(1, "disc.iso", std::uint64_t{6} << 30)});
  EXPECT_TRUE(find().groups.empty());
}

TEST_F(DuplicateFinderTest, UnreadableVolumeIsCountedAndCancelStops) {
  addVolume("A", {file(1, "a.bin", 100)});
  addVolume("B", {file(1, "a.bin", 100)});
  m_volumes.push_back(m_volumes[0]);
  m_volumes.back().dataFile = m_tmp / "missing.DAT";
  const DuplicateResult result = find();
  EXPECT_EQ(result.skippedVolumes, 1u);
  EXPECT_EQ(result.groups.size(), 1u);
  Progress cancel;
  cancel.cancelAfter = 1;
  const DuplicateResult stopped = findDuplicates(m_volumes, {}, cancel);
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_TRUE(stopped.groups.empty());
}

TEST_F(DuplicateFinderTest, TableHasOneRowPerFileWithTheGroupsTogether) {
  addVolume("A", {file(1, "x.bin", 100), file(1, "y.bin", 200)});
  addVolume("B", {file(1, "x.bin", 100), file(1, "y.bin", 200)});
  const DuplicateResult result = find();
  const exporting::ExportTable table = duplicateTable(result);
  const std::string csv = exporting::csvDocument(table, {});
  EXPECT_EQ(csv,
            "Gruppe,Datenträger,Pfad,Größe,Datum\r\n"
            "1,A,F:\\y.bin,200,2025-01-01T09:32:00\r\n"
            "1,B,F:\\y.bin,200,2025-01-01T09:32:00\r\n"
            "2,A,F:\\x.bin,100,2025-01-01T09:32:00\r\n"
            "2,B,F:\\x.bin,100,2025-01-01T09:32:00\r\n");
  const std::vector<std::string> lines = duplicateTextLines(result);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "Gruppe 1: 2 Dateien, je 200 Byte, 200 Byte überzählig");
  EXPECT_EQ(lines[1], "A\tF:\\y.bin");
  EXPECT_EQ(lines[3], "");
}

}  // namespace
}  // namespace diskindex::search
