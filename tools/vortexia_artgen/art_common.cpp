#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

#include "arcade/imagelib/bitmap_format.h"
#include "arcade/imagelib/game_palette.h"
#include "arcade/renderer/pixel_font.h"
#include "art.h"

namespace artgen {

std::uint32_t hash(std::uint32_t a, std::uint32_t b, std::uint32_t seed) {
  std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

double valueNoise(double x, double y, int period, std::uint32_t seed) {
  const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  const double fx = x - xi, fy = y - yi;
  auto corner = [&](int cx, int cy) {
    const int wx = ((cx % period) + period) % period, wy = ((cy % period) + period) % period;
    return (hash(static_cast<std::uint32_t>(wx), static_cast<std::uint32_t>(wy), seed) & 0xFFFF) /
           65535.0;
  };
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double top = corner(xi, yi) + (corner(xi + 1, yi) - corner(xi, yi)) * sx;
  const double bot = corner(xi, yi + 1) + (corner(xi + 1, yi + 1) - corner(xi, yi + 1)) * sx;
  return top + (bot - top) * sy;
}

double fbm(double x, double y, int octaves, int period, std::uint32_t seed) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * valueNoise(x, y, period, seed + static_cast<std::uint32_t>(o) * 101u);
    norm += amp;
    x *= 2;
    y *= 2;
    period *= 2;
    amp *= 0.5;
  }
  return sum / norm;
}

QColor mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor(static_cast<int>(a.red() + (b.red() - a.red()) * t),
                static_cast<int>(a.green() + (b.green() - a.green()) * t),
                static_cast<int>(a.blue() + (b.blue() - a.blue()) * t));
}

QColor ramp(const std::vector<std::pair<double, QColor>>& stops, double t) {
  if (t <= stops.front().first) return stops.front().second;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].first) {
      const double span = stops[i].first - stops[i - 1].first;
      return mix(stops[i - 1].second, stops[i].second, (t - stops[i - 1].first) / span);
    }
  }
  return stops.back().second;
}

std::vector<std::uint8_t> glyphRows(char c) {
  const auto rows = arcade::PixelGlyph(c);
  if (!rows) return {};
  return {rows->begin(), rows->end()};
}

int drawPixelText(QImage& image, int x, int y, const std::string& text, int cell, const QColor& top,
                  const QColor& bottom, int spacing) {
  QPainter p(&image);
  for (char c : text) {
    const auto rows = glyphRows(c);
    for (int pass = 0; pass < 2; ++pass) {
      for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const QColor fill = pass == 0 ? QColor(40, 20, 10) : mix(top, bottom, r / 6.0);
        for (int col = 0; col < 5; ++col) {
          if (!(rows[r] & (0x10 >> col))) continue;
          const int off = pass == 0 && cell > 1 ? 1 : 0;
          if (pass == 0 && cell == 1) continue;
          p.fillRect(x + col * cell + off, y + r * cell + off, cell, cell, fill);
        }
      }
    }
    x += 5 * cell + spacing;
  }
  return x;
}

namespace {

int nearestIndex(const std::array<arcade::Rgb, 256>& pal, double r, double g, double b,
                 const std::vector<bool>& allowed) {
  int best = 0;
  double bestD = 1e18;
  for (int i = 0; i < 256; ++i) {
    if (!allowed[i]) continue;
    const double dr = pal[i].r - r, dg = pal[i].g - g, db = pal[i].b - b;
    const double d = 0.30 * dr * dr + 0.59 * dg * dg + 0.11 * db * db;
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

}  // namespace

std::vector<std::uint8_t> toPalette(const QImage& source, const Quantise& q) {
  const QImage img = source.convertToFormat(QImage::Format_ARGB32);
  const int w = img.width(), h = img.height();
  const auto& pal = arcade::CGamePalette::TableEntries();
  std::vector<bool> allowed(256, true);
  for (int i : q.excluded) allowed[i] = false;
  if (q.transparentIndex >= 0) allowed[q.transparentIndex] = false;
  std::vector<std::array<double, 3>> err(static_cast<std::size_t>(w + 2) * 2, {0, 0, 0});
  std::vector<std::uint8_t> out(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    auto* cur = &err[static_cast<std::size_t>(y & 1) * (w + 2)];
    auto* nxt = &err[static_cast<std::size_t>((y + 1) & 1) * (w + 2)];
    std::fill(nxt, nxt + w + 2, std::array<double, 3>{0, 0, 0});
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      std::uint8_t index;
      if (qAlpha(line[x]) < 128 && q.transparentIndex >= 0) {
        index = static_cast<std::uint8_t>(q.transparentIndex);
      } else {
        const double r = std::clamp(qRed(line[x]) + cur[x + 1][0], 0.0, 255.0);
        const double g = std::clamp(qGreen(line[x]) + cur[x + 1][1], 0.0, 255.0);
        const double b = std::clamp(qBlue(line[x]) + cur[x + 1][2], 0.0, 255.0);
        index = static_cast<std::uint8_t>(nearestIndex(pal, r, g, b, allowed));
        if (q.dither) {
          const double e[3] = {(r - pal[index].r) * 0.8, (g - pal[index].g) * 0.8,
                               (b - pal[index].b) * 0.8};
          for (int k = 0; k < 3; ++k) {
            cur[x + 2][k] += e[k] * 7 / 16;
            nxt[x][k] += e[k] * 3 / 16;
            nxt[x + 1][k] += e[k] * 5 / 16;
            nxt[x + 2][k] += e[k] * 1 / 16;
          }
        }
      }
      out[static_cast<std::size_t>(h - 1 - y) * w + x] = index;  // bottom-up
    }
  }
  return out;
}

bool writeBitmap(const std::string& path, const QImage& image, const Quantise& q) {
  const auto pixels = toPalette(image, q);
  const auto bytes = arcade::bmp::encode8(image.width(), image.height(), pixels,
                                          arcade::CGamePalette::TableEntries());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace artgen
