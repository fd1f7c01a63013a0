#pragma once
// Finding an entry of a volume by a path typed by the user ("\TOOLS\A.EXE",
// "tools/a.exe", "E:\TOOLS"): components separated by "\" or "/", a leading
// drive letter and empty components ignored. Each component takes the
// entry of exactly that name when there is one, else the first whose name
// equals it without regard to ASCII letter case, so the display case finds
// a stored name too.

#include <optional>
#include <string_view>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/remark_list.h"

namespace diskindex::files {

// A directory (its index; the root for an empty path).
std::optional<std::size_t> findDirectory(const TOutlineDirList& tree, std::string_view path);
// A file: its key (directory number from 1, file number from 0).
std::optional<TDirFileNo> findFile(const TOutlineDirList& tree, std::string_view path);

}  // namespace diskindex::files
