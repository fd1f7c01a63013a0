#pragma once
// The in-memory catalogue: one VolumeRecord per volume data file, built from
// its header, kept sorted by name in ASCII case-insensitive order (a-z folded
// to A-Z, every other byte compared by value); insertion finds its place by
// binary search after all equal keys, so equal names keep insertion order.
// The list also keeps the file counter: the highest number seen in any
// CD*.DAT name, from which new volume files are named.
//
// It does not read or write volume files (catalogue.h loads and changes
// them); claiming a new number creates the empty file that reserves it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/result_code.h"
#include "diskindex/core/volume_header.h"

namespace diskindex {

struct VolumeRecord {
  std::string name;
  std::optional<std::string> category;  // absent when the header's is empty
  std::filesystem::path dataFile;       // full path of the .DAT file
  std::optional<std::string> remark;
  std::optional<std::string> location;
  char driveLetter = 0;
  std::uint8_t driveType = 0;
  double captureDate = 0.0;
  std::int32_t directoryCount = 0;
  std::int32_t fileCount = 0;
  std::int64_t capacity = -1;  // full value (the 64-bit field when stored)
  std::int64_t freeSpace = -1;
  std::string label;
  bool utf8 = false;                // the volume's files are UTF-8
  platform::FileSystemId volumeId;  // unknown unless read from a mounted file system
  SpaceOf spaceOf = SpaceOf::Drive;  // a folder's capacity is its own size
  std::string folder;  // driveLetter '#': the folder the volume keeps instead (volume_root.h)

  static VolumeRecord fromHeader(const VolumeHeader& header, std::filesystem::path dataFile);
  // The comment file of the same stem (".CMT", or ".cmt" beside a ".dat").
  std::filesystem::path commentFile() const;
  // Used space when capacity > 0 and free space >= 0: capacity - free space
  // for a drive, the capacity itself for a folder.
  std::optional<std::int64_t> usedSpace() const;
};

// The comment file that belongs to a volume data file.
std::filesystem::path commentFileFor(const std::filesystem::path& dataFile);

// ASCII case-insensitive comparison of volume names (<0, 0, >0).
int compareVolumeNames(std::string_view a, std::string_view b);

// The number a CD*.DAT file name carries: its leading digits after "CD" (at
// most six; none counts as 0). Nothing for names that are no volume file.
std::optional<std::int32_t> volumeFileNumber(std::string_view fileName);
bool isVolumeFileName(std::string_view fileName);
// "CD" + six digits with leading zeros + ".DAT".
std::string volumeFileName(std::int32_t number);

class VolumeList {
 public:
  const std::vector<VolumeRecord>& records() const { return m_records; }
  std::size_t size() const { return m_records.size(); }
  bool empty() const { return m_records.empty(); }
  const VolumeRecord& operator[](std::size_t index) const { return m_records[index]; }

  // Inserts at the sorted place (after equal names); returns the index.
  std::size_t insert(VolumeRecord record);
  // Appends many records, then restores the order as if each had been
  // inserted in turn (a stable sort): the fast path of the list loader.
  void insertAll(std::vector<VolumeRecord> records);
  void remove(std::size_t index);
  // Replaces a record and returns its new index: in place when the name
  // sorts the same, otherwise moved to its sorted place.
  std::size_t replace(std::size_t index, VolumeRecord record);
  void clear();
  // Changes fields that do not take part in the order, in place.
  void setDrive(std::size_t index, char driveLetter, std::uint8_t driveType);
  // Empty = no category.
  void setCategory(std::size_t index, const std::string& category);

  // Index of the first volume with this name (case-insensitive), if any.
  std::optional<std::size_t> findByName(std::string_view name) const;
  std::optional<std::size_t> findByDataFile(const std::filesystem::path& dataFile) const;

  // File counter. noteFileNumber keeps the maximum; it never goes down while
  // the program runs (also not when the list is cleared for a reload).
  void noteFileNumber(std::int32_t number);
  std::int32_t maxFileNumber() const { return m_maxFileNumber; }
  // Claims the next number for a new volume: creates the empty data file
  // max + 1 exclusively (O_EXCL) and, when another program created that name
  // first, tries the next number, so two programs adding to one folder at once
  // never get the same file. Returns the full path of the claimed (empty)
  // file, or nothing with code CannotCreate when no file could be created
  // (a read-only folder, numbers used up). The empty file is the claim: the
  // volume writer replaces it, and releaseDataFile gives it up on failure.
  std::optional<std::filesystem::path> claimNextDataFile(const std::filesystem::path& dataDir,
                                                         ResultCode* code = nullptr);

 private:
  std::vector<VolumeRecord> m_records;
  std::int32_t m_maxFileNumber = 0;
};

// Gives up a claimed number: removes the data file when it is still the empty
// claim (a volume that was written is never touched). The number is not
// handed out again by this list.
void releaseDataFile(const std::filesystem::path& dataFile);

// The largest number a volume file can carry ("CD999999.DAT").
inline constexpr std::int32_t kMaxVolumeFileNumber = 999999;

}  // namespace diskindex
