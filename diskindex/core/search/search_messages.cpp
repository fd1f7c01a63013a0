#include "diskindex/core/search/search_messages.h"

namespace diskindex::search::messages {

std::string resultsCaption(std::string_view searchText) {
  return "K&T DiskIndex - Suche nach: \"" + std::string(searchText) + "\"";
}

std::string saveCreateFailed(std::string_view fileName) {
  return "Die Datei\r\n\"" + std::string(fileName) +
         "\"\r\nkann nicht erzeugt werden. Der Datei-/Verzeichnisname\r\n"
         "ist ungültig, der Ziel-Datenträger schreibgeschützt\r\n"
         "oder der Zugriff nicht erlaubt!";
}

std::string saveWriteFailed(std::string_view fileName) {
  return "Die Datei\r\n\"" + std::string(fileName) +
         "\"\r\nkann nicht geschrieben werden. Der Ziel-\r\n"
         "Datenträger ist voll oder nicht bereit!";
}

}  // namespace diskindex::search::messages
