// The surface textures 1002..1011 (128 x 128): a banded planet surface,
// hexagonal metal plating, two circuit boards, cobblestones, riveted steel,
// white and green marble, sandstone bricks and a bronze tech panel. Each is
// computed per pixel from seeded noise (and painted with QPainter where
// shapes are easier), so the output is the same on every run.
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "art.h"

namespace artgen {

namespace {

constexpr int kSize = 128;
using Stops = std::vector<std::pair<double, QColor>>;

template <typename F>
QImage perPixel(F colourAt) {
  QImage img(kSize, kSize, QImage::Format_ARGB32);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x)
      img.setPixelColor(x, y, colourAt(x / double(kSize), y / double(kSize)));
  }
  return img;
}

QImage planetBands() {
  const Stops stops = {{0.0, QColor(90, 40, 20)},     {0.25, QColor(200, 120, 60)},
                       {0.45, QColor(240, 210, 160)}, {0.6, QColor(180, 90, 50)},
                       {0.8, QColor(230, 180, 110)},  {1.0, QColor(110, 50, 30)}};
  return perPixel([&](double x, double y) {
    const double warp = fbm(x * 4, y * 4, 4, 4, 11) - 0.5;
    const double band = 0.5 + 0.5 * std::sin((y * 6 + warp * 1.6) * std::numbers::pi * 2);
    const double fine = fbm(x * 16, y * 64, 3, 16, 12);
    return ramp(stops, std::clamp(band * 0.8 + fine * 0.3, 0.0, 1.0));
  });
}

QImage hexPlating() {
  return perPixel([](double x, double y) {
    // Hex cells of radius r: distance to the nearest cell centre on two
    // offset lattices.
    const double r = 1.0 / 6, h = r * std::sqrt(3.0);
    double best = 1e9;
    for (int layer = 0; layer < 2; ++layer) {
      const double ox = layer * r * 1.5, oy = layer * h / 2;
      const double cx = std::round((x - ox) / (r * 3)) * r * 3 + ox;
      const double cy = std::round((y - oy) / h) * h + oy;
      const double dx = std::abs(x - cx), dy = std::abs(y - cy);
      const double d = std::max(dx * 0.866 + dy * 0.5, dy);
      best = std::min(best, d);
    }
    const double edge = std::clamp((h / 2 - best) / 0.012, 0.0, 1.0);
    const double sheen = 0.55 + 0.35 * std::sin((x + y) * 9) + 0.1 * fbm(x * 32, y * 2, 2, 32, 21);
    const QColor metal = mix(QColor(70, 80, 100), QColor(200, 215, 235), sheen);
    return mix(QColor(20, 24, 34), metal, edge);
  });
}

