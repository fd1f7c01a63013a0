#include "diskindex/core/export/tree_lines.h"

#include "platform/codepage.h"

namespace diskindex::exporting {
namespace {

// "E:" followed by the directory's path from the root ("E:\TOOLS\BIN");
// the root alone is "E:" (a kept folder: "/home/anna/Fotos/TOOLS/BIN").
std::string directoryPath(const TOutlineDirList& dirs, std::size_t dir, const VolumeRoot& root) {
  return dir == 0 ? root.text() : root.path(dirs.path(dir));
}

std::string withSeparator(std::string path, char separator) {
  if (path.empty() || path.back() != separator) path += separator;
  return path;
}

void addDirectory(const TOutlineDirList& dirs, std::size_t dir, std::size_t depth,
                  const VolumeRoot& root, const TreeLineOptions& options,
                  std::vector<std::string>& lines) {
  const bool wantDirs = options.content != TreeContent::FilesOnly;
  const bool wantFiles = options.content != TreeContent::DirectoriesOnly;
  if (options.paths) {
    const std::string path = directoryPath(dirs, dir, root);
    if (wantDirs) lines.push_back(wantFiles ? withSeparator(path, root.separator()) : path);
    if (!wantFiles) return;
    const std::string prefix = withSeparator(path, root.separator());
    for (const FileItem& file : dirs.files(dir))
      lines.push_back(prefix + std::string(dirs.name(file)));
    return;
  }
  if (wantDirs) {
    lines.push_back(dir == 0 ? root.path("\\")
                             : std::string(depth, '\t') + std::string(dirs.directoryName(dir)));
  }
  if (!wantFiles) return;
  const std::string indent(depth + 1, '\t');
  for (const FileItem& file : dirs.files(dir))
    lines.push_back(indent + std::string(dirs.name(file)));
}

}  // namespace

std::size_t subtreeEnd(const TOutlineDirList& directories, std::size_t startDir) {
  if (startDir >= directories.directoryCount()) return startDir;
  const std::uint8_t level = directories.level(startDir);
  std::size_t end = startDir + 1;
  while (end < directories.directoryCount() && directories.level(end) > level) ++end;
  return end;
}

std::optional<std::size_t> findDirectory(const TOutlineDirList& directories,
                                         std::string_view path) {
  if (directories.empty()) return std::nullopt;
  std::size_t current = 0;
  std::size_t pos = 0;
  while (pos < path.size()) {
    std::size_t end = path.find_first_of("\\/", pos);
    if (end == std::string_view::npos) end = path.size();
    const std::string wanted = platform::toLowerUtf8(path.substr(pos, end - pos));
    pos = end + 1;
    if (wanted.empty()) continue;
    // The children of current: the next level's directories of its subtree.
    const std::size_t stop = subtreeEnd(directories, current);
    const std::uint8_t childLevel = directories.level(current) + 1;
    std::optional<std::size_t> found;
    for (std::size_t d = current + 1; d < stop && !found; ++d) {
      if (directories.level(d) == childLevel &&
          platform::toLowerUtf8(directories.directoryName(d)) == wanted) {
        found = d;
      }
    }
    if (!found) return std::nullopt;
    current = *found;
  }
  return current;
}

std::vector<std::string> treeLines(const TOutlineDirList& directories, std::size_t startDir,
                                   const VolumeRoot& root, const TreeLineOptions& options) {
  std::vector<std::string> lines;
  if (startDir >= directories.directoryCount()) return lines;
  const std::uint8_t startLevel = directories.level(startDir);
  const std::size_t end = subtreeEnd(directories, startDir);
  for (std::size_t dir = startDir; dir < end; ++dir) {
    addDirectory(directories, dir, directories.level(dir) - startLevel, root, options, lines);
  }
  return lines;
}

}  // namespace diskindex::exporting
