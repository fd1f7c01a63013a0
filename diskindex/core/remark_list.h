#pragma once
// The remarks of the opened volume: records keyed by directory number (root =
// 1) and file number (from 0; -1 = the directory's own remark), kept sorted
// ascending by directory then file number, at most one per key, none empty.
// A modified flag tells whether the list must be saved. File I/O lives in
// comment_file.h.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex {

struct TDirFileNo {
  std::int32_t dirNo = 1;
  std::int32_t fileNo = -1;  // -1: the directory itself
  auto operator<=>(const TDirFileNo&) const = default;
};

struct Remark {
  TDirFileNo key;
  std::string text;  // UTF-8, may hold CR LF
  bool operator==(const Remark&) const = default;
};

// Longest remark text the comment file stores (bytes on disk).
inline constexpr std::size_t kMaxRemarkTextBytes = 31991;

class TFileCommentList {
 public:
  // Binary search for the key; empty text removes the record, otherwise it is
  // replaced or inserted at its sorted place. Marks the list modified.
  void set(TDirFileNo key, std::string_view text);
  // The text for a key, or nothing.
  std::optional<std::string_view> find(TDirFileNo key) const;

  const std::vector<Remark>& records() const { return m_records; }
  std::size_t size() const { return m_records.size(); }
  bool empty() const { return m_records.empty(); }
  void clear();

  bool modified() const { return m_modified; }
  void setModified(bool modified) { m_modified = modified; }

  // For the comment file reader: records arrive in file order. Out-of-order
  // or repeated keys (a damaged file) are put in order, the first text of a
  // key kept; empty texts are dropped. Does not mark the list modified.
  void appendLoaded(TDirFileNo key, std::string text);
  void finishLoading();

 private:
  std::vector<Remark> m_records;
  bool m_modified = false;
  bool m_needsSort = false;
};

}  // namespace diskindex
