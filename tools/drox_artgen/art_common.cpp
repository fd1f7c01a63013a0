#include <algorithm>
#include <fstream>

#include "art.h"
#include "font.h"

namespace drox_art {
namespace {

struct Ramp {
  Rgb base;
  Rgb light;
};

// Ramp 0 is grey from black to white; every other ramp runs from a tinted
// near-black through its base colour (shade 10) to a highlight (shade 15).
constexpr std::array<Ramp, 16> kRamps = {{
    {{128, 128, 128}, {255, 255, 255}},  // grey
    {{70, 110, 170}, {205, 228, 255}},   // steel blue
    {{0, 185, 215}, {215, 255, 255}},    // cyan
    {{205, 30, 30}, {255, 195, 170}},    // red
    {{235, 120, 20}, {255, 228, 150}},   // orange
    {{230, 196, 30}, {255, 255, 195}},   // gold
    {{62, 128, 50}, {190, 240, 150}},    // grass
    {{30, 98, 42}, {140, 212, 110}},     // hedge
    {{128, 80, 40}, {232, 192, 140}},    // wood
    {{150, 140, 122}, {238, 232, 218}},  // stone
    {{130, 60, 182}, {228, 192, 255}},   // purple
    {{210, 60, 150}, {255, 202, 236}},   // pink
    {{44, 72, 205}, {172, 192, 255}},    // blue
    {{30, 140, 120}, {172, 242, 222}},   // teal
    {{160, 62, 40}, {242, 172, 142}},    // brick
    {{150, 210, 30}, {232, 255, 172}},   // lime
}};

std::uint8_t lerp(int a, int b, double t) {
  return static_cast<std::uint8_t>(std::clamp(static_cast<int>(a + (b - a) * t + 0.5), 0, 255));
}

std::array<Rgb, 256> buildPalette() {
  std::array<Rgb, 256> out{};
  for (int r = 0; r < 16; ++r) {
    const Ramp& ramp = kRamps[static_cast<std::size_t>(r)];
    for (int level = 0; level < 16; ++level) {
      Rgb c;
      if (r == 0) {
        const auto v = static_cast<std::uint8_t>(level * 17);
        c = {v, v, v};
      } else if (level <= 10) {
        const double t = level / 10.0;
        c = {lerp(ramp.base.r / 9, ramp.base.r, t), lerp(ramp.base.g / 9, ramp.base.g, t),
             lerp(ramp.base.b / 9, ramp.base.b, t)};
        // Only entry 0 may be pure black: black is transparent.
        if (c.r == 0 && c.g == 0 && c.b == 0) c.b = 4;
      } else {
        const double t = (level - 10) / 5.0;
        c = {lerp(ramp.base.r, ramp.light.r, t), lerp(ramp.base.g, ramp.light.g, t),
             lerp(ramp.base.b, ramp.light.b, t)};
      }
      out[static_cast<std::size_t>(r * 16 + level)] = c;
    }
  }
  return out;
}

int nearest(const std::array<Rgb, 256>& pal, int r, int g, int b) {
  int best = 1;
  long bestD = -1;
  for (int i = 1; i < 256; ++i) {
    const long dr = pal[i].r - r, dg = pal[i].g - g, db = pal[i].b - b;
    const long d = 3 * dr * dr + 6 * dg * dg + 2 * db * db;
    if (bestD < 0 || d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

}  // namespace

const std::array<Rgb, 256>& gamePalette() {
  static const std::array<Rgb, 256> palette = buildPalette();
  return palette;
}

std::vector<std::uint8_t> toIndices(const QImage& source) {
  const QImage img = source.convertToFormat(QImage::Format_ARGB32);
  const auto& pal = gamePalette();
  std::vector<std::uint8_t> out(static_cast<std::size_t>(img.width()) * img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb px = line[x];
      const int index = qAlpha(px) < 128 ? 0 : nearest(pal, qRed(px), qGreen(px), qBlue(px));
      out[static_cast<std::size_t>(y) * img.width() + x] = static_cast<std::uint8_t>(index);
    }
  }
  return out;
}

namespace {
void put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
}  // namespace

// File header (14 bytes), information header (40 bytes), 256 colour-table
// entries (blue, green, red, 0), then rows bottom-up, each padded to 4 bytes.
std::vector<std::uint8_t> encodeBitmap(int width, int height,
                                       const std::vector<std::uint8_t>& topDown) {
  constexpr std::uint32_t kHeaders = 14 + 40 + 256 * 4;
  const auto stride = static_cast<std::uint32_t>((width + 3) & ~3);
  const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> b;
  b.reserve(kHeaders + imageBytes);
  b.push_back('B');
  b.push_back('M');
  put32(b, kHeaders + imageBytes);
  put32(b, 0);
  put32(b, kHeaders);
  put32(b, 40);
  put32(b, static_cast<std::uint32_t>(width));
  put32(b, static_cast<std::uint32_t>(height));
  put16(b, 1);
  put16(b, 8);
  put32(b, 0);
  put32(b, imageBytes);
  put32(b, 2835);
  put32(b, 2835);
  put32(b, 256);
  put32(b, 0);
  for (const Rgb& c : gamePalette()) {
    b.push_back(c.b);
    b.push_back(c.g);
    b.push_back(c.r);
    b.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    const auto* row = topDown.data() + static_cast<std::size_t>(y) * width;
    b.insert(b.end(), row, row + width);
    for (std::uint32_t pad = static_cast<std::uint32_t>(width); pad < stride; ++pad) b.push_back(0);
  }
  return b;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

QImage blank(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

int textWidth(const std::string& text, const TextStyle& s) {
  if (text.empty()) return 0;
  return static_cast<int>(text.size()) * (5 * s.cellW + s.spacing) - s.spacing;
}

void drawText(QImage& image, int x, int y, const std::string& text, const TextStyle& s) {
  QPainter p(&image);
  for (int pass = 0; pass < 2; ++pass) {
    int cx = x;
    for (char c : text) {
      const auto rows = glyphRows(c);
      for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        // The gradient runs over the capital height; descenders keep the
        // bottom colour.
        const double t = std::min(r, kCapRows - 1) / static_cast<double>(kCapRows - 1);
        const QColor fill =
            QColor(lerp(s.top.red(), s.bottom.red(), t), lerp(s.top.green(), s.bottom.green(), t),
                   lerp(s.top.blue(), s.bottom.blue(), t));
        for (int col = 0; col < 5; ++col) {
          if (!(rows[static_cast<std::size_t>(r)] & (0x10 >> col))) continue;
          const int px = cx + col * s.cellW, py = y + r * s.cellH;
          const int w = s.cellW + (s.bold ? 1 : 0);
          if (pass == 0) {
            p.fillRect(px - 1, py - 1, w + 2, s.cellH + 2, s.outline);
          } else {
            p.fillRect(px, py, w, s.cellH, fill);
          }
        }
      }
      cx += 5 * s.cellW + s.spacing;
    }
  }
}

void drawTextCentred(QImage& image, int y, const std::string& text, const TextStyle& style) {
  drawText(image, (image.width() - textWidth(text, style)) / 2, y, text, style);
}

void faceHeading(QPainter& p, int boxW, int boxH, int headingCode, double diagonalScale) {
  // Degrees clockwise from up for the heading codes 33..40.
  static constexpr std::array<int, 8> kAngles = {45, 135, 225, 315, 270, 0, 90, 180};
  const int angle = kAngles[static_cast<std::size_t>(std::clamp(headingCode, 33, 40) - 33)];
  p.translate(boxW / 2.0, boxH / 2.0);
  p.rotate(angle);
  if (angle % 90 != 0) p.scale(diagonalScale, diagonalScale);
}

QImage paletteCarrier() {
  // Any 8 x 8 picture carries the palette; this one shows the ramps' mid shades.
  QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
  const auto& pal = gamePalette();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const Rgb& c = pal[static_cast<std::size_t>(((y * 8 + x) % 16) * 16 + 10)];
      image.setPixel(x, y, qRgb(c.r, c.g, c.b));
    }
  }
  return image;
}

}  // namespace drox_art
