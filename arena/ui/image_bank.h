// The game's pictures as the window draws them.
//
// Loads every picture of the image table from the embedded artwork, gives it
// the game palette (the colour table of picture 130) and turns black into
// transparency, so that a plain QPainter blit draws it masked. A picture
// that is missing stays null and draws nothing; `missing()` lists them so
// that the program can refuse to start without its artwork.
#pragma once

#include <QImage>
#include <QVector>
#include <cstdint>
#include <map>
#include <vector>

namespace arena::ui {

class DroxImages {
 public:
  DroxImages();

  // The picture with black transparent; a null image for an unknown id.
  const QImage& picture(int32_t id) const;
  const QVector<QRgb>& palette() const { return m_palette; }
  const std::vector<int32_t>& missing() const { return m_missing; }

 private:
  QVector<QRgb> m_palette;
  std::map<int32_t, QImage> m_pictures;
  std::vector<int32_t> m_missing;
  QImage m_none;
};

// Resource path of a picture: ":/drox/bitmap_<id>.bmp".
QString picturePath(int32_t id);

}  // namespace arena::ui
