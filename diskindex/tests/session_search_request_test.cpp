// The multi-volume search as one request, writing the results list and the
// duplicate groups from the session, and the search mode and filters kept
// in DISKINDX.INI.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/search/search_summary.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/session_fixture.h"
#include "diskindex/tests/test_files.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using test::dir;
using test::file;

// Records the order of what the search reports.
class Progress : public MultiSearchProgress {
 public:
  void started(const search::SearchParams& params) override {
    events.push_back("started:" + params.text);
  }
  void row(const search::ResultRow& r) override { events.push_back(r.volumeName + ":" + r.path); }
  bool cancelRequested() override { return cancelAfterFirstRow && events.size() > 1; }
  std::vector<std::string> events;
  bool cancelAfterFirstRow = false;
};

class StopAtOnce : public search::DuplicateObserver {
 public:
  bool cancelRequested() override { return true; }
};

class SessionSearchRequestTest : public test::SessionFixture {
 protected:
  // Every volume holds the same files: a small and a large changelog.
  void addVolumeFile(const std::string& name) {
    const fs::path path = nextDataFile();
    const std::vector<EntryRecord> entries{file(1, "changelog.Debian.gz", 500), dir(1, "DOC"),
                                           file(2, "big.Debian.gz", 3 * 1024 * 1024),
                                           file(2, "README", 10)};
    VolumeHeader header = test::sampleHeader(name);
    ASSERT_EQ(createVolume(path, header, entries), ResultCode::Ok);
  }
  static search::SearchParams anyChar(const std::string& text) {
    search::SearchParams p;
    p.text = text;
    p.mode = search::SearchMode::AnyChar;
    return p;
  }
  static std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

};

