#include "arena/ui/game_app.h"

#include <cstdio>

namespace arena::ui {

CGameApp::CGameApp() = default;

// The frame (and the view, the game's screen) goes before the document.
CGameApp::~CGameApp() {
  m_frame.reset();
}

bool CGameApp::initInstance(std::unique_ptr<platform::WavePlayer> player,
                            std::unique_ptr<platform::GameController> pad) {
  if (!m_images.missing().empty()) {
    std::fprintf(stderr, "drox: picture %d is missing from the artwork\n",
                 m_images.missing().front());
    return false;
  }
  m_frame = std::make_unique<CMainFrame>(m_doc, m_images, std::move(player), std::move(pad));
  // Small enough for a small screen, large enough for the whole title and
  // the overlays of the top and bottom lines.
  m_frame->view()->setMinimumSize(kMinimumWidth, kMinimumHeight);
  m_frame->view()->resize(kStartWidth, kStartHeight);
  m_frame->resize(m_frame->sizeHint().expandedTo(QSize(kStartWidth, kStartHeight + 24)));
  m_frame->show();
  return true;
}

}  // namespace arena::ui
