#pragma once
// CatalogueSession: the catalogue's workflows from start-up to shutdown, for
// the main window and diskindx-cli alike. Start-up reads DISKINDX.INI,
// prepares the data folder by the one rule (session_environment.h), loads the
// volume list, offers the conversion of old files and collects the
// categories; then volumes are opened and left (their remarks saved), added,
// changed and deleted, and the data folder changed; shutdown writes every
// setting back. Each workflow is one call that leaves its result in state().
//
// Questions, progress and single failures go through observers the caller
// implements (message boxes and progress windows in the window, the terminal
// in the CLI, fakes in tests); the session shows nothing and throws nothing.
// The dialogs that collect the values of a new volume are the caller's.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diskindex/core/catalogue_state.h"
#include "diskindex/core/category_editor.h"
#include "diskindex/core/export/export_file.h"
#include "diskindex/core/export/export_options.h"
#include "diskindex/core/files/files_observer.h"
#include "diskindex/core/observers.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/rescan.h"
#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/search/search_choice.h"
#include "diskindex/core/session_environment.h"
#include "diskindex/core/volume_finder.h"
#include "platform/drives.h"

namespace diskindex {

// What start-up and a change of data folder report besides the volume files
// that fail to load (ListLoadObserver::fileFailed).
class SessionObserver : public ListLoadObserver {
 public:
  // The default data folder was missing and could not be created (shown as
  // errorMessage(CannotCreate, messages::kListLoadCaption, folder)).
  virtual void dataDirectoryFailed(ResultCode /*code*/, const std::filesystem::path& /*folder*/) {}
  // Old-format files were found: the observer that asks and shows the
  // conversion, or nullptr to leave them unconverted (they stay listed in
  // state().catalogue.oldFormatFiles()).
  virtual ConversionObserver* conversion() { return nullptr; }
};

// Opening a volume: the contents' code (Ok, or the data file's failure) and
// the remarks' code (CannotOpen is the normal case of a volume without any).
struct OpenResult {
  ResultCode contents = ResultCode::Ok;
  ResultCode remarks = ResultCode::Ok;
};

// Which files of a volume to copy: files by key (the rows of the file list,
// directory number from 1 and file number from 0), or with wholeDirectory
// the directory and its whole subtree.
struct CopySelection {
  std::vector<TDirFileNo> files;
  bool wholeDirectory = false;
  std::size_t directory = 0;  // index in the directory list (root 0)
};

// How a file workflow ended: done (copy.code tells how the copy went), the
// volume check said no, nothing was chosen, or the user ended it.
enum class FileRunStatus { Done, VolumeRefused, NothingSelected, Cancelled };

struct FileCopyResult {
  FileRunStatus status = FileRunStatus::Done;
  files::CopyOutcome copy;
};

// Editing or starting a file: the outcome and, when it failed, the message
// (caption files::kVolumeAccessCaption).
struct FileStartResult {
  FileRunStatus status = FileRunStatus::Done;
  bool started = false;
  std::string message;
};

// Adding volumes: what the scanner reported, and the list position of the
// last volume added (none when nothing was added).
struct AddResult {
  scan::AddOutcome outcome;
  std::optional<std::size_t> lastAdded;
};

// Reading a volume again: what the rescan did, and the volume's list
// position afterwards (none when it failed).
struct RescanResult {
  scan::RescanOutcome outcome;
  std::optional<std::size_t> index;
  // The volume check said no (it showed or asked what it had to): nothing
  // was read and nothing more needs saying.
  bool volumeRefused = false;
};

class CatalogueSession {
 public:
  explicit CatalogueSession(SessionEnvironment environment);

  const SessionEnvironment& environment() const { return m_env; }
  const CatalogueState& state() const { return m_state; }
  // The window writes its geometry and view options here before shutdown().
  DiskIndexSettings& settings() { return m_state.settings; }
  // The volume list, for views that keep a reference to it.
  const VolumeList& volumes() const { return m_state.catalogue.volumes(); }

  // Settings, data folder, volume list, conversion, categories. Returns the
  // list's code: CannotOpen when the data folder does not exist.
  ResultCode start(SessionObserver& observer);
  // Writes every setting to DISKINDX.INI (its folder created when missing).
  // An open volume must have been left before. Returns CannotWrite when the
  // file could not be written.
  ResultCode shutdown();

  // Opens the volume at this list position; on failure nothing is open.
  OpenResult openVolume(std::size_t volumeIndex, ProgressObserver* progress = nullptr);
  // Hands the text of one remark field back (empty text removes the remark).
  void setRemark(TDirFileNo key, const std::string& text);
  // Writes the open volume's remarks when they changed; Ok when there was
  // nothing to write. On failure the remarks stay open and changed, so the
  // caller can try again or keep them.
  ResultCode saveRemarks();
  // Writes the open volume's remarks, changed or not, in the comment file
  // format to another file: the way out when the comment file cannot be
  // written, so nothing typed is lost.
  ResultCode saveRemarksTo(const std::filesystem::path& file);
  // The open volume's comment file (for messages), empty when none is open.
  std::filesystem::path remarksFile() const;
  // Forgets the open volume (unsaved remarks included).
  void closeVolume();

