#pragma once
// The German texts of reading a catalogued volume again: the caption, the
// title of the list of remarks whose entries are gone, the heading of a
// block in the orphan file and the notices around them. The window and the
// command line take them from here.

#include <cstdint>
#include <string>
#include <string_view>

namespace diskindex::scan::messages {

inline constexpr std::string_view kRescanCaption = "Datenträger erneut einlesen";
inline constexpr std::string_view kRescanMenu = "Datenträger e&rneut einlesen ...";
inline constexpr std::string_view kOrphansTitle = "Bemerkungen zu nicht mehr vorhandenen Einträgen";
inline constexpr std::string_view kDriveQuestion =
    "Von welchem Laufwerk soll der Datenträger\r\nerneut eingelesen werden?";
inline constexpr std::string_view kFolderButton = "&Ordner ...";
inline constexpr std::string_view kFolderCaption = "Ordner als Datenträger einlesen";
inline constexpr std::string_view kPathColumn = "Pfad";
inline constexpr std::string_view kRemarkColumn = "Bemerkung";

// "Erneut eingelesen am 08.12.2026 um 23:55 Uhr: "Fotos"" (when: date and
// time as "DD.MM.YYYY um HH:MM").
std::string orphanHeading(std::string_view when, std::string_view volumeName);
// Where the orphaned remarks were saved (file name in "%s").
std::string orphansSaved(std::string_view fileName);
// The path shown for a remark whose key names no entry of the old tree (a
// damaged comment file).
std::string unknownEntry(std::int32_t dirNo, std::int32_t fileNo);
// The summary after a rescan: name, directories, files.
std::string rescanDone(std::string_view volumeName, std::int32_t directories, std::int32_t files);

}  // namespace diskindex::scan::messages
