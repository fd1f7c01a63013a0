// The game's fixed 256-colour palette and its colour lookup tables.
//
// kGamePaletteTable is compiled in. Entries 0..9 and 246..255 are the twenty
// static system colours, the rest are the game's own. CGamePalette holds the
// palette entries and the 65,536-byte colour lookup resource: two tables of
// 32,768 palette indices addressed by a 15-bit colour
// (b >> 3) << 10 | (g >> 3) << 5 | (r >> 3).
//   - The first table gives the entry nearest by squared RGB distance to the
//     colour whose components are the 5-bit values times 8 (all 256 entries
//     compete, the lowest index wins a tie).
//   - The second table is our own rule: the nearest entry among the game's
//     colours 10..245 only, leaving out the twenty system colours. The shade
//     tables built from it differ from the first where a system colour was
//     nearest, which gives the renderer its second dither variant.
// The class does not draw anything and does not know about windows.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace arcade {

class IResources;

inline constexpr int kPaletteSize = 256;
inline constexpr int kFirstGameColour = 10;
inline constexpr int kLastGameColour = 245;
inline constexpr int kLookupTableEntries = 32768;
inline constexpr int kLookupResourceBytes = 2 * kLookupTableEntries;
inline constexpr int kLookupResourceId = 12;

extern const std::array<std::uint32_t, kPaletteSize> kGamePaletteTable;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

enum class LookupTable { First = 0, Second = 1 };

constexpr int clampComponent(int c) {
  return c < 0 ? 0 : c > 255 ? 255 : c;
}

constexpr int colour15(int r, int g, int b) {
  return (b >> 3) << 10 | (g >> 3) << 5 | (r >> 3);
}

// Builds the 65,536-byte lookup resource by the rules above.
std::vector<std::uint8_t> buildColourLookupResource();

class CGamePalette {
 public:
  // Palette entries from the table; the lookup tables are computed.
  CGamePalette();
  // Takes the lookup tables from the data resource (type Wave, id 12) when it
  // exists with the right size; otherwise keeps the computed ones. Returns
  // whether the resource was used.
  bool LoadLookup(const IResources& resources);

  // The compiled-in palette as RGB entries (the colour table of every
  // picture handed to the screen).
  static const std::array<Rgb, kPaletteSize>& TableEntries();
  Rgb Entry(int index) const;
  const std::array<Rgb, kPaletteSize>& Entries() const { return m_entries; }
  // Components outside 0..255 are held at the nearer end first, so every
  // colour lands inside its table.
  std::uint8_t Nearest(int r, int g, int b, LookupTable table = LookupTable::First) const {
    return m_lookup[static_cast<int>(table) * kLookupTableEntries +
                    colour15(clampComponent(r), clampComponent(g), clampComponent(b))];
  }
  // Converts count triplets stored blue, green, red to palette indices.
  void ConvertBgr(std::span<const std::uint8_t> bgr, std::span<std::uint8_t> out,
                  LookupTable table = LookupTable::First) const;
  // The entry with the smallest sum of absolute component differences; the
  // lowest index wins a tie (the rule used when remapping bitmaps).
  std::uint8_t NearestByAbsoluteDistance(Rgb c) const;

 private:
  std::array<Rgb, kPaletteSize> m_entries{};
  std::vector<std::uint8_t> m_lookup;
};

}  // namespace arcade
