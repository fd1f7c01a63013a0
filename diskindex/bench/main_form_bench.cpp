// Speed of the main window with large catalogues, offscreen:
//  - start-up to a shown overview with 5,000 volumes in the data directory;
//  - opening a volume of about 1,000,000 entries until its root's files show.
// Both build their sample catalogue once in a temporary directory.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <fstream>

#include "diskindex/tests/ui_catalogue_builder.h"
#include "diskindex/tests/ui_test_support.h"
#include "diskindex/ui/disk_index_form.h"

namespace {

using diskindex::ui::FormEnvironment;
using diskindex::ui::TDiskIndexForm;
namespace testing = diskindex::ui::testing;

FormEnvironment environment(const std::filesystem::path& root, const std::filesystem::path& data) {
  std::filesystem::create_directories(root / "config");
  std::ofstream(root / "config" / "DISKINDX.INI")
      << "[Inits]\nDATA_PATH=" << data.string() << "/\n";
  FormEnvironment env;
  env.settingsFile = root / "config" / "DISKINDX.INI";
  env.settings.dataHome = root;
  env.settings.tempDir = root;
  env.settings.screen = {1280, 1024};
  return env;
}

void BM_StartupWith5000Volumes(benchmark::State& state) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::ensureApplication();
  const testing::TempDir temp;
  const auto data = temp.path() / "data";
  testing::writeSampleCatalogue(data, 5000, 3, 4);
  for (auto _ : state) {
    TDiskIndexForm form(environment(temp.path(), data), std::make_unique<testing::FakePrompts>());
    form.start();
    form.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.state().catalogue.volumes().size());
  }
}
BENCHMARK(BM_StartupWith5000Volumes)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenMillionEntryVolume(benchmark::State& state) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::ensureApplication();
  const testing::TempDir temp;
  const auto data = temp.path() / "data";
  std::filesystem::create_directories(data);
  {
    diskindex::Catalogue catalogue;
    catalogue.setDataDirectory(data);
    testing::SampleVolume big;
    big.name = "Riesig";
    const auto entries = testing::sampleEntries(47619, 20, 7);  // 1,000,019 entries
    testing::addSampleVolume(catalogue, big, entries);
    state.counters["entries"] = static_cast<double>(entries.size());
  }
  TDiskIndexForm form(environment(temp.path(), data), std::make_unique<testing::FakePrompts>());
  form.start();
  form.show();
  QApplication::processEvents();
  for (auto _ : state) {
    if (!form.openVolume(0)) state.SkipWithError("volume did not open");
    QApplication::processEvents();  // the tree and the root's files are painted
    state.PauseTiming();
    form.actions().overview->trigger();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenMillionEntryVolume)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
