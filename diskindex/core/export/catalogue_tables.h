#pragma once
// The catalogue's own data as export tables (see table_export.h): the
// information of a list of volumes, and the directory tree of an opened
// volume with size, date and remark per entry. Names and paths go in with
// control characters shown as "?"; dates as ISO 8601.
//
// It writes nothing; the caller picks a format and a file.

#include <cstddef>
#include <span>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/export/info_fields.h"
#include "diskindex/core/export/table_export.h"
#include "diskindex/core/export/tree_lines.h"
#include "diskindex/core/remark_list.h"

namespace diskindex {
struct VolumeRecord;
}

namespace diskindex::exporting {

// One row per volume, one column per chosen field in the chosen order, named
// as the export dialog names them. Counts and sizes are numbers, the capture
// date is "YYYY-MM-DD".
ExportTable volumeInfoTable(std::span<const VolumeRecord> volumes,
                            std::span<const InfoField> fields, double todayDayCount);

// One row per directory and file from startDir through the end of its
// subtree, in tree order: "Pfad" (full path from root, a directory ending
// with its separator, "\" or "/"),
// "Typ" ("Verzeichnis" or "Datei"), "Größe" (bytes, files only), "Datum"
// (files only) and "Bemerkung". Empty when startDir is not a directory.
ExportTable treeTable(const TOutlineDirList& directories, std::size_t startDir,
                      const VolumeRoot& root, const TFileCommentList& remarks,
                      TreeContent content);

}  // namespace diskindex::exporting
