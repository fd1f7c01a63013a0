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

// The extension sort key of a display name (" " when it has none).
std::string_view extensionKey(std::string_view name);

// Positions (0-based, in file order) of the directory's files in show order.
std::vector<std::uint32_t> fileOrder(const TOutlineDirList& directories, std::size_t dir,
                                     SortKey key, bool reverse);

}  // namespace diskindex
