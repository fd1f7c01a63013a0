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
    drawGlows(back, frame);
  }
  {
    QPainter window(&m_window);
    window.setCompositionMode(QPainter::CompositionMode_Source);
    window.drawImage(area.topLeft(), m_back, area);
  }
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

namespace {

void outline(QPainter& p, const Rect& r, QRgb colour) {
  const QColor c = QColor::fromRgb(colour);
  const int w = r.width(), h = r.height();
  if (w <= 0 || h <= 0) return;
  p.fillRect(r.left, r.top, w, 1, c);
  p.fillRect(r.left, r.bottom - 1, w, 1, c);
  p.fillRect(r.left, r.top, 1, h, c);
  p.fillRect(r.right - 1, r.top, 1, h, c);
}

}  // namespace

// The fire ring's band is every outline the ring has had, from the first one
// around the cell it started as out to the ring itself, each in its own
// colour; the shield is its square, two pixels thick.
void CArenaPixels::drawGlows(QPainter& p, const Frame& frame) const {
  if (frame.fireRing && frame.fireRingStart) {
    for (Rect r = frame.fireRingStart->inflated(1);
         r.width() <= frame.fireRing->width() && r.height() <= frame.fireRing->height();
         r = r.inflated(1)) {
      outline(p, r, glowColour(r, Glow::FireRing));
    }
  }
  if (frame.shield) {
    const QRgb colour = glowColour(*frame.shield, Glow::Shield);
    outline(p, *frame.shield, colour);
    outline(p, frame.shield->inflated(-1), colour);
  }
}

}  // namespace arena::ui
