// The start-up check of the display: the warnings shown before any window
// is made, by the colour depth and width the platform reports. The first
// warning (if any) asks OK or Cancel, Cancel ending the program; the second
// only informs. The game always presents its own 256-colour frame, so the
// program reports 8 bits; a screen at least 640 pixels wide counts as wide
// enough, since the game's window then fits.
#pragma once

#include <string_view>

namespace arcade {

inline constexpr std::string_view kWarningCaption = "Vortexia Warning";

struct DisplayModeWarnings {
  std::string_view askToContinue;  // empty: nothing to ask (stop icon, OK/Cancel)
  std::string_view smoothness;     // empty: nothing to tell (stop icon, OK)
};

DisplayModeWarnings CheckDisplayMode(int bitsPerPixel, int screenWidth);

}  // namespace arcade
