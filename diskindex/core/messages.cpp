#include "diskindex/core/messages.h"

namespace diskindex::messages {

std::string deleteQuestion(std::string_view volumeName) {
  std::string text = "Soll der Inhalt des Datenträgers\r\n\"";
  text += volumeName;
  text += "\"\r\nwirklich aus dem Datenbestand\r\nentfernt werden?";
  return text;
}

std::string deleteFailed(std::string_view fileName) {
  std::string text = "Die Datei\r\n\"";
  text += fileName;
  text += "\"\r\nkann nicht gelöscht werden!";
  return text;
}

namespace {

std::string quoted(std::string_view before, std::string_view name, std::string_view after) {
  std::string text(before);
  text += "\"";
  text += name;
  text += "\"";
  text += after;
  return text;
}

}  // namespace

std::string missingDataDirectory(std::string_view folder) {
  return quoted("Das Datenverzeichnis\r\n", folder, "\r\nist nicht vorhanden!");
}

std::string missingDataDirectoryQuestion(std::string_view folder) {
  return missingDataDirectory(folder) +
         "\r\n\r\n(Ist der Datenträger nicht angeschlossen?)\r\n\r\n"
         "Soll das Verzeichnis angelegt, ein anderes\r\n"
         "gewählt oder ohne Datenverzeichnis\r\nfortgefahren werden?";
}

std::string missingDataDirectoryRefusal(std::string_view folder) {
  return quoted("Das Datenverzeichnis\r\n", folder,
                "\r\nist nicht vorhanden.\r\n\r\nEs können keine Daten gespeichert "
                "oder\r\ngeändert werden!");
}

std::string missingDataDirectoryStatus(std::string_view folder) {
  return quoted(" Datenverzeichnis ", folder, " nicht vorhanden - keine Änderungen möglich");
}

std::string openVolumeRemoved(std::string_view volumeName, bool typedRemarks) {
  std::string text = quoted("Der Datenträger\r\n", volumeName,
                            "\r\nwurde von einem anderen Programm aus dem\r\n"
                            "Datenbestand entfernt!");
  if (typedRemarks) {
    text += "\r\n\r\nDie eingegebenen Bemerkungen können in\r\n"
            "einer anderen Datei gespeichert werden.";
  }
  return text;
}

std::string damagedRemarksFile(std::string_view fileName) {
  return quoted("Die Bemerkungsdatei\r\n", fileName,
                "\r\nist beschädigt!\r\n\r\nDie lesbaren Bemerkungen werden angezeigt,\r\n"
                "können aber nicht geändert werden.");
}

std::string damagedVolumeFile(std::string_view fileName) {
  return quoted("Die Datei\r\n", fileName,
                "\r\nist beschädigt und wird nicht überschrieben!");
}

std::string damagedSettingsFile(std::string_view fileName) {
  return quoted("Die Einstellungsdatei\r\n", fileName,
                "\r\nist beschädigt!\r\n\r\nSie wird vor dem nächsten Speichern\r\n"
                "als Kopie (.defekt) aufbewahrt.");
}

std::string keptDamagedCopy(std::string_view fileName, std::string_view copyName) {
  return quoted("Die beschädigte Datei\r\n", fileName, "\r\nwurde aufbewahrt als\r\n") +
         quoted("", copyName, ".");
}

std::string settingsNotSaved(std::string_view fileName) {
  return quoted("Die Einstellungen können nicht in\r\n", fileName,
                "\r\ngespeichert werden!");
}

std::string remarkConflictQuestion(std::string_view fileName, int entries) {
  return quoted("Die Bemerkungen in\r\n", fileName,
                "\r\nwurden inzwischen von einem anderen Programm geändert.\r\n\r\n") +
         std::to_string(entries) +
         (entries == 1 ? " Bemerkung wurde" : " Bemerkungen wurden") +
         " dort und hier verschieden geändert.\r\nWelche Fassung soll gelten?";
}

}  // namespace diskindex::messages
