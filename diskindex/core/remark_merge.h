#pragma once
// Three-way merge of two edits of one volume's remarks, entry by entry: the
// records as they were loaded (base), as this program holds them now (mine),
// and as another program saved them meanwhile (theirs). An entry changed on
// one side only takes that side's text (a removed remark is an empty text);
// an entry changed on both sides to different texts is a conflict, decided
// by the caller's choice or returned to be asked about.
//
// It does not read or write files (comment_file.h does, under the lock).

#include <optional>
#include <string>
#include <vector>

#include "diskindex/core/remark_list.h"

namespace diskindex {

// One entry both sides changed differently; an absent text is a removed remark.
struct RemarkConflict {
  TDirFileNo key;
  std::optional<std::string> base;
  std::optional<std::string> mine;
  std::optional<std::string> theirs;
  bool operator==(const RemarkConflict&) const = default;
};

enum class ConflictChoice {
  Ask,         // conflicts are returned, nothing is decided
  KeepMine,    // this program's text wins every conflict
  KeepTheirs,  // the other program's text wins every conflict
};

struct RemarkMerge {
  std::vector<Remark> merged;  // sorted by key; with Ask, conflicts hold mine
  std::vector<RemarkConflict> conflicts;
};

// All three lists sorted by key with unique keys (as TFileCommentList keeps
// them).
RemarkMerge mergeRemarks(const std::vector<Remark>& base, const std::vector<Remark>& mine,
                         const std::vector<Remark>& theirs, ConflictChoice choice);

}  // namespace diskindex
