#include "diskindex/core/search/multi_search.h"

#include <algorithm>
#include <array>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/display_format.h"
#include "diskindex/core/entry_codec.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_header.h"
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

namespace {

// Beyond this a volume file is not read into memory (as the tree loader).
constexpr std::int64_t kMaxVolumeFileSize = std::int64_t{3} << 30;

const std::array<std::uint8_t, 256>& lowerTable() {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = platform::cp1252ToLower(static_cast<std::uint8_t>(b));
    return t;
  }();
  return table;
}

// The display form of a stored name, as the tree loader makes it.
void displayForm(std::string_view stored, std::uint8_t attributes, bool utf8, std::string& out,
                 std::string& scratch) {
  out.clear();
  if (utf8 && !isAscii(stored)) {
    out = displayName(decodeStoredText(stored, true), attributes);
    return;
  }
  if ((attributes & attributes::kLongName) != 0 || stored.size() < 2) {
    appendCp1252AsUtf8(out, stored);
    return;
  }
  scratch.assign(stored);
  for (std::size_t i = 1; i < scratch.size(); ++i) {
    scratch[i] = static_cast<char>(lowerTable()[static_cast<std::uint8_t>(scratch[i])]);
  }
  appendCp1252AsUtf8(out, scratch);
}

ResultCode readWholeFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes) {
  FileHandle handle = FileHandle::openRead(file);
  if (!handle.valid()) return ResultCode::CannotOpen;
  const std::int64_t size = handle.size();
  if (size < 0) return ResultCode::CannotRead;
  if (size > kMaxVolumeFileSize) return ResultCode::OutOfMemory;
  bytes.resize(static_cast<std::size_t>(size));
  const std::ptrdiff_t got = handle.read(bytes.data(), bytes.size());
  return got == static_cast<std::ptrdiff_t>(bytes.size()) ? ResultCode::Ok : ResultCode::CannotRead;
}

}  // namespace

// One pass over a volume's entries: keeps the path of the current directory
// and its directory and file numbers, and tests names or remarks in order.
class MultiVolumeSearch::Walk {
 public:
  Walk(MultiVolumeSearch& search, const VolumeRecord& volume, bool utf8,
       std::vector<ResultRow>& rows)
      : m_search(search), m_volume(volume), m_utf8(utf8), m_rows(rows) {
    m_path = std::string(1, volume.driveLetter) + ":\\";
    m_remark = search.m_activeRemarks->records().begin();
    enterDirectory();
  }

  void add(const StoredEntry& entry) {
    if (entry.isDirectory()) {
      while (!m_stack.empty() && m_stack.back().level >= entry.level) {
        m_path.resize(m_stack.back().pathLength);
        m_stack.pop_back();
      }
      m_stack.push_back({entry.level, m_path.size()});
      displayForm(entry.name, entry.attributes, m_utf8, m_display, m_scratch);
      m_path += m_display;
      m_path += '\\';
      ++m_dirNo;
      enterDirectory();
      if (m_search.m_params.dirNames && !m_search.m_params.remarks &&
          m_search.m_matcher.matchName(m_display)) {
        addRow(true, entry, {{m_dirNo, -1}}, {});
      }
      return;
    }
    const std::int32_t fileNo = m_fileNo++;
    if (m_search.m_params.remarks) {
      if (const Remark* remark = remarkAt({m_dirNo, fileNo})) testRemark(*remark, entry);
      return;
    }
    if (!m_search.m_params.fileNames) return;
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
    std::size_t pathLength;
  };

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
    const std::optional<Match> found = m_search.m_matcher.matchText(remark.text);
    if (!found) return;
    const bool directory = remark.key.fileNo == -1;
    if (!directory) displayForm(entry.name, entry.attributes, m_utf8, m_display, m_scratch);
    addRow(directory, entry, {remark.key, found->start, found->length},
           directory ? std::string_view() : std::string_view(m_display));
  }

  void addRow(bool directory, const StoredEntry& entry, SearchHit hit, std::string_view name) {
    ResultRow row;
    row.volumeName = m_volume.name;
    row.path = m_path;
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
  bool m_utf8;
  std::vector<ResultRow>& m_rows;
  std::string m_path;
  std::vector<Level> m_stack;
  std::int32_t m_dirNo = 1;
  std::int32_t m_fileNo = 0;
  std::vector<Remark>::const_iterator m_remark;
  std::string m_display;
  std::string m_scratch;
};

MultiVolumeSearch::MultiVolumeSearch(const SearchParams& params)
    : m_params(params), m_matcher(params) {}

ResultCode MultiVolumeSearch::searchVolume(const VolumeRecord& volume,
                                           std::vector<ResultRow>& rows) {
  const ResultCode read = readWholeFile(volume.dataFile, m_bytes);
  if (read != ResultCode::Ok) return read;
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
  if (bytes.size() < header_layout::kSize) return ResultCode::CannotRead;
  if (headerKind(bytes) != HeaderKind::Current) return ResultCode::BadFormat;
  HeaderBytes header{};
  std::copy_n(bytes.begin(), header.size(), header.begin());
  const bool utf8 = decodeHeader(header).utf8;
  m_activeRemarks = &remarks;
  const std::size_t first = rows.size();
  Walk walk(*this, volume, utf8, rows);
  std::span<const std::uint8_t> rest = bytes.subspan(header_layout::kSize);
  while (!rest.empty()) {
    const std::optional<StoredEntry> entry = decodeEntry(rest);
    if (!entry) {
      rows.resize(first);
      return ResultCode::CannotRead;
    }
    walk.add(*entry);
    rest = rest.subspan(entry->storedLength());
  }
  return ResultCode::Ok;
}

MultiSearchSummary searchVolumes(const SearchParams& params, std::span<const VolumeRecord> volumes,
                                 MultiSearchObserver& observer) {
  MultiSearchSummary summary;
  MultiVolumeSearch search(params);
  std::vector<ResultRow> rows;
  for (const VolumeRecord& volume : volumes) {
    rows.clear();
    if (search.searchVolume(volume, rows) != ResultCode::Ok) ++summary.skippedVolumes;
    for (const ResultRow& row : rows) {
      observer.row(row);
      ++summary.rows;
      if (observer.cancelRequested()) {
        summary.cancelled = true;
        return summary;
      }
    }
    if (observer.cancelRequested()) {
      summary.cancelled = true;
      return summary;
    }
  }
  return summary;
}

}  // namespace diskindex::search
