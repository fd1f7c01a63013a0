#include "diskindex/core/scan/volume_scanner.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <new>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/remark_list.h"
#include "diskindex/core/scan/description_pass.h"
#include "diskindex/core/scan/volume_checks.h"
#include "diskindex/core/scan/walk.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_list.h"
#include "diskindex/core/volume_root.h"

namespace diskindex::scan {
namespace {

char upperLetter(char letter) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

// The first maxChars characters of UTF-8 text.
std::string firstCharacters(const std::string& text, std::size_t maxChars) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (count++ == maxChars) return text.substr(0, i);
  }
  return text;
}

// Write progress of the data file goes to the scan's observer.
class WriteProgress : public ProgressObserver {
 public:
  explicit WriteProgress(ScanObserver& observer) : m_observer(observer) {}
  void progress(int percent) override { m_observer.writeProgress(percent); }
  bool cancelRequested() override { return m_observer.cancelRequested(); }

 private:
  ScanObserver& m_observer;
};

std::vector<EntryRecord> toRecords(const WalkResult& walk) {
  std::vector<EntryRecord> records;
  records.reserve(walk.entries.size());
  for (const WalkEntry& e : walk.entries) {
    records.push_back(EntryRecord{static_cast<std::uint8_t>(e.level), e.name, e.size, e.dosDateTime,
                                  e.attributes});
  }
  return records;
}

// The descriptions question and pass after the data file was written.
void readRemarks(const WalkResult& walk, const DescriptionSource& source,
                 const std::filesystem::path& dataFile, bool utf8, ScanObserver& observer,
                 ReadDriveOutcome& outcome) {
  outcome.descriptionsFound = hasDescriptionFiles(walk);
  if (!outcome.descriptionsFound || !observer.askReadDescriptions()) return;
  outcome.descriptionsRead = true;
  try {
    const DescriptionOutcome pass = readDescriptions(walk, source, observer);
    if (pass.status == DescriptionStatus::Cancelled) {
      outcome.remarksCode = ResultCode::Cancelled;
    } else if (pass.status == DescriptionStatus::Collected) {
      TFileCommentList remarks;
      for (const auto& [key, text] : pass.remarks) remarks.set({key.first, key.second}, text);
      outcome.remarksCode = saveRemarks(commentFileFor(dataFile), remarks, utf8);
    }
  } catch (const std::bad_alloc&) {
    outcome.remarksCode = ResultCode::OutOfMemory;
  }
}

}  // namespace

VolumeInfo readVolumeInfo(const platform::DriveTable& drives, char letter) {
  VolumeInfo volume;
  // A drive without label stores none: "[leer]" would be a label the drive
  // never reports, and the volume check would ask every time.
  const auto info = drives.info(upperLetter(letter));
  if (!info) return volume;
  volume.capacity = info->space.capacity;
  volume.freeSpace = info->space.freeSpace;
  if (!info->label.empty()) volume.label = firstCharacters(info->label, kMaxLabelLength);
  volume.volumeId = drives.volumeId(upperLetter(letter));
  return volume;
}

std::string currentLabel(const platform::DriveTable& drives, char letter) {
  const auto info = drives.info(upperLetter(letter));
  return info ? info->label : std::string();
}

std::map<char, std::filesystem::path> driveOverrides(const platform::IniFile& settings) {
  std::map<char, std::filesystem::path> overrides;
  for (const std::string& key : settings.keys("Drives")) {
    const char letter = key.empty() ? 0 : upperLetter(key[0]);
    if (key.size() != 1 || letter < 'A' || letter > 'Z') continue;
    const std::string path = settings.readString("Drives", key);
    if (!path.empty()) overrides.try_emplace(letter, path);
  }
  return overrides;
}

std::uint8_t driveTypeCode(const platform::DriveTable& drives, char letter) {
  const auto info = drives.info(upperLetter(letter));
  if (!info) return static_cast<std::uint8_t>(platform::DriveType::NoRootDir);
  const int type = static_cast<int>(info->type);
  return type == 0 ? 255 : static_cast<std::uint8_t>(type);
}

void applyFolderSpace(VolumeHeader& header, const WalkResult& walk, std::int64_t hostFreeSpace) {
  std::uint64_t bytes = 0;
  for (const WalkEntry& e : walk.entries) bytes += e.size;  // directories carry 0
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  header.capacity = static_cast<std::int64_t>(std::min(bytes, kMax));
  header.freeSpace = hostFreeSpace;
  header.spaceOf = SpaceOf::Folder;
}

namespace {

// A folder without a letter: the one the table lends it under the folder
// key, which the volume keeps; empty for a letter.
std::string lentFolder(const platform::DriveTable& drives, char letter) {
  const auto root = drives.root(letter);
  if (!root || !VolumeRoot(letter).isFolder()) return {};
  return VolumeRoot(letter, root->string()).text();
}

}  // namespace

