#include "arena/ui/game_app.h"

#include <cstdio>

namespace arena::ui {

CGameApp::CGameApp() = default;

// The frame (and the view with the hero) goes before the document's state.
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
  m_frame->view()->setMinimumSize(320, 240);
  m_frame->view()->resize(kStartWidth, kStartHeight);
  m_frame->resize(m_frame->sizeHint().expandedTo(QSize(kStartWidth, kStartHeight + 24)));
  m_frame->show();
  return true;
}

}  // namespace arena::ui
