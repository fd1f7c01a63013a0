#include "arcade/ui/qt_image_presenter.h"

#include <QImage>
#include <QList>

namespace arcade {

void QtImagePresenter::Present(const DibTransfer& t) {
  if (t.pixels == nullptr || t.colours == nullptr || t.width <= 0 || t.height <= 0) return;
  if (t.srcWidth <= 0 || t.srcHeight <= 0 || t.dstWidth <= 0 || t.dstHeight <= 0) return;
  QImage bottomUp(t.pixels, t.width, t.height, t.width, QImage::Format_Indexed8);
  QList<QRgb> table;
  table.reserve(kPaletteSize);
  for (const Rgb& c : *t.colours) table.push_back(qRgb(c.r, c.g, c.b));
  bottomUp.setColorTable(table);
  const QImage picture = bottomUp.mirrored(false, true);
  // Source rows count from the bottom in the transfer, from the top in Qt.
  const QRect source(t.srcX, t.height - t.srcY - t.srcHeight, t.srcWidth, t.srcHeight);
  const QRect target(t.dstX, t.dstY, t.dstWidth, t.dstHeight);
  m_painter.save();
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  m_painter.setCompositionMode(QPainter::CompositionMode_Source);
  m_painter.drawImage(target, picture, source);
  m_painter.restore();
}

}  // namespace arcade
