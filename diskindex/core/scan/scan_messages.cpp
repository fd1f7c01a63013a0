#include "diskindex/core/scan/scan_messages.h"

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

}  // namespace diskindex::scan::messages
