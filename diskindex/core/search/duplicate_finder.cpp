#include "diskindex/core/search/duplicate_finder.h"

#include <algorithm>
#include <thread>
#include <tuple>

#include "diskindex/core/entry_codec.h"
#include "diskindex/core/search/parallel_volumes.h"
#include "diskindex/core/search/search_chars.h"
#include "diskindex/core/search/stored_name.h"
#include "diskindex/core/volume_header.h"
#include "diskindex/core/volume_root.h"

namespace diskindex::search {
namespace {

// One file that may have copies; 32 bytes, ten million fit in 320 MB.
struct Candidate {
  std::uint64_t hash = 0;  // of the folded name; 0 when names are ignored
  std::uint32_t size = 0;
  std::uint32_t date = 0;
  std::uint32_t volume = 0;
  std::uint32_t dir = 0;
  std::uint32_t fileNo = 0;
  std::uint32_t name = 0;
};

std::uint64_t foldedHash(std::string_view text) {
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    h = (h ^ b) * 1099511628211ull;
  }
  return h;
}

std::string foldedAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

struct VolumeScan {
  ResultCode code = ResultCode::Ok;
  std::vector<Candidate> candidates;
  std::vector<std::string> dirPaths;
  std::string names;
  bool utf8 = false;
};

struct ScanState {
  std::vector<std::uint8_t> bytes;
  std::string display;
  std::string scratch;
};

// The stored name of a candidate: length, attributes, bytes.
std::string_view storedName(const std::string& names, std::uint32_t at, std::uint8_t& attributes) {
  const auto length = static_cast<unsigned char>(names[at]);
  attributes = static_cast<std::uint8_t>(names[at + 1]);
  return std::string_view(names).substr(at + 2, length);
}

VolumeScan scanVolume(const VolumeRecord& volume, std::uint32_t index,
                      const DuplicateOptions& options, ScanState& state) {
  VolumeScan scan;
  scan.code = readDataFile(volume.dataFile, state.bytes);
  if (scan.code == ResultCode::Ok) scan.code = checkDataHeader(state.bytes, scan.utf8);
  if (scan.code != ResultCode::Ok) return scan;
  struct Level {
    std::uint8_t level;
    std::size_t pathLength;
  };
  std::vector<Level> stack;
  const VolumeRoot root = rootOf(volume);
  std::string path = root.path("\\");
  scan.dirPaths.push_back(path);
  std::uint32_t fileNo = 0;
  std::span<const std::uint8_t> rest = std::span(state.bytes).subspan(header_layout::kSize);
  while (!rest.empty()) {
    const std::optional<StoredEntry> entry = decodeEntry(rest);
    if (!entry) {
      scan = {};
      scan.code = ResultCode::CannotRead;
      return scan;
    }
    rest = rest.subspan(entry->storedLength());
    if (entry->isDirectory()) {
      while (!stack.empty() && stack.back().level >= entry->level) {
        path.resize(stack.back().pathLength);
        stack.pop_back();
      }
      stack.push_back({entry->level, path.size()});
      displayForm(entry->name, entry->attributes, scan.utf8, state.display, state.scratch);
      path += state.display;
      path += root.separator();
      scan.dirPaths.push_back(path);
      fileNo = 0;
      continue;
    }
    const std::uint32_t number = fileNo++;
    if (entry->size < options.minSize || entry->size == kClampedFileSize) continue;
    Candidate c;
    if (!options.ignoreName) {
      if (isAscii(entry->name)) {
        c.hash = foldedHash(entry->name);
      } else {
        displayForm(entry->name, entry->attributes, scan.utf8, state.display, state.scratch);
        c.hash = foldedHash(state.display);
      }
    }
    c.size = entry->size;
    c.date = entry->dosDateTime;
    c.volume = index;
    c.dir = static_cast<std::uint32_t>(scan.dirPaths.size() - 1);
    c.fileNo = number;
    c.name = static_cast<std::uint32_t>(scan.names.size());
    scan.names.push_back(static_cast<char>(entry->name.size()));
    scan.names.push_back(static_cast<char>(entry->attributes));
    scan.names.append(entry->name);
    scan.candidates.push_back(c);
  }
  return scan;
}

// Candidates that may be copies of each other sort together: same size and
// name hash (and date when asked), then in volume and entry order. Field by
// field with the date choice fixed at compile time, so the sort inlines it
// (ten million candidates take about 230 million comparisons).
template <bool kSameDate>
struct CandidateLess {
  bool operator()(const Candidate& a, const Candidate& b) const {
    if (a.size != b.size) return a.size < b.size;
    if (a.hash != b.hash) return a.hash < b.hash;
    if constexpr (kSameDate) {
      if (a.date != b.date) return a.date < b.date;
    }
    if (a.volume != b.volume) return a.volume < b.volume;
    if (a.dir != b.dir) return a.dir < b.dir;
    return a.fileNo < b.fileNo;
  }
};

template <class Less>
void sortCandidates(std::vector<Candidate>& all, Less less) {
  const auto middle = all.begin() + static_cast<std::ptrdiff_t>(all.size() / 2);
  if (all.size() < 100000 || std::thread::hardware_concurrency() < 2) {
    std::sort(all.begin(), all.end(), less);
    return;
  }
  std::thread first([&] { std::sort(all.begin(), middle, less); });
  std::sort(middle, all.end(), less);
  first.join();
  std::inplace_merge(all.begin(), middle, all.end(), less);
}

void sortCandidates(std::vector<Candidate>& all, bool sameDate) {
  if (sameDate) {
    sortCandidates(all, CandidateLess<true>{});
  } else {
    sortCandidates(all, CandidateLess<false>{});
  }
}

}  // namespace

