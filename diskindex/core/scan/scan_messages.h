#pragma once
// The German texts of adding volumes and changing their information: the
// dialog's captions and questions, the progress window's labels, the series
// prompt and the cancel confirmations. Every front end (window, command line)
// takes them from here so that all say the same words.

#include <cstddef>
#include <string>
#include <string_view>

#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/walk.h"

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

// Adding a disc image or archive file instead of a drive.
inline constexpr std::string_view kImageButton = "Abbilddatei ...";
inline constexpr std::string_view kImageDialogCaption = "Abbilddatei wählen";
inline constexpr std::string_view kImageFilterImages =
    "Abbilder und Archive (*.iso *.udf *.img *.zip *.7z *.tar *.tgz *.tar.gz *.tbz2 *.tar.bz2 "
    "*.txz *.tar.xz *.tzst *.tar.zst *.cpio *.rar)";
inline constexpr std::string_view kImageFilterAll = "Alle Dateien (*)";
inline constexpr std::string_view kImageDriveLabel = "Abbilddatei:";
// The text for a refused image file ("%s" its name, member the refused
// member's path); empty for codes that have no image text of their own.
std::string imageFailure(diskindex::ResultCode code, std::string_view image,
                         std::string_view member);

// Adding a folder instead of a drive ("&Ordner ..." is the rescan dialog's
// button text, rescan_messages.h).
inline constexpr std::string_view kFolderDriveLabel = "Ordner:";
// What the drive list says while a folder is read instead of a drive.
inline constexpr std::string_view kFolderInsteadOfDrive = "(der gewählte Ordner)";
// A free letter was recorded for the folder in [Drives].
std::string folderLetterRecorded(char letter, std::string_view folder);
// No letter is free for the folder (D: to Z: taken): the volume keeps the
// folder itself.
std::string folderKeptWithoutLetter(std::string_view folder);
// The folder's letter could not be written into the settings file.
std::string folderLetterNotRecorded(std::string_view folder, std::string_view settingsFile);

// The add dialog's option for file systems mounted below the drive's root.
inline constexpr std::string_view kNestedMountsOption =
    "&Eingehängte Datenträger innerhalb mit einlesen";

// What the walk passed over, in German, one line each, unreadable
// directories named (at most maxNames, then how many more); empty when
// nothing was passed over.
std::string walkSummaryText(const WalkSummary& summary, std::size_t maxNames = 10);
inline constexpr std::string_view kWalkSummaryCaption = "Verzeichnisse einlesen";
// The contents view's tip on a directory that could not be read.
inline constexpr std::string_view kUnreadableDirectoryTip =
    "Dieses Verzeichnis konnte beim Einlesen nicht gelesen werden.\r\n"
    "Sein Inhalt fehlt im Katalog.";

}  // namespace diskindex::scan::messages
