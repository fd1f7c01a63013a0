#include "arena/ui/canvas_pixels.h"

#include <QPainter>
#include <algorithm>

namespace arena::ui {

QRect toQRect(const Rect& r) {
  return QRect(r.left, r.top, r.width(), r.height());
}

void CArenaPixels::buildWorld(const CArenaCanvas& canvas) {
  const Size size = CArenaCanvas::worldSize();
  m_world = QImage(size.cx, size.cy, QImage::Format_RGB32);
  m_world.fill(Qt::black);
  QPainter p(&m_world);
  for (const Point& at : CArenaCanvas::backgroundPlacements()) {
    p.drawImage(at.x, at.y, m_images.picture(image::kBackground));
  }
  for (const TilePaint& tile : canvas.tiles()) {
    p.drawImage(tile.x, tile.y, m_images.picture(tile.imageId));
  }
}

void CArenaPixels::resize(Size client) {
  const QSize size(std::max(client.cx, 1), std::max(client.cy, 1));
  if (m_back.size() == size) return;
  m_back = QImage(size, QImage::Format_RGB32);
  m_back.fill(Qt::black);
  m_window = QImage(size, QImage::Format_RGB32);
  m_window.fill(Qt::black);
  const auto pixels = static_cast<size_t>(size.width()) * static_cast<size_t>(size.height());
  m_shieldKeys.assign(pixels, 0);
  m_ringKeys.assign(pixels, 0);
}

void CArenaPixels::present(const Frame& frame) {
  m_copied = 0;
  const QRect area = toQRect(frame.pass.area).intersected(m_back.rect());
  if (area.isEmpty()) return;
  {
    QPainter back(&m_back);
    back.setClipRect(area);
    back.setCompositionMode(QPainter::CompositionMode_Source);
    back.drawImage(area.topLeft(), m_world, area.translated(frame.scroll.x, frame.scroll.y));
    back.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const SpriteDraw& sprite : frame.pass.sprites) {
      back.drawImage(sprite.clientRect.left, sprite.clientRect.top,
                     m_images.picture(sprite.imageId));
    }
  }
  {
    QPainter window(&m_window);
    window.setCompositionMode(QPainter::CompositionMode_Source);
    window.drawImage(area.topLeft(), m_back, area);
  }
  forgetGlow(area);
  m_copied = static_cast<int64_t>(area.width()) * area.height();
  for (const OverlayBlit& blit : frame.overlays) drawOverlay(blit);
}

void CArenaPixels::drawOverlay(const OverlayBlit& blit) {
  QPainter window(&m_window);
  window.drawImage(QPoint(blit.dest.x, blit.dest.y), m_images.picture(blit.imageId),
                   toQRect(blit.source));
}

// The glow's colour for a rectangle: the shield square and the fire ring
// grow one pixel a side per tick, so half their width steps through the
// colours of their row in the glow picture, one per tick.
QRgb CArenaPixels::glowColour(const Rect& rect, Glow glow) const {
  const QImage& colours = m_images.picture(image::kGlowColours);
  if (colours.isNull()) return qRgb(255, 255, 255);
  const int row = glow == Glow::Shield ? 0 : 1;
  const int column = (rect.width() / 2) % colours.width();
  return colours.pixel(column, row) | 0xFF000000u;
}

// Each pixel of the outline takes the glow's colour through a key kept per
// glow and pixel: drawing it stores key = what was there ^ colour and applies
// it; drawing it again applies the same key, which gives back what was
// there. Keys combine by exclusive or, so the shield and the fire ring
// crossing each other still erase exactly, in any order. The shield is two
// pixels thick.
void CArenaPixels::drawGlow(const Rect& rect, Glow glow) {
  if (rect.isEmpty() || m_window.isNull()) return;
  toggleOutline(rect, glow, glowColour(rect, glow));
  if (glow == Glow::Shield && rect.width() > 2 && rect.height() > 2) {
    toggleOutline(rect.inflated(-1), glow, glowColour(rect, glow));
  }
}

void CArenaPixels::toggleOutline(const Rect& rect, Glow glow, QRgb colour) {
  std::vector<uint32_t>& keys = glow == Glow::Shield ? m_shieldKeys : m_ringKeys;
  const int w = m_window.width();
  const auto toggle = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= m_window.height()) return;
    auto* line = reinterpret_cast<QRgb*>(m_window.scanLine(y));
    uint32_t& key = keys[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
    if (key & kLit) {
      line[x] ^= key & 0x00FFFFFFu;
      key = 0;
    } else {
      key = kLit | ((line[x] ^ colour) & 0x00FFFFFFu);
      line[x] ^= key & 0x00FFFFFFu;
    }
  };
  const int right = rect.right - 1, bottom = rect.bottom - 1;
  for (int x = rect.left; x <= right; ++x) {
    toggle(x, rect.top);
    if (bottom != rect.top) toggle(x, bottom);
  }
  for (int y = rect.top + 1; y < bottom; ++y) {
    toggle(rect.left, y);
    if (right != rect.left) toggle(right, y);
  }
}

// A paint wrote fresh pixels over the area: no glow is left there to erase.
void CArenaPixels::forgetGlow(const QRect& area) {
  const int w = m_window.width();
  for (std::vector<uint32_t>* keys : {&m_shieldKeys, &m_ringKeys}) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      auto* row = keys->data() + static_cast<size_t>(y) * static_cast<size_t>(w);
      std::fill(row + area.left(), row + area.right() + 1, 0u);
    }
  }
}

}  // namespace arena::ui
