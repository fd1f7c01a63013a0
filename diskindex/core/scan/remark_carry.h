#pragma once
// Carrying the remarks of a volume across a new reading of it. Remarks are
// keyed by directory number and file number, and both shift whenever an
// entry vanishes or a new one appears before it, so the old keys are turned
// into paths of the old tree (stored names, exactly as the volume file keeps
// them) and looked up in the new tree:
//  - a path that exists again, the same kind (directory or file), keeps its
//    remark under its new directory and file number;
//  - a path whose only change is letter case (README.TXT became Readme.txt,
//    or a directory above it was renamed that way) keeps it too, but only
//    when the match is unique both ways: exactly one new entry folds to that
//    path, exactly one old entry does, and that new path did not exist
//    before. Otherwise (Linux allows "a" and "A" side by side) it is an
//    orphan, since guessing could move a remark to the wrong file;
//  - every other remark is an orphan: its path and text are handed back,
//    never dropped.
// The root's own remark always stays. Description texts of the new reading
// fill only keys that no carried remark holds. Nothing here touches files.

#include <string>
#include <vector>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/remark_list.h"

namespace diskindex::scan {

// A remark whose entry is gone: the path from the root with "\" separators
// ("\TOOLS\ALT.EXE"; a directory's path ends in "\") and its text.
struct OrphanRemark {
  std::string path;
  std::string text;
  bool operator==(const OrphanRemark&) const = default;
};

struct CarriedRemarks {
  TFileCommentList remarks;           // under the new keys, marked modified
  std::vector<OrphanRemark> orphans;  // in the order of the old keys
};

// oldTree and newTree as loadStoredNames gives them (stored names).
CarriedRemarks carryRemarks(const TOutlineDirList& oldTree, const TFileCommentList& oldRemarks,
                            const TOutlineDirList& newTree);

// Adds the description texts for keys that hold no remark yet; returns how
// many were added.
std::size_t fillEmptyRemarks(TFileCommentList& remarks, const TFileCommentList& descriptions);

}  // namespace diskindex::scan
