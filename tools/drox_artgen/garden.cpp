// The garden's pictures: the lawn that covers the world, the seven wall
// tiles, the three power-ups and the five shots.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "art.h"

namespace drox_art {
namespace {

const QColor kInk(18, 24, 40);

// A small fixed generator: the lawn's decorations sit at the same places in
// every run.
class Scatter {
 public:
  explicit Scatter(std::uint32_t seed) : m_state(seed) {}
  int below(int n) {
    m_state = m_state * 1664525u + 1013904223u;
    return static_cast<int>((m_state >> 8) % static_cast<std::uint32_t>(n));
  }

 private:
  std::uint32_t m_state;
};

void tuft(QPainter& p, double x, double y, const QColor& colour) {
  p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x, y), QPointF(x - 3, y - 6));
  p.drawLine(QPointF(x + 1, y), QPointF(x + 1, y - 8));
  p.drawLine(QPointF(x + 2, y), QPointF(x + 5, y - 5));
}

void flower(QPainter& p, double x, double y, const QColor& petal) {
  p.setPen(Qt::NoPen);
  p.setBrush(petal);
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * M_PI / 5;
    p.drawEllipse(QPointF(x + 2.6 * std::cos(a), y + 2.6 * std::sin(a)), 2, 2);
  }
  p.setBrush(QColor(255, 220, 60));
  p.drawEllipse(QPointF(x, y), 1.5, 1.5);
}

// Bevelled block: light top-left edge, dark bottom-right edge.
void bevelBlock(QPainter& p, const QRectF& r, const QColor& face, const QColor& light,
                const QColor& dark, double radius) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(dark);
  p.drawRoundedRect(r, radius, radius);
  p.setPen(Qt::NoPen);
  p.setBrush(light);
  p.drawRoundedRect(r.adjusted(2, 2, -6, -6), radius, radius);
  p.setBrush(face);
  p.drawRoundedRect(r.adjusted(6, 6, -6, -6), radius * 0.6, radius * 0.6);
}

void hedge(QPainter& p) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(20, 70, 30));
  p.drawRoundedRect(QRectF(3, 3, 94, 94), 22, 22);
  Scatter s(167);
  for (int i = 0; i < 34; ++i) {
    const double x = 16 + s.below(68), y = 16 + s.below(68);
    QRadialGradient leaf(QPointF(x - 3, y - 3), 12);
    leaf.setColorAt(0, QColor(150, 220, 110));
    leaf.setColorAt(0.6, QColor(50, 140, 55));
    leaf.setColorAt(1, QColor(22, 80, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(leaf);
    p.drawEllipse(QPointF(x, y), 11, 11);
  }
  for (int i = 0; i < 5; ++i) flower(p, 20 + s.below(60), 20 + s.below(60), QColor(250, 240, 250));
}

void bricks(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(140, 130, 118));
  p.drawRect(QRectF(1, 1, 98, 98));
  for (int row = 0; row < 6; ++row) {
    const double y = 2 + row * 16.3;
    const double shift = (row % 2) * 16;
    for (double x = -32 + shift; x < 100; x += 32) {
      const QRectF brick(std::max(2.0, x + 2), y, std::min(x + 31, 98.0) - std::max(2.0, x + 2),
                         14);
      if (brick.width() < 3) continue;
      QLinearGradient g(brick.topLeft(), brick.bottomLeft());
      g.setColorAt(0, QColor(215, 110, 80));
      g.setColorAt(1, QColor(130, 46, 30));
      p.setBrush(g);
      p.drawRect(brick);
    }
  }
  p.setPen(QPen(kInk, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, 98, 98));
}

void stone(QPainter& p) {
  bevelBlock(p, QRectF(2, 2, 96, 96), QColor(150, 142, 128), QColor(220, 214, 200),
             QColor(80, 74, 66), 8);
  p.setPen(QPen(QColor(96, 90, 80), 2));
  p.drawLine(QPointF(30, 20), QPointF(44, 42));
  p.drawLine(QPointF(44, 42), QPointF(40, 60));
  p.drawLine(QPointF(62, 64), QPointF(78, 76));
}

