#include "diskindex/core/scan/scan_messages.h"

#include <algorithm>

namespace diskindex::scan::messages {

std::string nameTaken(std::string_view name) {
  return "Díe Bezeichnung\r\n\"" + std::string(name) +
         "\"\r\nwurde bereits für einen anderen\r\nDatenträger vergeben!";
}

std::string sameLabelQuestion(std::string_view label) {
  return "Ein Datenträger mit dem gleichen Volume-Label\r\n(\"" + std::string(label) +
         "\") wurde bereits erfaßt!\r\nHandelt es sich mit Sicherheit um einen noch\r\n"
         "nicht erfaßten Datenträger oder soll dieser\r\nerneut erfaßt werden?";
}

std::string insertVolumePrompt(std::string_view name) {
  return "Folgenden Datenträger einlegen:\r\n" + std::string(name);
}

std::string imageFailure(diskindex::ResultCode code, std::string_view image,
                         std::string_view member) {
  const std::string file = "Die Abbilddatei\r\n\"" + std::string(image) + "\"\r\n";
  switch (code) {
    case diskindex::ResultCode::BadFormat:
      return file + "ist kein bekanntes Abbild- oder Archivformat!";
    case diskindex::ResultCode::CannotRead:
      return file + "ist beschädigt oder unvollständig!";
    case diskindex::ResultCode::UnsafeName:
      return file + "enthält einen unzulässigen Datei- bzw. Verzeichnisnamen:\r\n\"" +
             std::string(member) +
             "\"\r\nEr würde aus dem Datenträger herausführen.\r\nEs wurde nichts eingelesen!";
    case diskindex::ResultCode::OutOfMemory:
      return file +
             "enthält zu viele Einträge oder es steht\r\nnicht genügend Speicher zur "
             "Verfügung!";
    default:
      return {};
  }
}

std::string folderLetterRecorded(char letter, std::string_view folder) {
  return "Der Ordner \"" + std::string(folder) + "\" ist jetzt Laufwerk " + std::string(1, letter) +
         ": (DISKINDX.INI, Abschnitt [Drives]).";
}

std::string folderKeptWithoutLetter(std::string_view folder) {
  return "Für den Ordner \"" + std::string(folder) +
         "\" ist kein Laufwerksbuchstabe mehr frei (D: bis Z: sind vergeben); "
         "der Datenträger merkt sich den Ordner selbst.";
}

std::string folderLetterNotRecorded(std::string_view folder, std::string_view settingsFile) {
  return "Der Laufwerksbuchstabe für den Ordner\r\n\"" + std::string(folder) +
         "\"\r\nkann nicht in der Datei\r\n\"" + std::string(settingsFile) +
         "\"\r\ngespeichert werden. Es wurde nichts eingelesen!";
}

namespace {

std::string counted(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

std::string walkSummaryText(const WalkSummary& summary, std::size_t maxNames) {
  if (summary.empty()) return {};
  std::string text = "Beim Einlesen wurde übergangen:";
  if (summary.directoryLinks > 0) {
    text += "\r\n- " +
            counted(summary.directoryLinks, "Verknüpfung auf ein Verzeichnis",
                    "Verknüpfungen auf Verzeichnisse") +
            " (als leeres Verzeichnis erfaßt, nicht verfolgt)";
  }
  if (summary.mountPoints > 0) {
    text += "\r\n- " +
            counted(summary.mountPoints, "eingehängter Datenträger", "eingehängte Datenträger") +
            " (nicht eingelesen)";
  }
  if (summary.brokenLinks > 0) {
    text += "\r\n- " +
            counted(summary.brokenLinks, "Verknüpfung ohne Ziel", "Verknüpfungen ohne Ziel") +
            " (nicht erfaßt)";
  }
  const std::vector<std::string>& unreadable = summary.unreadableDirectories;
  if (!unreadable.empty()) {
    text += "\r\n- " +
            counted(static_cast<int>(unreadable.size()), "Verzeichnis", "Verzeichnisse") +
            " nicht lesbar (ohne Inhalt erfaßt):";
    const std::size_t shown = std::min(unreadable.size(), maxNames);
    for (std::size_t i = 0; i < shown; ++i) {
      text += "\r\n    \\" + unreadable[i];
    }
    if (shown < unreadable.size()) {
      text += "\r\n    ... und " + std::to_string(unreadable.size() - shown) + " weitere";
    }
  }
  return text;
}

}  // namespace diskindex::scan::messages
