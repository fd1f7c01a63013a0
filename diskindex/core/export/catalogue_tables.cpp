#include "diskindex/core/export/catalogue_tables.h"

#include "diskindex/core/volume_list.h"

namespace diskindex::exporting {
namespace {

CellKind fieldKind(InfoField field) {
  switch (field) {
    case InfoField::FileCount:
    case InfoField::DirectoryCount:
    case InfoField::UsedSpace:
    case InfoField::FreeSpace:
    case InfoField::Capacity:
      return CellKind::Number;
    case InfoField::CaptureDate:
      return CellKind::DateTime;
    default:
      return CellKind::Text;
  }
}

// "10.03.2024" -> "2024-03-10".
std::string isoFromGermanDate(const std::string& date) {
  if (date.size() != 10) return date;
  return date.substr(6, 4) + "-" + date.substr(3, 2) + "-" + date.substr(0, 2);
}

}  // namespace

ExportTable volumeInfoTable(std::span<const VolumeRecord> volumes,
                            std::span<const InfoField> fields, double todayDayCount) {
  ExportTable table;
  table.title = "Datenträger-Informationen";
  for (InfoField field : fields) {
    table.columns.push_back({std::string(infoFieldName(field)), fieldKind(field)});
  }
  for (const VolumeRecord& volume : volumes) {
    std::vector<std::string> cells;
    for (InfoField field : fields) {
      std::string text = infoFieldText(volume, field, todayDayCount);
      if (field == InfoField::CaptureDate) text = isoFromGermanDate(text);
      cells.push_back(exportName(text));
    }
    table.rows.push_back(std::move(cells));
  }
  return table;
}

ExportTable treeTable(const TOutlineDirList& directories, std::size_t startDir,
                      const VolumeRoot& root, const TFileCommentList& remarks,
                      TreeContent content) {
  ExportTable table;
  table.title = "Datenträgerinhalt";
  table.columns = {{"Pfad", CellKind::Text},
                   {"Typ", CellKind::Text},
                   {"Größe", CellKind::Number},
                   {"Datum", CellKind::DateTime},
                   {"Bemerkung", CellKind::Text}};
  if (startDir >= directories.directoryCount()) return table;
  const std::size_t end = subtreeEnd(directories, startDir);
  const auto remarkOf = [&](std::size_t dir, std::int32_t fileNo) {
    const auto text = remarks.find({static_cast<std::int32_t>(dir + 1), fileNo});
    return text ? exportRemark(*text) : std::string();
  };
  for (std::size_t d = startDir; d < end; ++d) {
    std::string path = root.path(directories.path(d));
    if (path.back() != root.separator()) path += root.separator();
    path = exportName(path);
    if (content != TreeContent::FilesOnly) {
      table.rows.push_back({path, "Verzeichnis", "", "", remarkOf(d, -1)});
    }
    if (content == TreeContent::DirectoriesOnly) continue;
    const auto files = directories.files(d);
    for (std::size_t i = 0; i < files.size(); ++i) {
      table.rows.push_back({path + exportName(directories.name(files[i])), "Datei",
                            std::to_string(files[i].size), isoDateTime(files[i].dosDateTime),
                            remarkOf(d, static_cast<std::int32_t>(i))});
    }
  }
  return table;
}

}  // namespace diskindex::exporting
