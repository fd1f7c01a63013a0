#pragma once
// The information fields of a volume that leave the catalogue as delimited
// text: their numbers and dialog names, the field list of the settings
// ("4,11": numbers in export order) and one export line per volume. A line
// holds the chosen fields in order with the separator between them (none
// after the last); every CR and LF inside a field becomes a blank, so a
// two-line remark stays on its volume's line. Line ends are the caller's.
//
// It selects no volumes and writes no files (see info_export.h).

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex {

struct VolumeRecord;

namespace exporting {

enum class InfoField {
  FileCount = 0,
  DirectoryCount = 1,
  UsedSpace = 2,
  Remark = 3,
  VolumeName = 4,
  CaptureDate = 5,
  FreeSpace = 6,
  Category = 7,
  Location = 8,
  DriveType = 9,
  Capacity = 10,
  Label = 11,
};

inline constexpr int kInfoFieldCount = 12;

// "Anzahl Dateien", "Datenträger-Bezeichnung", ...
std::string_view infoFieldName(InfoField field);
// Every field, sorted by its dialog name (the list of available fields).
std::array<InfoField, kInfoFieldCount> fieldsByName();
std::optional<InfoField> infoFieldFromNumber(int number);

// The settings' field list: numbers separated by "," or ";" with blanks
// after a separator skipped. Numbers outside 0..11, anything that is no
// number and repeated fields are left out, so a hand-edited value never
// exports a field twice or a field that does not exist.
std::vector<InfoField> parseFieldList(std::string_view text);
// "4,11,3": the numbers in order, separated by ",".
std::string formatFieldList(std::span<const InfoField> fields);

// One field of a volume as text, with CR and LF already replaced by blanks.
// todayDayCount decides whether a capture date counts from the year 1.
std::string infoFieldText(const VolumeRecord& volume, InfoField field, double todayDayCount);
// The volume's line without its line end.
std::string infoLine(const VolumeRecord& volume, std::span<const InfoField> fields,
                     std::string_view separator, double todayDayCount);

}  // namespace exporting
}  // namespace diskindex
