// Speed of the two catalogue reads a user waits for: the volume list at
// start-up (5,000 volume files) and opening a volume of 1,000,000 entries
// (100,000 directories). Files are generated once into a temporary folder.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/volume_file.h"

namespace diskindex {
namespace {

std::filesystem::path benchDir(const char* name) {
  auto path = std::filesystem::temp_directory_path() /
              (std::string("diskindex-bench-") + name + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(path);
  return path;
}

// 100,000 directories on up to five levels, nine files each, 8.3 and long
// names mixed as on a real disc.
std::vector<EntryRecord> millionEntries() {
  std::vector<EntryRecord> walk;
  walk.reserve(1'000'000);
  for (int d = 0; d < 100'000; ++d) {
    const auto level = static_cast<std::uint8_t>(1 + d % 5);
    walk.push_back({level, "DIR" + std::to_string(d), 0, 0x5A214C00, attributes::kDirectory});
    for (int f = 0; f < 9; ++f) {
      const bool longName = f % 3 == 0;
      walk.push_back({static_cast<std::uint8_t>(level + 1),
                      longName ? "Holiday picture " + std::to_string(f) + ".jpeg"
                               : "FILE" + std::to_string(f) + ".TXT",
                      static_cast<std::uint64_t>(d) * 17 + f, 0x5A214C00u + f,
                      static_cast<std::uint8_t>(longName ? 0xA0 : 0x20)});
    }
  }
  return walk;
}

void BM_LoadMillionEntryVolume(benchmark::State& state) {
  const auto dir = benchDir("volume");
  const auto file = dir / "CD000001.DAT";
  VolumeHeader header = freshHeader();
  header.name = "Million";
  if (createVolume(file, header, millionEntries()) != ResultCode::Ok) {
    state.SkipWithError("could not create the volume");
    return;
  }
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  for (auto _ : state) {
    TOutlineDirList list;
    if (loadVolumeContents(file, list) != ResultCode::Ok) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(list.totalFileCount());
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_LoadMillionEntryVolume)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadVolumeList5000(benchmark::State& state) {
  const auto dir = benchDir("list");
  const std::vector<EntryRecord> entries{{1, "README.TXT", 10, 0, 0x20}};
  for (int i = 1; i <= 5000; ++i) {
    VolumeHeader header = freshHeader();
    // Names in a scrambled order so that the sort has work to do.
    header.name = "Volume " + std::to_string((i * 7919) % 5000);
    header.category = i % 3 == 0 ? "Spiele" : "";
    createVolume(dir / volumeFileName(i), header, entries);
  }
  for (auto _ : state) {
    Catalogue catalogue;
    catalogue.setDataDirectory(dir);
    catalogue.loadVolumeList();
    if (catalogue.volumes().size() != 5000) state.SkipWithError("list incomplete");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_LoadVolumeList5000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace diskindex
