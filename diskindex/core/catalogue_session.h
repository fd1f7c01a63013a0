#pragma once
// CatalogueSession: one catalogue from start-up to shutdown, for the main
// window and diskindx-cli alike. It owns the shared state (SessionData) and
// the workflow services over it; it runs start-up (DISKINDX.INI read, the
// data folder prepared by the one rule of session_environment.h, the volume
// list loaded, old files offered for conversion, the categories collected),
// the change of data folder and shutdown (every setting written back).
//
// Everything else is a service, one per workflow, each taking a request and
// returning its result: VolumeService (open, add, change, delete, find),
// RemarkService, RescanService, SearchService, ExportService, FileService
// and CategoryService. Questions, progress and single failures go through
// observers the caller implements (message boxes and progress windows in the
// window, the terminal in the CLI, fakes in tests); the session and its
// services show nothing and throw nothing.

#include <filesystem>
#include <optional>

#include "diskindex/core/catalogue_state.h"
#include "diskindex/core/category_service.h"
#include "diskindex/core/export_service.h"
#include "diskindex/core/file_service.h"
#include "diskindex/core/observers.h"
#include "diskindex/core/remark_service.h"
#include "diskindex/core/rescan_service.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/search_service.h"
#include "diskindex/core/session_data.h"
#include "diskindex/core/session_environment.h"
#include "diskindex/core/volume_service.h"

namespace diskindex {

// The answer to a data folder that is not there (see
// SessionObserver::dataDirectoryMissing).
struct MissingFolderAnswer {
  enum class Choice { Create, ChooseOther, GoOnWithout };
  Choice choice = Choice::GoOnWithout;
  std::filesystem::path other;  // ChooseOther: the folder to use instead
};

// What start-up and a change of data folder report besides the volume files
// that fail to load (ListLoadObserver::fileFailed).
class SessionObserver : public ListLoadObserver {
 public:
  // The data folder the settings (or --data) name does not exist, say an
  // unplugged disk (shown as messages::missingDataDirectoryQuestion). Asked
  // again after another missing folder was chosen. Going on without loads
  // no list: the catalogue stays empty and read-only until the folder is
  // there (VolumeService::writeRefusal says so).
  virtual MissingFolderAnswer dataDirectoryMissing(const std::filesystem::path& /*folder*/) {
    return {};
  }
  // The default data folder was missing and could not be created (shown as
  // errorMessage(CannotCreate, messages::kListLoadCaption, folder)).
  virtual void dataDirectoryFailed(ResultCode /*code*/, const std::filesystem::path& /*folder*/) {}
  // DISKINDX.INI is damaged: its readable lines were used, the defaults
  // stand for the rest (shown as messages::damagedSettingsFile).
  virtual void settingsDamaged(const std::filesystem::path& /*file*/) {}
  // Old-format files were found: the observer that asks and shows the
  // conversion, or nullptr to leave them unconverted (they stay listed in
  // state().catalogue.oldFormatFiles()).
  virtual ConversionObserver* conversion() { return nullptr; }
};

// What reading the volume list again found (see reloadVolumeList).
struct ReloadResult {
  ResultCode code = ResultCode::Ok;  // the list's code, as for start()
  bool changed = false;              // the volumes differ from before
  bool openVolumeRemoved = false;    // the open volume's data file is gone
  // Another program wrote the open volume's comment file and nothing was
  // typed here: its remarks were read again (the views show them anew).
  bool remarksReloaded = false;
};

class CatalogueSession {
 public:
  explicit CatalogueSession(SessionEnvironment environment);
  // The services borrow the session's state: it stays where it was made.
  CatalogueSession(const CatalogueSession&) = delete;
  CatalogueSession& operator=(const CatalogueSession&) = delete;

  const SessionEnvironment& environment() const { return m_data.env; }
  const CatalogueState& state() const { return m_data.state; }
  // The window writes its geometry and view options here before shutdown().
  DiskIndexSettings& settings() { return m_data.state.settings; }
  // The volume list, for views that keep a reference to it.
  const VolumeList& volumes() const { return m_data.state.catalogue.volumes(); }

  // Settings, data folder, volume list, conversion, categories. Returns the
  // list's code: CannotOpen when the data folder does not exist (and the
  // observer chose to go on without it).
  ResultCode start(SessionObserver& observer);
  // Writes the settings back to DISKINDX.INI (its folder created when
  // missing): only those changed since start-up, into the file as it is on
  // disk now, so what another program changed meanwhile stays. An open
  // volume must have been left before. Returns the write's code: Ok, or
  // CannotCreate/CannotWrite/CannotOpen/CannotRead when the file was not
  // written (show messages::settingsNotSaved).
  ResultCode shutdown();
  // Leaves the open volume without saving (the caller saved its remarks),
  // then loads the catalogue of another folder as start-up does; its
  // categories join the list. Returns the list's code.
  ResultCode changeDataDirectory(const std::filesystem::path& folder, SessionObserver& observer);
  // Reads the volume list of the same folder again after another program
  // changed it (volumes added, changed, deleted). The open volume and the
  // volumes chosen for searching stay chosen by their data files; an open
  // volume whose file is gone is marked removed (OpenedVolume::removed) and
  // read-only. New categories join the list. Old-format files are not
  // offered for conversion here.
  // The open volume's remarks are read again when another program wrote its
  // comment file and none were typed here (typed ones are merged when saved).
  ReloadResult reloadVolumeList(ListLoadObserver* observer = nullptr);
  // The check made before a command and when the window comes to the front:
  // when the data folder (its volume files, or the folder itself having
  // appeared or gone) or the open volume's comment file differ from what
  // was read, the list is read again as by reloadVolumeList and its result
  // returned; otherwise nothing is read and the answer is empty. It sees what
  // a file system watcher misses, such as a change another computer made on
  // a network share, at the cost of a listing and a stat per volume file.
  std::optional<ReloadResult> reloadIfChangedByOthers(ListLoadObserver* observer = nullptr);

  // The workflow services (see each header).
  VolumeService& volumeService() { return m_volumes; }
  const VolumeService& volumeService() const { return m_volumes; }
  RemarkService& remarkService() { return m_remarks; }
  RescanService& rescanService() { return m_rescans; }
  SearchService& searchService() { return m_search; }
  const SearchService& searchService() const { return m_search; }
  ExportService& exportService() { return m_exports; }
  const ExportService& exportService() const { return m_exports; }
  FileService& fileService() { return m_files; }
  CategoryService& categoryService() { return m_categories; }

 private:
  ResultCode loadCatalogue(SessionObserver& observer);
  // Reads the open volume's remarks again when another program wrote their
  // file and nothing was typed here; true when they were read.
  bool reloadRemarksIfChanged();
  bool changedByOthers() const;

  SessionData m_data;
  // The settings as DISKINDX.INI gave them at start-up: shutdown writes only
  // what differs from them.
  DiskIndexSettings m_loadedSettings;
  VolumeService m_volumes{m_data};
  RemarkService m_remarks{m_data};
  RescanService m_rescans{m_data};
  SearchService m_search{m_data};
  ExportService m_exports{m_data};
  FileService m_files{m_data};
  CategoryService m_categories{m_data};
};

}  // namespace diskindex
