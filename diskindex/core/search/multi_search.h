#pragma once
// The search over several volumes ("Auf mehreren Datenträgern"): every
// chosen volume's data file is read once (and, for remark text, its comment
// file), its entries are walked in file order without building the directory
// tree the window would need, and each hit becomes a result row, in the
// order the single-volume search would find them (a directory's name before
// its files). A data file that cannot be read completely yields no rows; a
// missing or unreadable comment file counts as empty.
//
// Volumes are read and searched by several threads (one per core); rows of
// a volume are handed to the observer, on the calling thread and in the
// order of the volumes, as soon as that volume is done, so a window shows
// first hits while later volumes are still read; the observer may stop the
// search after any row. The parameters' filters apply to every hit.
//
// It does not format times in the system's way (the caller passes the time
// text) and does not write or print the list (see results_file.h).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/remark_list.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/search/volume_search.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::search {

// One row of the results: the visible cells' data and the hidden part (the
// hit's directory and file number and, for remarks, the match).
struct ResultRow {
  std::string volumeName;
  std::string path;  // "E:\TOOLS\A.EXE", a directory ends with "\"
  bool directory = false;
  std::uint32_t size = 0;
  std::uint32_t dosDateTime = 0;
  SearchHit hit;
  bool operator==(const ResultRow&) const = default;
};

// "Größe": the plain number, empty for a directory.
std::string sizeCell(const ResultRow& row);
// "Datum  /  Zeit": DD.MM.YYYY, four blanks and timeText (the time already in
// the system's format), empty for a directory.
std::string dateCell(const ResultRow& row, const std::string& timeText);
// The line of the saved and printed list: volume name, TAB, full path.
std::string listLine(const ResultRow& row);

class MultiSearchObserver {
 public:
  virtual ~MultiSearchObserver() = default;
  virtual void row(const ResultRow& /*row*/) {}
  // Asked after every row and every volume; true stops the search.
  virtual bool cancelRequested() { return false; }
};

struct MultiSearchSummary {
  std::size_t rows = 0;
  std::size_t skippedVolumes = 0;  // data files that could not be read
  bool cancelled = false;
};

class MultiVolumeSearch {
 public:
  explicit MultiVolumeSearch(const SearchParams& params);

  // The rows of one volume, appended to rows (nothing on failure). Ok, or
  // the data file's failure (CannotOpen, CannotRead, BadFormat). With
  // remarks, those are searched instead of the volume's comment file.
  ResultCode searchVolume(const VolumeRecord& volume, std::vector<ResultRow>& rows,
                          const TFileCommentList* remarks = nullptr);
  // The same over a data file's bytes already in memory, with its remarks
  // (ignored unless remark text is searched): CannotRead, BadFormat or Ok.
  ResultCode searchVolumeBytes(const VolumeRecord& volume, std::span<const std::uint8_t> bytes,
                               const TFileCommentList& remarks, std::vector<ResultRow>& rows);

 private:
  class Walk;
  SearchParams m_params;
  SubjectMatcher m_matcher;
  FilterCheck m_filter;
  std::vector<std::uint8_t> m_bytes;
  NameCandidates m_candidates;
  TFileCommentList m_remarks;
  const TFileCommentList* m_activeRemarks = &m_remarks;
};

// The remarks of one volume as they are in memory (the open volume's, with
// what was typed and not saved yet): searched instead of its comment file.
struct RemarksInMemory {
  std::filesystem::path dataFile;
  const TFileCommentList* remarks = nullptr;
};

// Searches the volumes in the given order.
MultiSearchSummary searchVolumes(const SearchParams& params, std::span<const VolumeRecord> volumes,
                                 MultiSearchObserver& observer,
                                 const RemarksInMemory& inMemory = {});

}  // namespace diskindex::search
