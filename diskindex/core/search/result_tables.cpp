#include "diskindex/core/search/result_tables.h"

#include "diskindex/core/display_format.h"

namespace diskindex::search {

using exporting::CellKind;
using exporting::exportName;
using exporting::isoDateTime;

exporting::ExportTable searchResultTable(std::span<const ResultRow> rows,
                                         std::string_view searchText) {
  exporting::ExportTable table;
  table.title = "Suche nach: \"" + std::string(searchText) + "\"";
  table.columns = {{"Datenträger", CellKind::Text},
                   {"Pfad", CellKind::Text},
                   {"Größe", CellKind::Number},
                   {"Datum", CellKind::DateTime}};
  table.rows.reserve(rows.size());
  for (const ResultRow& row : rows) {
    table.rows.push_back({exportName(row.volumeName), exportName(row.path),
                          row.directory ? std::string() : std::to_string(row.size),
                          row.directory ? std::string() : isoDateTime(row.dosDateTime)});
  }
  return table;
}

exporting::ExportTable duplicateTable(const DuplicateResult& result) {
  exporting::ExportTable table;
  table.title = "Doppelte Dateien";
  table.columns = {{"Gruppe", CellKind::Number},
                   {"Datenträger", CellKind::Text},
                   {"Pfad", CellKind::Text},
                   {"Größe", CellKind::Number},
                   {"Datum", CellKind::DateTime}};
  for (std::size_t g = 0; g < result.groups.size(); ++g) {
    for (const DuplicateFile& file : result.groups[g].files) {
      table.rows.push_back({std::to_string(g + 1), exportName(result.volumeName(file)),
                            exportName(result.path(file)), std::to_string(file.size),
                            isoDateTime(file.dosDateTime)});
    }
  }
  return table;
}

std::vector<std::string> duplicateTextLines(const DuplicateResult& result) {
  std::vector<std::string> lines;
  for (std::size_t g = 0; g < result.groups.size(); ++g) {
    const DuplicateGroup& group = result.groups[g];
    if (g != 0) lines.emplace_back();
    lines.push_back("Gruppe " + std::to_string(g + 1) + ": " + std::to_string(group.files.size()) +
                    " Dateien, je " + groupedSize(static_cast<std::uint64_t>(group.size())) +
                    " Byte, " + groupedSize(group.wastedBytes()) + " Byte überzählig");
    for (const DuplicateFile& file : group.files) {
      lines.push_back(exportName(result.volumeName(file)) + "\t" + exportName(result.path(file)));
    }
  }
  return lines;
}

}  // namespace diskindex::search
