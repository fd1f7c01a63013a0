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

}  // namespace diskindex::scan::messages
