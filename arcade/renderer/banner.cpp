#include "arcade/renderer/banner.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "arcade/renderer/pixel_font.h"

namespace arcade {

namespace {

constexpr int kMaxScale = 4;
// Font cells a character takes across: five lit columns and one between.
constexpr int kAdvanceCells = kGlyphColumns + 1;

int TextCells(std::string_view text) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * kAdvanceCells - 1;
}

std::uint8_t Nearest(const CGamePalette& palette, Rgb c) {
  return palette.Nearest(c.r, c.g, c.b);
}

Rgb Mix(Rgb a, Rgb b, int step, int steps) {
  auto lerp = [&](int x, int y) { return static_cast<std::uint8_t>(x + (y - x) * step / steps); };
  return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

// Writes into a bottom-up picture by top-down coordinates, inside its bounds.
class PictureWriter {
 public:
  explicit PictureWriter(CIndexedImage& picture) : m_picture(picture) {}
  std::uint8_t* At(int x, int y) {
    if (x < 0 || y < 0 || x >= m_picture.width || y >= m_picture.height) return nullptr;
    return m_picture.pixels +
           static_cast<std::ptrdiff_t>(m_picture.height - 1 - y) * m_picture.width + x;
  }
  void Fill(int x, int y, int w, int h, std::uint8_t index) {
    for (int row = y; row < y + h; ++row) {
      for (int col = x; col < x + w; ++col) {
        if (std::uint8_t* p = At(col, row)) *p = index;
      }
    }
  }

 private:
  CIndexedImage& m_picture;
};

// One line of text, top-left at (x, y), scale pixels a font cell.
void DrawLine(PictureWriter& out, const CGamePalette& palette, std::string_view text, int x, int y,
              int scale, Rgb top, Rgb bottom) {
  std::array<std::uint8_t, kGlyphRows> rowColour{};
  for (int r = 0; r < kGlyphRows; ++r) {
    rowColour[r] = Nearest(palette, Mix(top, bottom, r, kGlyphRows - 1));
  }
  const std::uint8_t shadow = Nearest(palette, kBannerShadow);
  const int offset = scale > 1 ? std::max(1, scale / 2) : 0;
  // The shadow of every glyph first, so no shadow covers a lit cell.
  for (int pass = offset > 0 ? 0 : 1; pass < 2; ++pass) {
    int left = x;
    for (char c : text) {
      const auto rows = PixelGlyph(c);
      for (int r = 0; rows && r < kGlyphRows; ++r) {
        for (int col = 0; col < kGlyphColumns; ++col) {
          if (((*rows)[r] & (0x10 >> col)) == 0) continue;
          const int px = left + col * scale + (pass == 0 ? offset : 0);
          const int py = y + r * scale + (pass == 0 ? offset : 0);
          out.Fill(px, py, scale, scale, pass == 0 ? shadow : rowColour[r]);
        }
      }
      left += kAdvanceCells * scale;
    }
  }
}

}  // namespace

BannerBox LayoutBanner(int visibleWidth, int height, const BannerText& text) {
  BannerBox box;
  const int titleCells = std::max(TextCells(text.title), 1);
  // The title may take four fifths of the width, and its letters about an
  // eighth of the height, so the banner leaves most of the play in view.
  box.titleScale = 1;
  for (int s = std::min(kMaxScale, height / 56); s > 1; --s) {
    if (titleCells * s * 5 <= visibleWidth * 4) {
      box.titleScale = s;
      break;
    }
  }
  box.detailScale = std::max(1, box.titleScale / 2);
  const int pad = std::max(3, 2 * box.titleScale);
  const int titleWidth = TextCells(text.title) * box.titleScale;
  const int detailWidth = TextCells(text.detail) * box.detailScale;
  int inner = kGlyphRows * box.titleScale;
  if (!text.detail.empty()) inner += 2 * box.detailScale + kGlyphRows * box.detailScale;
  box.width = std::max(titleWidth, detailWidth) + 2 * pad;
  box.height = inner + 2 * pad;
  box.x = (visibleWidth - box.width) / 2;
  box.y = text.low ? height - height / 20 - box.height : height * 35 / 100 - box.height / 2;
  return box;
}

BannerBox DrawBanner(CIndexedImage& picture, int visibleWidth, const CGamePalette& palette,
                     const BannerText& text) {
  const BannerBox box = LayoutBanner(visibleWidth, picture.height, text);
  if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0) return box;
  PictureWriter out(picture);
  // The scene behind the box at a third of its brightness.
  std::array<std::uint8_t, kPaletteSize> dark{};
  for (int i = 0; i < kPaletteSize; ++i) {
    const Rgb c = palette.Entry(i);
    dark[i] = palette.Nearest(c.r / 3, c.g / 3, c.b / 3);
  }
  for (int row = box.y; row < box.y + box.height; ++row) {
    for (int col = box.x; col < box.x + box.width; ++col) {
      if (std::uint8_t* p = out.At(col, row)) *p = dark[*p];
    }
  }
  const int edge = std::max(1, box.titleScale / 2);
  const std::uint8_t frame = Nearest(palette, kBannerFrame);
  out.Fill(box.x, box.y, box.width, edge, frame);
  out.Fill(box.x, box.y + box.height - edge, box.width, edge, frame);
  out.Fill(box.x, box.y, edge, box.height, frame);
  out.Fill(box.x + box.width - edge, box.y, edge, box.height, frame);
  const int pad = std::max(3, 2 * box.titleScale);
  const int titleWidth = TextCells(text.title) * box.titleScale;
  DrawLine(out, palette, text.title, box.x + (box.width - titleWidth) / 2, box.y + pad,
           box.titleScale, kBannerTitleTop, kBannerTitleBottom);
  if (!text.detail.empty()) {
    const int detailWidth = TextCells(text.detail) * box.detailScale;
    const int y = box.y + pad + kGlyphRows * box.titleScale + 2 * box.detailScale;
    DrawLine(out, palette, text.detail, box.x + (box.width - detailWidth) / 2, y, box.detailScale,
             kBannerDetailTop, kBannerDetailBottom);
  }
  return box;
}

}  // namespace arcade
