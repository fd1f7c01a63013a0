#include "arcade/shell/display_mode.h"

namespace arcade {

namespace {

constexpr std::string_view kBoth =
    "Vortexia will run better if you set your video display mode to 640x480 resolution using "
    "256 colors. Please switch your video settings in the 'Control Panel' (for more "
    "information, select 'Help' under the Start button, choose the Index tab and type "
    "'Control Panel').";
constexpr std::string_view kDepth =
    "Your video card is not set to 256 color video mode. Vortexia operates faster in 256 color "
    "mode; please switch your video settings in the 'Control Panel' (for more information, "
    "select 'Help' under the Start button, choose the Index tab and type 'Control Panel').";
constexpr std::string_view kWidth =
    "Your screen resolution is not set to 640x480 mode. Vortexia operates better in 640x480 "
    "mode; please switch your video settings in the 'Control Panel' (for more information, "
    "select 'Help' under the Start button, choose the Index tab and type 'Control Panel').";
constexpr std::string_view kSmooth =
    "If Vortexia's animation doesn't appear smooth, switch your video mode to 256 colors.";

}  // namespace

DisplayModeWarnings CheckDisplayMode(int bitsPerPixel, int screenWidth) {
  const bool depthOk = bitsPerPixel == 8;
  const bool widthOk = screenWidth >= 640;
  DisplayModeWarnings w;
  if (!depthOk && !widthOk) {
    w.askToContinue = kBoth;
  } else if (!depthOk) {
    w.askToContinue = kDepth;
  } else if (!widthOk) {
    w.askToContinue = kWidth;
  }
  if (!depthOk) w.smoothness = kSmooth;
  return w;
}

}  // namespace arcade
