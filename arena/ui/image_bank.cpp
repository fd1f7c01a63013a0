#include "arena/ui/image_bank.h"

#include "arena/core/images.h"
#include "art_resources.h"

namespace arena::ui {

QString picturePath(int32_t id) {
  return QStringLiteral(":/drox/bitmap_%1.bmp").arg(id);
}

DroxImages::DroxImages() {
  initDroxArt();
  const QImage carrier(picturePath(image::kPalette));
  m_palette = carrier.colorTable();
  for (const ImageInfo& info : allImages()) {
    QImage raw(picturePath(info.id));
    if (raw.isNull() || raw.format() != QImage::Format_Indexed8 || m_palette.size() != 256) {
      m_missing.push_back(info.id);
      continue;
    }
    // Every picture is shown in the game palette; black is transparent.
    QVector<QRgb> table = m_palette;
    for (QRgb& c : table) {
      if (qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0) c = qRgba(0, 0, 0, 0);
    }
    raw.setColorTable(table);
    m_pictures.emplace(info.id, raw.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  }
}

const QImage& DroxImages::picture(int32_t id) const {
  const auto it = m_pictures.find(id);
  return it == m_pictures.end() ? m_none : it->second;
}

}  // namespace arena::ui
