#include "arena/core/sound_files.h"

namespace arena {

std::vector<std::filesystem::path> soundFolders(const std::filesystem::path& currentDir,
                                                const std::filesystem::path& programDir) {
  return {currentDir, programDir, programDir / ".." / "share" / "drox"};
}

std::filesystem::path locateSound(std::string_view fileName,
                                  const std::vector<std::filesystem::path>& folders) {
  // A name with a folder part would reach outside the search folders.
  const std::filesystem::path name(fileName);
  if (fileName.empty() || name.has_parent_path() || name != name.filename()) return {};
  for (const auto& folder : folders) {
    std::error_code ec;
    const auto candidate = folder / name;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return {};
}

}  // namespace arena
