#include "diskindex/core/files/file_messages.h"

namespace diskindex::files {
namespace {

std::string quotedFile(std::string_view head, std::string_view file, std::string_view tail) {
  std::string text(head);
  text += "\r\n\"";
  text += file;
  text += "\"\r\n";
  text += tail;
  return text;
}

}  // namespace

CopyMessage copyMessage(ResultCode code, std::string_view file) {
  switch (code) {
    case ResultCode::OutOfMemory:
      return {"Es steht nicht genügendSpeicher zur Verfügung!"};
    case ResultCode::NotWritable:
      return {quotedFile("Datenträger bzw. Zielverzeichnis", file, "ist schreibgeschützt!")};
    case ResultCode::NotFound:
    case ResultCode::CannotOpen:
      return {"Datei- bzw. Verzeichnisname ist ungültig:\r\n\"" + std::string(file) + "\"!"};
    case ResultCode::CannotCreateDirectory:
      return {quotedFile("Das Verzeichnis", file, "kann nicht erzeugt werden!")};
    case ResultCode::CannotWrite:
      return {quotedFile("Die Datei", file,
                         "kann nicht geschrieben werden. Der Ziel-\r\nDatenträger ist voll oder "
                         "nicht bereit!")};
    case ResultCode::CannotRead:
      return {quotedFile("Die Datei", file, "kann nicht gelesen werden!")};
    case ResultCode::CannotCreate:
      return {
          quotedFile("Die Datei", file,
                     "kann nicht erzeugt werden. Der Datei-/Verzeichnisname\r\nist ungültig, "
                     "der Ziel-Datenträger schreibgeschützt\r\noder der Zugriff nicht erlaubt!")};
    case ResultCode::Cancelled:
      return {"Vorgang wurde abgebrochen!", true};
    case ResultCode::UnsafeName:
      return {"Der Katalog enthält einen unzulässigen Datei- bzw. Verzeichnisnamen:\r\n\"" +
              std::string(file) +
              "\"\r\nEr würde aus dem Datenträger oder dem Zielverzeichnis herausführen.\r\n"
              "Es wurde nichts kopiert!"};
    default:
      return {"Daten können nicht erzeugt werden!"};
  }
}

std::string overwriteQuestion(std::string_view file) {
  return quotedFile("Die Datei", file, "existiert bereits!\r\nSoll sie überschrieben werden?");
}

std::string insertVolumeQuestion(std::string_view volumeName, std::string_view failedFile) {
  std::string text;
  if (!failedFile.empty()) {
    text = "Kann Datei nicht kopieren:\r\n\"";
    text += failedFile;
    text += "\"!\r\n\r\n";
  }
  text += "Folgenden Datenträger einlegen:\r\n\"";
  text += volumeName;
  text += "\"!";
  return text;
}

std::string cannotOpenFile(std::string_view file) {
  return "Kann Datei nicht öffnen:\r\n\"" + std::string(file) + "\" !";
}

std::string cannotStart(std::string_view program) {
  return "Die Anwendung\r\n\"" + std::string(program) + "\"\r\nkann nich gestartet werden!";
}

std::string cannotCreateFolder(std::string_view folder) {
  return "Verzeichnis\r\n" + std::string(folder) + "\r\nkann nicht erzeugt werden!";
}

std::string targetMissing(std::string_view folder) {
  return "Das Zielverzeichnis\r\n\"" + std::string(folder) + "\"\r\nist nicht vorhanden!";
}

std::string createTargetQuestion(std::string_view folder) {
  return targetMissing(folder) + "\r\nSoll es angelegt werden?";
}

}  // namespace diskindex::files