std::size_t DuplicateGroup::volumeCount() const {
  std::vector<std::uint32_t> seen;
  for (const DuplicateFile& file : files) seen.push_back(file.volume);
  std::sort(seen.begin(), seen.end());
  return static_cast<std::size_t>(std::unique(seen.begin(), seen.end()) - seen.begin());
}

const std::string& DuplicateResult::volumeName(const DuplicateFile& file) const {
  return m_volumes[file.volume].name;
}

std::string DuplicateResult::name(const DuplicateFile& file) const {
  const Volume& volume = m_volumes[file.volume];
  std::uint8_t attributes = 0;
  const std::string_view stored = storedName(volume.names, file.name, attributes);
  std::string out, scratch;
  displayForm(stored, attributes, volume.utf8, out, scratch);
  return out;
}

std::string DuplicateResult::path(const DuplicateFile& file) const {
  return m_volumes[file.volume].dirPaths[file.dir] + name(file);
}

// Builds the groups from the sorted candidates (a friend of the result).
class DuplicateFinder {
 public:
  DuplicateFinder(DuplicateResult& result, bool ignoreName, bool sameDate)
      : m_result(result), m_ignoreName(ignoreName), m_sameDate(sameDate) {}

  void group(const std::vector<Candidate>& all) {
    std::size_t begin = 0;
    while (begin < all.size()) {
      std::size_t end = begin + 1;
      while (end < all.size() && all[end].size == all[begin].size &&
             all[end].hash == all[begin].hash &&
             (!m_sameDate || all[end].date == all[begin].date)) {
        ++end;
      }
      if (end - begin >= 2) addRun(all, begin, end);
      begin = end;
    }
    sortGroups();
  }

 private:
  std::string foldedName(const Candidate& c) const {
    return foldedAscii(m_result.name(file(c)));
  }
  static DuplicateFile file(const Candidate& c) {
    return {c.volume, c.dir, c.fileNo, c.name, c.size, c.date};
  }

  std::string_view stored(const Candidate& c) const {
    std::uint8_t attributes = 0;
    return storedName(m_result.m_volumes[c.volume].names, c.name, attributes);
  }

