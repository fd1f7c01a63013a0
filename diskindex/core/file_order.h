#pragma once
// The order in which the file list shows a directory's files. Without a key
// the files stand in file order; the keys are the display name (byte-wise),
// the extension (the text after the last "."; none, or a name ending in ".",
// sorts as a blank), the size and the date, each ascending with equal keys
// ordered by name. Reversing turns the whole order round, also the plain file
// order. The result is a list of file positions: remarks stay keyed by the
// position, never by the row. No Qt.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "diskindex/core/dir_list.h"

namespace diskindex {

enum class SortKey { None, Name, Extension, Size, Date };

// The file list's order as the user chose it: a key and the reverse flag.
struct SortChoice {
  SortKey key = SortKey::None;
  bool reverse = false;
  bool operator==(const SortChoice&) const = default;
};

// A click on a column header, as file managers do it: a column that does not
// hold the key yet sorts by its key ascending; a click on the column holding
// the key reverses the order. Clicking a column without a key (None) keeps
// the choice as it is.
SortChoice afterHeaderClick(SortChoice current, SortKey clicked);

// The stored form of a choice (DISKINDX.INI): 0 none, 1 name, 2 extension,
// 3 size, 4 date; anything else reads as none.
int sortKeyNumber(SortKey key);
SortKey sortKeyFromNumber(int number);

// The extension sort key of a display name (" " when it has none).
std::string_view extensionKey(std::string_view name);

// Positions (0-based, in file order) of the directory's files in show order.
std::vector<std::uint32_t> fileOrder(const TOutlineDirList& directories, std::size_t dir,
                                     SortKey key, bool reverse);

}  // namespace diskindex
