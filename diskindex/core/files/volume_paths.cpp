#include "diskindex/core/files/volume_paths.h"

#include <cctype>
#include <string>
#include <vector>

namespace diskindex::files {
namespace {

std::vector<std::string_view> split(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    path.remove_prefix(2);
  }
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/') {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

bool foldedEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Exact match first, then the first folded match; npos when none.
template <typename NameAt>
std::size_t pick(std::size_t count, std::string_view wanted, NameAt nameAt) {
  std::size_t folded = TOutlineDirList::npos;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view name = nameAt(i);
    if (name == wanted) return i;
    if (folded == TOutlineDirList::npos && foldedEqual(name, wanted)) folded = i;
  }
  return folded;
}

std::optional<std::size_t> walk(const TOutlineDirList& tree,
                                const std::vector<std::string_view>& parts, std::size_t count) {
  if (tree.empty()) return std::nullopt;
  std::size_t dir = 0;
  for (std::size_t p = 0; p < count; ++p) {
    std::vector<std::size_t> children;
    for (std::size_t d = dir + 1; d < tree.directoryCount() && tree.level(d) > tree.level(dir);
         ++d) {
      if (tree.parent(d) == dir) children.push_back(d);
    }
    const std::size_t found = pick(children.size(), parts[p],
                                   [&](std::size_t i) { return tree.directoryName(children[i]); });
    if (found == TOutlineDirList::npos) return std::nullopt;
    dir = children[found];
  }
  return dir;
}

}  // namespace

std::optional<std::size_t> findDirectory(const TOutlineDirList& tree, std::string_view path) {
  const std::vector<std::string_view> parts = split(path);
  return walk(tree, parts, parts.size());
}

std::optional<TDirFileNo> findFile(const TOutlineDirList& tree, std::string_view path) {
  const std::vector<std::string_view> parts = split(path);
  if (parts.empty()) return std::nullopt;
  const auto dir = walk(tree, parts, parts.size() - 1);
  if (!dir) return std::nullopt;
  const auto files = tree.files(*dir);
  const std::size_t found =
      pick(files.size(), parts.back(), [&](std::size_t i) { return tree.name(files[i]); });
  if (found == TOutlineDirList::npos) return std::nullopt;
  return TDirFileNo{static_cast<std::int32_t>(*dir + 1), static_cast<std::int32_t>(found)};
}

}  // namespace diskindex::files