ReadDriveOutcome readDrive(const platform::DriveTable& drives, VolumeHeader& header,
                           const std::filesystem::path& dataFile, ScanObserver& observer,
                           const WalkOptions& options) {
  ReadDriveOutcome outcome;
  const VolumeInfo volume = readVolumeInfo(drives, header.driveLetter);
  header.capacity = volume.capacity;
  header.freeSpace = volume.freeSpace;
  header.label = volume.label;
  header.volumeId = volume.volumeId;
  header.spaceOf = SpaceOf::Drive;
  const auto root = drives.root(upperLetter(header.driveLetter));
  header.folder = lentFolder(drives, header.driveLetter);
  WalkResult walk;
  try {
    if (root && walkTree(*root, walk, observer, options) == WalkStatus::Cancelled) {
      outcome.code = ResultCode::Cancelled;
      return outcome;
    }
  } catch (const std::bad_alloc&) {
    outcome.code = ResultCode::OutOfMemory;
    return outcome;
  }
  if (walk.entries.empty()) {
    outcome.code = ResultCode::DriveNotReady;
    outcome.passedOver = walk.summary;
    return outcome;
  }
  if (drives.isFolder(upperLetter(header.driveLetter))) {
    applyFolderSpace(header, walk, volume.freeSpace);
  }
  outcome = writeVolume(walk, FolderSource(*root), header, dataFile, observer);
  outcome.passedOver = walk.summary;
  return outcome;
}

ReadDriveOutcome writeVolume(const WalkResult& walk, const DescriptionSource& source,
                             VolumeHeader& header, const std::filesystem::path& dataFile,
                             ScanObserver& observer) {
  ReadDriveOutcome outcome;
  if (walk.entries.empty()) {
    outcome.code = ResultCode::DriveNotReady;
    return outcome;
  }
  try {
    WriteProgress progress(observer);
    outcome.code = createVolume(dataFile, header, toRecords(walk), &progress);
  } catch (const std::bad_alloc&) {
    outcome.code = ResultCode::OutOfMemory;
  }
  if (outcome.code == ResultCode::Ok) {
    readRemarks(walk, source, dataFile, header.utf8, observer, outcome);
  }
  return outcome;
}

namespace {

// Reads a new volume into its claimed file; a volume that keeps its folder
// has the .ORD file written first, so the volume file never names a folder
// that is not there.
ReadDriveOutcome readKeepingFolder(const platform::DriveTable& drives, VolumeHeader& volume,
                                   const std::filesystem::path& dataFile, ScanObserver& observer,
                                   const WalkOptions& options) {
  volume.folder = lentFolder(drives, volume.driveLetter);
  ReadDriveOutcome failed;
  failed.code = keepFolderBefore(dataFile, volume);
  if (failed.code != ResultCode::Ok) return failed;
  return readDrive(drives, volume, dataFile, observer, options);
}

}  // namespace

AddOutcome addVolumes(Catalogue& catalogue, const platform::DriveTable& drives,
                      const VolumeHeader& header, int seriesCount, ScanObserver& observer,
                      const WalkOptions& options) {
  AddOutcome outcome;
  const int count = seriesCount > 0 ? seriesCount : 1;
  for (int i = 1; i <= count; ++i) {
    VolumeHeader volume = header;
    if (seriesCount > 0) volume.name = seriesName(header.name, i, seriesCount);
    observer.volumeStarted(volume.name);
    if (seriesCount > 0 && !observer.confirmInsertVolume(volume.name)) {
      outcome.seriesEnded = true;
      break;
    }
    ResultCode claimCode = ResultCode::Ok;
    const std::optional<std::filesystem::path> claimed =
        catalogue.volumes().claimNextDataFile(catalogue.dataDirectory(), &claimCode);
    const std::filesystem::path dataFile =
        claimed ? *claimed
                : catalogue.dataDirectory() /
                      volumeFileName(catalogue.volumes().maxFileNumber() + 1);
    if (claimed) {
      outcome.lastRead = readKeepingFolder(drives, volume, dataFile, observer, options);
    } else {
      outcome.lastRead = ReadDriveOutcome{};
      outcome.lastRead.code = claimCode;
    }
    outcome.lastCode = outcome.lastRead.code;
    if (outcome.lastCode != ResultCode::Ok) {
      // A walk that was cancelled or found nothing never wrote the file.
      if (claimed) {
        // The .ORD file first, while the number is still claimed.
        removeFolderFile(dataFile);
        releaseDataFile(dataFile);
      }
      observer.volumeFailed(outcome.lastCode, dataFile);
      if (outcome.lastCode == ResultCode::Cancelled) break;
      continue;
    }
    const std::size_t index =
        catalogue.volumes().insert(VolumeRecord::fromHeader(volume, dataFile));
    outcome.added.push_back(dataFile);
    observer.volumeAdded(index);
  }
  return outcome;
}

}  // namespace diskindex::scan