  // The common case, checked without building display names: every stored
  // name is ASCII and equal to the first but for the case of A-Z.
  bool sameAsciiNames(const std::vector<Candidate>& all, std::size_t begin, std::size_t end) const {
    const std::string_view first = stored(all[begin]);
    if (!isAscii(first)) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t i = begin + 1; i < end; ++i) {
      const std::string_view other = stored(all[i]);
      if (other.size() != first.size()) return false;
      for (std::size_t k = 0; k < first.size(); ++k) {
        if (lower(other[k]) != lower(first[k])) return false;
      }
    }
    return true;
  }

  // Equal hashes almost always mean equal names; a run that holds several
  // names (a hash collision) is split by name.
  void addRun(const std::vector<Candidate>& all, std::size_t begin, std::size_t end) {
    if (m_ignoreName) {
      DuplicateGroup group;
      for (std::size_t i = begin; i < end; ++i) group.files.push_back(file(all[i]));
      m_result.groups.push_back(std::move(group));
      return;
    }
    if (sameAsciiNames(all, begin, end)) {
      DuplicateGroup group;
      for (std::size_t i = begin; i < end; ++i) group.files.push_back(file(all[i]));
      m_result.groups.push_back(std::move(group));
      return;
    }
    std::vector<std::pair<std::string, std::size_t>> named;
    for (std::size_t i = begin; i < end; ++i) named.emplace_back(foldedName(all[i]), i);
    std::stable_sort(named.begin(), named.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < named.size();) {
      std::size_t j = i + 1;
      while (j < named.size() && named[j].first == named[i].first) ++j;
      if (j - i >= 2) {
        DuplicateGroup group;
        for (std::size_t k = i; k < j; ++k) group.files.push_back(file(all[named[k].second]));
        m_result.groups.push_back(std::move(group));
      }
      i = j;
    }
  }

  void sortGroups() {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(m_result.groups.size());
    for (std::size_t i = 0; i < m_result.groups.size(); ++i) {
      keys.emplace_back(foldedAscii(m_result.name(m_result.groups[i].files.front())), i);
    }
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
      const std::uint64_t wa = m_result.groups[a.second].wastedBytes();
      const std::uint64_t wb = m_result.groups[b.second].wastedBytes();
      return std::tie(wb, a.first, a.second) < std::tie(wa, b.first, b.second);
    });
    std::vector<DuplicateGroup> sorted;
    sorted.reserve(keys.size());
    for (const auto& key : keys) sorted.push_back(std::move(m_result.groups[key.second]));
    m_result.groups = std::move(sorted);
  }

  DuplicateResult& m_result;
  bool m_ignoreName;
  bool m_sameDate;
};

DuplicateResult findDuplicates(std::span<const VolumeRecord> volumes, const DuplicateOptions& options,
                               DuplicateObserver& observer) {
  DuplicateResult result;
  result.m_volumes.resize(volumes.size());
  std::vector<Candidate> all;
  std::size_t expected = 0;  // the headers' file counts: one allocation
  for (const VolumeRecord& volume : volumes) expected += static_cast<std::size_t>(std::max(0, volume.fileCount));
  all.reserve(expected);
  forEachVolumeInOrder<VolumeScan>(
      volumes.size(), [] { return ScanState{}; },
      [&](ScanState& state, std::size_t index) {
        return scanVolume(volumes[index], static_cast<std::uint32_t>(index), options, state);
      },
      [&](std::size_t index, VolumeScan&& scan) {
        DuplicateResult::Volume& volume = result.m_volumes[index];
        volume.name = volumes[index].name;
        if (scan.code != ResultCode::Ok) {
          ++result.skippedVolumes;
        } else {
          volume.utf8 = scan.utf8;
          volume.dirPaths = std::move(scan.dirPaths);
          volume.names = std::move(scan.names);
          all.insert(all.end(), scan.candidates.begin(), scan.candidates.end());
        }
        observer.progress(index + 1, volumes.size());
        result.cancelled = observer.cancelRequested();
        return !result.cancelled;
      });
  if (result.cancelled) return result;
  sortCandidates(all, options.sameDate);
  DuplicateFinder(result, options.ignoreName, options.sameDate).group(all);
  return result;
}

}  // namespace diskindex::search
