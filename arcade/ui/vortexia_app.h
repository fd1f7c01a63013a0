// CVortexiaApp: the game's start-up. It checks the display (the game always
// presents its own 256-colour frame, so only a screen narrower than the
// game's window earns a warning), gives dialogs their light grey, reads the
// kept player record, and makes the document and the frame with its view. The sound layer and the
// joystick come in from outside; without them the game is silent and the
// mouse steers.
#pragma once

#include <memory>

#include "arcade/shell/shell_services.h"
#include "arcade/ui/qt_resources.h"
#include "arcade/ui/shell_prompts.h"

namespace arcade::ui {

class CMainFrame;
class CVortexiaDoc;

// Bits per pixel of what the game presents: its frame is 8-bit indexed.
inline constexpr int kPresentedBitsPerPixel = 8;

class CVortexiaApp {
 public:
  CVortexiaApp(IShellPrompts& prompts, IShellAudio& audio, ISoundEffects* effects = nullptr,
               IShellJoystick* joystick = nullptr);
  ~CVortexiaApp();

  // The warnings before any window; false when the user chose Cancel.
  static bool CheckDisplayMode(IShellPrompts& prompts, int bitsPerPixel, int screenWidth);
  // Check, then make the window; false when the program is to end.
  bool InitInstance(int screenWidth);

  CMainFrame* Frame() const { return m_frame.get(); }
  CVortexiaDoc* Doc() const { return m_doc.get(); }

 private:
  IShellPrompts& m_prompts;
  IShellAudio& m_audio;
  ISoundEffects* m_effects;
  IShellJoystick* m_joystick;
  QtResources m_resources;
  QtMessageReporter m_reporter;
  std::unique_ptr<CVortexiaDoc> m_doc;
  std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace arcade::ui
