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

// The dotted focus rectangle: every second pixel of its outline, chosen by
// the pixel's position so that the same rectangle always hits the same
// pixels. Each pixel is inverted once, corners included.
void CArenaPixels::invertFocusRect(const Rect& rect) {
  if (rect.isEmpty() || m_window.isNull()) return;
  const auto invert = [this](int x, int y) {
    if (x < 0 || y < 0 || x >= m_window.width() || y >= m_window.height()) return;
    if (((x + y) & 1) != 0) return;
    auto* line = reinterpret_cast<QRgb*>(m_window.scanLine(y));
    line[x] ^= 0x00FFFFFFu;
  };
  const int right = rect.right - 1, bottom = rect.bottom - 1;
  for (int x = rect.left; x <= right; ++x) {
    invert(x, rect.top);
    if (bottom != rect.top) invert(x, bottom);
  }
  for (int y = rect.top + 1; y < bottom; ++y) {
    invert(rect.left, y);
    if (right != rect.left) invert(right, y);
  }
}

}  // namespace arena::ui
