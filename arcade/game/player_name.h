// The player's name at the saved-game edge: held as UTF-8 in memory, stored
// in the file's single-byte code page (Windows-1252). A name with characters
// that code page lacks is stored as its UTF-8 bytes instead, so that nothing
// typed is lost; reading accepts either form. No length rule lives here
// (see FitPlayerName).
#pragma once

#include <string>
#include <string_view>

namespace arcade {

std::string PlayerNameToFile(std::string_view utf8);
std::string PlayerNameFromFile(std::string_view bytes);

}  // namespace arcade
