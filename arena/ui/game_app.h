// The application: it loads the artwork, creates the document, the frame and
// its view, and shows the frame. Its command line is ignored: the program
// always starts a fresh game.
#pragma once

#include <memory>

#include "arena/ui/main_frame.h"

namespace arena::ui {

class CGameApp {
 public:
  CGameApp();
  ~CGameApp();
  // False (with a message on standard error) when the artwork is missing.
  bool initInstance(std::unique_ptr<platform::WavePlayer> player,
                    std::unique_ptr<platform::GameController> pad);
  CMainFrame* mainFrame() const { return m_frame.get(); }
  CGameDoc& document() { return m_doc; }

  // The window's client size at start.
  static constexpr int kStartWidth = 800;
  static constexpr int kStartHeight = 600;
  static constexpr int kMinimumWidth = 640;
  static constexpr int kMinimumHeight = 480;

 private:
  DroxImages m_images;
  CGameDoc m_doc;
  std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace arena::ui
