#include "diskindex/core/export/export_messages.h"

namespace diskindex::exporting::messages {

std::string treeDialogCaption(TreeDialogMode mode) {
  switch (mode) {
    case TreeDialogMode::Export:
      return "Datenträgerinhalt exportieren";
    case TreeDialogMode::Print:
      return "Datenträgerinhalt drucken";
    case TreeDialogMode::Copy:
      return "Datenträgerinhalt kopieren";
  }
  return "Datenträgerinhalt";
}

std::string overwriteQuestion(std::string_view fileName) {
  return "Die Datei\r\n\"" + std::string(fileName) +
         "\"\r\nexistiert bereits!\r\nSoll sie überschrieben werden?";
}

std::string createFailed(std::string_view fileName) {
  return "Die Datei\r\n\"" + std::string(fileName) +
         "\"\r\nkann nicht erzeugt werden. Der Datei-/Verzeichnisname\r\n"
         "ist ungültig, der Ziel-Datenträger schreibgeschützt\r\n"
         "oder der Zugriff nicht erlaubt!";
}

std::string writeFailed(std::string_view fileName) {
  return "Die Datei\r\n\"" + std::string(fileName) +
         "\"\r\nkann nicht geschrieben werden. Der Ziel-\r\n"
         "Datenträger ist voll oder nicht bereit!";
}

}  // namespace diskindex::exporting::messages
