// Speed of reading a drive: the walk over a generated tree of 200,000 files in
// 20,000 directories (warm cache), next to `find -printf '%s %T@ %p\n'` over
// the same tree in the same run. The goal is a walk at most 1.3 times find's
// time; WalkToFindRatio reports both and their ratio.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "diskindex/core/scan/walk.h"

namespace {

constexpr int kTopDirectories = 100;
constexpr int kSubdirectories = 199;    // per top directory: 100 + 100 * 199 = 20,000
constexpr int kFilesPerDirectory = 10;  // 20,000 * 10 = 200,000

void fillDirectory(const std::string& dir, int seed) {
  mkdir(dir.c_str(), 0755);
  for (int f = 0; f < kFilesPerDirectory; ++f) {
    const std::string name = dir + ((f % 3 == 0) ? "/FILE" : "/Document ") + std::to_string(seed) +
                             "_" + std::to_string(f) + (f % 2 ? ".TXT" : ".pdf");
    const int fd = open(name.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd >= 0) {
      if (ftruncate(fd, (seed * 7 + f * 131) % 65536) != 0) std::perror("ftruncate");
      close(fd);
    }
  }
}

// The generated tree, made once per process and removed at exit.
class BenchTree {
 public:
  BenchTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "scan_bench_XXXXXX").string();
    m_root = mkdtemp(pattern.data());
    int seed = 0;
    for (int t = 0; t < kTopDirectories; ++t) {
      const std::string top = m_root + "/Top" + std::to_string(t);
      fillDirectory(top, seed++);
      for (int s = 0; s < kSubdirectories; ++s) {
        fillDirectory(top + "/sub" + std::to_string(s), seed++);
      }
    }
  }
  ~BenchTree() {
    std::error_code ec;
    std::filesystem::remove_all(m_root, ec);
  }
  const std::string& root() const { return m_root; }

 private:
  std::string m_root;
};

const BenchTree& tree() {
  static const BenchTree instance;
  return instance;
}

double walkSeconds() {
  diskindex::scan::WalkResult result;
  diskindex::scan::ScanObserver quiet;
  const auto start = std::chrono::steady_clock::now();
  diskindex::scan::walkTree(tree().root(), result, quiet);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  if (result.fileCount != kTopDirectories * (kSubdirectories + 1) * kFilesPerDirectory) {
    std::fprintf(stderr, "walk found %d files\n", result.fileCount);
    std::abort();
  }
  return elapsed.count();
}

double findSeconds() {
  const std::string command = "find '" + tree().root() + "' -printf '%s %T@ %p\\n' > /dev/null";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) std::abort();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

void WalkTree(benchmark::State& state) {
  walkSeconds();  // warm the cache
  for (auto _ : state) state.SetIterationTime(walkSeconds());
}
BENCHMARK(WalkTree)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void FindPrintf(benchmark::State& state) {
  findSeconds();
  for (auto _ : state) state.SetIterationTime(findSeconds());
}
BENCHMARK(FindPrintf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Alternates the two so that both see the same cache and machine load.
void WalkToFindRatio(benchmark::State& state) {
  double walk = 0;
  double find = 0;
  for (auto _ : state) {
    const double w = walkSeconds();
    const double f = findSeconds();
    walk += w;
    find += f;
    state.SetIterationTime(w);
  }
  state.counters["walk_ms"] = walk * 1000 / static_cast<double>(state.iterations());
  state.counters["find_ms"] = find * 1000 / static_cast<double>(state.iterations());
  state.counters["ratio"] = walk / find;
}
BENCHMARK(WalkToFindRatio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
