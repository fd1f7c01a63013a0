#pragma once
// Icons of the tool bar, the tree and the file list header. Each comes from
// the desktop's icon theme when the theme has one of its names; otherwise a
// small picture is drawn here, so no button is ever blank. The drawn
// fallbacks are plain vector shapes scaled to the requested size.

#include <QIcon>

namespace diskindex::ui {

enum class ToolIcon {
  Overview,
  Contents,
  AddVolume,
  Cut,
  Copy,
  Paste,
  Search,
  SearchNext,
  SearchMulti,
  DirRemarks,
  FileRemarks,
  CopyFiles,
  EditFile,
  RunFile,
  SearchResults,
  Folder,
  FolderOpen,
  VolumeOptical,
  VolumeDisk,
  VolumeFloppy,
  VolumeNetwork,
};

QIcon toolIcon(ToolIcon which);
// The drawn picture alone (what the tool bar shows without a theme).
QIcon fallbackIcon(ToolIcon which);
// The small sort arrow left of a file list header title.
QIcon sortArrowIcon(bool descending);
// Chooses an installed icon theme when the platform named none.
void chooseIconTheme();

}  // namespace diskindex::ui
