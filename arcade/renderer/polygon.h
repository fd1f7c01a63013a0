// CPolygon: one face of an object, a convex outline of 3, 4, 8 or more shared
// vertices with a fill type:
//   0 flat, 1 background (flat, no depth test, drawn first), 2 textured,
//   3 textured with a transparent key, 4 translucent (recolours what lies
//   behind, keeps its depth), 5 translucent writing depth, 6 Gouraud over
//   palette indices.
// The polygon owns its per-vertex texture coordinates (or palette indices),
// its ramp table and its edge records; it borrows its vertices (the object's)
// and its texture (the world's texture slots). Submit decides whether the
// renderer sees it this frame; the fills themselves live in CRenderer.
// CSprite is a one-vertex polygon drawn as a screen-aligned square.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "arcade/imagelib/game_palette.h"
#include "arcade/imagelib/image_cache.h"
#include "arcade/imagelib/indexed_image.h"
#include "arcade/renderer/vertex.h"
#include "arcade/world/fixed.h"

namespace arcade {

class CRenderer;

enum class PolygonType : std::uint8_t {
  Flat = 0,
  Background = 1,
  Textured = 2,
  Keyed = 3,
  Translucent = 4,
  TranslucentDepth = 5,
  Gouraud = 6,
};

// One side of a polygon during scan conversion: rows startRow..endRow, the
// interpolated values at the current row and their per-row steps (16.16).
struct EdgeRecord {
  int startRow = 0;
  int endRow = 0;
  const CVertex* upper = nullptr;
  const CVertex* lower = nullptr;
  std::int32_t x = 0, dx = 0, z = 0, dz = 0, u = 0, du = 0, v = 0, dv = 0;
};

struct TexCoord {
  std::int32_t u = 0;  // 16.16 texel column, or the palette index of a Gouraud corner
  std::int32_t v = 0;  // 16.16 texel row
};

class CPolygon {
 public:
  CPolygon(std::vector<CVertex*> vertices, bool cullBackFaces);
  virtual ~CPolygon() = default;
  CPolygon(const CPolygon&) = delete;
  CPolygon& operator=(const CPolygon&) = delete;

  // Gouraud fill; corner i takes shades[i % 4].
  void SetVertexShades(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3);
  void SetColour(const CGamePalette& palette, int r, int g, int b);
  void SetColourByIndex(std::uint8_t index);
  // The background variant of the flat colour: no depth test, drawn first.
  void SetBackgroundColour(const CGamePalette& palette, int r, int g, int b);
  // Translucent: whatever lies behind is recoloured into the ramp from
  // (r0, g0, b0) to (r1, g1, b1); writesDepth selects type 5 over type 4.
  void SetRamp(const CGamePalette& palette, int r0, int g0, int b0, int r1, int g1, int b1,
               bool writesDepth = true);
  // Textured (a keyed polygon stays keyed) with coordinates for the frame;
  // without an image the polygon is textured with no texture, which its fill
  // reports. Fewer than three vertices: nothing changes.
  void SetTexture(CIndexedImage* image, int frame = 0, int frames = 1);
  void SetTextureById(ITextureSource& textures, int number, int frame = 0, int frames = 1);
  // Turns a textured polygon into a keyed one: texels equal to key are skipped.
  void SetKey(std::uint8_t key);
  // Drops texture and ramp and returns to a flat colour 0 (used when the
  // world's textures are released).
  void Reset();

  virtual void Fill(CRenderer& renderer);
  // The edge records for this frame: sides ordered by screen y, advanced to
  // row 0, sorted by start row. interpolateInclusive selects the textured and
  // Gouraud stepping (rows = y1 - y0 + 1). Returns the number of sides.
  int Prepare(bool interpolateInclusive);
  bool IsVisible() const;
  bool PassesFacing() const;
  virtual void Submit(CRenderer& renderer);

  std::vector<CVertex*> vertices;
  PolygonType type = PolygonType::Flat;
  std::uint8_t colour = 0;
  std::unique_ptr<std::array<std::uint8_t, kPaletteSize>> ramp;
  CIndexedImage* texture = nullptr;
  std::vector<TexCoord> coords;
  bool cull = false;
  std::int32_t nearestDepth = 0;
  // Place among this frame's accepted polygons: equal depths keep it.
  std::uint32_t submission = 0;
  std::vector<EdgeRecord> edges;
};

class CSprite : public CPolygon {
 public:
  // key < 0: no transparent colour.
  CSprite(CVertex* vertex, CIndexedImage* image, Fixed worldSize, int key);
  void Fill(CRenderer& renderer) override;

  Fixed size;
  int key;
  // A ring drawn around the sprite's disc so it stands out against what is
  // behind it: rim (a bright palette index) just outside the disc and, on
  // sprites 8 pixels or larger, one pixel of outline outside that. rim < 0:
  // no ring.
  int rim = -1;
  int outline = -1;
};

}  // namespace arcade
