#pragma once
// The catalogue as a whole: the data directory, the sorted volume list built
// from the headers of its CD*.DAT files, and the operations that change files
// and list together (adding, changing, deleting a volume, changing the drive
// of all volumes, converting old files). Every change is written to its file
// at once. Questions and error boxes are the caller's: operations return
// result codes and report through the observers.
//
// It does not hold the opened volume's contents (see volume_file.h,
// comment_file.h) nor the category list (category_list.h).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "diskindex/core/entry_record.h"
#include "diskindex/core/folder_stamp.h"
#include "diskindex/core/observers.h"
#include "diskindex/core/remark_list.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/volume_header.h"
#include "diskindex/core/volume_list.h"

namespace diskindex {

class Catalogue {
 public:
  const std::filesystem::path& dataDirectory() const { return m_dataDir; }
  void setDataDirectory(std::filesystem::path dataDir) { m_dataDir = std::move(dataDir); }

  VolumeList& volumes() { return m_volumes; }
  const VolumeList& volumes() const { return m_volumes; }

  // Reads the header of every CD*.DAT file (in name order) and rebuilds the
  // volume list. Failing files go to the observer and loading goes on;
  // old-format files are collected in oldFormatFiles(). An empty CD*.DAT is
  // a volume another program is still writing and is left out unreported.
  // The folder's lock is held shared while the list is read. A missing data
  // directory gives an empty list and CannotOpen; otherwise Ok.
  ResultCode loadVolumeList(ListLoadObserver* observer = nullptr);
  const std::vector<std::filesystem::path>& oldFormatFiles() const { return m_oldFiles; }
  // The folder differs from what the last loadVolumeList read: a volume file
  // added, removed, written or replaced, or the folder appeared or went.
  // This program's own changes count too (the next load takes them in).
  // One folder listing and a stat per volume file; nothing is read.
  bool changedSinceLoad() const;

  // Offers conversion of oldFormatFiles() and, when anything was converted
  // or cancelled, loads the list again. Returns what convertOldFiles returned.
  ResultCode convertOldFiles(ConversionObserver& conversion,
                             ListLoadObserver* listObserver = nullptr);

  // Creates "X_X_X_X_.TMP" in the data directory and deletes it again.
  bool dataDirectoryWritable() const;

  // Adds a freshly read volume: claims the next file number (an empty data
  // file created exclusively, see VolumeList::claimNextDataFile), writes the .DAT
  // (createVolume), writes the remarks (descriptions) to the .CMT when there
  // are any, and inserts the record. index receives its place in the list.
  // A failed .CMT leaves the .DAT in place and returns the remark code.
  ResultCode addVolume(VolumeHeader header, std::span<const EntryRecord> entries,
                       const TFileCommentList& remarks, std::size_t* index = nullptr,
                       ProgressObserver* observer = nullptr);

  // Rewrites the header of the volume at index in place and re-inserts its
  // record at its (maybe new) sorted place; newIndex receives it.
  ResultCode changeVolumeInfo(std::size_t index, const VolumeHeader& header,
                              std::size_t* newIndex = nullptr);

  // Deletes the .DAT file; when that fails returns CannotWrite and changes
  // nothing (show messages::deleteFailed). Otherwise deletes the .CMT when it
  // exists and removes the record.
  ResultCode deleteVolume(std::size_t index);

  // Every volume whose drive letter equals oldLetter (case-insensitive) and
  // whose drive type equals newType or is 0 gets newLetter (and newType when
  // its type was 0); its header is rewritten in place and its record updated.
  // Volumes whose header cannot be read or written are reported and left.
  // Returns the number of volumes changed.
  int changeDriveOfAll(char oldLetter, char newLetter, std::uint8_t newType,
                       ListLoadObserver* observer = nullptr);

 private:
  std::filesystem::path m_dataDir;
  VolumeList m_volumes;
  std::vector<std::filesystem::path> m_oldFiles;
  FolderStamp m_stamp;  // the folder as loadVolumeList read it
};

}  // namespace diskindex
