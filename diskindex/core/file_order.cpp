#include "diskindex/core/file_order.h"

#include <algorithm>
#include <numeric>

namespace diskindex {

std::string_view extensionKey(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot + 1 == name.size()) return " ";
  return name.substr(dot + 1);
}

SortChoice afterHeaderClick(SortChoice current, SortKey clicked) {
  if (clicked == SortKey::None) return current;
  if (clicked == current.key) return {clicked, !current.reverse};
  return {clicked, false};
}

int sortKeyNumber(SortKey key) {
  return static_cast<int>(key);
}

SortKey sortKeyFromNumber(int number) {
  if (number < 0 || number > static_cast<int>(SortKey::Date)) return SortKey::None;
  return static_cast<SortKey>(number);
}

std::vector<std::uint32_t> fileOrder(const TOutlineDirList& directories, std::size_t dir,
                                     SortKey key, bool reverse) {
  const std::span<const FileItem> files = directories.files(dir);
  std::vector<std::uint32_t> order(files.size());
  std::iota(order.begin(), order.end(), 0u);
  auto name = [&](std::uint32_t i) { return directories.name(files[i]); };
  // std::string_view compares as unsigned bytes (char_traits<char>::compare
  // is specified as a byte comparison of unsigned char), so umlauts sort
  // after ASCII as they did.
  auto byName = [&](std::uint32_t a, std::uint32_t b) { return name(a) < name(b); };
  switch (key) {
    case SortKey::None:
      break;
    case SortKey::Name:
      std::stable_sort(order.begin(), order.end(), byName);
      break;
    case SortKey::Extension:
      std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int c = extensionKey(name(a)).compare(extensionKey(name(b)));
        return c != 0 ? c < 0 : byName(a, b);
      });
      break;
    case SortKey::Size:
      std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (files[a].size != files[b].size) return files[a].size < files[b].size;
        return byName(a, b);
      });
      break;
    case SortKey::Date:
      std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (files[a].dosDateTime != files[b].dosDateTime) {
          return files[a].dosDateTime < files[b].dosDateTime;
        }
        return byName(a, b);
      });
      break;
  }
  if (reverse) std::reverse(order.begin(), order.end());
  return order;
}

}  // namespace diskindex
