#include "arcade/imagelib/game_palette.h"

#include <algorithm>
#include <cstdlib>

#include "arcade/imagelib/resources.h"

namespace arcade {

const std::array<std::uint32_t, kPaletteSize> kGamePaletteTable = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,  // 0
    0xC0DCC0, 0xA6CAF0, 0x86A9B2, 0x54738C, 0x3C556B, 0x2E3D42, 0x242621, 0x546170,  // 8
    0x1B0303, 0x370303, 0x540303, 0x710303, 0x8E0303, 0xAB0303, 0xC80303, 0xE50303,  // 16
    0x1B1B03, 0x373703, 0x545403, 0x717103, 0x8E8E03, 0xABAB03, 0xC8C803, 0xE5E503,  // 24
    0x031B03, 0x033703, 0x035403, 0x037103, 0x038E03, 0x03AB03, 0x03C803, 0x03E503,  // 32
    0x031B1B, 0x033737, 0x035454, 0x037171, 0x038E8E, 0x03ABAB, 0x03C8C8, 0x03E5E5,  // 40
    0x03031B, 0x030337, 0x030354, 0x030371, 0x03038E, 0x0303AB, 0x0303C8, 0x0303E5,  // 48
    0x1B031B, 0x370337, 0x540354, 0x710371, 0x8E038E, 0xAB03AB, 0xC803C8, 0xE503E5,  // 56
    0x804000, 0xC04000, 0xFF4000, 0x408000, 0xC08000, 0xFF8000, 0x40C000, 0x80C000,  // 64
    0xC0C000, 0xFFC000, 0x40FF00, 0x80FF00, 0xC0FF00, 0x000055, 0x400055, 0x800055,  // 72
    0xC00055, 0xFF0055, 0x004055, 0x404055, 0x804055, 0xC04055, 0xFF4055, 0x008055,  // 80
    0x408055, 0x808055, 0xC08055, 0xFF8055, 0x00C055, 0x40C055, 0x80C055, 0xC0C055,  // 88
    0xFFC055, 0x00FF55, 0x40FF55, 0x80FF55, 0xC0FF55, 0xFFFF55, 0x0000AA, 0x4000AA,  // 96
    0x8000AA, 0xC000AA, 0xFF00AA, 0x0040AA, 0x4040AA, 0x8040AA, 0xC040AA, 0xFF40AA,  // 104
    0x0080AA, 0x4080AA, 0x8080AA, 0xC080AA, 0xFF80AA, 0x00C0AA, 0x40C0AA, 0x80C0AA,  // 112
    0xFFC0AA, 0x00FFAA, 0x40FFAA, 0x80FFAA, 0xC0FFAA, 0xFFFFAA, 0x4000FF, 0x8000FF,  // 120
    0xC000FF, 0x0040FF, 0x4040FF, 0x8040FF, 0xC040FF, 0xFF40FF, 0x0080FF, 0x4080FF,  // 128
    0x8080FF, 0xC080FF, 0xFF80FF, 0x00C0FF, 0x40C0FF, 0x80C0FF, 0xC0C0FF, 0xFFC0FF,  // 136
    0x40FFFF, 0x80FFFF, 0xC0FFFF, 0xA38C77, 0x725D49, 0xA5886B, 0x947D66, 0x44392D,  // 144
    0x322D28, 0x696456, 0x916C5D, 0x89CA58, 0x816252, 0x795A4D, 0x715448, 0x694E43,  // 152
    0x61483E, 0x594239, 0x513C34, 0x49362F, 0x41302A, 0x392A24, 0x204080, 0x2B4986,  // 160
    0x35538C, 0x405C92, 0x4B6599, 0x556F9F, 0x6078A5, 0x6B81AB, 0x758BB1, 0x8094B7,  // 168
    0x8B9DBD, 0x95A7C3, 0xA0B0CA, 0xABB9D0, 0xB5C3D6, 0xC0CCDC, 0x4040C0, 0x433CBA,  // 176
    0x4538B4, 0x4834AE, 0x4A2FA8, 0x4D2BA2, 0x4F279C, 0x522396, 0x541F90, 0x571B8A,  // 184
    0x591784, 0x5C137E, 0x5E0E78, 0x610A72, 0x63066C, 0x660266, 0x08E140, 0x08D64B,  // 192
    0x08CC55, 0x08C160, 0x08B66B, 0x08AB76, 0x08A180, 0x08968B, 0x088B96, 0x0880A1,  // 200
    0x0876AB, 0x086BB6, 0x0860C1, 0x0855CC, 0x084BD6, 0x0840E1, 0x802828, 0x7B2F27,  // 208
    0x753626, 0x703D25, 0x6B4424, 0x654B23, 0x605222, 0x5B5921, 0x555F1F, 0x50661E,  // 216
    0x4B6D1D, 0x45741C, 0x407B1B, 0x3B821A, 0x358919, 0x309018, 0x030303, 0x141414,  // 224
    0x242424, 0x353535, 0x454545, 0x565656, 0x676767, 0x777777, 0x888888, 0x989898,  // 232
    0xA9A9A9, 0xBABABA, 0xCACACA, 0xDBDBDB, 0xEBEBEB, 0xFCFCFC, 0xFFFBF0, 0xA0A0A4,  // 240
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,  // 248
};

