#pragma once
// VolumeService: the workflows on the volume list of a catalogue session:
// opening and leaving a volume, adding one (from a drive of the drive table,
// any folder, or a disc image or archive), changing its information,
// deleting it, and finding volumes by file system and free space.
//
// Each workflow is one call taking a request and returning its result; the
// list, the categories and the remembered drive are updated inside it. The
// dialogs that collect a new volume's values are the caller's, and so is
// every message: the service reports codes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/folder_drive.h"
#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/session_data.h"
#include "diskindex/core/volume_finder.h"
#include "platform/drives.h"

namespace diskindex {

// Reading the drive at this letter of the table; seriesCount 0 reads one
// volume, more reads a series (the add dialog's "Serie").
struct AddFromDrive {
  platform::DriveTable drives;
  char letter = 'C';
  int seriesCount = 0;
};
// Reading any folder as a drive: under the letter whose root it is, or else
// the first free letter from D on, recorded in [Drives] of DISKINDX.INI so
// that the volume's letter names the folder later too; with no letter free,
// the volume keeps the folder itself.
struct AddFromFolder {
  std::filesystem::path folder;
};
// Reading a disc image or archive without mounting it.
struct AddFromImage {
  std::filesystem::path image;
};
using AddSource = std::variant<AddFromDrive, AddFromFolder, AddFromImage>;

// A new volume: the dialog's values (its drive letter is taken from the
// source when the source names one) and where to read it from. With
// questions set the add dialog's checks (name taken, label known) run first
// against the source, for callers without that dialog.
struct AddRequest {
  scan::DialogValues values;
  AddSource source;
  scan::DialogQuestions* questions = nullptr;
};

// What adding did: the scanner's report, the list position of the last
// volume added (none when nothing was added), and whether the checks of the
// request's questions refused the values (then nothing was read).
struct AddResult {
  scan::AddOutcome outcome;
  std::optional<std::size_t> lastAdded;
  bool checkRefused = false;
  // A folder source: its letter (Existing, Assigned), LettersRanOut when the
  // volume keeps the folder itself, or why nothing was read (NotAFolder,
  // NotRecorded with folderCode the settings file's code).
  std::optional<scan::FolderDrive> folder;
  ResultCode folderCode = ResultCode::Ok;
};

// A volume header as its data file holds it now.
struct HeaderResult {
  ResultCode code = ResultCode::Ok;
  VolumeHeader header;
};

// New information for the volume at index (header: as readHeader gave it).
struct ChangeRequest {
  std::size_t index = 0;
  VolumeHeader header;
  scan::DialogValues values;
  platform::DriveTable drives;
};

// The code of a change and the volume's list position afterwards.
struct ChangeResult {
  ResultCode code = ResultCode::Ok;
  std::size_t index = 0;
  // values.folder set: as AddResult's (code DriveNotReady when it got no letter).
  std::optional<scan::FolderDrive> folder;
  ResultCode folderCode = ResultCode::Ok;
};

// A folder's letter for reading it, as adding, changing and reading again
// get it: the letter naming the folder already, or the first free one from D
// on, recorded at once in [Drives] of the settings file (under its lock, onto
// the file as it is on disk) so that it names the folder after a restart and
// in every program on the catalogue. drives knows the letter when there is
// one (Existing, Assigned). When D: to Z: are all taken (LettersRanOut) the
// folder is lent to drives under DriveTable::kFolderKey, which is then
// drive.letter: the volume stores the folder itself (volume_root.h).
// Otherwise drive.status says why there is none (NotAFolder; NotRecorded
// with code the settings file's code).
struct RecordedFolder {
  scan::FolderDrive drive;
  ResultCode code = ResultCode::Ok;
  std::optional<platform::DriveTable> drives;
};
RecordedFolder recordFolderDrive(const std::filesystem::path& folder,
                                 const std::filesystem::path& settingsFile);

class VolumeService {
 public:
  explicit VolumeService(SessionData& data) : m_data(data) {}

  // Opens the volume at this list position; on failure nothing is open.
  OpenResult open(std::size_t volumeIndex, ProgressObserver* progress = nullptr);
  // Forgets the open volume (unsaved remarks included).
  void close();

  // The writability test before adding or changing a volume.
  bool dataDirectoryWritable() const;
  // The same test as the text that refuses the change: nothing when the
  // data folder can be written, else messages::missingDataDirectoryRefusal
  // for a folder that is not there or messages::kReadOnlyDataDir.
  std::optional<std::string> writeRefusal() const;
  // The data folder is not there (the catalogue went on without it).
  bool dataDirectoryMissing() const;
  // The system's drives with the folders [Drives] of DISKINDX.INI maps to
  // letters.
  platform::DriveTable driveTable() const;
  // The source the add dialog's values name: their image file, or else
  // their drive in this table (seriesCount 0 for one volume).
  static AddSource sourceOf(const scan::DialogValues& values, const platform::DriveTable& drives,
                            int seriesCount);

  // Reads one volume or a series; remembers the drive (a drive source) and
  // the category. Progress and questions go to the observer.
  AddResult add(const AddRequest& request, scan::ScanObserver& observer);
  HeaderResult readHeader(std::size_t index) const;
  // Rewrites the volume's information; the list is sorted again.
  ChangeResult change(const ChangeRequest& request);
  // Deletes the volume's files and record: CannotWrite when its data file
  // stays (show messages::deleteFailed).
  ResultCode remove(std::size_t index);

  // The catalogued volumes in the drives now, recognised by their file
  // system (see recogniseVolumes).
  std::vector<RecognisedVolume> recognise(const platform::DriveTable& drives) const;
  // The volumes read from the file system that holds path; none when its
  // identity cannot be told.
  std::vector<std::size_t> onFileSystemOf(const std::filesystem::path& path,
                                          const platform::DriveTable& drives) const;
  // The volumes with at least bytes of known free space, in list order.
  std::vector<std::size_t> withFreeSpace(std::int64_t bytes) const;
  // The overview's order, kept in the settings (SORT_FREE).
  OverviewOrder overviewOrder() const;
  void setOverviewOrder(OverviewOrder order);

 private:
  AddResult finishAdd(const VolumeHeader& header, scan::AddOutcome outcome, AddResult result);

  SessionData& m_data;
};

}  // namespace diskindex
