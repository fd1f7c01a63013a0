#include "diskindex/core/export/info_fields.h"

#include <algorithm>

#include "diskindex/core/display_format.h"
#include "diskindex/core/export/table_export.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::exporting {
namespace {

constexpr std::array<std::string_view, kInfoFieldCount> kNames{"Anzahl Dateien",
                                                               "Anzahl Verzeichnisse",
                                                               "Belegter Speicher",
                                                               "Bemerkung",
                                                               "Datenträger-Bezeichnung",
                                                               "Erfassungsdatum",
                                                               "Freier Speicher",
                                                               "Kategorie",
                                                               "Lagerort",
                                                               "Laufwerkstyp",
                                                               "Speicherkapazität",
                                                               "Volume-Label"};

// A line break in a text field is a blank; any other control character (a
// TAB would forge a column, an escape sequence reach the terminal) is "?".
std::string withoutLineBreaks(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return exportName(text);
}

// The three sizes are only known when the capacity is and the free space
// is not negative; otherwise all three stay empty.
std::string spaceField(const VolumeRecord& v, std::int64_t value) {
  if (v.capacity <= 0 || v.freeSpace < 0) return std::string();
  return std::to_string(value);
}

}  // namespace

std::string_view infoFieldName(InfoField field) {
  return kNames[static_cast<std::size_t>(field)];
}

std::array<InfoField, kInfoFieldCount> fieldsByName() {
  std::array<InfoField, kInfoFieldCount> fields{};
  for (int i = 0; i < kInfoFieldCount; ++i) fields[static_cast<std::size_t>(i)] = InfoField(i);
  std::sort(fields.begin(), fields.end(),
            [](InfoField a, InfoField b) { return infoFieldName(a) < infoFieldName(b); });
  return fields;
}

std::optional<InfoField> infoFieldFromNumber(int number) {
  if (number < 0 || number >= kInfoFieldCount) return std::nullopt;
  return InfoField(number);
}

std::vector<InfoField> parseFieldList(std::string_view text) {
  std::vector<InfoField> fields;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of(",;", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view item = text.substr(pos, end - pos);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    const bool digits =
        !item.empty() && item.size() <= 2 &&
        std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) {
      const std::optional<InfoField> field = infoFieldFromNumber(std::stoi(std::string(item)));
      if (field && std::find(fields.begin(), fields.end(), *field) == fields.end()) {
        fields.push_back(*field);
      }
    }
    pos = end + 1;
  }
  return fields;
}

std::string formatFieldList(std::span<const InfoField> fields) {
  std::string text;
  for (InfoField field : fields) {
    if (!text.empty()) text += ',';
    text += std::to_string(static_cast<int>(field));
  }
  return text;
}

std::string infoFieldText(const VolumeRecord& v, InfoField field, double todayDayCount) {
  switch (field) {
    case InfoField::FileCount:
      return std::to_string(v.fileCount);
    case InfoField::DirectoryCount:
      return std::to_string(v.directoryCount);
    case InfoField::UsedSpace:
      return spaceField(v, v.usedSpace().value_or(0));  // a folder's is its own size
    case InfoField::Remark:
      return withoutLineBreaks(v.remark.value_or(""));
    case InfoField::VolumeName:
      return withoutLineBreaks(v.name);
    case InfoField::CaptureDate:
      return captureDateText(v.captureDate, todayDayCount);
    case InfoField::FreeSpace:
      return spaceField(v, v.freeSpace);
    case InfoField::Category:
      return withoutLineBreaks(
          v.category && !v.category->empty() ? *v.category : std::string(messages::kNoCategory));
    case InfoField::Location:
      return withoutLineBreaks(v.location.value_or(""));
    case InfoField::DriveType:
      return std::string(driveTypeWord(v.driveType));
    case InfoField::Capacity:
      return spaceField(v, v.capacity);
    case InfoField::Label:
      return withoutLineBreaks(v.label);
  }
  return std::string();
}

std::string infoLine(const VolumeRecord& volume, std::span<const InfoField> fields,
                     std::string_view separator, double todayDayCount) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += separator;
    line += infoFieldText(volume, fields[i], todayDayCount);
  }
  return line;
}

}  // namespace diskindex::exporting
