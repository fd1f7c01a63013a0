#include "icons.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace suiteicons {
namespace {

// Strokes drawn on the 256 grid; below 48 pixels they are widened so that a
// scaled line never falls under about one pixel.
double stroke(int size, double designWidth) {
  const double minimum = 256.0 / size;
  return std::max(designWidth, minimum * 1.1);
}

void drawDisc(QPainter& p, QPointF centre, double radius, int size) {
  QRadialGradient silver(centre, radius, centre + QPointF(-radius * 0.3, -radius * 0.3));
  silver.setColorAt(0.0, QColor(250, 250, 252));
  silver.setColorAt(0.55, QColor(196, 204, 214));
  silver.setColorAt(1.0, QColor(132, 142, 158));
  p.setPen(QPen(QColor(70, 78, 92), stroke(size, 4)));
  p.setBrush(silver);
  p.drawEllipse(centre, radius, radius);
  // A rainbow sheen on the data side, the way a pressed disc catches light.
  QConicalGradient sheen(centre, 30);
  sheen.setColorAt(0.00, QColor(255, 120, 120, 0));
  sheen.setColorAt(0.08, QColor(255, 170, 90, 110));
  sheen.setColorAt(0.16, QColor(140, 230, 140, 110));
  sheen.setColorAt(0.24, QColor(110, 160, 255, 110));
  sheen.setColorAt(0.32, QColor(200, 120, 255, 0));
  sheen.setColorAt(0.50, QColor(255, 120, 120, 0));
  sheen.setColorAt(0.58, QColor(255, 170, 90, 90));
  sheen.setColorAt(0.66, QColor(140, 230, 140, 90));
  sheen.setColorAt(0.74, QColor(110, 160, 255, 90));
  sheen.setColorAt(0.82, QColor(200, 120, 255, 0));
  sheen.setColorAt(1.00, QColor(255, 120, 120, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sheen);
  p.drawEllipse(centre, radius * 0.96, radius * 0.96);
  p.setBrush(QColor(228, 232, 238));
  p.setPen(QPen(QColor(90, 98, 112), stroke(size, 3)));
  p.drawEllipse(centre, radius * 0.30, radius * 0.30);
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.setBrush(Qt::black);
  p.setPen(Qt::NoPen);
  p.drawEllipse(centre, radius * 0.12, radius * 0.12);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// DISKINDX: a disc behind an index card whose ruled lines stand for the
// catalogue's entries.
void drawCatalogue(QPainter& p, int size) {
  drawDisc(p, QPointF(150, 104), 90, size);
  p.save();
  p.translate(96, 168);
  p.rotate(-8);
  const QRectF card(-78, -58, 156, 116);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawRoundedRect(card.translated(5, 7), 10, 10);
  QLinearGradient paper(card.topLeft(), card.bottomLeft());
  paper.setColorAt(0, QColor(255, 252, 236));
  paper.setColorAt(1, QColor(240, 230, 200));
  p.setBrush(paper);
  p.setPen(QPen(QColor(120, 100, 60), stroke(size, 3)));
  p.drawRoundedRect(card, 10, 10);
  p.setPen(QPen(QColor(200, 50, 45), stroke(size, 6), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(-62, -32), QPointF(62, -32));
  const int lines = size < 32 ? 2 : 4;
  p.setPen(QPen(QColor(60, 100, 180), stroke(size, 5), Qt::SolidLine, Qt::RoundCap));
  for (int k = 0; k < lines; ++k) {
    const double y = -10 + k * (size < 32 ? 34 : 18);
    p.drawLine(QPointF(-62, y), QPointF(k % 2 ? 30 : 50, y));
  }
  p.restore();
}

// FINOVA: a dark calculator with a green display and gold-topped keys.
void drawCalculator(QPainter& p, int size) {
  const QRectF body(44, 14, 168, 228);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(body.translated(5, 6), 22, 22);
  QLinearGradient shell(body.topLeft(), body.bottomRight());
  shell.setColorAt(0, QColor(92, 96, 106));
  shell.setColorAt(1, QColor(40, 42, 48));
  p.setBrush(shell);
  p.setPen(QPen(QColor(24, 24, 28), stroke(size, 4)));
  p.drawRoundedRect(body, 22, 22);
  const QRectF lcd(62, 32, 132, 52);
  QLinearGradient glass(lcd.topLeft(), lcd.bottomLeft());
  glass.setColorAt(0, QColor(196, 218, 170));
  glass.setColorAt(1, QColor(150, 178, 128));
  p.setBrush(glass);
  p.setPen(QPen(QColor(30, 40, 30), stroke(size, 3)));
  p.drawRoundedRect(lcd, 6, 6);
  if (size >= 24) {
    p.setPen(QPen(QColor(34, 44, 34), stroke(size, 7), Qt::SolidLine, Qt::FlatCap));
    for (int k = 0; k < 4; ++k) {
      const double x = 120 + k * 18;
      p.drawLine(QPointF(x, 46), QPointF(x, 72));
    }
  }
  const int columns = 4, rows = size < 32 ? 3 : 4;
  const double keyW = 26, gapX = (132 - columns * keyW) / (columns - 1);
  const double keyH = size < 32 ? 34 : 26, top = 100, gapY = (126 - rows * keyH) / (rows - 1);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const QRectF key(62 + c * (keyW + gapX), top + r * (keyH + gapY), keyW, keyH);
      const bool accent = r == 0;
      const bool enter = c == columns - 1 && r == rows - 1;
      QColor face = accent  ? QColor(222, 170, 60)
                    : enter ? QColor(70, 120, 200)
                            : QColor(206, 208, 214);
      p.setBrush(face);
      p.setPen(QPen(face.darker(220), stroke(size, 2.5)));
      p.drawRoundedRect(key, 5, 5);
    }
  }
}

// DROX: a round droid with a red eye visor above a hedge of the garden.
void drawDroid(QPainter& p, int size) {
  p.setPen(Qt::NoPen);
  QRadialGradient lawn(QPointF(128, 150), 120);
  lawn.setColorAt(0, QColor(110, 190, 90));
  lawn.setColorAt(1, QColor(40, 110, 50));
  p.setBrush(lawn);
  p.setPen(QPen(QColor(24, 70, 30), stroke(size, 4)));
  p.drawRoundedRect(QRectF(12, 12, 232, 232), 40, 40);
  // Antenna first so the dome covers its foot.
  p.setPen(QPen(QColor(40, 44, 52), stroke(size, 8), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(128, 72), QPointF(128, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 210, 60));
  p.drawEllipse(QPointF(128, 36), 12, 12);
  QRadialGradient metal(QPointF(104, 100), 110);
  metal.setColorAt(0, QColor(236, 240, 246));
  metal.setColorAt(0.6, QColor(150, 160, 176));
  metal.setColorAt(1, QColor(80, 88, 104));
  p.setBrush(metal);
  p.setPen(QPen(QColor(30, 34, 42), stroke(size, 5)));
  QPainterPath dome;
  dome.moveTo(48, 168);
  dome.arcTo(QRectF(48, 66, 160, 190), 180, -180);
  dome.lineTo(208, 196);
  dome.quadTo(208, 214, 190, 214);
  dome.lineTo(66, 214);
  dome.quadTo(48, 214, 48, 196);
  dome.closeSubpath();
  p.drawPath(dome);
  const QRectF visor(70, 116, 116, 40);
  p.setBrush(QColor(30, 20, 24));
  p.drawRoundedRect(visor, 18, 18);
  QRadialGradient eye(QPointF(128, 136), 40);
  eye.setColorAt(0, QColor(255, 230, 200));
  eye.setColorAt(0.35, QColor(255, 70, 50));
  eye.setColorAt(1, QColor(140, 10, 10));
  p.setBrush(eye);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(128, 136), size < 32 ? 26 : 20, 15);
}

// VORTEXIA: a glowing ball over a receding grid, held by a paddle frame.
void drawArcade(QPainter& p, int size) {
  QLinearGradient sky(QPointF(0, 12), QPointF(0, 244));
  sky.setColorAt(0, QColor(20, 16, 60));
  sky.setColorAt(1, QColor(90, 30, 120));
  p.setBrush(sky);
  p.setPen(QPen(QColor(10, 8, 30), stroke(size, 4)));
  p.drawRoundedRect(QRectF(12, 12, 232, 232), 40, 40);
  QPainterPath frame;
  frame.addRoundedRect(QRectF(14, 14, 228, 228), 38, 38);
  p.setClipPath(frame);
  if (size >= 24) {
    // Floor lines converge on a vanishing point above the frame's centre.
    p.setPen(QPen(QColor(90, 220, 255, 170), stroke(size, 2.5)));
    const QPointF vanish(128, 70);
    for (int k = -3; k <= 3; ++k) p.drawLine(vanish, QPointF(128 + k * 60, 238));
    for (int k = 0; k < 4; ++k) {
      const double y = 120 + std::pow(k / 3.0, 1.6) * 116;
      p.drawLine(QPointF(18, y), QPointF(238, y));
    }
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(
      QPen(QColor(255, 200, 70), stroke(size, 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawRoundedRect(QRectF(66, 150, 124, 70), 10, 10);
  QRadialGradient glow(QPointF(128, 106), 70);
  glow.setColorAt(0, QColor(255, 255, 255, 140));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(128, 106), 70, 70);
  QRadialGradient ball(QPointF(114, 92), 48);
  ball.setColorAt(0, QColor(255, 255, 255));
  ball.setColorAt(0.45, QColor(120, 220, 255));
  ball.setColorAt(1, QColor(20, 90, 200));
  p.setBrush(ball);
  p.setPen(QPen(QColor(10, 40, 110), stroke(size, 3)));
  p.drawEllipse(QPointF(128, 106), 40, 40);
  p.setClipping(false);
}

}  // namespace

const std::vector<IconMotif>& motifs() {
  static const std::vector<IconMotif> all = {
      {"org.classicsuite.diskindx", drawCatalogue},
      {"org.classicsuite.finova", drawCalculator},
      {"org.classicsuite.drox", drawDroid},
      {"org.classicsuite.vortexia", drawArcade},
  };
  return all;
}

QImage renderIcon(const IconMotif& motif, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 256.0, size / 256.0);
  motif.draw(painter, size);
  painter.end();
  return image;
}

}  // namespace suiteicons
