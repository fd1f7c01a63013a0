// The pictures shown over the garden while the game is paused: the title,
// the rank names, the two digit strips, the labels and the game-over banner.
#include <QLinearGradient>

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
  TextStyle logo = style(8, 8, QColor(255, 248, 150), QColor(235, 90, 20), 8);
  TextStyle shadow = logo;
  shadow.top = shadow.bottom = QColor(60, 16, 10);
  shadow.outline = QColor(8, 10, 24);
  const int logoX = (width - textWidth("DROX", logo)) / 2;
  drawText(image, logoX + 4, 18, "DROX", shadow);
  drawText(image, logoX, 14, "DROX", logo);

  const TextStyle plain = style(2, 2, QColor(255, 255, 255), QColor(185, 195, 215));
  const int keysX = (width - textWidth("F2 Toggle Sound", plain)) / 2;
  legendLine(image, keysX, 84, "Esc", "To Pause");
  legendLine(image, keysX, 102, "F1", "For Help");
  legendLine(image, keysX, 120, "F2", "Toggle Sound");
  {
    QPainter p(&image);
    p.setPen(QPen(kFrame, 1));
    p.drawLine(40, 143, width - 40, 143);
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
    const int y = 150 + i * 32;
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
  for (int row = 0; row < 8; ++row) drawText(image, 4, row * 35 + 7, kRanks[row], s);
  return image;
}

QImage digits(int width, int height, bool garden) {
  QImage image = blank(width, height);
  TextStyle s = garden ? style(2, 3, QColor(220, 255, 180), QColor(110, 210, 60))
                       : style(2, 3, QColor(255, 255, 255), QColor(255, 210, 60));
  s.bold = true;
  for (int d = 0; d < 10; ++d) {
    drawText(image, d * 15 + 2, 0, std::string(1, static_cast<char>('0' + d)), s);
  }
  return image;
}

QImage label(int width, int height, const std::string& text) {
  QImage image = blank(width, height);
  const int cellH = std::min(4, (height - 4) / 7);
  const TextStyle s = style(3, cellH, QColor(200, 250, 255), QColor(60, 170, 230), 3);
  drawText(image, 2, (height - 7 * cellH) / 2, text, s);
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

}  // namespace drox_art
