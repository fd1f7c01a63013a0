#include "diskindex/core/catalogue.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/old_format.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_root.h"

namespace diskindex {
namespace {

// Reads one header for the list. A file shorter than a header that starts
// with the old magic is still an old-format file (small old volumes are).
// stamp receives the file as it was read (by its descriptor, so that a
// rename between listing and reading cannot slip in unseen).
ResultCode readListHeader(const std::filesystem::path& file, VolumeHeader& header,
                          FileStamp& stamp) {
  FileHandle handle = FileHandle::openRead(file);
  if (!handle.valid()) {
    stamp = FileStamp::ofPath(file);
    return ResultCode::CannotOpen;
  }
  stamp = FileStamp::ofOpenFile(handle.fd());
  HeaderBytes bytes{};
  const std::ptrdiff_t got = handle.read(bytes.data(), bytes.size());
  if (got < 0) return ResultCode::CannotRead;
  // An empty file is the claim of a volume another program is writing.
  if (got == 0) return ResultCode::Cancelled;
  const HeaderKind kind = headerKind(std::span(bytes.data(), static_cast<std::size_t>(got)));
  if (kind == HeaderKind::OldFormat) return ResultCode::OldFormat;
  if (got < static_cast<std::ptrdiff_t>(bytes.size())) return ResultCode::CannotRead;
  if (kind != HeaderKind::Current) return ResultCode::BadFormat;
  header = decodeHeader(bytes);
  if (VolumeRoot(header.driveLetter).isFolder()) {
    header.folder = readFolderFile(file).value_or(std::string());
  }
  return ResultCode::Ok;
}

// Remembers whether the user agreed, so that a refusal does not reload.
class ConfirmTracker : public ConversionObserver {
 public:
  explicit ConfirmTracker(ConversionObserver& inner) : m_inner(inner) {}
  bool confirmConversion() override { return m_confirmed = m_inner.confirmConversion(); }
  void converting(const std::filesystem::path& file, int index, int count) override {
    m_inner.converting(file, index, count);
  }
  bool cancelRequested() override { return m_inner.cancelRequested(); }
  void fileFailed(ResultCode code, const std::filesystem::path& file) override {
    m_inner.fileFailed(code, file);
  }
  void cancelled() override { m_inner.cancelled(); }
  bool confirmed() const { return m_confirmed; }

