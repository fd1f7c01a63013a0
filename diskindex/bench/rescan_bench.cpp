// Speed of carrying remarks across a rescan: a volume of 1,000,000 files in
// 50,000 directories with a remark on every tenth file, read again after
// one directory near the front vanished (so every later number shifts).
// The goal is well under two seconds for the whole carry, so that the
// rescan's time stays the walk's.

#include <benchmark/benchmark.h>

#include <string>

#include "diskindex/core/scan/remark_carry.h"

namespace {

constexpr int kDirectories = 50000;
constexpr int kFilesPerDirectory = 20;

diskindex::TOutlineDirList volume(int skippedDirectory) {
  diskindex::TOutlineDirList tree;
  tree.reserve(kDirectories + 1, static_cast<std::size_t>(kDirectories) * kFilesPerDirectory,
               64u * kDirectories * kFilesPerDirectory);
  tree.addDirectory(0, "\\");
  for (int d = 0; d < kDirectories; ++d) {
    if (d == skippedDirectory) continue;
    tree.addDirectory(static_cast<std::uint8_t>(1 + d % 3), "Verzeichnis " + std::to_string(d));
    for (int f = 0; f < kFilesPerDirectory; ++f) {
      tree.addFile("Dokument " + std::to_string(f) + ".pdf", 1000, 0, 0xA0);
    }
  }
  return tree;
}

void CarryMillionEntries(benchmark::State& state) {
  const diskindex::TOutlineDirList before = volume(-1);
  const diskindex::TOutlineDirList after = volume(2);  // a leaf (level 3)
  diskindex::TFileCommentList remarks;
  for (int d = 2; d <= kDirectories + 1; ++d) {
    for (int f = 0; f < kFilesPerDirectory; f += 10) remarks.set({d, f}, "eine Bemerkung");
  }
  for (auto _ : state) {
    const diskindex::scan::CarriedRemarks carried =
        diskindex::scan::carryRemarks(before, remarks, after);
    benchmark::DoNotOptimize(carried.remarks.size());
    if (carried.orphans.size() != 2) state.SkipWithError("expected the two orphans");
  }
}
BENCHMARK(CarryMillionEntries)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
