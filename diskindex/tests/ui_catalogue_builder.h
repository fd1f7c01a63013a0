#pragma once
// Builds sample catalogues for the window's tests, its benchmark and for
// looking at the window: deterministic directory trees of any size written
// through the catalogue core, so the files are exactly what the program
// itself writes.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/entry_record.h"
#include "diskindex/core/remark_list.h"

namespace diskindex::ui::testing {

// A walk result of `directories` directories (nested up to four levels, the
// root's files first) with filesPerDirectory files each. 8.3 names are
// stored in upper case, long names carry the long-name flag.
std::vector<EntryRecord> sampleEntries(int directories, int filesPerDirectory,
                                       std::uint32_t seed = 1);

struct SampleVolume {
  std::string name;
  std::string category;
  std::string label = "DISC";
  std::string location;
  std::string remark;
  std::uint8_t driveType = 5;
  char driveLetter = 'E';
  std::int64_t capacity = 681574400;
  std::int64_t freeSpace = 0;
  double captureDate = 45000.0;  // day count
};

// Adds the volume to the catalogue (its data directory must exist).
ResultCode addSampleVolume(Catalogue& catalogue, const SampleVolume& volume,
                           std::span<const EntryRecord> entries,
                           const TFileCommentList& remarks = {});

// Fills dataDir with `count` volumes of a few categories, each with a small
// tree (directories x files given).
void writeSampleCatalogue(const std::filesystem::path& dataDir, int count, int directories = 12,
                          int filesPerDirectory = 8);

}  // namespace diskindex::ui::testing
