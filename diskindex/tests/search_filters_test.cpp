// The search filters: the parsers of sizes and days, the checks at their
// boundaries, and both searches applying them.

#include "diskindex/core/search/search_filters.h"

#include <gtest/gtest.h>

#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/search/volume_search.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"
#include "platform/dates.h"

namespace diskindex::search {
namespace {

std::uint32_t dos(int y, int mo, int d, int h, int mi, int s) {
  const platform::DosDateTime packed = platform::packDos({y, mo, d, h, mi, s});
  return (std::uint32_t{packed.date} << 16) | packed.time;
}

TEST(SearchFilters, SizesTakeBinarySuffixesAndRefuseEverythingElse) {
  EXPECT_EQ(parseSize("0"), 0u);
  EXPECT_EQ(parseSize("1500"), 1500u);
  EXPECT_EQ(parseSize("4K"), 4096u);
  EXPECT_EQ(parseSize("10m"), 10u << 20);
  EXPECT_EQ(parseSize("3G"), std::uint64_t{3} << 30);
  EXPECT_EQ(parseSize("2T"), std::uint64_t{2} << 40);
  EXPECT_EQ(parseSize("16777215T"), std::uint64_t{16777215} << 40);
  for (const char* bad : {"", "K", "1.5K", "-1", "1KB", " 1", "1 K", "0x10",
                          "18446744073709551616", "16777216T"}) {
    EXPECT_FALSE(parseSize(bad)) << bad;
  }
  EXPECT_EQ(parseSize("18446744073709551615"), UINT64_MAX);
}

TEST(SearchFilters, DaysMustExist) {
  EXPECT_EQ(parseDay("2024-02-29"), (CalendarDay{2024, 2, 29}));
  EXPECT_EQ(dayText(CalendarDay{2024, 2, 9}), "2024-02-09");
  for (const char* bad : {"2023-02-29", "2024-13-01", "2024-00-10", "2024-1-01", "2024-01-32",
                          "24-01-01", "2024/01/01", "2024-01-01x", ""}) {
    EXPECT_FALSE(parseDay(bad)) << bad;
  }
  EXPECT_TRUE(parseDay("2000-02-29"));
  EXPECT_FALSE(parseDay("1900-02-29"));
  EXPECT_EQ(badDayMessage("1.2.24"),
            "Das Datum \"1.2.24\" ist ungültig.\r\nErwartet wird JJJJ-MM-TT, z. B. 2024-02-29.");
}

TEST(SearchFilters, SizeBoundsIncludeTheExactSize) {
  SearchFilters f;
  f.minSize = 100;
  f.maxSize = 200;
  const FilterCheck check(f);
  EXPECT_FALSE(check.passes(false, 99, 0));
  EXPECT_TRUE(check.passes(false, 100, 0));
  EXPECT_TRUE(check.passes(false, 200, 0));
  EXPECT_FALSE(check.passes(false, 201, 0));
}

TEST(SearchFilters, DayBoundsIncludeTheFirstAndLastSecondOfTheDay) {
  SearchFilters f;
  f.after = CalendarDay{2024, 3, 10};
  f.before = CalendarDay{2024, 3, 12};
  const FilterCheck check(f);
  EXPECT_FALSE(check.passes(false, 1, dos(2024, 3, 9, 23, 59, 58)));
  EXPECT_TRUE(check.passes(false, 1, dos(2024, 3, 10, 0, 0, 0)));
  EXPECT_TRUE(check.passes(false, 1, dos(2024, 3, 12, 23, 59, 58)));
  EXPECT_TRUE(check.passes(false, 1, dos(2024, 3, 12, 23, 59, 59)));
  EXPECT_FALSE(check.passes(false, 1, dos(2024, 3, 13, 0, 0, 0)));
  SearchFilters oneDay;
  oneDay.after = oneDay.before = CalendarDay{2024, 3, 10};
  EXPECT_TRUE(FilterCheck(oneDay).passes(false, 1, dos(2024, 3, 10, 12, 0, 0)));
}

TEST(SearchFilters, ClampedSizesCountAsAtLeastFourGibibytes) {
  SearchFilters big;
  big.minSize = *parseSize("5G");
  EXPECT_TRUE(FilterCheck(big).passes(false, kClampedFileSize, 0));
  SearchFilters small;
  small.maxSize = *parseSize("1G");
  EXPECT_FALSE(FilterCheck(small).passes(false, kClampedFileSize, 0));
  small.maxSize = *parseSize("5G");
  EXPECT_TRUE(FilterCheck(small).passes(false, kClampedFileSize, 0));
}

TEST(SearchFilters, KindAndSizeOrDateDecideAboutDirectories) {
  SearchFilters files;
  files.kind = EntryKind::FilesOnly;
  EXPECT_FALSE(FilterCheck(files).passes(true, 0, 0));
  EXPECT_TRUE(FilterCheck(files).passes(false, 0, 0));
  SearchFilters dirs;
  dirs.kind = EntryKind::DirectoriesOnly;
  EXPECT_TRUE(FilterCheck(dirs).passes(true, 0, 0));
  EXPECT_FALSE(FilterCheck(dirs).passes(false, 0, 0));
  SearchFilters sized;
  sized.minSize = 0;
  EXPECT_FALSE(FilterCheck(sized).passes(true, 0, 0)) << "directories have no size";
  EXPECT_FALSE(FilterCheck(SearchFilters{}).active());
}

TEST(SearchFilters, EmptyRangesAreNamed) {
  SearchFilters f;
  f.minSize = 10;
  f.maxSize = 9;
  EXPECT_EQ(filterProblem(f), std::string(kSizeRangeEmpty));
  f.maxSize = 10;
  EXPECT_FALSE(filterProblem(f));
  f.after = CalendarDay{2024, 1, 2};
  f.before = CalendarDay{2024, 1, 1};
  EXPECT_EQ(filterProblem(f), std::string(kDayRangeEmpty));
}

class Rows : public MultiSearchObserver {
 public:
  void row(const ResultRow& r) override { paths.push_back(r.path); }
  std::vector<std::string> paths;
};

TEST(SearchFilters, MultiVolumeSearchAppliesEveryFilter) {
  test::TempDir tmp;
  const std::vector<EntryRecord> entries{
      test::file(1, "small.txt", 99, dos(2024, 3, 9, 23, 59, 58), attributes::kLongName),
      test::file(1, "exact.txt", 100, dos(2024, 3, 10, 0, 0, 0), attributes::kLongName),
      test::dir(1, "texts.txt", attributes::kLongName),
      test::file(2, "big.txt", 5000, dos(2024, 3, 11, 12, 0, 0), attributes::kLongName),
  };
  std::vector<VolumeRecord> volumes;
  for (int v = 0; v < 3; ++v) {
    VolumeHeader header = test::sampleHeader("V" + std::to_string(v));
    header.driveLetter = 'E';
    const auto path = tmp / ("CD00000" + std::to_string(v + 1) + ".DAT");
    ASSERT_EQ(createVolume(path, header, entries), ResultCode::Ok);
    volumes.push_back(VolumeRecord::fromHeader(header, path));
  }
  const auto run = [&](const SearchFilters& filters) {
    SearchParams p;
    p.text = "*.txt";
    p.mode = SearchMode::AnyChar;
    p.filters = filters;
    Rows rows;
    searchVolumes(p, volumes, rows);
    return rows.paths;
  };
  EXPECT_EQ(run({}).size(), 12u);
  SearchFilters min;
  min.minSize = 100;
  EXPECT_EQ(run(min), (std::vector<std::string>{"E:\\exact.txt", "E:\\texts.txt\\big.txt",
                                                 "E:\\exact.txt", "E:\\texts.txt\\big.txt",
                                                 "E:\\exact.txt", "E:\\texts.txt\\big.txt"}));
  SearchFilters after;
  after.after = CalendarDay{2024, 3, 10};
  after.before = CalendarDay{2024, 3, 10};
  EXPECT_EQ(run(after), (std::vector<std::string>(3, "E:\\exact.txt")));
  SearchFilters dirsOnly;
  dirsOnly.kind = EntryKind::DirectoriesOnly;
  EXPECT_EQ(run(dirsOnly), (std::vector<std::string>(3, "E:\\texts.txt\\")));
  SearchFilters filesOnly;
  filesOnly.kind = EntryKind::FilesOnly;
  filesOnly.maxSize = 99;
  EXPECT_EQ(run(filesOnly), (std::vector<std::string>(3, "E:\\small.txt")));
}

TEST(SearchFilters, SingleVolumeSearchAppliesFiltersToNamesAndRemarks) {
  TOutlineDirList dirs;
  dirs.addDirectory(0, "\\");
  dirs.addFile("a.txt", 10, dos(2024, 1, 1, 0, 0, 0), 0);
  dirs.addFile("b.txt", 1000, dos(2024, 1, 1, 0, 0, 0), 0);
  dirs.addDirectory(1, "c.txt");
  dirs.addFile("d.txt", 1000, dos(2025, 1, 1, 0, 0, 0), 0);
  TFileCommentList remarks;
  remarks.set({1, 0}, "Notiz");
  remarks.set({1, 1}, "Notiz");
  remarks.set({2, -1}, "Notiz");
  SearchParams p;
  p.text = "*.txt";
  p.mode = SearchMode::AnyChar;
  p.filters.minSize = 1000;
  p.filters.before = CalendarDay{2024, 12, 31};
  const auto all = [&](const SearchParams& params) {
    std::vector<TDirFileNo> hits;
    VolumeSearch search;
    search.start(params, dirs, 0);
    while (auto hit = search.findNext(dirs, remarks)) hits.push_back(hit->key);
    return hits;
  };
  EXPECT_EQ(all(p), (std::vector<TDirFileNo>{{1, 1}}));
  p.text = "notiz";
  p.remarks = true;
  EXPECT_EQ(all(p), (std::vector<TDirFileNo>{{1, 1}}));
  p.filters = {};
  p.filters.kind = EntryKind::DirectoriesOnly;
  EXPECT_EQ(all(p), (std::vector<TDirFileNo>{{2, -1}}));
}

}  // namespace
}  // namespace diskindex::search
