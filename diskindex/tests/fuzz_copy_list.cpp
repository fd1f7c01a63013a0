// Drives the copy list builders with arbitrary volume files: the stored
// names are loaded as the copy workflows load them, then the whole volume,
// every directory's subtree and file keys taken from the input become copy
// lists. A list that is built must hold only names that stay inside their
// folder; anything else is a fault, and so is a crash or a hang.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "diskindex/core/files/copy_list.h"
#include "diskindex/core/files/volume_paths.h"
#include "diskindex/core/volume_file.h"

namespace {

using namespace diskindex;

void requireSafe(const files::CopyListResult& result, const files::CopyList& list) {
  if (result.code == ResultCode::UnsafeName) {
    if (!list.empty() || files::isSafeName(result.badName)) std::abort();
    return;
  }
  for (const files::CopyEntry& entry : list.entries) {
    for (const std::string& name : entry.components) {
      if (!files::isSafeName(name)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TOutlineDirList tree;
  VolumeHeader header;
  if (parseStoredNames(std::span(data, size), tree, header) != ResultCode::Ok) return 0;
  files::CopyList list;
  const std::size_t dirs = tree.directoryCount();
  for (std::size_t d = 0; d < dirs && d < 64; ++d)
    requireSafe(files::treeCopyList(tree, d, list), list);
  std::vector<TDirFileNo> keys;
  for (std::size_t i = 0; i + 1 < size && keys.size() < 64; i += 2) {
    keys.push_back({static_cast<std::int32_t>(data[i] % (dirs + 2)),
                    static_cast<std::int32_t>(data[i + 1] % 8) - 1});
  }
  requireSafe(files::hitsCopyList(tree, keys, list), list);
  if (dirs > 1) files::findFile(tree, tree.directoryName(dirs - 1));
  return 0;
}
