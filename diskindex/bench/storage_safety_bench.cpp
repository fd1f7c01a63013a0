// What the safe writes cost: adding a volume and saving remarks with the
// folder lock and fsync (file and folder) against the same code with both
// switched off through the file operation table, on this machine's disk; and
// the volume list of 5,000 volumes read with the shared lock against without;
// and the check whether the folder changed since the list was read.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/volume_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;

// Where the data lives: the build tree's disk, not a memory file system,
// since fsync is what is measured.
fs::path benchDir(const char* name) {
  fs::path path = fs::current_path() /
                  (std::string("diskindex-safety-bench-") + name + "-" + std::to_string(::getpid()));
  fs::remove_all(path);
  fs::create_directories(path);
  return path;
}

int noSync(int) {
  return 0;
}
int noLock(int, bool) {
  return 0;
}

// The system's operations, or the same without flushing and locking.
FileOps opsFor(bool safe) {
  FileOps ops = systemFileOps();
  if (!safe) {
    ops.fsync = noSync;
    ops.lock = noLock;
  }
  return ops;
}

std::vector<EntryRecord> smallWalk() {
  std::vector<EntryRecord> walk;
  for (int d = 0; d < 20; ++d) {
    walk.push_back({1, "DIR" + std::to_string(d), 0, 0x5A214C00, attributes::kDirectory});
    for (int f = 0; f < 9; ++f) {
      walk.push_back({2, "FILE" + std::to_string(f) + ".TXT", 1000u + f, 0x5A214C00, 0x20});
    }
  }
  return walk;
}

void BM_AddVolume(benchmark::State& state) {
  const ScopedFileOps ops(opsFor(state.range(0) != 0));
  const fs::path dir = benchDir("add");
  Catalogue catalogue;
  catalogue.setDataDirectory(dir);
  catalogue.loadVolumeList();
  const std::vector<EntryRecord> walk = smallWalk();
  TFileCommentList remarks;
  remarks.set({1, -1}, "Bemerkung");
  for (auto _ : state) {
    VolumeHeader header = freshHeader();
    header.name = "Band";
    if (catalogue.addVolume(header, walk, remarks) != ResultCode::Ok) {
      state.SkipWithError("add failed");
    }
  }
  state.SetLabel(state.range(0) != 0 ? "lock+fsync" : "without");
  fs::remove_all(dir);
}
BENCHMARK(BM_AddVolume)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_SaveRemarks(benchmark::State& state) {
  const ScopedFileOps ops(opsFor(state.range(0) != 0));
  const fs::path dir = benchDir("remarks");
  const fs::path file = dir / "CD000001.CMT";
  TFileCommentList remarks;
  for (int i = 0; i < 100; ++i) remarks.set({i + 1, -1}, "Bemerkung " + std::to_string(i));
  saveRemarks(file, remarks);
  int round = 0;
  for (auto _ : state) {
    const RemarksLoad load = loadRemarksForEdit(file);
    TFileCommentList mine = load.remarks;
    mine.set({1, -1}, "Runde " + std::to_string(++round));
    if (saveRemarksMerged({file, load.base, mine.records()}).status != RemarkSaveStatus::Saved) {
      state.SkipWithError("save failed");
    }
  }
  state.SetLabel(state.range(0) != 0 ? "lock+fsync" : "without");
  fs::remove_all(dir);
}
BENCHMARK(BM_SaveRemarks)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_LoadVolumeList5000Locked(benchmark::State& state) {
  const fs::path dir = benchDir("list");
  {
    const ScopedFileOps fast(opsFor(false));  // building the folder is not measured
    const std::vector<EntryRecord> entries{{1, "README.TXT", 10, 0, 0x20}};
    for (int i = 1; i <= 5000; ++i) {
      VolumeHeader header = freshHeader();
      header.name = "Volume " + std::to_string((i * 7919) % 5000);
      header.category = i % 3 == 0 ? "Spiele" : "";
      createVolume(dir / volumeFileName(i), header, entries);
    }
  }
  const ScopedFileOps ops(opsFor(state.range(0) != 0));
  for (auto _ : state) {
    Catalogue catalogue;
    catalogue.setDataDirectory(dir);
    catalogue.loadVolumeList();
    if (catalogue.volumes().size() != 5000) state.SkipWithError("list incomplete");
  }
  state.SetLabel(state.range(0) != 0 ? "shared lock" : "without lock");
  fs::remove_all(dir);
}
BENCHMARK(BM_LoadVolumeList5000Locked)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// The check the window makes on activation and before a command that reads
// the catalogue: a listing and a stat per volume file, against the list as
// it was read (nothing changed, so it walks every file).
void BM_ChangedSinceLoad5000(benchmark::State& state) {
  const fs::path dir = benchDir("stamp");
  {
    const ScopedFileOps fast(opsFor(false));
    const std::vector<EntryRecord> entries{{1, "README.TXT", 10, 0, 0x20}};
    for (int i = 1; i <= 5000; ++i) {
      VolumeHeader header = freshHeader();
      header.name = "Volume " + std::to_string(i);
      createVolume(dir / volumeFileName(i), header, entries);
    }
  }
  Catalogue catalogue;
  catalogue.setDataDirectory(dir);
  catalogue.loadVolumeList();
  for (auto _ : state) {
    if (catalogue.changedSinceLoad()) state.SkipWithError("unchanged folder seen as changed");
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_ChangedSinceLoad5000)->Unit(benchmark::kMillisecond);

// The lock alone, as the list loader takes it once per load: what the
// 5,000-volume start-up pays for it, apart from the machine's noise.
void BM_SharedFolderLock(benchmark::State& state) {
  const fs::path dir = benchDir("lock");
  for (auto _ : state) {
    const FolderLock lock(dir, FolderLock::Mode::Shared);
    benchmark::DoNotOptimize(lock.held());
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_SharedFolderLock)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace diskindex
