#pragma once
// The comment file (CDnnnnnn.CMT): a 32-byte header starting with "KT" (and
// "UTF8" at offset 2 when the texts are UTF-8; otherwise they are
// Windows-1252), then records of directory number, file number and a
// NUL-terminated text, sorted by key. Saving writes a temporary file beside
// the .CMT, flushes it and renames it over the old one under the data
// folder's lock, so a failed save never loses the remarks already stored.
// A file on disk that does not read cleanly (damaged) is never replaced
// without a copy: the first save over it keeps it as "<name>.defekt".
// Saving an edit checks what another program saved meanwhile and merges
// (remark_merge.h) instead of overwriting it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "diskindex/core/remark_list.h"
#include "diskindex/core/remark_merge.h"
#include "diskindex/core/result_code.h"

namespace diskindex {

namespace comment_layout {
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kMagic = 0;     // "KT"
inline constexpr std::size_t kUtf8Mark = 2;  // "UTF8" when the texts are UTF-8
inline constexpr std::size_t kDirNo = 0;     // record offsets
inline constexpr std::size_t kFileNo = 4;
inline constexpr std::size_t kText = 8;
}  // namespace comment_layout

// CannotOpen when the file is missing or cannot be opened (callers treat a
// missing file as no remarks), CannotRead when the header is short or the last
// record is cut off, BadFormat when the magic is not "KT". The list is
// replaced and not marked modified. After a cut-off record the records before
// it are kept, so that a later save does not throw them away with the damage;
// behind a damaged magic the records are read as far as they make sense
// (Windows-1252 unless the UTF-8 mark is there; a key below (1, -1) ends).
ResultCode loadRemarks(const std::filesystem::path& commentFile, TFileCommentList& remarks);

// The same reader over the bytes of a whole file held in memory.
ResultCode parseRemarks(std::span<const std::uint8_t> fileBytes, TFileCommentList& remarks);

// Header and all records in list order; UTF-8 when forceUtf8 is set or any
// text needs it. CannotCreate, CannotWrite. On success the modified mark is
// cleared. Texts longer than kMaxRemarkTextBytes are cut at a character.
// Replaces whatever the file holds (for a new volume or "save to another
// file"); a damaged file there is kept first as for saveRemarksMerged.
ResultCode saveRemarks(const std::filesystem::path& commentFile, TFileCommentList& remarks,
                       bool forceUtf8 = false);

// A file that exists but does not read cleanly: BadFormat or CannotRead.
bool remarksDamaged(ResultCode loadCode);

// The remarks of a volume opened for editing: what could be read, the same
// records as the base a later merged save compares against, and whether the
// file is damaged (then the remarks are to be shown read-only, with
// messages::damagedRemarksFile). A missing file is no remarks, not damage.
struct RemarksLoad {
  ResultCode code = ResultCode::Ok;
  TFileCommentList remarks;
  std::vector<Remark> base;
  bool damaged = false;
};
RemarksLoad loadRemarksForEdit(const std::filesystem::path& commentFile);

enum class RemarkSaveStatus {
  Saved,     // nobody else had changed the file: mine written
  Merged,    // another program's changes kept beside mine
  Conflict,  // both changed the same entries: nothing written, ask
  Failed,    // code tells why; the file on disk is as it was
};

struct RemarkSaveRequest {
  std::filesystem::path commentFile;
  std::vector<Remark> base;  // the records as loaded (RemarksLoad::base)
  std::vector<Remark> mine;  // the records to save
  bool forceUtf8 = false;
  ConflictChoice choice = ConflictChoice::Ask;
};

struct RemarkSaveResult {
  RemarkSaveStatus status = RemarkSaveStatus::Failed;
  ResultCode code = ResultCode::Ok;
  std::vector<RemarkConflict> conflicts;  // with Conflict
  // What the file holds now (the new base and the list to show); with
  // Conflict and Failed, mine unchanged.
  std::vector<Remark> saved;
  std::filesystem::path damagedCopy;  // set when a damaged file was kept first
};

// Saves an edit of the remarks. Under the folder's lock the file on disk is
// read again: unchanged since base, mine is written; changed by another
// program, the two edits are merged by entry (mergeRemarks) and written; when
// both changed one entry differently, Conflict returns the entries and
// nothing is written, unless request.choice decides them. A damaged file on
// disk is kept first (keepDamagedCopy) and then replaced by mine; when no
// copy can be made the save fails and the file stays.
RemarkSaveResult saveRemarksMerged(const RemarkSaveRequest& request);

}  // namespace diskindex