TEST_F(SessionSearchRequestTest, OneRequestStoresTheChoiceAndSearchesOnlyTheChosenVolumes) {
  for (const char* name : {"Alpha", "Bravo", "Charlie"}) addVolumeFile(name);
  auto session = startSession();
  search::SearchParams p = anyChar("*.gz");
  p.filters.minSize = 1024;
  Progress progress;
  const MultiSearchOutcome outcome = session->searchService().searchMulti({p, {0, 2}}, progress);
  EXPECT_EQ(outcome.status, MultiSearchStatus::Searched);
  EXPECT_EQ(outcome.summary.rows, 2u);
  EXPECT_EQ(progress.events,
            (std::vector<std::string>{"started:*.gz", "Alpha:E:\\Doc\\big.debian.gz",
                                      "Charlie:E:\\Doc\\big.debian.gz"}))
      << "started before the first row; the size filter keeps only the large file";
  EXPECT_EQ(session->searchService().chosenVolumes(), (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(session->searchService().results().size(), 2u);
  EXPECT_EQ(session->searchService().params(), p);
  EXPECT_EQ(session->settings().searchTexts.front(), "*.gz");
}

TEST_F(SessionSearchRequestTest, RefusedRequestsChangeNothingAndSayWhy) {
  addVolumeFile("Alpha");
  auto session = startSession();
  Progress first;
  ASSERT_EQ(session->searchService().searchMulti({anyChar("README"), {0}}, first).status,
            MultiSearchStatus::Searched);

  search::SearchParams regex = anyChar("(abc");
  regex.mode = search::SearchMode::Regex;
  Progress progress;
  MultiSearchOutcome outcome = session->searchService().searchMulti({regex, {}}, progress);
  EXPECT_EQ(outcome.status, MultiSearchStatus::InvalidText);
  EXPECT_NE(outcome.problem.find("Position"), std::string::npos) << outcome.problem;

  search::SearchParams sizes = anyChar("x");
  sizes.filters.minSize = 2000;
  sizes.filters.maxSize = 1000;
  outcome = session->searchService().searchMulti({sizes, {}}, progress);
  EXPECT_EQ(outcome.status, MultiSearchStatus::InvalidFilters);
  EXPECT_EQ(outcome.problem, search::kSizeRangeEmpty);

  EXPECT_TRUE(progress.events.empty());
  EXPECT_EQ(session->searchService().params().text, "README") << "the last valid search stays";
  EXPECT_EQ(session->searchService().chosenVolumes(), (std::vector<std::size_t>{0}));
  EXPECT_EQ(session->searchService().results().size(), 1u);

  outcome = session->searchService().searchMulti({anyChar("other"), {}}, progress);
  EXPECT_EQ(outcome.status, MultiSearchStatus::NoVolumes);
  EXPECT_TRUE(progress.events.empty()) << "nothing searched";
  EXPECT_EQ(session->searchService().params().text, "other") << "but the dialog's choice is kept";
  EXPECT_TRUE(session->searchService().chosenVolumes().empty());
}

TEST_F(SessionSearchRequestTest, CancelStopsAfterTheCurrentRow) {
  for (const char* name : {"Alpha", "Bravo"}) addVolumeFile(name);
  auto session = startSession();
  Progress progress;
  progress.cancelAfterFirstRow = true;
  const MultiSearchOutcome outcome =
      session->searchService().searchMulti({anyChar("*"), {0, 1}}, progress);
  EXPECT_TRUE(outcome.summary.cancelled);
  EXPECT_EQ(session->searchService().results().size(), 1u);
}

TEST_F(SessionSearchRequestTest, ModeAndFiltersSurviveARestart) {
  addVolumeFile("Alpha");
  search::SearchParams p = anyChar("^big");
  p.mode = search::SearchMode::Regex;
  p.filters.minSize = 10 * 1024 * 1024;
  p.filters.maxSize = 3ull << 40;
  p.filters.after = search::CalendarDay{2024, 2, 29};
  p.filters.before = search::CalendarDay{2024, 12, 31};
  p.filters.kind = search::EntryKind::DirectoriesOnly;
  {
    auto session = startSession();
    Progress progress;
    session->searchService().searchMulti({p, {0}}, progress);
    ASSERT_EQ(session->shutdown(), ResultCode::Ok);
  }
  const platform::IniFile ini(m_env.settingsFile);
  EXPECT_EQ(ini.readString("Search", "MODE", ""), "2");
  EXPECT_EQ(ini.readString("Search", "MINSIZE", ""), "10485760");
  EXPECT_EQ(ini.readString("Search", "AFTER", ""), "2024-02-29");
  EXPECT_EQ(ini.readString("Search", "TYPE", ""), "2");
  auto again = startSession();
  EXPECT_EQ(again->searchService().params(), p) << "the text comes back from the history";
}

TEST_F(SessionSearchRequestTest, HandEditedModeAndFiltersFallBackToNone) {
  addVolumeFile("Alpha");
  std::ofstream(m_env.settingsFile) << "[Search]\nMODE=7\nMINSIZE=viel\nAFTER=2023-02-29\n"
                                       "BEFORE=2024-01-01\nTYPE=1\n";
  auto session = startSession();
  const search::SearchParams& p = session->searchService().params();
  EXPECT_EQ(p.mode, search::SearchMode::Dos);
  EXPECT_FALSE(p.filters.minSize);
  EXPECT_FALSE(p.filters.after) << "no 29 February in 2023";
  EXPECT_EQ(p.filters.before, (search::CalendarDay{2024, 1, 1}));
  EXPECT_EQ(p.filters.kind, search::EntryKind::FilesOnly);

  std::ofstream(m_env.settingsFile) << "[Search]\nMINSIZE=2000\nMAXSIZE=1000\n";
  auto contradicting = startSession();
  EXPECT_FALSE(contradicting->searchService().params().filters.any())
      << "bounds that exclude everything are dropped, not applied";
}

TEST_F(SessionSearchRequestTest, ResultsAreWrittenInTheOrderShown) {
  for (const char* name : {"Alpha", "Bravo"}) addVolumeFile(name);
  auto session = startSession();
  Progress progress;
  session->searchService().searchMulti({anyChar("README"), {0, 1}}, progress);
  ListExportRequest csv;
  csv.file = m_tmp / "hits.csv";
  csv.order = {1, 0};
  ASSERT_EQ(session->searchService().exportResults(csv), exporting::ExportResult::Ok);
  const std::string text = read(csv.file);
  EXPECT_EQ(text.rfind("Datenträger,Pfad,", 0), 0u) << text;
  EXPECT_LT(text.find("Bravo"), text.find("Alpha")) << text;

  ListExportRequest list;
  list.file = m_tmp / "hits.txt";
  list.format = exporting::ExportFormat::Text;
  ASSERT_EQ(session->searchService().exportResults(list), exporting::ExportResult::Ok);
  EXPECT_EQ(read(list.file), "Alpha\tE:\\Doc\\Readme\r\nBravo\tE:\\Doc\\Readme\r\n");

  ListExportRequest html;
  html.file = m_tmp / "hits.html";
  html.format = exporting::ExportFormat::Html;
  ASSERT_EQ(session->searchService().exportResults(html), exporting::ExportResult::Ok);
  EXPECT_NE(read(html.file).find("<title>Suche nach: &quot;README&quot; [Platzhalter für alle "
                                 "Zeichen]</title>"),
            std::string::npos)
      << "the page names the mode like the window's caption";

  list.file = m_tmp / "missing-folder" / "hits.json";
  list.format = exporting::ExportFormat::Json;
  EXPECT_EQ(session->searchService().exportResults(list), exporting::ExportResult::CannotCreate);
}

TEST_F(SessionSearchRequestTest, DuplicatesAreKeptForTheWindowAndWrittenOnRequest) {
  for (const char* name : {"Alpha", "Bravo", "Charlie"}) addVolumeFile(name);
  auto session = startSession();
  search::DuplicateObserver quiet;
  const search::DuplicateResult& found =
      session->searchService().findDuplicates({search::DuplicateOptions{}, {0, 2}}, quiet);
  ASSERT_EQ(found.groups.size(), 3u) << "three files, each on Alpha and Charlie";
  for (const search::DuplicateGroup& group : found.groups) {
    EXPECT_EQ(group.files.size(), 2u);
    EXPECT_EQ(found.volumeName(group.files.front()), "Alpha");
    EXPECT_EQ(found.volumeName(group.files.back()), "Charlie");
  }
  EXPECT_EQ(found.groups.front().size(), 3u * 1024 * 1024) << "largest waste first";

  ListExportRequest html;
  html.file = m_tmp / "dupes.html";
  html.format = exporting::ExportFormat::Html;
  ASSERT_EQ(session->searchService().exportDuplicates(html), exporting::ExportResult::Ok);
  EXPECT_NE(read(html.file).find("big.debian.gz"), std::string::npos);

  StopAtOnce stop;
  EXPECT_TRUE(session->searchService().findDuplicates({{}, {0, 1, 2}}, stop).groups.empty());
  EXPECT_TRUE(session->searchService().duplicates().cancelled);
}

TEST(SearchSummary, FiltersAndModeNameTheNarrowedList) {
  search::SearchParams p;
  p.text = "*.gz";
  EXPECT_EQ(search::resultsTitle(p), "K&T DiskIndex - Suche nach: \"*.gz\"");
  p.mode = search::SearchMode::AnyChar;
  p.filters.minSize = 10 * 1024 * 1024;
  p.filters.maxSize = 1536;
  p.filters.after = search::CalendarDay{2024, 1, 1};
  p.filters.kind = search::EntryKind::FilesOnly;
  EXPECT_EQ(search::filterSummary(p),
            "Platzhalter für alle Zeichen; mind. 10M; höchstens 1536; ab 2024-01-01; nur Dateien");
  for (std::uint64_t bytes :
       {0ull, 1ull, 1023ull, 1024ull, 1536ull, 5ull << 30, 7ull << 40, 1ull << 50}) {
    EXPECT_EQ(search::parseSize(search::sizeText(bytes)), bytes) << search::sizeText(bytes);
  }
}

TEST(SearchSummary, HitsAreCountedPerVolumeInTheOrderFound) {
  std::vector<search::ResultRow> rows(5);
  const char* volumes[] = {"B", "B", "A", "B", "C"};
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].volumeName = volumes[i];
  EXPECT_EQ(search::hitsPerVolume(rows),
            (std::vector<search::VolumeHits>{{"B", 3}, {"A", 1}, {"C", 1}}));
  EXPECT_EQ(search::hitsPerVolumeText(rows), "B: 3, A: 1, C: 1");
  EXPECT_EQ(search::hitsPerVolumeText({}), "");
}

}  // namespace
}  // namespace diskindex
