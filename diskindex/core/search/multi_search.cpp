#include "diskindex/core/search/multi_search.h"

#include <algorithm>
#include <array>
#include <memory>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/display_format.h"
#include "diskindex/core/entry_codec.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/search/parallel_volumes.h"
#include "diskindex/core/search/stored_name.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_header.h"
#include "diskindex/core/volume_root.h"
#include "platform/codepage.h"

namespace diskindex::search {

std::string sizeCell(const ResultRow& row) {
  return row.directory ? std::string() : std::to_string(row.size);
}

std::string dateCell(const ResultRow& row, const std::string& timeText) {
  return row.directory ? std::string() : dosDateText(row.dosDateTime) + "    " + timeText;
}

std::string listLine(const ResultRow& row) {
  return row.volumeName + "\t" + row.path;
}

// One pass over a volume's entries: keeps the directories above the current
// one and its directory and file numbers, and tests names or remarks in
// order. Most names are ruled out by SubjectMatcher's quick test on their
// stored bytes; only the rest are converted to their display form, and the
// path of a directory is put together only when a hit inside it needs it.
class MultiVolumeSearch::Walk {
 public:
  Walk(MultiVolumeSearch& search, const VolumeRecord& volume, bool utf8, const std::uint8_t* end,
       std::vector<ResultRow>& rows)
      : m_search(search),
        m_volume(volume),
        m_root(rootOf(volume)),
        m_rootPath(m_root.path("\\")),
        m_utf8(utf8),
        m_end(end),
        m_rows(rows) {
    m_remark = search.m_activeRemarks->records().begin();
    enterDirectory();
  }

  // A file whose name was judged unable to match (names only).
  void passFile() { ++m_fileNo; }

  // candidate: false when the name was already judged unable to match.
  void add(const StoredEntry& entry, bool candidate) {
    if (entry.isDirectory()) {
      while (!m_stack.empty() && m_stack.back().level >= entry.level) m_stack.pop_back();
      m_stack.push_back({entry.level, entry.attributes, entry.name});
      m_pathDone = false;
      ++m_dirNo;
      enterDirectory();
      if (candidate && m_search.m_params.dirNames && !m_search.m_params.remarks &&
          m_search.m_filter.wantsDirectories() && mayMatch(entry.name)) {
        displayForm(entry.name, entry.attributes, m_utf8, m_display, m_scratch);
        if (m_search.m_matcher.matchName(m_display)) addRow(true, entry, {{m_dirNo, -1}}, {});
      }
      return;
    }
    const std::int32_t fileNo = m_fileNo++;
    if (m_search.m_params.remarks) {
      if (const Remark* remark = remarkAt({m_dirNo, fileNo})) testRemark(*remark, entry);
      return;
    }
    if (!candidate || !m_search.m_params.fileNames) return;
    if (m_search.m_filter.active() &&
        !m_search.m_filter.passes(false, entry.size, entry.dosDateTime)) {
      return;
    }
    if (!mayMatch(entry.name)) return;
    std::string_view subject = entry.name;
    if (!isAscii(subject)) {
      displayForm(entry.name, entry.attributes, m_utf8, m_display, m_scratch);
      subject = m_display;
    }
    if (m_search.m_matcher.matchName(subject)) {
      displayForm(entry.name, entry.attributes, m_utf8, m_display, m_scratch);
      addRow(false, entry, {{m_dirNo, fileNo}}, m_display);
    }
  }

 private:
  struct Level {
    std::uint8_t level;
    std::uint8_t attributes;
    std::string_view name;  // as stored
  };

  bool mayMatch(std::string_view stored) const {
    const auto* nameEnd = reinterpret_cast<const std::uint8_t*>(stored.data() + stored.size());
    return m_search.m_matcher.mayMatchStored(stored, m_utf8,
                                             static_cast<std::size_t>(m_end - nameEnd));
  }

  void enterDirectory() {
    m_fileNo = 0;
    if (!m_search.m_params.remarks) return;
    if (const Remark* remark = remarkAt({m_dirNo, -1})) testRemark(*remark, StoredEntry{});
  }

  // The remark of this key, passing over those of keys the walk has left.
  const Remark* remarkAt(TDirFileNo key) {
    const auto end = m_search.m_activeRemarks->records().end();
    while (m_remark != end && m_remark->key < key) ++m_remark;
    return m_remark != end && m_remark->key == key ? &*m_remark : nullptr;
  }

  void testRemark(const Remark& remark, const StoredEntry& entry) {
    const bool ownRemark = remark.key.fileNo == -1;
    if (m_search.m_filter.active() &&
        !m_search.m_filter.passes(ownRemark, entry.size, entry.dosDateTime)) {
      return;
    }
    const std::optional<Match> found = m_search.m_matcher.matchText(remark.text);
    if (!found) return;
    const bool directory = remark.key.fileNo == -1;
    if (!directory) displayForm(entry.name, entry.attributes, m_utf8, m_display, m_scratch);
    addRow(directory, entry, {remark.key, found->start, found->length},
           directory ? std::string_view() : std::string_view(m_display));
  }

