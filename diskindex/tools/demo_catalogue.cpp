// Writes a sample catalogue for looking at the window and timing it by hand:
//   diskindx-demo-catalogue DATA_DIR VOLUMES [BIG_ENTRIES]
// With BIG_ENTRIES, one more volume "Riesig" of about that many entries is
// added.

#include <cstdio>
#include <cstdlib>

#include "diskindex/tests/ui_catalogue_builder.h"

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DATA_DIR VOLUMES [BIG_ENTRIES]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  diskindex::ui::testing::writeSampleCatalogue(dir, std::atoi(argv[2]));
  if (argc > 3) {
    const int entries = std::atoi(argv[3]);
    diskindex::Catalogue catalogue;
    catalogue.setDataDirectory(dir);
    catalogue.loadVolumeList();
    diskindex::ui::testing::SampleVolume big;
    big.name = "Riesig";
    big.category = "Sicherungen";
    big.driveType = 3;
    const auto records = diskindex::ui::testing::sampleEntries(entries / 21, 20, 99);
    const auto code = diskindex::ui::testing::addSampleVolume(catalogue, big, records);
    std::printf("big volume: %zu entries, code %d\n", records.size(), static_cast<int>(code));
  }
  return 0;
}
