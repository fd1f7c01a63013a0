#include "diskindex/core/remark_merge.h"

#include <cstddef>

namespace diskindex {
namespace {

// Walks one sorted list alongside the others.
struct Cursor {
  const std::vector<Remark>& list;
  std::size_t at = 0;

  const TDirFileNo* key() const { return at < list.size() ? &list[at].key : nullptr; }
  // The text at key (advancing past it), or nothing when the list has none.
  std::optional<std::string> take(const TDirFileNo& wanted) {
    if (at < list.size() && list[at].key == wanted) return list[at++].text;
    return std::nullopt;
  }
};

const TDirFileNo* smallest(const TDirFileNo* a, const TDirFileNo* b) {
  if (a == nullptr) return b;
  if (b == nullptr) return a;
  return *b < *a ? b : a;
}

}  // namespace

RemarkMerge mergeRemarks(const std::vector<Remark>& base, const std::vector<Remark>& mine,
                         const std::vector<Remark>& theirs, ConflictChoice choice) {
  RemarkMerge result;
  Cursor b{base};
  Cursor m{mine};
  Cursor t{theirs};
  while (const TDirFileNo* next = smallest(smallest(b.key(), m.key()), t.key())) {
    const TDirFileNo key = *next;
    const std::optional<std::string> was = b.take(key);
    std::optional<std::string> ours = m.take(key);
    std::optional<std::string> other = t.take(key);
    std::optional<std::string> text;
    if (ours == other || other == was) {
      text = std::move(ours);
    } else if (ours == was) {
      text = std::move(other);
    } else if (choice == ConflictChoice::KeepTheirs) {
      text = std::move(other);
    } else {
      if (choice == ConflictChoice::Ask) result.conflicts.push_back({key, was, ours, other});
      text = std::move(ours);
    }
    if (text && !text->empty()) result.merged.push_back({key, std::move(*text)});
  }
  return result;
}

}  // namespace diskindex
