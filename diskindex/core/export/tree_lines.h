#pragma once
// The directory tree of an opened volume as text lines, for the export
// file, the printout and the clipboard. The directories are taken in tree
// order from a start directory (the root or one directory) through the end
// of its subtree, each with its files in file order, in one of two forms:
//
//   path form, directories and files: "E:\TOOLS\", "E:\TOOLS\A.EXE",
//                                     "E:\TOOLS\BIN\", "E:\TOOLS\BIN\B.EXE"
//   tree form from TOOLS:             "TOOLS", "\tA.EXE", "\tBIN", "\t\tB.EXE"
//
// In tree form the root is "E:\", any other directory its name after one
// TAB per level below the start directory, and a file one TAB more than its
// directory. In path form a directory is the drive letter, ":" and its path
// ("E:" for the root), with a "\" added when files are listed too. Names are
// in display case as the directory list holds them. Line ends are the
// caller's.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/volume_root.h"

namespace diskindex::exporting {

enum class TreeContent { DirectoriesAndFiles = 0, DirectoriesOnly = 1, FilesOnly = 2 };

struct TreeLineOptions {
  bool paths = false;  // full path names instead of the indented tree
  TreeContent content = TreeContent::DirectoriesAndFiles;
};

// The lines from directory startDir (0: the whole volume), the root written
// as root gives it; none when startDir is not a directory of the list.
std::vector<std::string> treeLines(const TOutlineDirList& directories, std::size_t startDir,
                                   const VolumeRoot& root, const TreeLineOptions& options);

// The directory at this path from the root, components separated by "\"
// or "/" and matched without regard to letter case ("tools/BIN" finds
// \TOOLS\BIN; "", "\" and "/" are the root). Nothing when no directory
// has that path.
std::optional<std::size_t> findDirectory(const TOutlineDirList& directories, std::string_view path);

// One past the last directory of startDir's subtree in tree order.
std::size_t subtreeEnd(const TOutlineDirList& directories, std::size_t startDir);

}  // namespace diskindex::exporting