QImage circuitBoard(const QColor& board, const QColor& trace, std::uint32_t seed) {
  QImage img = perPixel([&](double x, double y) {
    return mix(board, board.darker(160), fbm(x * 8, y * 8, 3, 8, seed) * 0.8);
  });
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  std::uint32_t state = seed;
  auto next = [&](int n) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(n));
  };
  for (int t = 0; t < 22; ++t) {
    QPainterPath path;
    int x = next(16) * 8 + 4, y = next(16) * 8 + 4;
    path.moveTo(x, y);
    for (int s = 0; s < 4; ++s) {
      const int len = (next(5) + 2) * 8;
      if (next(2) == 0)
        x += next(2) ? len : -len;
      else
        y += next(2) ? len : -len;
      path.lineTo(x, y);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(trace.darker(170), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(trace, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setBrush(trace.lighter(130));
    p.setPen(QPen(trace.darker(200), 1));
    p.drawEllipse(QPointF(x, y), 3.5, 3.5);
  }
  for (int c = 0; c < 3; ++c) {
    const QRect chip(next(10) * 10 + 6, next(10) * 10 + 6, 26, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 24));
    p.drawRect(chip);
    p.setBrush(QColor(200, 200, 190));
    for (int k = 0; k < 5; ++k) {
      p.drawRect(chip.left() + 2 + k * 5, chip.top() - 3, 2, 3);
      p.drawRect(chip.left() + 2 + k * 5, chip.bottom() + 1, 2, 3);
    }
  }
  return img;
}

QImage cobblestone() {
  return perPixel([](double x, double y) {
    // Voronoi stones on an 6 x 6 jittered grid, mortar between them.
    const int n = 6;
    double d1 = 9, d2 = 9;
    std::uint32_t id = 0;
    for (int gy = -1; gy <= n; ++gy) {
      for (int gx = -1; gx <= n; ++gx) {
        const std::uint32_t hx = static_cast<std::uint32_t>((gx + n) % n),
                            hy = static_cast<std::uint32_t>((gy + n) % n);
        const double px = (gx + 0.2 + 0.6 * (hash(hx, hy, 31) & 255) / 255.0) / n;
        const double py = (gy + 0.2 + 0.6 * (hash(hx, hy, 32) & 255) / 255.0) / n;
        const double d = std::hypot(x - px, y - py);
        if (d < d1) {
          d2 = d1;
          d1 = d;
          id = hash(hx, hy, 33);
        } else if (d < d2) {
          d2 = d;
        }
      }
    }
    const double gap = std::clamp((d2 - d1) / 0.02, 0.0, 1.0);
    const double tone = 0.45 + 0.25 * ((id & 255) / 255.0) + 0.3 * fbm(x * 16, y * 16, 4, 16, 34);
    const QColor stone = mix(QColor(70, 66, 60), QColor(190, 182, 168), tone);
    const QColor lit = mix(stone, stone.lighter(125), std::clamp(1 - d1 * n * 1.6, 0.0, 1.0));
    return mix(QColor(40, 36, 32), lit, gap);
  });
}

QImage rivetedSteel() {
  QImage img = perPixel([](double x, double y) {
    const double brushed = fbm(x * 2, y * 48, 3, 2, 41);
    QColor c = mix(QColor(60, 80, 110), QColor(150, 175, 205), 0.3 + 0.6 * brushed);
    const double border = std::min(std::min(x, 1 - x), std::min(y, 1 - y));
    if (border < 0.06) c = border < 0.03 ? c.lighter(140) : c.darker(150);
    return c;
  });
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  for (int cy : {16, 112}) {
    for (int cx : {16, 64, 112}) {
      QRadialGradient g(QPointF(cx - 1.5, cy - 1.5), 5);
      g.setColorAt(0, QColor(235, 240, 250));
      g.setColorAt(1, QColor(60, 70, 90));
      p.setPen(QPen(QColor(25, 30, 40), 1));
      p.setBrush(g);
      p.drawEllipse(QPointF(cx, cy), 4.5, 4.5);
    }
  }
  return img;
}

QImage marble(const QColor& base, const QColor& vein, std::uint32_t seed) {
  return perPixel([&](double x, double y) {
    const double turb = fbm(x * 4, y * 4, 5, 4, seed);
    const double v = std::abs(std::sin((x * 3 + y * 2 + turb * 4) * std::numbers::pi));
    const double veins = std::pow(v, 0.35);
    const double cloud = fbm(x * 8, y * 8, 3, 8, seed + 7);
    return mix(vein, mix(base, base.darker(115), cloud), veins);
  });
}

QImage sandstoneBricks() {
  return perPixel([](double x, double y) {
    const int row = static_cast<int>(y * 8);
    const double shifted = x * 4 + (row % 2) * 0.5;
    const double bx = shifted - std::floor(shifted), by = y * 8 - row;
    const int brick = static_cast<int>(std::floor(shifted)) + row * 7;
    const bool mortar = bx < 0.04 || by < 0.1;
    const double grain = fbm(x * 24, y * 24, 4, 24, 51);
    const double tone = ((hash(static_cast<std::uint32_t>(brick), 3, 52) & 255) / 255.0) * 0.35;
    QColor c = mix(QColor(170, 110, 60), QColor(235, 190, 120), tone + grain * 0.6);
    if (by > 0.85) c = c.darker(125);
    return mortar ? QColor(80, 60, 45) : c;
  });
}

QImage bronzePanel() {
  QImage img = perPixel([](double x, double y) {
    const double n = fbm(x * 6, y * 6, 4, 6, 61);
    QColor c = mix(QColor(90, 50, 20), QColor(210, 140, 70), n);
    const double gx = std::abs(x * 4 - std::round(x * 4)), gy = std::abs(y * 4 - std::round(y * 4));
    if (std::min(gx, gy) < 0.03) c = QColor(40, 22, 10);
    return c;
  });
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 255, 230), 1.5));
  for (int k = 0; k < 4; ++k) {
    p.drawLine(QPointF(8, 16 + k * 32), QPointF(56, 16 + k * 32));
    p.drawLine(QPointF(72, 8 + k * 32), QPointF(72, 24 + k * 32));
    p.drawEllipse(QPointF(104, 16 + k * 32), 6, 6);
  }
  return img;
}

}  // namespace

QImage texture(int id) {
  switch (id) {
    case 1002:
      return planetBands();
    case 1003:
      return hexPlating();
    case 1004:
      return circuitBoard(QColor(20, 90, 40), QColor(220, 180, 60), 71);
    case 1005:
      return cobblestone();
    case 1006:
      return rivetedSteel();
    case 1007:
      return marble(QColor(235, 232, 225), QColor(70, 70, 80), 81);
    case 1008:
      return circuitBoard(QColor(20, 40, 110), QColor(230, 200, 90), 91);
    case 1009:
      return sandstoneBricks();
    case 1010:
      return marble(QColor(40, 150, 90), QColor(10, 50, 30), 101);
    default:
      return bronzePanel();
  }
}

}  // namespace artgen
