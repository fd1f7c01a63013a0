#pragma once
// The German texts of copying, editing and starting files of catalogued
// volumes: the copy engine's failures, the overwrite and insert-volume
// questions and the failures of starting the editor or a document. The core
// words them so that the window and diskindx-cli say the same.

#include <string>
#include <string_view>

#include "diskindex/core/result_code.h"

namespace diskindex::files {

inline constexpr std::string_view kCopyCaption = "Dateien kopieren";
inline constexpr std::string_view kVolumeAccessCaption = "Datenträger-Zugriff";
inline constexpr std::string_view kProgressCaption = "Datei(en) kopieren";
inline constexpr std::string_view kNothingSelected = "Keine Datei(en) ausgewählt!";

struct CopyMessage {
  std::string text;
  bool information = false;  // Cancelled is shown as an information box
};

// The copy engine's result (not Ok) with the file concerned, as shown in a
// box captioned kCopyCaption.
CopyMessage copyMessage(ResultCode code, std::string_view file);

// "Die Datei\r\n"%s"\r\nexistiert bereits!\r\nSoll sie überschrieben werden?"
std::string overwriteQuestion(std::string_view file);

// The question before a volume's hits are copied; after a failed attempt
// failedFile names the file that could not be copied.
std::string insertVolumeQuestion(std::string_view volumeName, std::string_view failedFile = {});

// "Kann Datei nicht öffnen:\r\n"%s" !"
std::string cannotOpenFile(std::string_view file);
// "Die Anwendung\r\n"%s"\r\nkann nich gestartet werden!" (the program's own
// wording) with the editor, or for a document the document.
std::string cannotStart(std::string_view program);

// "Verzeichnis\r\n%s\r\nkann nicht erzeugt werden!" (a new target folder).
std::string cannotCreateFolder(std::string_view folder);

// A copy target ("kopieren nach:") that does not exist: the window offers to
// create it, diskindx-cli says it and copies nothing.
std::string targetMissing(std::string_view folder);
std::string createTargetQuestion(std::string_view folder);

}  // namespace diskindex::files
