// The pictures shown over the garden while the game is paused: the title,
// the rank names, the two digit strips, the labels and the game-over banner.
#include <QLinearGradient>
#include <utility>

#include "arena/core/overlay_layout.h"
#include "art.h"

namespace drox_art {
namespace {

const QColor kPanel(16, 22, 48);
const QColor kFrame(70, 200, 235);

TextStyle style(int cellW, int cellH, QColor top, QColor bottom, int spacing = 2) {
  TextStyle s;
  s.cellW = cellW;
  s.cellH = cellH;
  s.top = top;
  s.bottom = bottom;
  s.spacing = spacing;
  return s;
}

// A dark rounded plate behind on-screen text, so that it reads on the lawn
// and on the hedge alike; its corners stay transparent.
void backing(QImage& image, const QRectF& r) {
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(12, 16, 34));
  p.drawRoundedRect(r, 4, 4);
}

void panel(QImage& image, const QRectF& r) {
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(8, 10, 24), 2));
  p.setBrush(kPanel);
  p.drawRoundedRect(r, 10, 10);
  p.setPen(QPen(kFrame, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 8, 8);
}

// A key legend line: the key in cyan, what it does in white.
void legendLine(QImage& image, int x, int y, const std::string& key, const std::string& rest) {
  const TextStyle keyStyle = style(2, 2, QColor(150, 250, 255), QColor(40, 190, 230));
  const TextStyle restStyle = style(2, 2, QColor(255, 255, 255), QColor(185, 195, 215));
  drawText(image, x, y, key, keyStyle);
  drawText(image, x + textWidth(key + " ", keyStyle) + 2, y, rest, restStyle);
}

}  // namespace

QImage title(int width, int height) {
  QImage image = blank(width, height);
  panel(image, QRectF(1, 1, width - 2, height - 2));
  // The logo with a drop shadow.
  TextStyle logo = style(7, 7, QColor(255, 248, 150), QColor(235, 90, 20), 7);
  TextStyle shadow = logo;
  shadow.top = shadow.bottom = QColor(60, 16, 10);
  shadow.outline = QColor(8, 10, 24);
  const int logoX = (width - textWidth("DROX", logo)) / 2;
  drawText(image, logoX + 4, 15, "DROX", shadow);
  drawText(image, logoX, 11, "DROX", logo);

  // How to play, then the other keys; keys in cyan, the rest in white.
  const TextStyle keyStyle = style(2, 2, QColor(150, 250, 255), QColor(40, 190, 230));
  const TextStyle plain = style(2, 2, QColor(255, 255, 255), QColor(185, 195, 215));
  const int playX = (width - textWidth("Arrows move, Space fires", plain)) / 2;
  int x = playX;
  for (const auto& [text, isKey] : {std::pair<const char*, bool>{"Arrows", true},
                                    {" move, ", false},
                                    {"Space", true},
                                    {" fires", false}}) {
    drawText(image, x, 70, text, isKey ? keyStyle : plain);
    x += textWidth(text, plain) + plain.spacing;
  }
  const int keysX = (width - textWidth("F2 Toggle Sound", plain)) / 2;
  legendLine(image, keysX, 88, "Esc", "To Pause");
  legendLine(image, keysX, 106, "F1", "For Help");
  legendLine(image, keysX, 124, "F2", "Toggle Sound");
  {
    QPainter p(&image);
    p.setPen(QPen(kFrame, 1));
    p.drawLine(40, 146, width - 40, 146);
  }
  struct Entry {
    int id;
    const char* name;
  };
  const Entry entries[] = {
      {202, "Wave Of Life"}, {204, "Double White Lightning"}, {206, "Wild Fire"}};
  const TextStyle names = style(2, 2, QColor(255, 240, 200), QColor(255, 190, 110));
  const int iconX = (width - 32 - 8 - textWidth("Double White Lightning", names)) / 2;
  for (int i = 0; i < 3; ++i) {
    const int y = 152 + i * 31;
    {
      QPainter p(&image);
      p.drawImage(iconX, y, powerUp(entries[i].id, 30));
    }
    drawText(image, iconX + 40, y + 8, entries[i].name, names);
  }
  const TextStyle prompt = style(2, 3, QColor(255, 255, 160), QColor(255, 190, 30));
  drawTextCentred(image, 252, "Press Enter To Begin", prompt);
  return image;
}

