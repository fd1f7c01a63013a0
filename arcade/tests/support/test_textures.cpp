#include "test_textures.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "arcade/imagelib/bitmap_format.h"
#include "arcade/imagelib/game_palette.h"

namespace arcade::testing {

namespace {

// Pixels of a bitmap in bottom-up rows; drawing code below uses top-down y.
class Canvas {
 public:
  Canvas(int w, int h, std::uint8_t fill)
      : m_w(w), m_h(h), m_px(static_cast<std::size_t>(w) * h, fill) {}
  void set(int x, int y, std::uint8_t c) {
    if (x >= 0 && x < m_w && y >= 0 && y < m_h)
      m_px[static_cast<std::size_t>(m_h - 1 - y) * m_w + x] = c;
  }
  int width() const { return m_w; }
  int height() const { return m_h; }
  std::vector<std::uint8_t> file() const {
    return bmp::encode8(m_w, m_h, m_px, CGamePalette::TableEntries());
  }

 private:
  int m_w, m_h;
  std::vector<std::uint8_t> m_px;
};

// A colour of one of the palette's eight-step ramps: ramp r (0..5 for red,
// yellow, green, cyan, blue, magenta) at step s (0..7, dark to bright).
std::uint8_t rampColour(int r, int s) {
  return static_cast<std::uint8_t>(16 + 8 * r + (s & 7));
}

// Grey 230..245, dark to bright.
std::uint8_t grey(int s) {
  return static_cast<std::uint8_t>(230 + (s & 15));
}

// Each surface maps a texel to a colour with shifts, masks and products only.
std::uint8_t surface(int kind, int x, int y) {
  switch (kind) {
    case 0:  // checkerboard of 16-texel squares
      return ((x >> 4) + (y >> 4)) & 1 ? rampColour(0, 6) : rampColour(0, 2);
    case 1:  // horizontal bands through the yellow ramp
      return rampColour(1, (y >> 3) & 7);
    case 2:  // vertical bands through the green ramp
      return rampColour(2, (x >> 3) & 7);
    case 3:  // diagonal stripes
      return ((x + y) >> 3) & 1 ? rampColour(3, 7) : rampColour(4, 3);
    case 4: {  // rings about the centre
      const int dx = x - 64, dy = y - 64;
      return grey(((dx * dx + dy * dy) >> 6) & 15);
    }
    case 5:  // grid lines over a blue ground
      return (x & 15) == 0 || (y & 15) == 0 ? grey(15) : rampColour(4, 4 + (((x ^ y) >> 5) & 3));
    case 6: {  // bricks: rows of 16, joints offset every other row
      const int row = y >> 4;
      const int bx = (x + (row & 1) * 16) & 31;
      if ((y & 15) == 0 || bx == 0) return grey(4);
      return 160 + ((row * 7 + ((x + (row & 1) * 16) >> 5) * 3) & 7);
    }
    case 7: {  // dots on a magenta ground
      const int dx = (x & 15) - 8, dy = (y & 15) - 8;
      return dx * dx + dy * dy < 20 ? rampColour(1, 7) : rampColour(5, 2 + ((x >> 4) & 3));
    }
    case 8:  // exclusive-or pattern through the blue-grey ramp
      return static_cast<std::uint8_t>(166 + (((x ^ y) >> 3) & 15));
    default:  // quarter-texture gradient blocks
      return rampColour((x >> 6) + 2 * (y >> 6), (x + y) >> 4);
  }
}

// A 3 x 5 block font: five rows of three bits each, bit 2 the leftmost.
using Glyph = std::array<std::uint8_t, 5>;

Glyph glyphOf(char c) {
  switch (c) {
    case '0':
      return {7, 5, 5, 5, 7};
    case '1':
      return {2, 6, 2, 2, 7};
    case '2':
      return {7, 1, 7, 4, 7};
    case '3':
      return {7, 1, 7, 1, 7};
    case '4':
      return {5, 5, 7, 1, 1};
    case '5':
      return {7, 4, 7, 1, 7};
    case '6':
      return {7, 4, 7, 5, 7};
    case '7':
      return {7, 1, 2, 2, 2};
    case '8':
      return {7, 5, 7, 5, 7};
    case '9':
      return {7, 5, 7, 1, 7};
    case ':':
      return {0, 2, 0, 2, 0};
    case ',':
      return {0, 0, 0, 2, 2};
    case 'S':
      return {7, 4, 7, 1, 7};
    case 'C':
      return {7, 4, 4, 4, 7};
    case 'O':
      return {7, 5, 5, 5, 7};
    case 'R':
      return {6, 5, 6, 5, 5};
    case 'E':
      return {7, 4, 6, 4, 7};
    case 'T':
      return {7, 2, 2, 2, 2};
    case 'I':
      return {7, 2, 2, 2, 7};
    case 'M':
      return {5, 7, 7, 5, 5};
    default:
      return {};
  }
}

// Draws c with each font cell `scale` texels square, its top-left at (x, y).
void drawGlyph(Canvas& canvas, int x, int y, char c, int scale, std::uint8_t colour) {
  const Glyph g = glyphOf(c);
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (((g[row] >> (2 - col)) & 1) == 0) continue;
      for (int j = 0; j < scale; ++j) {
        for (int i = 0; i < scale; ++i)
          canvas.set(x + col * scale + i, y + row * scale + j, colour);
      }
    }
  }
}

