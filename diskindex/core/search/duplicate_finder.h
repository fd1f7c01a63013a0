#pragma once
// The duplicate finder: files that appear on two or more of the chosen
// volumes, or twice on one, with the same name and size. Options: ignore
// the name (same size is enough: finds renamed copies), require the same
// date and time too, and a minimum size (by default 1 byte, so empty files
// are never reported). Names compare with letters A-Z in either case equal,
// as the catalogue's file systems mostly treat them. A file whose size was
// stored clamped (4 GiB or more) has no known size and is never a duplicate.
//
// Groups come largest waste first (size times copies beyond the first),
// then by name; the files of a group in the order of the volumes given and
// of the entries on each volume. Every volume's data file is read once, by
// several threads; a file that cannot be read is counted and skipped.
//
// To stay small for ten million entries a file in a group is a few numbers;
// its volume name, path and name are asked of the result. It does not
// write anything (see result_tables.h for the export table).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/remark_list.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::search {

struct DuplicateOptions {
  bool ignoreName = false;
  bool sameDate = false;
  std::uint64_t minSize = 1;
};

struct DuplicateFile {
  std::uint32_t volume = 0;  // index into the volumes searched
  std::uint32_t dir = 0;     // directory index on that volume (number - 1)
  std::uint32_t fileNo = 0;  // file number in the directory
  std::uint32_t name = 0;    // where the result keeps the stored name
  std::uint32_t size = 0;
  std::uint32_t dosDateTime = 0;
  // The key the main window goes to.
  TDirFileNo key() const {
    return {static_cast<std::int32_t>(dir + 1), static_cast<std::int32_t>(fileNo)};
  }
};

struct DuplicateGroup {
  std::vector<DuplicateFile> files;
  std::uint32_t size() const { return files.empty() ? 0 : files.front().size; }
  std::uint64_t wastedBytes() const {
    return files.empty() ? 0 : std::uint64_t{size()} * (files.size() - 1);
  }
  std::size_t volumeCount() const;
};

class DuplicateObserver {
 public:
  virtual ~DuplicateObserver() = default;
  // After every volume read (done of total), and once more before sorting.
  virtual void progress(std::size_t /*done*/, std::size_t /*total*/) {}
  // Asked after every volume; true stops the search (no groups then).
  virtual bool cancelRequested() { return false; }
};

class DuplicateResult {
 public:
  std::vector<DuplicateGroup> groups;
  std::size_t skippedVolumes = 0;  // data files that could not be read
  bool cancelled = false;

  const std::string& volumeName(const DuplicateFile& file) const;
  // The display name, and the full path as the search shows it ("E:\A\b.txt").
  std::string name(const DuplicateFile& file) const;
  std::string path(const DuplicateFile& file) const;

 private:
  friend class DuplicateFinder;
  friend DuplicateResult findDuplicates(std::span<const VolumeRecord> volumes,
                                        const DuplicateOptions& options,
                                        DuplicateObserver& observer);
  struct Volume {
    std::string name;
    bool utf8 = false;
    std::vector<std::string> dirPaths;  // "E:\", "E:\A\", ...
    std::string names;                  // per name: length, attributes, bytes
  };
  std::vector<Volume> m_volumes;
};

DuplicateResult findDuplicates(std::span<const VolumeRecord> volumes, const DuplicateOptions& options,
                               DuplicateObserver& observer);

}  // namespace diskindex::search
