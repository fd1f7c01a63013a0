#include "diskindex/core/scan/rescan.h"

#include <optional>
#include <system_error>
#include <utility>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/scan/folder_drive.h"
#include "diskindex/core/scan/orphan_file.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_list.h"
#include "diskindex/core/volume_root.h"

namespace diskindex::scan {
namespace {

std::filesystem::path withSuffix(std::filesystem::path path, const char* suffix) {
  path += suffix;
  return path;
}

bool fileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

// The files a rescan replaces, each copied aside first so that a failure in
// the middle of the renames puts every one of them back as it was.
class ReplaceGuard {
 public:
  // A backup that could not be put back stays, rather than losing the file.
  ~ReplaceGuard() {
    if (m_changing && !m_committed) restore();
    for (const Saved& saved : m_saved) {
      if (saved.backup && (m_committed || !m_changing)) removeFile(*saved.backup);
    }
  }
  ReplaceGuard() = default;
  ReplaceGuard(const ReplaceGuard&) = delete;
  ReplaceGuard& operator=(const ReplaceGuard&) = delete;

  // False when the copy could not be made (then nothing has changed yet).
  bool save(const std::filesystem::path& file) {
    Saved saved{file, std::nullopt};
    if (fileExists(file)) {
      const std::filesystem::path backup = withSuffix(rescanTempFile(file), ".bak");
      std::error_code error;
      std::filesystem::copy_file(file, backup, std::filesystem::copy_options::overwrite_existing,
                                 error);
      if (error) {
        removeFile(backup);
        return false;
      }
      saved.backup = backup;
    }
    m_saved.push_back(std::move(saved));
    return true;
  }
  // From here on a failure puts the saved files back.
  void beginChanges() { m_changing = true; }
  void commit() { m_committed = true; }

 private:
  struct Saved {
    std::filesystem::path file;
    std::optional<std::filesystem::path> backup;  // none: the file did not exist
  };
  void restore() {
    for (Saved& saved : m_saved) {
      if (!saved.backup) {
        removeFile(saved.file);
      } else if (renameFile(*saved.backup, saved.file)) {
        saved.backup.reset();
      }
    }
  }

