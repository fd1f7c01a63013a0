#pragma once
// What a catalogue session holds, in core types only: the catalogue (data
// directory and volume list), the category list, the settings and, while a
// volume is open, its directory list and remarks. The window's widgets read
// from here and never keep copies.

#include <cstddef>
#include <optional>
#include <vector>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/category_list.h"
#include "diskindex/core/dir_list.h"
#include "diskindex/core/folder_stamp.h"
#include "diskindex/core/remark_list.h"
#include "diskindex/core/settings.h"

namespace diskindex {

struct OpenedVolume {
  std::size_t volumeIndex = 0;  // position in the volume list
  VolumeRecord record;          // the record as it was when opened
  TOutlineDirList directories;
  TFileCommentList remarks;
  // The records as the comment file held them when loaded or last saved: a
  // save compares the file on disk against them to see another program's
  // changes.
  std::vector<Remark> remarksBase;
  // The comment file as it was when the remarks were read or last saved:
  // when it differs, another program wrote it (see
  // CatalogueSession::reloadIfChangedByOthers).
  FileStamp remarksStamp;
  // The comment file is damaged: what could be read is shown, nothing can
  // be changed, so the file is never written over.
  bool remarksReadOnly = false;
  // Another program removed the volume while it was open: its contents stay
  // shown until the volume is left, but nothing is saved for it any more and
  // volumeIndex names no volume (the list no longer holds it).
  bool removed = false;
};

struct CatalogueState {
  Catalogue catalogue;
  CategoryList categories;
  DiskIndexSettings settings;
  std::optional<OpenedVolume> opened;
};

}  // namespace diskindex
