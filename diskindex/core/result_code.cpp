#include "diskindex/core/result_code.h"

#include "diskindex/core/messages.h"

namespace diskindex {
namespace {

std::string fileMessage(std::string_view fileName, std::string_view tail) {
  std::string text = "Die Datei\r\n\"";
  text += fileName;
  text += "\"\r\n";
  text += tail;
  return text;
}

std::string messageText(int code, std::string_view fileName) {
  switch (code) {
    case -1:
      return fileMessage(fileName, "kann nicht erzeugt/gespeichert werden!");
    case -2:
      return fileMessage(fileName, "kann nicht geöffnet werden!");
    case -3:
      return fileMessage(fileName, "kann nicht gelesen werden!");
    case -4:
      return fileMessage(fileName, "kann nicht geändert werden!");
    case -5:
      return "Es steht nicht genügendSpeicher zur Verfügung!";
    case -6:
      return fileMessage(fileName, "besitzt kein gültiges Format!");
    case -10:
      return "Datenträger ist nicht bereit oder\r\nenthält keine Verzeichnisse/Dateien!";
    case -11:
      return "Vorgang wurde abgebrochen!";
    case -12:
      return fileMessage(fileName,
                         "existiert bereits und kann nicht\r\nüberschrieben/gelöscht werden!");
    case -20:
      return {};
    default:
      return "Daten können nicht erzeugt werden!";
  }
}

}  // namespace

std::string_view titleText(OperationTitle title) {
  switch (title) {
    case OperationTitle::CreateData:
      return "Daten erzeugen";
    case OperationTitle::ChangeInfo:
      return "Datenträger-Informationen ändern";
    case OperationTitle::ReadContents:
      return "Datenträger-Inhalt lesen";
    case OperationTitle::SaveRemarks:
      return "Bemerkungen speichern";
  }
  return {};
}

ErrorMessage errorMessage(int code, std::string_view title, std::string_view fileName) {
  ErrorMessage message;
  message.caption = std::string(title);
  if (code != codeValue(ResultCode::DriveNotReady) && code != codeValue(ResultCode::Cancelled)) {
    message.caption += " - Fehler:";
  }
  message.text = messageText(code, fileName);
  return message;
}

ErrorMessage errorMessage(ResultCode code, std::string_view title, std::string_view fileName) {
  return errorMessage(codeValue(code), title, fileName);
}

ErrorMessage errorMessage(ResultCode code, OperationTitle title, std::string_view fileName) {
  return errorMessage(codeValue(code), titleText(title), fileName);
}

ErrorMessage listLoadMessage(ResultCode code, std::string_view fileName) {
  ErrorMessage message;
  message.caption = std::string(messages::kListLoadCaption);
  message.text = messageText(codeValue(code), fileName);
  message.text += messages::kListIncomplete;
  return message;
}

}  // namespace diskindex
