#pragma once
// The German texts of adding volumes and changing their information: the
// dialog's captions and questions, the progress window's labels, the series
// prompt and the cancel confirmations. Every front end (window, command line)
// takes them from here so that all say the same words.

#include <string>
#include <string_view>

namespace diskindex::scan::messages {

inline constexpr std::string_view kAddCaption = "Datenträger hinzufügen";
inline constexpr std::string_view kChangeCaption = "Datenträger-Informationen ändern";
inline constexpr std::string_view kDriveTypeDiffers =
    "Der Laufwerkstyp (CD-ROM, Diskette, ...)\r\nentspricht nicht dem ursprünglichen\r\n"
    "Laufwerk.\r\nSoll diese Einstellung dennoch übernommen\r\nwerden?";

inline constexpr std::string_view kProgressCaption = "Verzeichnisse einlesen";
inline constexpr std::string_view kDriveLabel = "Laufwerk des Datenträgers:";
inline constexpr std::string_view kNameLabel = "Bezeichnung:";
inline constexpr std::string_view kCounterLabel = "Gelesene Verzeichnisse:";
inline constexpr std::string_view kWriteLabel = "Datenbank erzeugen:";
inline constexpr std::string_view kDescriptionsLabel = "Datei-Informationen lesen:";
inline constexpr std::string_view kCancelButton = "Abbruch";

inline constexpr std::string_view kSeriesCaption = "Serie einlesen";
inline constexpr std::string_view kReadDescriptionsQuestion =
    "Der Datenträger enthält Dateien\r\nmit Informationen zu Verzeichnissen\r\noder Dateien.\r\n"
    "\r\nSollen diese Infos als Bemerkungen\r\nübernommen werden?";

inline constexpr std::string_view kCancelCaption = "Vorgang abbrechen";
inline constexpr std::string_view kCancelWalkQuestion =
    "Das Einlesen der Verzeichnisse\r\ntatsächlich abbrechen?";
inline constexpr std::string_view kCancelDescriptionsQuestion =
    "Das Einlesen der Datei-/Verzeichnis-\r\nInformationen tatsächlich abbrechen?";

// "%s" is the volume name that is taken already.
std::string nameTaken(std::string_view name);
// "%s" is the label of the drive.
std::string sameLabelQuestion(std::string_view label);
// The series prompt for the next volume.
std::string insertVolumePrompt(std::string_view name);

}  // namespace diskindex::scan::messages
