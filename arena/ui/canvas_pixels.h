// The pixels of the arena canvas: the garden picture, the back buffer and
// the window's own picture.
//
// The garden picture (1900 x 1900) is covered with the background pattern and
// the wall tiles that the canvas recorded, once per garden. A paint copies
// its area from the garden picture (moved by the scroll offset) into the
// back buffer, draws the frame's sprites masked, copies the area to the
// window picture and blits the overlays there. The shield square and the
// fire ring are solid outlines in the colours of the glow picture, drawn on
// the window picture so that drawing one twice restores what was there;
// whatever they leave stays until a paint covers it. Window coordinates are
// the game's client coordinates.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

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
  void drawGlow(const Rect& rect, Glow glow);
  QRgb glowColour(const Rect& rect, Glow glow) const;

  const QImage& world() const { return m_world; }
  const QImage& window() const { return m_window; }
  // Pixels copied from the back buffer to the window by the last paint.
  int64_t lastCopiedPixels() const { return m_copied; }

 private:
  static constexpr uint32_t kLit = 0x80000000u;
  void toggleOutline(const Rect& rect, Glow glow, QRgb colour);
  void forgetGlow(const QRect& area);

  const DroxImages& m_images;
  QImage m_world;
  QImage m_back;
  QImage m_window;
  int64_t m_copied = 0;
  // Per window pixel and glow: kLit plus the colour key while lit, else 0.
  std::vector<uint32_t> m_shieldKeys;
  std::vector<uint32_t> m_ringKeys;
};

QRect toQRect(const Rect& r);

}  // namespace arena::ui
