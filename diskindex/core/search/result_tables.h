#pragma once
// Search results and duplicate groups as export tables (see
// export/table_export.h), and the duplicate groups as plain text lines.
//
//  search results: Datenträger, Pfad, Größe (bytes, empty for a
//                  directory), Datum (ISO 8601 date and time, empty for a
//                  directory), one row per hit in the order found;
//  duplicates:     Gruppe (1-based), Datenträger, Pfad, Größe, Datum, one
//                  row per file, the rows of a group together.
//
// Names go in with control characters shown as "?".

#include <span>
#include <string>
#include <vector>

#include "diskindex/core/export/table_export.h"
#include "diskindex/core/search/duplicate_finder.h"
#include "diskindex/core/search/multi_search.h"

namespace diskindex::search {

exporting::ExportTable searchResultTable(std::span<const ResultRow> rows, std::string_view searchText);
exporting::ExportTable duplicateTable(const DuplicateResult& result);

// The text form: per group a heading line "Gruppe N: 3 Dateien, je 1.234
// Byte, 2.468 Byte überzählig" and one line per file (volume name, TAB,
// path); an empty line between groups.
std::vector<std::string> duplicateTextLines(const DuplicateResult& result);

}  // namespace diskindex::search