  // The writability test before adding or changing a volume.
  bool dataDirectoryWritable() const;
  // The system's drives with the folders [Drives] of DISKINDX.INI maps to
  // letters.
  platform::DriveTable driveTable() const;
  // Reads one volume (seriesCount 0) or a series with the dialog's values;
  // remembers the drive and the category. Progress and questions go to the
  // observer.
  AddResult addVolumes(const platform::DriveTable& drives, const scan::DialogValues& values,
                       int seriesCount, scan::ScanObserver& observer);
  // Adds values.imageFile (a disc image or archive) as one new volume.
  AddResult addImage(const scan::DialogValues& values, scan::ScanObserver& observer);
  // The header of the volume at index as its data file holds it now.
  ResultCode readVolumeHeader(std::size_t index, VolumeHeader& header) const;
  // Rewrites the volume's information (header: as read by readVolumeHeader);
  // newIndex receives its new list position.
  ResultCode changeVolume(const platform::DriveTable& drives, std::size_t index,
                          const VolumeHeader& header, const scan::DialogValues& values,
                          std::size_t* newIndex);
  // Deletes the volume's files and record: CannotWrite when its data file
  // stays (show messages::deleteFailed).
  ResultCode deleteVolume(std::size_t index);

  // Leaves the open volume without saving (the caller saved its remarks),
  // then loads the catalogue of another folder as start-up does; its
  // categories join the list. Returns the list's code.
  ResultCode changeDataDirectory(const std::filesystem::path& folder, SessionObserver& observer);

  // --- Categories (session_categories.cpp) ---
  // Carries what the categories dialog left (renames, deletions) into every
  // volume header and record, then replaces the category list by the
  // dialog's list, completed by the categories of volumes whose file could
  // not be changed, so that every volume stays reachable by the filter.
  CategoryApplyResult applyCategoryChanges(const CategoryEditResult& edit);
  // --- end of categories ---

  // ---- Reading a volume again (session_rescan.cpp) ----
  // Reads the volume at index again with reader, keeping its remarks
  // (scan::rescanVolume). The open volume's pending remarks are saved
  // first (their failure ends it with that code and the comment file); when
  // it was open it is opened again with the new contents. Its record is
  // rebuilt from the new header. The reader is where other sources than a
  // drive come in.
  RescanResult rescanVolume(std::size_t index, const scan::VolumeReader& reader,
                            scan::ScanObserver& observer);
  // From a drive of the table; the letter becomes the default drive. With
  // a check observer the volume check runs first, so that another volume in
  // the drive does not replace the catalogued tree unasked.
  RescanResult rescanFromDrive(std::size_t index, const platform::DriveTable& drives, char letter,
                               scan::ScanObserver& observer,
                               files::VolumeCheckObserver* check = nullptr);
  // From a folder: read under the letter whose root it is, or under a letter
  // lent to it for this reading only (the volume then keeps its own drive
  // letter and type). DriveNotReady when it is no folder.
  RescanResult rescanFromFolder(std::size_t index, const std::filesystem::path& folder,
                                scan::ScanObserver& observer);
  // From a disc image or archive (scan::readImage); the volume keeps its
  // drive letter and file system identity. A refused image is reported to
  // the observer's imageFailed as when adding one.
  RescanResult rescanFromImage(std::size_t index, const std::filesystem::path& image,
                               scan::ScanObserver& observer);
  // ---- end of rescan ----

  // ---- Files on catalogued volumes (session_files.cpp) ----
  // Copies files of the volume at volumeIndex to target. The volume is read
  // from sourceFolder (a folder that holds its root, no volume check) or,
  // when that is empty, from its drive after the volume check. Names are
  // the stored ones; a list with an unsafe name copies nothing.
  FileCopyResult copyVolumeFiles(std::size_t volumeIndex, const CopySelection& selection,
                                 const std::filesystem::path& target,
                                 const std::filesystem::path& sourceFolder,
                                 const platform::DriveTable& drives, files::FilesObserver& observer,
                                 files::CopyOptions options = {});
  // The same for the open volume; the target becomes COPY_PATH.
  FileCopyResult copyFromOpenVolume(const CopySelection& selection,
                                    const std::filesystem::path& target,
                                    const platform::DriveTable& drives,
                                    files::FilesObserver& observer);
  // Copies the file hits among these rows of searchResults() (a directory
  // hit is skipped), volume by volume in the order the rows name them, each
  // after the insert-volume question and the volume check; a failed volume
  // is asked again with the file that failed. The target becomes COPY_PATH.
  FileCopyResult copySearchHits(const std::vector<std::size_t>& rows,
                                const std::filesystem::path& target,
                                const platform::DriveTable& drives, files::FilesObserver& observer);
  // "Datei edi&tieren" (edit) or "Datei &ausführen" on the file at this
  // position of directory dir of the open volume: the volume check, the
  // file must open for reading, then EDIT_PATH with the file as its one
  // argument, or the desktop's opener, started without a shell.
  FileStartResult startOpenVolumeFile(std::size_t dir, std::size_t position, bool edit,
                                      const platform::DriveTable& drives,
                                      files::FilesObserver& observer,
                                      files::ProgramStarter& starter);
  // "&Editor festlegen ...": the program becomes EDIT_PATH and joins the
  // editors offered when new.
  void chooseEditor(const std::string& program);
  // ---- end of files ----