namespace {

int nearestSquared(const std::array<Rgb, kPaletteSize>& pal, int r, int g, int b, int first,
                   int last) {
  int best = first;
  int bestDistance = 1 << 30;
  for (int i = first; i <= last; ++i) {
    const int dr = pal[i].r - r, dg = pal[i].g - g, db = pal[i].b - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

std::array<Rgb, kPaletteSize> tableEntries() {
  std::array<Rgb, kPaletteSize> e{};
  for (int i = 0; i < kPaletteSize; ++i) {
    const std::uint32_t v = kGamePaletteTable[i];
    e[i] = Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
               static_cast<std::uint8_t>(v)};
  }
  return e;
}

}  // namespace

std::vector<std::uint8_t> buildColourLookupResource() {
  const auto pal = tableEntries();
  std::vector<std::uint8_t> out(kLookupResourceBytes);
  for (int c = 0; c < kLookupTableEntries; ++c) {
    const int r = (c & 31) * 8, g = ((c >> 5) & 31) * 8, b = ((c >> 10) & 31) * 8;
    out[c] = static_cast<std::uint8_t>(nearestSquared(pal, r, g, b, 0, kPaletteSize - 1));
    out[kLookupTableEntries + c] =
        static_cast<std::uint8_t>(nearestSquared(pal, r, g, b, kFirstGameColour, kLastGameColour));
  }
  return out;
}

const std::array<Rgb, kPaletteSize>& CGamePalette::TableEntries() {
  static const std::array<Rgb, kPaletteSize> entries = tableEntries();
  return entries;
}

CGamePalette::CGamePalette() : m_entries(TableEntries()), m_lookup(buildColourLookupResource()) {}

bool CGamePalette::LoadLookup(const IResources& resources) {
  std::vector<std::uint8_t> data;
  if (!resources.Load(ResourceType::Wave, kLookupResourceId, data)) return false;
  if (data.size() != static_cast<std::size_t>(kLookupResourceBytes)) return false;
  m_lookup = std::move(data);
  return true;
}

Rgb CGamePalette::Entry(int index) const {
  return m_entries[index & 255];
}

void CGamePalette::ConvertBgr(std::span<const std::uint8_t> bgr, std::span<std::uint8_t> out,
                              LookupTable table) const {
  const std::size_t count = std::min(bgr.size() / 3, out.size());
  for (std::size_t i = 0; i < count; ++i) {
    out[i] = Nearest(bgr[3 * i + 2], bgr[3 * i + 1], bgr[3 * i], table);
  }
}

std::uint8_t CGamePalette::NearestByAbsoluteDistance(Rgb c) const {
  int best = 0;
  int bestDistance = 768;
  for (int i = 0; i < kPaletteSize; ++i) {
    const int d = std::abs(m_entries[i].r - c.r) + std::abs(m_entries[i].g - c.g) +
                  std::abs(m_entries[i].b - c.b);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

}  // namespace arcade