void crate(QPainter& p) {
  bevelBlock(p, QRectF(3, 3, 94, 94), QColor(176, 116, 60), QColor(230, 180, 120),
             QColor(100, 60, 30), 3);
  p.setPen(QPen(QColor(110, 66, 32), 2));
  for (double y = 24; y < 90; y += 18) p.drawLine(QPointF(10, y), QPointF(90, y));
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(150, 96, 48));
  p.drawPolygon(QPolygonF({QPointF(9, 19), QPointF(19, 9), QPointF(91, 81), QPointF(81, 91)}));
}

void metal(QPainter& p) {
  QLinearGradient g(0, 0, 100, 100);
  g.setColorAt(0, QColor(190, 215, 240));
  g.setColorAt(0.5, QColor(90, 120, 160));
  g.setColorAt(1, QColor(40, 56, 90));
  p.setPen(QPen(kInk, 2));
  p.setBrush(g);
  p.drawRect(QRectF(2, 2, 96, 96));
  p.setBrush(QColor(60, 84, 120));
  p.drawRect(QRectF(18, 18, 64, 64));
  p.setPen(QPen(QColor(180, 200, 225), 1.5));
  p.drawLine(QPointF(22, 50), QPointF(78, 50));
  p.drawLine(QPointF(50, 22), QPointF(50, 78));
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(220, 230, 240));
  for (QPointF c : {QPointF(10, 10), QPointF(90, 10), QPointF(10, 90), QPointF(90, 90)}) {
    p.drawEllipse(c, 4, 4);
  }
}

void planter(QPainter& p) {
  p.setPen(QPen(kInk, 2));
  QLinearGradient pot(0, 40, 0, 98);
  pot.setColorAt(0, QColor(230, 130, 80));
  pot.setColorAt(1, QColor(130, 56, 30));
  p.setBrush(pot);
  p.drawRoundedRect(QRectF(4, 30, 92, 66), 6, 6);
  p.setBrush(QColor(40, 110, 45));
  p.drawRoundedRect(QRectF(6, 6, 88, 34), 14, 14);
  Scatter s(216);
  const QColor petals[] = {QColor(255, 80, 120), QColor(255, 230, 80), QColor(200, 120, 255),
                           QColor(255, 255, 255)};
  for (int i = 0; i < 12; ++i) {
    flower(p, 14 + s.below(72), 12 + s.below(24), petals[i % 4]);
  }
  p.setPen(QPen(QColor(110, 46, 24), 2));
  p.drawLine(QPointF(8, 48), QPointF(92, 48));
}

void crystal(QPainter& p) {
  p.setPen(QPen(kInk, 2));
  QLinearGradient g(0, 0, 100, 100);
  g.setColorAt(0, QColor(230, 255, 255));
  g.setColorAt(0.45, QColor(70, 200, 230));
  g.setColorAt(1, QColor(10, 80, 130));
  p.setBrush(g);
  p.drawPolygon(QPolygonF({QPointF(20, 3), QPointF(80, 3), QPointF(97, 20), QPointF(97, 80),
                           QPointF(80, 97), QPointF(20, 97), QPointF(3, 80), QPointF(3, 20)}));
  p.setPen(QPen(QColor(220, 255, 255), 2));
  p.drawLine(QPointF(20, 3), QPointF(50, 50));
  p.drawLine(QPointF(97, 20), QPointF(50, 50));
  p.setPen(QPen(QColor(20, 100, 150), 2));
  p.drawLine(QPointF(50, 50), QPointF(80, 97));
  p.drawLine(QPointF(50, 50), QPointF(3, 80));
}

void pad(QPainter& p, const QColor& glow, const QColor& rim) {
  QRadialGradient g(QPointF(50, 50), 46);
  g.setColorAt(0, glow.lighter(150));
  g.setColorAt(0.7, glow);
  g.setColorAt(1, glow.darker(300));
  p.setPen(QPen(kInk, 3));
  p.setBrush(g);
  p.drawEllipse(QPointF(50, 50), 44, 44);
  p.setPen(QPen(rim, 3));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(50, 50), 38, 38);
}

void bolt(QPainter& p, double dx) {
  QPolygonF b({QPointF(8, -30), QPointF(-10, 2), QPointF(0, 2), QPointF(-8, 30), QPointF(12, -6),
               QPointF(2, -6), QPointF(10, -30)});
  b.translate(50 + dx, 50);
  p.setPen(QPen(QColor(60, 50, 120), 2.5));
  p.setBrush(QColor(255, 255, 235));
  p.drawPolygon(b);
}

}  // namespace

