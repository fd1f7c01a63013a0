#pragma once
// FormView: what the main window's controllers may ask of the window that
// holds them: where its selection is, leaving and showing its two views,
// the overview's category filter, going to a search hit and the help. The
// window (TDiskIndexForm) implements it; the controllers (files, search,
// export, volumes, rescan, categories) never reach its widgets otherwise,
// and it keeps no catalogue data: that is the session's state.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "diskindex/core/remark_list.h"
#include "diskindex/core/search/volume_search.h"
#include "diskindex/core/session_data.h"

class QWidget;

namespace diskindex::ui {

class FormView {
 public:
  virtual ~FormView() = default;

  // The parent of the controllers' dialogs and message boxes.
  virtual QWidget* dialogParent() = 0;
  // True in the contents view (a volume open), false in the overview.
  virtual bool showsContents() const = 0;
  // The overview's selected volume (list position), none in the contents view.
  virtual std::optional<std::size_t> selectedVolume() const = 0;
  // The contents view's selected directory, its current file (a position in
  // the directory's file list, -1 for none) and the keys of its selected files.
  virtual std::optional<std::uint32_t> selectedDirectory() const = 0;
  virtual int currentFilePosition() const = 0;
  virtual std::vector<TDirFileNo> selectedFileKeys(std::uint32_t dir) const = 0;
  // "D:\SPIELE\DOOM": directory dir of the open volume as a full path.
  virtual std::string directoryPath(std::uint32_t dir) const = 0;
  // Hands what the remark fields show back to the open volume's remarks.
  virtual void takeRemarkFields() = 0;

  // The overview's category filter ("<Alle>" for every volume) and its
  // change; the filter list follows the session's categories.
  virtual std::string categoryFilter() const = 0;
  virtual void setCategoryFilter(const std::string& filter) = 0;
  // Chooses the category of the volume at index when the filter hides it.
  virtual void showVolumeInFilter(std::size_t index) = 0;
  virtual void rebuildCategoryCombo() = 0;
  virtual void refreshOverview(std::optional<std::size_t> selectVolume) = 0;

  // Opens the volume at index into the contents view (false when it could
  // not be opened, or the remarks of the open one could not be saved).
  virtual bool openVolume(std::size_t volumeIndex) = 0;
  // Leaves the contents view for the overview on this volume, saving what
  // was typed, but the session keeps the volume open (a rescan opens it
  // again). False when the user kept remarks that could not be saved.
  virtual bool leaveContentsKeepingVolume(std::size_t volume) = 0;
  // Shows the session's open volume in the contents view.
  virtual void showContents() = 0;
  // Says why the volume could not be opened, or shows its contents.
  virtual bool showOpened(std::size_t volumeIndex, const OpenResult& result) = 0;
  // Selects a hit of the open volume: its directory, file and remark text.
  virtual void showHit(const search::SearchHit& hit) = 0;
  // Opens a help page by its name (help::kAddVolume, ...; see help_window.h),
  // in a window usable even while a modal dialog runs.
  virtual void showHelp(const QString& page) = 0;
};

}  // namespace diskindex::ui
