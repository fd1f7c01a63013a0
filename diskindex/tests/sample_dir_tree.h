#pragma once
// The small directory tree the tree index and the tree model tests share:
// \ (0) -> TOOLS (1) -> BIN (2) -> X (3); TOOLS -> LIB (4); DOCS (5).

#include "diskindex/core/dir_list.h"

namespace diskindex::test {

inline TOutlineDirList sampleDirTree() {
  TOutlineDirList list;
  list.addDirectory(0, "\\");
  list.addDirectory(1, "TOOLS");
  list.addDirectory(2, "BIN");
  list.addDirectory(3, "X");
  list.addDirectory(2, "LIB");
  list.addDirectory(1, "DOCS");
  return list;
}

}  // namespace diskindex::test