  // ---- Searching (session_search.cpp) ----
  // The parameters last used (at start-up: the settings' choices and the
  // newest history text).
  const search::SearchParams& searchParams() const { return m_search.params; }
  // Takes the parameters of a confirmed search dialog: the text joins the
  // history, the choices the settings; the single-volume position restarts.
  void setSearchParams(const search::SearchParams& params);
  // Volumes chosen for the multi-volume search: their list positions now.
  std::vector<std::size_t> chosenVolumes() const;
  void setChosenVolumes(const std::vector<std::size_t>& indices);
  // Single-volume search on the open volume from the root or (only the
  // selected directory) from selectedDir; nothing when no hit (the position
  // is then cleared).
  std::optional<search::SearchHit> findFirst(std::size_t selectedDir);
  std::optional<search::SearchHit> findNext();
  bool searchActive() const { return m_search.single.active(); }
  // Multi-volume search over the chosen volumes in list order: the rows
  // replace searchResults() as they are found and go to the observer too.
  search::MultiSearchSummary searchChosenVolumes(search::MultiSearchObserver& observer);
  const std::vector<search::ResultRow>& searchResults() const { return m_search.results; }
  void clearSearchResults() { m_search.results.clear(); }
  // With other parameters over the volumes at these list positions (no
  // rows kept).
  search::MultiSearchSummary searchVolumes(const search::SearchParams& params,
                                           const std::vector<std::size_t>& indices,
                                           search::MultiSearchObserver& observer) const;

  // ---- Finding volumes (session_finder.cpp) ----
  // The catalogued volumes in the drives now, recognised by their file
  // system (see recogniseVolumes).
  std::vector<RecognisedVolume> recogniseVolumes(const platform::DriveTable& drives) const;
  // The volumes read from the file system that holds path; none when its
  // identity cannot be told.
  std::vector<std::size_t> volumesOnFileSystemOf(const std::filesystem::path& path,
                                                 const platform::DriveTable& drives) const;
  // The overview's order, kept in the settings (SORT_FREE).
  OverviewOrder overviewOrder() const;
  void setOverviewOrder(OverviewOrder order);
  // The volumes with at least bytes of known free space, in list order.
  std::vector<std::size_t> volumesWithFreeSpace(std::int64_t bytes) const;
  // ---- end of finding ----

  // ---- Export and printing (session_export.cpp) ----
  // The volumes an information export covers, as list positions in list
  // order: all of them, or those that pass the options' category filter.
  std::vector<std::size_t> infoExportVolumes(const exporting::InfoExportOptions& options) const;
  // One line per volume (no line ends), fields as the options choose.
  std::vector<std::string> infoExportLines(const exporting::InfoExportOptions& options) const;
  // Remembers the options and the target (as a full path, EXPT_PATH), then
  // writes the lines to a file created anew.
  exporting::ExportResult exportInfo(const exporting::InfoExportOptions& options,
                                     const std::filesystem::path& file);
  // The open volume's tree lines from the root or, with selectedDirectory,
  // from selectedDir (none selected: no lines). None when no volume is open.
  std::vector<std::string> treeLines(const exporting::TreeExportOptions& options,
                                     std::optional<std::size_t> selectedDir) const;
  // Remembers the options and the target, then writes heading and tree
  // lines by the append rules (exporting::treeExportLines).
  exporting::ExportResult exportTree(const exporting::TreeExportOptions& options,
                                     std::optional<std::size_t> selectedDir,
                                     const std::filesystem::path& file);
  // Remembers the options; the lines of the printout (heading first) and
  // the clipboard's text (the tree lines alone, each with CR LF).
  std::vector<std::string> treePrintLines(const exporting::TreeExportOptions& options,
                                          std::optional<std::size_t> selectedDir);
  std::string treeClipboardText(const exporting::TreeExportOptions& options,
                                std::optional<std::size_t> selectedDir);
  // The target as a full path, as it is kept in EXPT_PATH.
  static std::filesystem::path exportTarget(const std::filesystem::path& file);
  // ---- end of export ----

 private:
  void loadSearchChoice();

  ResultCode loadCatalogue(SessionObserver& observer);

  SessionEnvironment m_env;
  CatalogueState m_state;
  search::SearchState m_search;
};

}  // namespace diskindex
