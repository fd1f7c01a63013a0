#include "arcade/game/player_name.h"

#include "platform/codepage.h"

namespace arcade {

std::string PlayerNameToFile(std::string_view utf8) {
  if (auto bytes = platform::utf8ToCp1252(utf8)) return *std::move(bytes);
  return std::string(utf8);
}

std::string PlayerNameFromFile(std::string_view bytes) {
  return platform::utf8OrCp1252ToUtf8(bytes);
}

}  // namespace arcade
