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

}  // namespace diskindex::messages