  // "E:\" and each directory of the stack with its display name and "\"
  // (a kept folder: "/home/anna/Fotos/" and "/").
  const std::string& path() {
    if (m_pathDone) return m_path;
    m_path = m_rootPath;
    for (const Level& level : m_stack) {
      displayForm(level.name, level.attributes, m_utf8, m_pathPart, m_scratch);
      m_path += m_pathPart;
      m_path += m_root.separator();
    }
    m_pathDone = true;
    return m_path;
  }

  void addRow(bool directory, const StoredEntry& entry, SearchHit hit, std::string_view name) {
    ResultRow row;
    row.volumeName = m_volume.name;
    row.path = path();
    row.path += name;
    row.directory = directory;
    if (!directory) {
      row.size = entry.size;
      row.dosDateTime = entry.dosDateTime;
    }
    row.hit = hit;
    m_rows.push_back(std::move(row));
  }

  MultiVolumeSearch& m_search;
  const VolumeRecord& m_volume;
  const VolumeRoot m_root;
  const std::string m_rootPath;  // "E:\\"
  bool m_utf8;
  const std::uint8_t* m_end;  // of the volume's bytes
  std::vector<ResultRow>& m_rows;
  std::vector<Level> m_stack;
  std::string m_path;
  bool m_pathDone = false;
  std::int32_t m_dirNo = 1;
  std::int32_t m_fileNo = 0;
  std::vector<Remark>::const_iterator m_remark;
  std::string m_display;
  std::string m_pathPart;
  std::string m_scratch;
};

MultiVolumeSearch::MultiVolumeSearch(const SearchParams& params)
    : m_params(params), m_matcher(params), m_filter(params.filters) {}

ResultCode MultiVolumeSearch::searchVolume(const VolumeRecord& volume,
                                           std::vector<ResultRow>& rows,
                                           const TFileCommentList* remarks) {
  const ResultCode read = readDataFile(volume.dataFile, m_bytes);
  if (read != ResultCode::Ok) return read;
  if (remarks != nullptr) return searchVolumeBytes(volume, m_bytes, *remarks, rows);
  m_remarks.clear();
  if (m_params.remarks && loadRemarks(volume.commentFile(), m_remarks) != ResultCode::Ok) {
    m_remarks.clear();
  }
  return searchVolumeBytes(volume, m_bytes, m_remarks, rows);
}

ResultCode MultiVolumeSearch::searchVolumeBytes(const VolumeRecord& volume,
                                                std::span<const std::uint8_t> bytes,
                                                const TFileCommentList& remarks,
                                                std::vector<ResultRow>& rows) {
  bool utf8 = false;
  const ResultCode header = checkDataHeader(bytes, utf8);
  if (header != ResultCode::Ok) return header;
  m_activeRemarks = &remarks;
  const std::size_t first = rows.size();
  Walk walk(*this, volume, utf8, bytes.data() + bytes.size(), rows);
  // Names judged a whole volume at a time: only those holding a mark are
  // looked at one by one.
  const bool judgeAll = !m_params.remarks && m_matcher.namePrefilter().active();
  if (judgeAll) m_candidates.mark(m_matcher.namePrefilter(), bytes, utf8);
  std::size_t at = header_layout::kSize;
  while (at < bytes.size()) {
    const std::span<const std::uint8_t> rest = bytes.subspan(at);
    const std::optional<EntryFrame> frame = frameOf(rest);
    if (!frame) {
      rows.resize(first);
      return ResultCode::CannotRead;
    }
    const std::size_t nameStart = at + entry_layout::kName;
    at += frame->storedLength;
    const bool candidate = !judgeAll || m_candidates.anyIn(nameStart, at);
    if (candidate || frame->directory) {
      walk.add(*decodeEntry(rest), candidate);
    } else {
      walk.passFile();
    }
  }
  return ResultCode::Ok;
}

namespace {

struct VolumeRows {
  std::vector<ResultRow> rows;
  ResultCode code = ResultCode::Ok;
};

}  // namespace

// Volumes are read and searched by worker threads, each with its own
// matcher and buffers; the observer sees the rows on the calling thread.
MultiSearchSummary searchVolumes(const SearchParams& params, std::span<const VolumeRecord> volumes,
                                 MultiSearchObserver& observer, const RemarksInMemory& inMemory) {
  MultiSearchSummary summary;
  forEachVolumeInOrder<VolumeRows>(
      volumes.size(), [&] { return std::make_unique<MultiVolumeSearch>(params); },
      [&](std::unique_ptr<MultiVolumeSearch>& search, std::size_t index) {
        VolumeRows result;
        const bool inMemoryRemarks =
            inMemory.remarks != nullptr && volumes[index].dataFile == inMemory.dataFile;
        result.code = search->searchVolume(volumes[index], result.rows,
                                           inMemoryRemarks ? inMemory.remarks : nullptr);
        return result;
      },
      [&](std::size_t, VolumeRows&& result) {
        if (result.code != ResultCode::Ok) ++summary.skippedVolumes;
        for (const ResultRow& row : result.rows) {
          observer.row(row);
          ++summary.rows;
          if (observer.cancelRequested()) {
            summary.cancelled = true;
            return false;
          }
        }
        summary.cancelled = observer.cancelRequested();
        return !summary.cancelled;
      });
  return summary;
}

}  // namespace diskindex::search
