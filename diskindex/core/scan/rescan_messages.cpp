#include "diskindex/core/scan/rescan_messages.h"

namespace diskindex::scan::messages {

std::string orphanHeading(std::string_view when, std::string_view volumeName) {
  return "Erneut eingelesen am " + std::string(when) + " Uhr: \"" + std::string(volumeName) + "\"";
}

std::string orphansSaved(std::string_view fileName) {
  return "Die Bemerkungen wurden in der Datei\r\n\"" + std::string(fileName) + "\"\r\ngespeichert.";
}

std::string unknownEntry(std::int32_t dirNo, std::int32_t fileNo) {
  return "[Verzeichnis-Nr. " + std::to_string(dirNo) + ", Datei-Nr. " + std::to_string(fileNo) +
         "]";
}

std::string rescanDone(std::string_view volumeName, std::int32_t directories, std::int32_t files) {
  return "Datenträger \"" + std::string(volumeName) +
         "\" erneut eingelesen: " + std::to_string(directories) + " Verzeichnisse, " +
         std::to_string(files) + " Dateien";
}

}  // namespace diskindex::scan::messages
