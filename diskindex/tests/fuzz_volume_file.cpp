// Feeds arbitrary bytes to every reader of volume data files: the header
// reader of the list loader, the tree loader and the old-format conversion.
// Each must answer with a result code, never crash, hang or over-allocate.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/old_format.h"
#include "diskindex/core/volume_file.h"

namespace {

const std::filesystem::path& workDir() {
  static const std::filesystem::path dir = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("fuzz-volume-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return dir;
}

void writeFile(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace diskindex;
  TOutlineDirList list;
  VolumeHeader header;
  const ResultCode code = parseVolumeContents(std::span(data, size), list, header);
  if (code == ResultCode::Ok) {
    // Every file of every directory must be reachable.
    std::size_t files = 0;
    for (std::size_t d = 0; d < list.directoryCount(); ++d) {
      for (const FileItem& item : list.files(d)) files += list.name(item).size() <= 765 ? 1 : 0;
      (void)list.path(d);
    }
    if (files != list.totalFileCount()) std::abort();
  } else if (!list.empty()) {
    std::abort();
  }
  if (size < 3 || data[0] != 'K' || data[1] != 'T') return 0;

  // Old-format files also go through the list loader and the conversion,
  // which work on files only.
  const std::filesystem::path file = workDir() / "CD000001.DAT";
  writeFile(file, data, size);
  Catalogue catalogue;
  catalogue.setDataDirectory(workDir());
  catalogue.loadVolumeList();
  if (catalogue.volumes().size() + catalogue.oldFormatFiles().size() > 1) std::abort();
  if (!catalogue.oldFormatFiles().empty() && convertOldFile(file) == ResultCode::Ok) {
    TOutlineDirList convertedList;
    if (loadVolumeContents(file, convertedList) != ResultCode::Ok) std::abort();
  }
  return 0;
}