void drawText(Canvas& canvas, int x, int y, std::string_view text, int scale, std::uint8_t colour) {
  for (char c : text) {
    drawGlyph(canvas, x, y, c, scale, colour);
    x += 4 * scale;
  }
}

constexpr std::uint8_t kTextColour = 251;  // yellow; index 0 around it is the overlay's key

// "SCORE" in the first part, "TIME" in the second (60 and 50 columns High,
// 30 and 25 Normal).
Canvas labels(bool small) {
  const int scale = small ? 1 : 2;
  Canvas c(small ? 56 : 112, small ? 8 : 16, 0);
  drawText(c, scale, 3 * scale / 2, "SCORE", scale, kTextColour);
  drawText(c, (small ? 30 : 60) + scale, 3 * scale / 2, "TIME", scale, kTextColour);
  return c;
}

// Digits 0..9, then the colon and the thousands separator, at the columns the
// renderer reads them from.
Canvas digits(bool small) {
  const int scale = small ? 1 : 2;
  Canvas c(small ? 56 : 112, small ? 8 : 16, 0);
  const int cell = small ? 5 : 10;
  for (int d = 0; d < 10; ++d)
    drawGlyph(c, d * cell + scale, 3 * scale / 2, char('0' + d), scale, kTextColour);
  // The colon and the separator are lit in the font's middle column only,
  // which lands inside their narrow cells.
  drawGlyph(c, (small ? 50 : 100) - 1, 3 * scale / 2, ':', scale, kTextColour);
  drawGlyph(c, (small ? 52 : 105) - 1, 3 * scale / 2, ',', scale, kTextColour);
  return c;
}

// A disc shaded by its distance from a highlight up and left, key 250 around.
Canvas ball() {
  Canvas c(32, 32, 250);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int dx = 2 * x - 31, dy = 2 * y - 31;
      if (dx * dx + dy * dy > 30 * 30) continue;
      const int hx = 2 * x - 20, hy = 2 * y - 20;
      c.set(x, y, grey(15 - std::min(15, (hx * hx + hy * hy) / 200)));
    }
  }
  return c;
}

}  // namespace

void addTestTextures(MemoryResources& resources) {
  for (int kind = 0; kind < 10; ++kind) {
    Canvas c(128, 128, 0);
    for (int y = 0; y < 128; ++y) {
      for (int x = 0; x < 128; ++x) c.set(x, y, surface(kind, x, y));
    }
    resources.Add(ResourceType::Bitmap, 1002 + kind, c.file());
  }
  resources.Add(ResourceType::Bitmap, 1251, labels(false).file());
  resources.Add(ResourceType::Bitmap, 1252, labels(true).file());
  resources.Add(ResourceType::Bitmap, 1253, digits(false).file());
  resources.Add(ResourceType::Bitmap, 1254, digits(true).file());
  resources.Add(ResourceType::Bitmap, 1255, ball().file());
}

}  // namespace arcade::testing
