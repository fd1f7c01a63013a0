// The hero, the droids and the small hero of the lives overlay. Each figure
// is drawn once, facing up and centred on the origin, and turned into the
// box of its heading; the diagonal boxes are squarer, so diagonal figures
// are drawn a little smaller.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "art.h"

namespace drox_art {
namespace {

const QColor kInk(18, 24, 40);

void tread(QPainter& p, double x, double top, double bottom) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(66, 68, 76));
  p.drawRoundedRect(QRectF(x, top, 12, bottom - top), 4, 4);
  p.setPen(QPen(QColor(120, 124, 136), 1.5));
  for (double y = top + 5; y < bottom - 3; y += 6)
    p.drawLine(QPointF(x + 2, y), QPointF(x + 10, y));
}

// Facing up inside x -28..28, y -40..40; the gun's tip touches y = -40.
void drawHeroFigure(QPainter& p, bool hit) {
  tread(p, -28, -30, 34);
  tread(p, 16, -30, 34);
  QLinearGradient body(-19, 0, 19, 0);
  body.setColorAt(0, hit ? QColor(255, 170, 120) : QColor(170, 205, 245));
  body.setColorAt(0.45, hit ? QColor(225, 70, 40) : QColor(80, 124, 190));
  body.setColorAt(1, hit ? QColor(120, 20, 10) : QColor(36, 58, 110));
  p.setPen(QPen(kInk, 2.5));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(-19, -22, 38, 52), 9, 9);
  // Back pack with two running lights.
  p.setBrush(QColor(50, 60, 80));
  p.drawRoundedRect(QRectF(-12, 22, 24, 10), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 150, 30));
  p.drawEllipse(QPointF(-6, 27), 2.6, 2.6);
  p.drawEllipse(QPointF(6, 27), 2.6, 2.6);
  // Gun barrel.
  QLinearGradient barrel(-4, 0, 4, 0);
  barrel.setColorAt(0, QColor(215, 220, 230));
  barrel.setColorAt(1, QColor(90, 96, 110));
  p.setPen(QPen(kInk, 2));
  p.setBrush(barrel);
  p.drawRect(QRectF(-4.5, -39, 9, 30));
  p.setBrush(QColor(255, 215, 60));
  p.drawRect(QRectF(-5, -39.5, 10, 6));
  // Glass dome.
  QRadialGradient dome(QPointF(-4, -2), 16);
  dome.setColorAt(0, QColor(235, 255, 255));
  dome.setColorAt(0.35, hit ? QColor(255, 200, 120) : QColor(60, 220, 240));
  dome.setColorAt(1, hit ? QColor(150, 40, 10) : QColor(0, 90, 130));
  p.setPen(QPen(kInk, 2.5));
  p.setBrush(dome);
  p.drawEllipse(QPointF(0, 4), 13, 13);
  if (!hit) return;
  // Sparks of the blow.
  QPainterPath star;
  for (int i = 0; i < 16; ++i) {
    const double a = i * M_PI / 8;
    const double r = (i % 2 == 0) ? 30 : 12;
    const QPointF pt(r * std::cos(a), 4 + r * std::sin(a));
    if (i == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  QRadialGradient flash(QPointF(0, 4), 30);
  flash.setColorAt(0, QColor(255, 255, 220));
  flash.setColorAt(0.5, QColor(255, 210, 60));
  flash.setColorAt(1, QColor(255, 90, 20));
  p.setPen(QPen(QColor(120, 30, 10), 1.5));
  p.setBrush(flash);
  p.drawPath(star);
}

void leg(QPainter& p, double side, double baseY, double angleDeg, bool broken) {
  const double a = angleDeg * M_PI / 180;
  const QPointF hip(side * 22, baseY);
  const QPointF knee(hip.x() + side * 16 * std::cos(a), hip.y() + 16 * std::sin(a));
  const QPointF foot(knee.x() + side * 10, knee.y() + (broken ? 10 : 14) * (angleDeg < 0 ? -1 : 1));
  p.setPen(QPen(kInk, 7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(hip, knee);
  if (!broken) p.drawLine(knee, foot);
  p.setPen(
      QPen(broken ? QColor(90, 80, 78) : QColor(150, 120, 170), 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(hip, knee);
  if (!broken) p.drawLine(knee, foot);
}

// Facing up inside x -46..46, y -52..52: a six-legged crawler with one eye.
void drawDroidFigure(QPainter& p, int frame, bool destroyed) {
  const double swing = frame == 0 ? 14 : -14;
  const double legAngles[3] = {-40, 0, 40};
  for (int i = 0; i < 3; ++i) {
    const double baseY = -14 + i * 16;
    const double a = legAngles[i] + (i == 1 ? -swing : swing);
    leg(p, -1, baseY, a, destroyed && i != frame);
    leg(p, 1, baseY, a + (destroyed ? 25 : 0), destroyed && i == 1);
  }
  // Pincers.
  p.setPen(QPen(kInk, 2));
  p.setBrush(destroyed ? QColor(80, 76, 72) : QColor(190, 190, 200));
  const double open = frame == 0 ? 4 : 0;
  p.drawPolygon(QPolygonF({QPointF(-10, -38), QPointF(-14 - open, -52), QPointF(-4, -42)}));
  p.drawPolygon(QPolygonF({QPointF(10, -38), QPointF(14 + open, -52), QPointF(4, -42)}));
  // Carapace.
  QRadialGradient shell(QPointF(-8, -4), 40);
  if (destroyed) {
    shell.setColorAt(0, QColor(120, 96, 80));
    shell.setColorAt(1, QColor(40, 30, 28));
  } else {
    shell.setColorAt(0, QColor(255, 140, 150));
    shell.setColorAt(0.4, QColor(205, 30, 50));
    shell.setColorAt(1, QColor(80, 6, 30));
  }
  p.setPen(QPen(kInk, 3));
  p.setBrush(shell);
  p.drawEllipse(QPointF(0, 6), 27, 34);
  p.setPen(QPen(destroyed ? QColor(30, 22, 20) : QColor(110, 10, 40), 2));
  p.drawLine(QPointF(0, -22), QPointF(0, 38));
  p.drawArc(QRectF(-20, 0, 40, 30), 200 * 16, 140 * 16);
  // Head and eye.
  p.setPen(QPen(kInk, 3));
  p.setBrush(destroyed ? QColor(60, 50, 46) : QColor(70, 30, 90));
  p.drawEllipse(QPointF(0, -30), 15, 12);
  if (!destroyed) {
    QRadialGradient eye(QPointF(0, -32), 9);
    eye.setColorAt(0, QColor(255, 255, 210));
    eye.setColorAt(0.5, frame == 0 ? QColor(255, 230, 40) : QColor(255, 150, 20));
    eye.setColorAt(1, QColor(200, 60, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(eye);
    p.drawEllipse(QPointF(0, -32), 8, 7);
    p.setBrush(kInk);
    p.drawRect(QRectF(-1.2, -37, 2.4, 10));
    return;
  }
  // Flames of the explosion; the two frames turn the burst.
  QPainterPath burst;
  for (int i = 0; i < 18; ++i) {
    const double a = i * M_PI / 9 + (frame == 0 ? 0 : M_PI / 18);
    const double r = (i % 2 == 0) ? 34 : 15;
    const QPointF pt(r * std::cos(a), 2 + r * std::sin(a));
    if (i == 0)
      burst.moveTo(pt);
    else
      burst.lineTo(pt);
  }
  burst.closeSubpath();
  QRadialGradient fire(QPointF(0, 2), 34);
  fire.setColorAt(0, QColor(255, 255, 230));
  fire.setColorAt(0.35, QColor(255, 220, 60));
  fire.setColorAt(0.75, QColor(255, 110, 20));
  fire.setColorAt(1, QColor(200, 30, 10));
  p.setPen(QPen(QColor(110, 24, 8), 1.5));
  p.setBrush(fire);
  p.drawPath(burst);
}

QImage render(int width, int height, int headingCode, double diagonalScale, auto draw) {
  QImage image = blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  faceHeading(p, width, height, headingCode, diagonalScale);
  draw(p);
  return image;
}

}  // namespace

QImage hero(int width, int height, int headingCode, bool hit) {
  return render(width, height, headingCode, 0.8, [&](QPainter& p) { drawHeroFigure(p, hit); });
}

QImage droid(int width, int height, int headingCode, int frame, bool destroyed) {
  return render(width, height, headingCode, 0.86,
                [&](QPainter& p) { drawDroidFigure(p, frame, destroyed); });
}

QImage lifeIcon(int width, int height) {
  QImage image = blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(width / 2.0, height / 2.0);
  p.scale(0.42, 0.42);
  drawHeroFigure(p, false);
  return image;
}

}  // namespace drox_art
