// The overlay pictures (labels, digit strips, the ball), the enhancement box
// and the title backdrop. Layouts follow the renderer's overlay: 1251 holds
// "Score" in columns 0..59 and "Time" in 60..109 (16 rows), 1252 the same at
// half size (0..29, 30..54, 8 rows); 1253 has ten 10-pixel digits, then the
// colon at 100 and the thousands separator at 105 (5 wide each); 1254 five-
// pixel digits, the colon at 50 (2 wide) and the separator at 52 (3 wide).
// Overlay backgrounds are transparent (index 0); the ball sits on key 250.
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "art.h"

namespace artgen {

namespace {

const QColor kLabelTop(170, 240, 255), kLabelBottom(40, 110, 230);
const QColor kDigitTop(255, 250, 150), kDigitBottom(240, 120, 20);

constexpr std::uint8_t kSmallDigits[10][7] = {{6, 9, 9, 9, 9, 9, 6},    {2, 6, 2, 2, 2, 2, 7},
                                              {6, 9, 1, 2, 4, 8, 15},   {14, 1, 1, 6, 1, 1, 14},
                                              {2, 6, 10, 10, 15, 2, 2}, {15, 8, 14, 1, 1, 9, 6},
                                              {6, 8, 8, 14, 9, 9, 6},   {15, 1, 2, 2, 4, 4, 4},
                                              {6, 9, 9, 6, 9, 9, 6},    {6, 9, 9, 7, 1, 1, 6}};

QImage transparent(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  return img;
}

}  // namespace

QImage scoreLabels(bool small) {
  if (small) {
    QImage img = transparent(56, 8);
    drawPixelText(img, 0, 0, "Score", 1, kLabelTop, kLabelBottom, 1);
    drawPixelText(img, 30, 0, "Time", 1, kLabelTop, kLabelBottom, 1);
    return img;
  }
  QImage img = transparent(112, 16);
  drawPixelText(img, 1, 1, "Score", 2, kLabelTop, kLabelBottom, 2);
  drawPixelText(img, 62, 1, "Time", 2, kLabelTop, kLabelBottom, 2);
  return img;
}

QImage digitStrip(bool small) {
  if (small) {
    QImage img = transparent(56, 8);
    for (int d = 0; d < 10; ++d) {
      for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 4; ++c) {
          if (kSmallDigits[d][r] & (8 >> c))
            img.setPixelColor(5 * d + c, r, mix(kDigitTop, kDigitBottom, r / 6.0));
        }
      }
    }
    img.setPixelColor(50, 2, kDigitTop);
    img.setPixelColor(50, 5, kDigitBottom);
    img.setPixelColor(53, 5, kDigitBottom);
    img.setPixelColor(53, 6, kDigitBottom);
    img.setPixelColor(52, 7, kDigitBottom);
    return img;
  }
  QImage img = transparent(112, 16);
  for (int d = 0; d < 10; ++d) {
    drawPixelText(img, 10 * d, 1, std::string(1, static_cast<char>('0' + d)), 2, kDigitTop,
                  kDigitBottom, 0);
  }
  QPainter p(&img);
  p.fillRect(101, 4, 3, 3, mix(kDigitTop, kDigitBottom, 0.2));
  p.fillRect(101, 10, 3, 3, mix(kDigitTop, kDigitBottom, 0.7));
  p.fillRect(106, 11, 3, 3, kDigitBottom);
  p.fillRect(107, 14, 2, 2, kDigitBottom);
  return img;
}

QImage ball() {
  QImage img = transparent(32, 32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(QPointF(11, 10), 20, QPointF(10, 9));
  g.setColorAt(0.0, QColor(255, 255, 255));
  g.setColorAt(0.25, QColor(200, 220, 255));
  g.setColorAt(0.7, QColor(70, 100, 190));
  g.setColorAt(1.0, QColor(15, 20, 60));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QPointF(16, 16), 15, 15);
  return img;
}

QImage enhancementBox() {
  QImage img(64, 64, QImage::Format_ARGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient frame(0, 0, 64, 64);
  frame.setColorAt(0, QColor(255, 230, 140));
  frame.setColorAt(1, QColor(150, 80, 20));
  p.fillRect(0, 0, 64, 64, frame);
  QRadialGradient glow(QPointF(32, 32), 30);
  glow.setColorAt(0, QColor(220, 120, 255));
  glow.setColorAt(0.6, QColor(110, 30, 170));
  glow.setColorAt(1, QColor(40, 10, 70));
  p.fillRect(6, 6, 52, 52, glow);
  p.setPen(QPen(QColor(90, 45, 10), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(5.5, 5.5, 52, 52));
  p.end();
  drawPixelText(img, 20, 15, "?", 5, QColor(255, 255, 200), QColor(255, 180, 40), 0);
  return img;
}

QImage titleBackdrop() {
  const int w = 640, h = 480;
  QImage img(w, h, QImage::Format_ARGB32);
  const double cx = 320, cy = 290;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double nx = x / 160.0, ny = y / 160.0;
      const double dx = x - cx, dy = (y - cy) * 1.8;
      const double r = std::hypot(dx, dy), a = std::atan2(dy, dx);
      // A two-armed spiral: brightness peaks where the angle follows the log
      // of the radius.
      const double arm = 0.5 + 0.5 * std::cos(2 * (a - std::log(r + 20) * 2.2));
      const double core = std::exp(-r / 40.0);
      const double cloud = fbm(nx, ny, 6, 1 << 20, 7);
      const double cloud2 = fbm(nx * 1.7 + 3, ny * 1.7, 5, 1 << 20, 9);
      const double spiral = arm * std::exp(-r / 190.0) * (0.5 + cloud);
      QColor c = mix(QColor(4, 4, 16), QColor(70, 20, 110), std::pow(cloud, 1.6) * 1.1);
      c = mix(c, QColor(200, 60, 120), std::pow(cloud2, 3.0) * 1.2);
      c = mix(c, QColor(120, 160, 255), spiral * 0.8);
      c = mix(c, QColor(255, 240, 210), core * 1.3);
      const std::uint32_t s = hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 3);
      if ((s & 1023) < 3) c = mix(c, QColor(255, 255, 255), 0.6 + ((s >> 10) & 255) / 640.0);
      img.setPixelColor(x, y, c);
    }
  }
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 14; ++i) {
    const double sx = hash(i, 1, 5) % w, sy = hash(i, 2, 5) % h;
    QRadialGradient star(QPointF(sx, sy), 6);
    star.setColorAt(0, QColor(255, 255, 255, 255));
    star.setColorAt(1, QColor(160, 200, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(star);
    p.drawEllipse(QPointF(sx, sy), 6, 6);
    p.setPen(QPen(QColor(200, 220, 255, 160), 1));
    p.drawLine(QPointF(sx - 9, sy), QPointF(sx + 9, sy));
    p.drawLine(QPointF(sx, sy - 9), QPointF(sx, sy + 9));
  }
  p.end();
  // No lettering: the title screen writes the game's name over it.
  return img;
}

}  // namespace artgen