 private:
  ConversionObserver& m_inner;
  bool m_confirmed = false;
};

char upper(char letter) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

}  // namespace

ResultCode Catalogue::loadVolumeList(ListLoadObserver* observer) {
  m_volumes.clear();
  m_oldFiles.clear();
  m_stamp = FolderStamp{};
  // Shared: no other program replaces a file of the folder while the list is
  // read, so the list is one consistent state of the folder.
  const FolderLock lock(m_dataDir, FolderLock::Mode::Shared);
  std::error_code error;
  const std::vector<std::filesystem::path> files = listVolumeFiles(m_dataDir, error);
  if (error && files.empty()) return ResultCode::CannotOpen;
  m_stamp.folderExists = true;
  m_stamp.volumeFiles.reserve(files.size());
  std::vector<VolumeRecord> records;
  records.reserve(files.size());
  for (const std::filesystem::path& file : files) {
    m_volumes.noteFileNumber(volumeFileNumber(file.filename().string()).value_or(0));
    VolumeHeader header;
    FileStamp stamp;
    const ResultCode code = readListHeader(file, header, stamp);
    m_stamp.volumeFiles.emplace_back(file.filename().string(), stamp);
    if (code == ResultCode::Ok) {
      records.push_back(VolumeRecord::fromHeader(header, file));
    } else if (code == ResultCode::OldFormat) {
      m_oldFiles.push_back(file);
    } else if (code == ResultCode::Cancelled) {
      continue;  // a volume still being written: not yet part of the catalogue
    } else if (observer != nullptr) {
      observer->fileFailed(code, file);
    }
  }
  m_volumes.insertAll(std::move(records));
  return ResultCode::Ok;
}

bool Catalogue::changedSinceLoad() const {
  return FolderStamp::take(m_dataDir) != m_stamp;
}

ResultCode Catalogue::convertOldFiles(ConversionObserver& conversion,
                                      ListLoadObserver* listObserver) {
  if (m_oldFiles.empty()) return ResultCode::Ok;
  ConfirmTracker tracker(conversion);
  const std::vector<std::filesystem::path> files = m_oldFiles;
  const ResultCode code = diskindex::convertOldFiles(files, tracker);
  if (tracker.confirmed()) loadVolumeList(listObserver);
  return code;
}

bool Catalogue::dataDirectoryWritable() const {
  const std::filesystem::path probe = m_dataDir / "X_X_X_X_.TMP";
  FileHandle file = FileHandle::create(probe);
  if (!file.valid()) return false;
  const bool closed = file.close();
  return removeFile(probe) && closed;
}

ResultCode Catalogue::addVolume(VolumeHeader header, std::span<const EntryRecord> entries,
                                const TFileCommentList& remarks, std::size_t* index,
                                ProgressObserver* observer) {
  if (entries.empty()) return ResultCode::DriveNotReady;
  ResultCode code = ResultCode::Ok;
  const std::optional<std::filesystem::path> claimed = m_volumes.claimNextDataFile(m_dataDir, &code);
  if (!claimed) return code;
  const std::filesystem::path& dataFile = *claimed;
  code = keepFolderBefore(dataFile, header);
  if (code == ResultCode::Ok) code = createVolume(dataFile, header, entries, observer);
  if (code != ResultCode::Ok) {
    // The .ORD file goes while the number is still claimed: after that,
    // another program may take the number and keep its own folder there.
    removeFolderFile(dataFile);
    releaseDataFile(dataFile);
    return code;
  }
  if (!remarks.empty()) {
    TFileCommentList copy = remarks;
    code = saveRemarks(commentFileFor(dataFile), copy, header.utf8);
  }
  // The .DAT exists now; the volume is listed even when its remarks failed.
  const std::size_t at = m_volumes.insert(VolumeRecord::fromHeader(header, dataFile));
  if (index != nullptr) *index = at;
  return code;
}

ResultCode Catalogue::changeVolumeInfo(std::size_t index, const VolumeHeader& header,
                                       std::size_t* newIndex) {
  if (index >= m_volumes.size()) return ResultCode::CannotOpen;
  const std::filesystem::path dataFile = m_volumes[index].dataFile;
  ResultCode code = keepFolderBefore(dataFile, header);
  if (code == ResultCode::Ok) code = rewriteHeader(dataFile, header);
  if (code != ResultCode::Ok) return code;
  keepFolderAfter(dataFile, header);
  VolumeHeader written = header;
  if (readHeader(dataFile, written) != ResultCode::Ok) written = header;
  const std::size_t at = m_volumes.replace(index, VolumeRecord::fromHeader(written, dataFile));
  if (newIndex != nullptr) *newIndex = at;
  return ResultCode::Ok;
}

ResultCode Catalogue::deleteVolume(std::size_t index) {
  if (index >= m_volumes.size()) return ResultCode::CannotOpen;
  const VolumeRecord& record = m_volumes[index];
  const FolderLock lock(m_dataDir, FolderLock::Mode::Exclusive);
  std::error_code error;
  if (!std::filesystem::remove(record.dataFile, error) || error) return ResultCode::CannotWrite;
  removeFile(record.commentFile());
  removeFolderFile(record.dataFile);
  m_volumes.remove(index);
  return ResultCode::Ok;
}

int Catalogue::changeDriveOfAll(char oldLetter, char newLetter, std::uint8_t newType,
                                ListLoadObserver* observer) {
  int changed = 0;
  for (std::size_t i = 0; i < m_volumes.size(); ++i) {
    const std::filesystem::path dataFile = m_volumes[i].dataFile;
    VolumeHeader header;
    ResultCode code = readHeader(dataFile, header);
    if (code == ResultCode::Ok) {
      // A folder kept instead of a letter is no drive to move.
      if (header.driveLetter == platform::DriveTable::kFolderKey ||
          newLetter == platform::DriveTable::kFolderKey ||
          upper(header.driveLetter) != upper(oldLetter) ||
          (header.driveType != newType && header.driveType != 0)) {
        continue;
      }
      header.driveLetter = newLetter;
      if (header.driveType == 0) header.driveType = newType;
      code = rewriteHeader(dataFile, header);
    }
    if (code != ResultCode::Ok) {
      if (observer != nullptr) observer->fileFailed(code, dataFile);
      continue;
    }
    m_volumes.setDrive(i, header.driveLetter, header.driveType);
    ++changed;
  }
  return changed;
}

}  // namespace diskindex