QImage rankNames(int width, int height) {
  static const char* kRanks[] = {"Private", "Corporal", "Sergeant", "Lieutenant",
                                 "Captain", "Major",    "Colonel",  "General"};
  QImage image = blank(width, height);
  TextStyle s = style(2, 3, QColor(255, 246, 170), QColor(225, 150, 30));
  s.bold = true;
  for (int row = 0; row < 8; ++row) {
    backing(image, QRectF(0, row * 35 + 2, textWidth(kRanks[row], s) + 10, 33));
    drawText(image, 4, row * 35 + 6, kRanks[row], s);
  }
  return image;
}

QImage digits(int width, int height, bool garden) {
  QImage image = blank(width, height);
  TextStyle s = garden ? style(2, 3, QColor(220, 255, 180), QColor(110, 210, 60))
                       : style(2, 3, QColor(255, 255, 255), QColor(255, 210, 60));
  s.bold = true;
  for (int d = 0; d < 10; ++d) {
    backing(image, QRectF(d * 15, 0, 16, height));
    drawText(image, d * 15 + 2, 0, std::string(1, static_cast<char>('0' + d)), s);
  }
  return image;
}

QImage label(int width, int height, const std::string& text) {
  QImage image = blank(width, height);
  const int cellH = std::min(4, (height - 4) / 7);
  const TextStyle s = style(3, cellH, QColor(200, 250, 255), QColor(60, 170, 230), 3);
  backing(image, QRectF(0, 0, width, height));
  drawText(image, 3, (height - 7 * cellH) / 2 - 1, text, s);
  return image;
}

QImage gameOverBanner(int width, int height) {
  QImage image = blank(width, height);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, QColor(200, 40, 40));
    g.setColorAt(1, QColor(90, 10, 20));
    p.setPen(QPen(QColor(255, 210, 80), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 1, width - 2, height - 2), 6, 6);
  }
  const TextStyle s = style(2, 2, QColor(255, 255, 210), QColor(255, 200, 60));
  drawTextCentred(image, (height - 14) / 2, "Game Over", s);
  return image;
}

// The banners that take the title's place after a garden's end, in the
// title's panel style.
QImage lifeLostBanner(int width, int height) {
  QImage image = blank(width, height);
  panel(image, QRectF(1, 1, width - 2, height - 2));
  const TextStyle big = style(4, 4, QColor(255, 200, 170), QColor(230, 50, 40), 4);
  drawTextCentred(image, 18, "Hero Down!", big);
  const TextStyle small = style(2, 2, QColor(255, 255, 255), QColor(185, 195, 215));
  drawTextCentred(image, 64, "This Garden Starts Again", small);
  return image;
}

QImage gardenClearedBanner(int width, int height) {
  QImage image = blank(width, height);
  panel(image, QRectF(1, 1, width - 2, height - 2));
  const TextStyle big = style(3, 4, QColor(230, 255, 190), QColor(110, 210, 60), 3);
  drawTextCentred(image, 14, "Garden Cleared!", big);
  // The bonus digits go at kBannerBonusAt (score digits, 21 pixels high).
  const TextStyle bonus = style(3, 3, QColor(255, 255, 255), QColor(255, 210, 60), 3);
  const int bonusX = arena::kBannerBonusAt.x - 14 - textWidth("Bonus", bonus);
  drawText(image, bonusX, arena::kBannerBonusAt.y, "Bonus", bonus);
  return image;
}

// Row 0: the shield's cyan shades, bright and pulsing as it grows. Row 1:
// the fire ring's reds, oranges and golds; the ring leaves each rectangle
// behind, so these become flame-coloured bands.
QImage glowColours(int width, int height) {
  static constexpr int kShield[16][2] = {{2, 11}, {2, 12}, {2, 13}, {2, 14}, {2, 15}, {0, 15},
                                         {2, 15}, {2, 14}, {2, 13}, {2, 12}, {2, 11}, {2, 12},
                                         {2, 13}, {2, 14}, {0, 15}, {2, 15}};
  static constexpr int kFire[16][2] = {{3, 10}, {4, 10}, {5, 12}, {4, 12}, {3, 11}, {4, 11},
                                       {5, 14}, {4, 10}, {3, 12}, {4, 13}, {5, 11}, {3, 10},
                                       {4, 12}, {5, 13}, {4, 11}, {3, 11}};
  QImage image = blank(width, height);
  const auto& pal = gamePalette();
  for (int x = 0; x < width && x < 16; ++x) {
    const Rgb s = pal[static_cast<std::size_t>(kShield[x][0] * 16 + kShield[x][1])];
    const Rgb f = pal[static_cast<std::size_t>(kFire[x][0] * 16 + kFire[x][1])];
    image.setPixel(x, 0, qRgb(s.r, s.g, s.b));
    if (height > 1) image.setPixel(x, 1, qRgb(f.r, f.g, f.b));
  }
  return image;
}

}  // namespace drox_art