  std::vector<Saved> m_saved;
  bool m_changing = false;
  bool m_committed = false;
};

// Everything the new reading produced, removed again unless it was renamed
// into place.
struct TempFiles {
  std::filesystem::path data;
  std::filesystem::path comment;
  ~TempFiles() {
    removeFile(data);
    removeFile(comment);
  }
};

RescanOutcome failed(RescanOutcome outcome, ResultCode code, std::filesystem::path file) {
  outcome.code = code;
  outcome.failedFile = std::move(file);
  return outcome;
}

// The old tree and remarks as far as they can be read. A volume file whose
// header reads but whose tree does not, and a comment file that is damaged,
// do not stop the rescan (reading the volume again is how it is mended):
// they are marked, and their bytes are kept before they are replaced. A file
// that cannot be opened at all, or a header that does not read, stops it.
struct OldFiles {
  TOutlineDirList tree;
  VolumeHeader header;
  TFileCommentList remarks;
  bool dataDamaged = false;
  bool commentDamaged = false;
};

bool isDamage(ResultCode code) {
  return code == ResultCode::BadFormat || code == ResultCode::CannotRead;
}

ResultCode loadOld(const std::filesystem::path& dataFile, OldFiles& old,
                   std::filesystem::path& failedFile) {
  failedFile = dataFile;
  ResultCode code = loadStoredNames(dataFile, old.tree, old.header);
  if (code != ResultCode::Ok) {
    if (!isDamage(code) || readHeader(dataFile, old.header) != ResultCode::Ok) return code;
    // Without the old tree the remarks cannot find their entries: they go
    // to the orphan file with their old numbers.
    old.tree = TOutlineDirList{};
    old.dataDamaged = true;
  }
  failedFile = commentFileFor(dataFile);
  code = loadRemarks(failedFile, old.remarks);
  if (code == ResultCode::CannotOpen && !fileExists(failedFile)) return ResultCode::Ok;
  if (isDamage(code)) {
    old.commentDamaged = true;
    return ResultCode::Ok;
  }
  return code;
}

// Keeps the bytes of a damaged old file beside it before the rescan replaces
// it; false (and nothing replaced) when no copy could be made.
bool keepDamaged(const std::filesystem::path& file, RescanOutcome& outcome) {
  std::vector<std::uint8_t> bytes;
  if (readWholeFile(file, bytes) != ResultCode::Ok) return false;
  const std::filesystem::path copy = keepDamagedCopy(file, bytes);
  if (copy.empty()) return false;
  outcome.damagedCopies.push_back(copy);
  return true;
}

// Renames the new files over the old ones and appends the orphans, all or
// nothing.
ResultCode replaceFiles(const std::filesystem::path& dataFile, const TempFiles& temp,
                        bool haveRemarks, RescanOutcome& outcome, const RescanOptions& options) {
  const RenameFunction rename = options.rename ? options.rename : renameFile;
  const std::filesystem::path comment = commentFileFor(dataFile);
  const std::filesystem::path orphans = orphanFileFor(dataFile);
  const std::filesystem::path folderFile = folderFileFor(dataFile);
  const bool keepsFolder = VolumeRoot(outcome.header.driveLetter).isFolder();
  ReplaceGuard guard;
  for (const std::filesystem::path& file : {dataFile, comment, orphans, folderFile}) {
    outcome.failedFile = file;
    if (!guard.save(file)) return ResultCode::CannotCreate;
  }
  guard.beginChanges();
  if (!outcome.orphans.empty()) {
    outcome.failedFile = orphans;
    const ResultCode code =
        appendOrphans(orphans, outcome.header.name, outcome.orphans, options.now);
    if (code != ResultCode::Ok) return code;
  }
  // The kept folder is there before the volume file names it.
  outcome.failedFile = folderFile;
  if (keepsFolder && writeFolderFile(dataFile, outcome.header.folder) != ResultCode::Ok) {
    return ResultCode::CannotWrite;
  }
  outcome.failedFile = dataFile;
  if (!rename(temp.data, dataFile)) return ResultCode::CannotWrite;
  if (!keepsFolder) removeFolderFile(dataFile);
  outcome.failedFile = comment;
  if (haveRemarks ? !rename(temp.comment, comment) : !removeFile(comment)) {
    return haveRemarks ? ResultCode::CannotWrite : ResultCode::CommentNotRemovable;
  }
  guard.commit();
  outcome.failedFile.clear();
  if (!outcome.orphans.empty()) outcome.orphanFile = orphans;
  return ResultCode::Ok;
}

}  // namespace

std::filesystem::path rescanTempFile(const std::filesystem::path& dataFile) {
  return dataFile.parent_path() / ("~" + dataFile.filename().string());
}

std::filesystem::path rescanBackupFile(const std::filesystem::path& dataFile) {
  return withSuffix(rescanTempFile(dataFile), ".bak");
}

std::optional<FolderLetter> letterForFolder(const platform::DriveTable& drives,
                                            const std::filesystem::path& folder) {
  if (const auto letter = letterNaming(drives, folder)) return FolderLetter{*letter, false};
  if (const auto letter = firstFreeLetter(drives)) return FolderLetter{*letter, true};
  return std::nullopt;
}

VolumeReader driveReader(const platform::DriveTable& drives, char letter, StoredDrive stored) {
  const bool keepStoredDrive = stored == StoredDrive::Keep;
  return [&drives, letter, keepStoredDrive](
             VolumeHeader& header, const std::filesystem::path& dataFile, ScanObserver& observer) {
    const char storedLetter = header.driveLetter;
    const std::string storedFolder = header.folder;
    const std::uint8_t storedType = header.driveType;
    const platform::FileSystemId storedId = header.volumeId;
    header.driveLetter = letter;
    header.driveType = driveTypeCode(drives, letter);
    ReadDriveOutcome outcome = readDrive(drives, header, dataFile, observer);
    if (keepStoredDrive && outcome.code == ResultCode::Ok) {
      // readDrive needs the lent letter to find the folder and stores it:
      // the header is written again with the volume's own drive.
      header.driveLetter = storedLetter;
      header.folder = storedFolder;
      header.driveType = storedType;
      header.volumeId = storedId;  // a folder has no file system identity of its own
      outcome.code = rewriteHeader(dataFile, header);
    }
    return outcome;
  };
}

RescanOutcome rescanVolume(const std::filesystem::path& dataFile, const VolumeReader& reader,
                           ScanObserver& observer, const RescanOptions& options) {
  RescanOutcome outcome;
  OldFiles old;
  std::filesystem::path problem;
  if (const ResultCode code = loadOld(dataFile, old, problem); code != ResultCode::Ok) {
    return failed(std::move(outcome), code, problem);
  }
  VolumeHeader& header = old.header;
  const TempFiles temp{rescanTempFile(dataFile), commentFileFor(rescanTempFile(dataFile))};
  header.captureDate = freshHeader().captureDate;
  outcome.read = reader(header, temp.data, observer);
  if (outcome.read.code != ResultCode::Ok) {
    return failed(std::move(outcome), outcome.read.code, temp.data);
  }
  TOutlineDirList newTree;
  if (const ResultCode code = loadStoredNames(temp.data, newTree, outcome.header);
      code != ResultCode::Ok) {
    return failed(std::move(outcome), code, temp.data);
  }
  outcome.header.folder = header.folder;  // not in the file's bytes

  TFileCommentList descriptions;
  if (outcome.read.descriptionsRead && outcome.read.remarksCode == ResultCode::Ok) {
    loadRemarks(temp.comment, descriptions);
  }
  CarriedRemarks carried = carryRemarks(old.tree, old.remarks, newTree);
  outcome.carried = carried.remarks.size();
  outcome.described = fillEmptyRemarks(carried.remarks, descriptions);
  outcome.orphans = std::move(carried.orphans);
  const bool haveRemarks = !carried.remarks.empty();
  if (haveRemarks) {
    const ResultCode code = saveRemarks(temp.comment, carried.remarks, outcome.header.utf8);
    if (code != ResultCode::Ok) return failed(std::move(outcome), code, temp.comment);
  } else if (!removeFile(temp.comment)) {
    return failed(std::move(outcome), ResultCode::CommentNotRemovable, temp.comment);
  }
  // A damaged file is kept before anything replaces it.
  for (const auto& [damaged, file] : {std::pair{old.dataDamaged, dataFile},
                                      std::pair{old.commentDamaged, commentFileFor(dataFile)}}) {
    if (damaged && !keepDamaged(file, outcome)) {
      return failed(std::move(outcome), ResultCode::CannotCreate, file);
    }
  }
  outcome.code = replaceFiles(dataFile, temp, haveRemarks, outcome, options);
  return outcome;
}

}  // namespace diskindex::scan
