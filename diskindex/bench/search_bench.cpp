// Speed of the multi-volume search over a very large catalogue: 1,000
// volumes of 10,000 entries each (10 million names, about 250 MB of volume
// files) searched for a wildcard pattern, a plain text and a remark text, in
// every search mode, with and without filters; and the duplicate finder over
// the same volumes and 53 more (10,003,500 files). The catalogue is
// generated once into a temporary folder; the first (untimed) pass warms the
// cache.
//
// Goals on a 2-core machine, warm: wildcard and plain text <= 150 ms in the
// original and the any-character mode, regular expressions <= 400 ms;
// filters add at most 10 %; duplicates <= 3 s with a peak resident size of
// at most 1.5 GB (the "peak_rss_mb" counter). sqlite_peer.py times the same
// names in an SQLite table for comparison.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/search/duplicate_finder.h"
#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/volume_file.h"

namespace diskindex::search {
namespace {

constexpr int kVolumes = 1000;           // searched
constexpr int kDuplicateVolumes = 1053;  // 10 million files for the duplicate finder
constexpr int kDirectories = 500;
constexpr int kFilesPerDirectory = 19;  // 500 * (1 + 19) = 10,000 entries

// Names as on real discs: 8.3 upper case and long names, a few umlauts.
std::vector<EntryRecord> volumeEntries(int volume) {
  static const char* kStems[] = {"README",          "SETUP", "Urlaubsbild",  "REPORT",
                                 "Übersicht",       "DATA",  "Brief an Oma", "INSTALL",
                                 "Holiday picture", "LOGO"};
  static const char* kExtensions[] = {".TXT", ".EXE", ".jpeg", ".DOC", ".txt", ".DAT", ".BMP"};
  std::vector<EntryRecord> walk;
  walk.reserve(kDirectories * (kFilesPerDirectory + 1));
  for (int d = 0; d < kDirectories; ++d) {
    const auto level = static_cast<std::uint8_t>(1 + d % 4);
    walk.push_back({level, "DIR" + std::to_string(d), 0, 0x5A214C00, attributes::kDirectory});
    for (int f = 0; f < kFilesPerDirectory; ++f) {
      const int k = (volume * 7 + d * 3 + f) % 10;
      const bool longName = k == 2 || k == 4 || k == 6 || k == 8;
      std::string name = kStems[k];
      name += std::to_string(f);
      name += kExtensions[(d + f) % 7];
      walk.push_back({static_cast<std::uint8_t>(level + 1), std::move(name),
                      static_cast<std::uint64_t>(d) * 100 + f, 0x5A214C00u + f,
                      static_cast<std::uint8_t>(longName ? 0xA0 : 0x20)});
    }
  }
  return walk;
}

TFileCommentList volumeRemarks(int volume) {
  TFileCommentList remarks;
  for (int d = 1; d <= kDirectories; d += 5) {
    remarks.set({d, -1}, "Sicherung vom " + std::to_string(volume % 28 + 1) + ". Januar");
    remarks.set({d, 2}, d % 50 == 1 ? "Die Übersicht der Ausgaben"
                                    : "Rechnung Nummer " + std::to_string(d));
  }
  return remarks;
}

const std::vector<VolumeRecord>& catalogue() {
  static const std::vector<VolumeRecord> volumes = [] {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("diskindex-search-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::vector<VolumeRecord> records;
    for (int v = 0; v < kDuplicateVolumes; ++v) {
      VolumeHeader header = freshHeader();
      header.name = "Volume " + std::to_string(v);
      header.driveLetter = 'E';
      const auto file = dir / volumeFileName(v + 1);
      if (createVolume(file, header, volumeEntries(v)) != ResultCode::Ok) std::abort();
      TFileCommentList remarks = volumeRemarks(v);
      if (saveRemarks(commentFileFor(file), remarks) != ResultCode::Ok) std::abort();
      records.push_back(VolumeRecord::fromHeader(header, file));
    }
    std::atexit([] {
      std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                  ("diskindex-search-bench-" + std::to_string(::getpid())));
    });
    return records;
  }();
  return volumes;
}

class Count : public MultiSearchObserver {
 public:
  void row(const ResultRow&) override { ++rows; }
  std::size_t rows = 0;
};

void run(benchmark::State& state, SearchParams params) {
  const auto volumes = std::span(catalogue()).first(kVolumes);
  Count warm;
  searchVolumes(params, volumes, warm);
  std::size_t rows = 0;
  for (auto _ : state) {
    Count count;
    const MultiSearchSummary summary = searchVolumes(params, volumes, count);
    if (summary.skippedVolumes != 0) state.SkipWithError("a volume could not be read");
    rows = count.rows;
  }
  state.counters["hits"] = static_cast<double>(rows);
  state.counters["names"] = kVolumes * kDirectories * (kFilesPerDirectory + 1.0);
}

void BM_SearchWildcard(benchmark::State& state) {
  SearchParams p;
  p.text = "REPORT1?.DOC";
  run(state, p);
}
BENCHMARK(BM_SearchWildcard)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SearchPlainText(benchmark::State& state) {
  SearchParams p;
  p.text = "picture17";
  run(state, p);
}
BENCHMARK(BM_SearchPlainText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

SearchParams inMode(std::string text, SearchMode mode) {
  SearchParams p;
  p.text = std::move(text);
  p.mode = mode;
  return p;
}

void BM_SearchWildcardAnyChar(benchmark::State& state) {
  run(state, inMode("report1?.doc", SearchMode::AnyChar));
}
BENCHMARK(BM_SearchWildcardAnyChar)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SearchSuffixAnyChar(benchmark::State& state) {
  run(state, inMode("*17.jpeg", SearchMode::AnyChar));
}
BENCHMARK(BM_SearchSuffixAnyChar)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SearchPlainTextAnyChar(benchmark::State& state) {
  run(state, inMode("picture17", SearchMode::AnyChar));
}
BENCHMARK(BM_SearchPlainTextAnyChar)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SearchRegex(benchmark::State& state) {
  run(state, inMode("^report1[0-9]\\.doc$", SearchMode::Regex));
}
BENCHMARK(BM_SearchRegex)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SearchPlainTextRegex(benchmark::State& state) {
  run(state, inMode("picture17", SearchMode::Regex));
}
BENCHMARK(BM_SearchPlainTextRegex)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Filters that let most entries through cost the most: the name is still
// tested for every one of them.
void BM_SearchWildcardFiltered(benchmark::State& state) {
  SearchParams p;
  p.text = "REPORT1?.DOC";
  p.filters.minSize = 10;
  p.filters.after = CalendarDay{2020, 1, 1};
  p.filters.kind = EntryKind::FilesOnly;
  run(state, p);
}
BENCHMARK(BM_SearchWildcardFiltered)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SearchPlainTextFiltered(benchmark::State& state) {
  SearchParams p;
  p.text = "picture17";
  p.filters.maxSize = *parseSize("1G");
  p.filters.before = CalendarDay{2030, 12, 31};
  run(state, p);
}
BENCHMARK(BM_SearchPlainTextFiltered)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Duplicates(benchmark::State& state) {
  const std::vector<VolumeRecord>& volumes = catalogue();
  std::size_t groups = 0, files = 0;
  for (auto _ : state) {
    DuplicateObserver quiet;
    const DuplicateResult result = findDuplicates(volumes, {}, quiet);
    if (result.skippedVolumes != 0) state.SkipWithError("a volume could not be read");
    groups = result.groups.size();
    files = 0;
    for (const DuplicateGroup& group : result.groups) files += group.files.size();
  }
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  state.counters["groups"] = static_cast<double>(groups);
  state.counters["files"] = static_cast<double>(files);
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_Duplicates)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_SearchRemarkText(benchmark::State& state) {
  SearchParams p;
  p.text = "übersicht";
  p.remarks = true;
  run(state, p);
}
BENCHMARK(BM_SearchRemarkText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace diskindex::search
