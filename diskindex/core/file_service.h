#pragma once
// FileService: the file workflows of a catalogue session: copying files of
// a catalogued volume back from its drive (the open volume, any volume, or
// the hits of the last multi-volume search), editing or starting a file of
// the open volume, and choosing the editor. Names are the volume file's
// stored ones; a list with an unsafe name copies nothing. Questions and
// progress go to the caller's files::FilesObserver.

#include <cstddef>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "diskindex/core/files/copy_engine.h"
#include "diskindex/core/files/files_observer.h"
#include "diskindex/core/remark_list.h"
#include "diskindex/core/session_data.h"
#include "platform/drives.h"

namespace diskindex {

// Which files of a volume to copy: files by key (the rows of the file list,
// directory number from 1 and file number from 0), or with wholeDirectory
// the directory and its whole subtree.
struct CopySelection {
  std::vector<TDirFileNo> files;
  bool wholeDirectory = false;
  std::size_t directory = 0;  // index in the directory list (root 0)
};

// Files of the volume at this list position, read from sourceFolder (a
// folder that holds its root, no volume check) or, when that is empty, from
// its drive after the volume check.
struct CopyFromVolume {
  std::size_t volume = 0;
  CopySelection selection;
  std::filesystem::path sourceFolder;
};
// Files of the open volume from its drive; the target becomes COPY_PATH.
struct CopyFromOpenVolume {
  CopySelection selection;
};
// The file hits among these rows of the search results (a directory hit is
// skipped), volume by volume in the order the rows name them, each after
// the insert-volume question and the volume check; a failed volume is
// asked again with the file that failed. The target becomes COPY_PATH.
struct CopyFromSearchHits {
  std::vector<std::size_t> rows;
};
using CopySource = std::variant<CopyFromVolume, CopyFromOpenVolume, CopyFromSearchHits>;

struct CopyRequest {
  CopySource source;
  std::filesystem::path target;
  platform::DriveTable drives;
  files::CopyOptions options;
};

// How a file workflow ended: done (copy.code tells how the copy went), the
// volume check said no, nothing was chosen, or the user ended it.
enum class FileRunStatus { Done, VolumeRefused, NothingSelected, Cancelled };

struct FileCopyResult {
  FileRunStatus status = FileRunStatus::Done;
  files::CopyOutcome copy;
};

// A file of the open volume: its position in the file list of directory
// dir (the tree's index).
struct OpenVolumeFile {
  std::size_t dir = 0;
  std::size_t position = 0;
};

// "Datei edi&tieren" opens the file in EDIT_PATH; "Datei &ausführen" hands
// it to the desktop's opener.
enum class StartMode { Edit, Run };

// Editing or starting a file: the outcome and, when it failed, the message
// (caption files::kVolumeAccessCaption).
struct FileStartResult {
  FileRunStatus status = FileRunStatus::Done;
  bool started = false;
  std::string message;
};

class FileService {
 public:
  explicit FileService(SessionData& data) : m_data(data) {}

  FileCopyResult copy(const CopyRequest& request, files::FilesObserver& observer);
  // The volume check, the file must open for reading, then EDIT_PATH with
  // the file as its one argument, or the desktop's opener, started without
  // a shell.
  FileStartResult start(const OpenVolumeFile& file, StartMode mode,
                        const platform::DriveTable& drives, files::FilesObserver& observer,
                        files::ProgramStarter& starter);
  // "&Editor festlegen ...": the program becomes EDIT_PATH and joins the
  // editors offered when new.
  void chooseEditor(const std::string& program);

 private:
  FileCopyResult copyVolume(const CopyFromVolume& source, const CopyRequest& request,
                            files::FilesObserver& observer);
  FileCopyResult copyHits(const std::vector<std::size_t>& rows, const CopyRequest& request,
                          files::FilesObserver& observer);

  SessionData& m_data;
};

}  // namespace diskindex
