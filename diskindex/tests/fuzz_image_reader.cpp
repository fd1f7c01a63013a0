// Feeds arbitrary bytes to the image reader as an image held in memory and
// checks what it makes of them: either a refusal with nothing kept, or an
// entry list in the walk's shape within the reader's limits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "diskindex/core/scan/image_reader.h"

using namespace diskindex;
using namespace diskindex::scan;

namespace {

void checkShape(const ImageReadResult& read) {
  const WalkResult& walk = read.contents.walk;
  if (walk.entries.empty()) std::abort();
  int level = 1;
  int directories = 0;
  bool afterDirectory = false;
  for (const WalkEntry& e : walk.entries) {
    // A level rises by one only right below a directory.
    if (e.level < 1 || e.level > kMaxLevel || e.level > level + (afterDirectory ? 1 : 0))
      std::abort();
    if (e.name.empty() || e.name.find('/') != std::string::npos) std::abort();
    if (e.isDirectory() && e.size != 0) std::abort();
    directories += e.isDirectory() ? 1 : 0;
    level = e.level;
    afterDirectory = e.isDirectory();
  }
  if (directories != walk.directoryCount ||
      walk.fileCount + walk.directoryCount != static_cast<int>(walk.entries.size()))
    std::abort();
  std::size_t kept = 0;
  for (const auto& [path, bytes] : read.contents.descriptionFiles) {
    if (bytes.size() > kMaxDescriptionFileBytes) std::abort();
    kept += bytes.size();
  }
  if (kept > kMaxDescriptionBytesTotal) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ScanObserver observer;
  const ImageReadResult read = readImageMemory(std::span<const std::uint8_t>(data, size), observer);
  if (read.code == ResultCode::Ok) {
    checkShape(read);
  } else if (!read.contents.walk.entries.empty() || !read.contents.descriptionFiles.empty()) {
    std::abort();
  }
  return 0;
}
