// The pixels of the arena canvas: the garden picture, the back buffer and
// the window's own picture.
//
// The garden picture (1900 x 1900) is covered with the background pattern and
// the wall tiles that the canvas recorded, once per garden. A paint copies
// its area from the garden picture (moved by the scroll offset) into the
// back buffer, draws the frame's sprites masked and over them the shield
// square and the fire ring's band (solid outlines in the colours of the glow
// picture), copies the area to the window picture and blits the overlays
// there. Window coordinates are the game's client coordinates.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>

#include "arena/core/arena_game.h"
#include "arena/ui/image_bank.h"

namespace arena::ui {

class CArenaPixels {
 public:
  explicit CArenaPixels(const DroxImages& images) : m_images(images) {}

  void buildWorld(const CArenaCanvas& canvas);
  // Back buffer and window picture of the client size; the window starts black.
  void resize(Size client);

  void present(const Frame& frame);
  void drawOverlay(const OverlayBlit& blit);
  QRgb glowColour(const Rect& rect, Glow glow) const;

  const QImage& world() const { return m_world; }
  const QImage& window() const { return m_window; }
  // Pixels copied from the back buffer to the window by the last paint.
  int64_t lastCopiedPixels() const { return m_copied; }

 private:
  void drawGlows(QPainter& p, const Frame& frame) const;

  const DroxImages& m_images;
  QImage m_world;
  QImage m_back;
  QImage m_window;
  int64_t m_copied = 0;
};

QRect toQRect(const Rect& r);

}  // namespace arena::ui
