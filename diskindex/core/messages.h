#pragma once
// The fixed German texts of the catalogue's questions and notices that are not
// tied to a result code: conversion of old files, deleting a volume and the
// writability test of the data directory. The UI shows them; the core only
// words them so that every front end says the same.

#include <string>
#include <string_view>

namespace diskindex::messages {

inline constexpr std::string_view kConvertCaption = "Daten konvertieren:";
inline constexpr std::string_view kConvertQuestion =
    "Es wurden Dateien gefunden, welche Programmdaten im Format\r\n"
    "einer älteren Version enthalten. Eine Konvertierung dieser\r\n"
    "Dateien ist für den weiteren Ablauf erforderlich.\r\n"
    "Jetzt Konvertierung starten?";
inline constexpr std::string_view kConvertCancelled =
    "Der Vorgang wurde abgebrochen.\r\n\r\nEs sind nicht alle Daten konvertiert\r\nworden!";

inline constexpr std::string_view kDeleteCaption = "Daten löschen";
// "%s" is the volume name.
std::string deleteQuestion(std::string_view volumeName);
// "%s" is the .DAT file name.
std::string deleteFailed(std::string_view fileName);

inline constexpr std::string_view kAddVolumeTitle = "Datenträger hinzufügen";
inline constexpr std::string_view kChangeInfoTitle = "Datenträger-Informationen ändern";
inline constexpr std::string_view kReadOnlyDataDir =
    "Das Datenverzeichnis ist schreibgeschützt.\r\n\r\nEs können keine Daten gespeichert "
    "oder\r\ngeändert werden!";

inline constexpr std::string_view kListLoadCaption = "Liste der Datenträger lesen";
// The data folder named by the settings (or --data) is not there, say an
// unplugged disk: "%s" is the folder. At start-up the question offers to
// create it, to choose another or to go on without (the three buttons, in
// this order); going on without leaves the catalogue read-only, and every
// change is then refused with missingDataDirectoryRefusal.
std::string missingDataDirectory(std::string_view folder);
std::string missingDataDirectoryQuestion(std::string_view folder);
std::string missingDataDirectoryRefusal(std::string_view folder);
// The status line of an overview without data folder.
std::string missingDataDirectoryStatus(std::string_view folder);
inline constexpr std::string_view kCreateFolder = "&Anlegen";
inline constexpr std::string_view kChooseOtherFolder = "A&nderes wählen ...";
inline constexpr std::string_view kGoOnWithoutFolder = "&Ohne fortfahren";
inline constexpr std::string_view kListIncomplete =
    "\r\n\r\n->Liste der Datenträger unvollständig!";

inline constexpr std::string_view kCategoriesCaption = "Kategorien verwalten";
inline constexpr std::string_view kCategoryEmpty = "Eintrag darf nicht leer sein!";
inline constexpr std::string_view kCategoryExists = "Eintrag existiert bereits!";
inline constexpr std::string_view kDeleteCategoriesQuestion =
    "Den gelöschten Kategorien sind ggf. bereits\r\n"
    "Datenträger zugeordnet.\r\n"
    "Soll die Operation fortgesetzt werden und die\r\n"
    "betreffenden Datenträger in die Kategorie \r\n"
    "<keine Zuordnung> verschoben werden?";

// Damaged files: shown once when the file is read; "%s" is the file's name.
// The volume's remarks are then read-only.
std::string damagedRemarksFile(std::string_view fileName);
std::string damagedVolumeFile(std::string_view fileName);
std::string damagedSettingsFile(std::string_view fileName);
// After a save that had to keep a damaged file first: the file and its copy.
std::string keptDamagedCopy(std::string_view fileName, std::string_view copyName);
// Settings that could not be written at shutdown; "%s" is the file's name.
std::string settingsNotSaved(std::string_view fileName);

// Saving remarks another program changed meanwhile on the same entries:
// "%s" is the .CMT name, "%d" the number of such entries. The three answers
// in this order: keep mine, keep the other program's, save mine elsewhere.
inline constexpr std::string_view kRemarkConflictCaption = "Bemerkungen speichern";
std::string remarkConflictQuestion(std::string_view fileName, int entries);
inline constexpr std::string_view kKeepMine = "&Meine behalten";
inline constexpr std::string_view kKeepTheirs = "&Andere behalten";
inline constexpr std::string_view kSaveMineElsewhere = "Meine in andere &Datei speichern";

// The open volume was removed by another program: "%s" is its name. With
// typed remarks the text offers to save them to another file.
std::string openVolumeRemoved(std::string_view volumeName, bool typedRemarks);

inline constexpr std::string_view kNoCategory = "<keine Zuordnung>";
inline constexpr std::string_view kAllCategories = "<ALLE>";
inline constexpr std::string_view kEmptyLabel = "[leer]";

}  // namespace diskindex::messages
