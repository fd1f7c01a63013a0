#pragma once
// The fixed German texts of the catalogue search: its notices, the results
// window's caption and the two errors of saving the results. The UI and the
// command-line companion show them; the core only words them.

#include <string>
#include <string_view>

namespace diskindex::search::messages {

inline constexpr std::string_view kSearchCaption = "Suchen";
inline constexpr std::string_view kNothingMore = "Keine (weitere) Übereinstimmung\r\ngefunden!";
inline constexpr std::string_view kNoVolumesChosen = "Keine Datenträger ausgewählt!";
inline constexpr std::string_view kNotFoundOnVolumes =
    "Suchbegriff wurde auf den\r\nausgewählten Datenträgern\r\nnicht gefunden!";
inline constexpr std::string_view kDialogCaption = "Datenträger durchsuchen";
inline constexpr std::string_view kSaveCaption = "Suchergebnisse speichern";
inline constexpr std::string_view kSaveDialogCaption = "Zieldatei auswählen";
inline constexpr std::string_view kPrintCaption = "Suchergebnisse drucken";

// "K&T DiskIndex - Suche nach: "%s"".
std::string resultsCaption(std::string_view searchText);
// The file could not be created / a line could not be written ("%s": the file).
std::string saveCreateFailed(std::string_view fileName);
std::string saveWriteFailed(std::string_view fileName);

}  // namespace diskindex::search::messages