QImage background(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(44, 92, 40));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  Scatter s(131);
  // Decorations keep 10 pixels from the edges, so the tiled lawn shows no seams.
  for (int i = 0; i < 140; ++i) {
    tuft(p, 10 + s.below(width - 20), 14 + s.below(height - 24), QColor(78, 140, 62));
  }
  for (int i = 0; i < 22; ++i) {
    const double x = 12 + s.below(width - 24), y = 12 + s.below(height - 24);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 70, 30));
    p.drawEllipse(QPointF(x + 1, y + 1), 4, 3);
    p.setBrush(QColor(160, 152, 134));
    p.drawEllipse(QPointF(x, y), 4, 3);
  }
  const QColor petals[] = {QColor(250, 250, 250), QColor(255, 230, 90), QColor(230, 130, 220)};
  for (int i = 0; i < 36; ++i) {
    flower(p, 12 + s.below(width - 24), 12 + s.below(height - 24), petals[i % 3]);
  }
  return image;
}

QImage wallTile(int id) {
  QImage image = blank(100, 100);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  switch (id) {
    case 210:
      bricks(p);
      break;
    case 211:
      stone(p);
      break;
    case 213:
      crate(p);
      break;
    case 214:
      metal(p);
      break;
    case 216:
      planter(p);
      break;
    case 217:
      crystal(p);
      break;
    default:
      hedge(p);
      break;
  }
  return image;
}

// The power-ups keep their look at any size (the title shows them small).
QImage powerUp(int id, int size) {
  QImage image = blank(100, 100);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (id == 202) {
      pad(p, QColor(20, 110, 150), QColor(120, 240, 255));
      QPainterPath heart;
      heart.moveTo(50, 74);
      heart.cubicTo(16, 50, 24, 22, 50, 36);
      heart.cubicTo(76, 22, 84, 50, 50, 74);
      p.setPen(QPen(QColor(90, 10, 30), 3));
      QRadialGradient g(QPointF(42, 40), 30);
      g.setColorAt(0, QColor(255, 200, 210));
      g.setColorAt(0.5, QColor(240, 50, 80));
      g.setColorAt(1, QColor(140, 10, 40));
      p.setBrush(g);
      p.drawPath(heart);
    } else if (id == 204) {
      pad(p, QColor(80, 40, 140), QColor(230, 200, 255));
      bolt(p, -13);
      bolt(p, 13);
    } else {
      pad(p, QColor(130, 30, 10), QColor(255, 170, 60));
      QPainterPath flame;
      flame.moveTo(50, 80);
      flame.cubicTo(20, 78, 22, 48, 40, 30);
      flame.cubicTo(40, 44, 48, 46, 50, 18);
      flame.cubicTo(62, 34, 80, 50, 72, 68);
      flame.cubicTo(68, 76, 60, 80, 50, 80);
      QLinearGradient g(0, 80, 0, 18);
      g.setColorAt(0, QColor(255, 250, 200));
      g.setColorAt(0.4, QColor(255, 190, 40));
      g.setColorAt(1, QColor(230, 50, 10));
      p.setPen(QPen(QColor(100, 20, 4), 2.5));
      p.setBrush(g);
      p.drawPath(flame);
    }
  }
  if (size == 100) return image;
  return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage shot(int id) {
  QColor core;
  switch (id) {
    case 180:
      core = QColor(255, 60, 50);
      break;
    case 181:
      core = QColor(70, 240, 70);
      break;
    case 182:
      core = QColor(70, 140, 255);
      break;
    case 183:
      core = QColor(255, 230, 40);
      break;
    default:
      core = QColor(250, 250, 250);
      break;
  }
  QImage image = blank(8, 8);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // A dark rim keeps every colour visible on the lawn and the hedge.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(14, 14, 26));
  p.drawEllipse(QPointF(4, 4), 4, 4);
  QRadialGradient g(QPointF(3.4, 3.4), 3.2);
  g.setColorAt(0, QColor(255, 255, 255));
  g.setColorAt(0.5, core);
  g.setColorAt(1, core.darker(140));
  p.setBrush(g);
  p.drawEllipse(QPointF(4, 4), 2.9, 2.9);
  return image;
}

}  // namespace drox_art
