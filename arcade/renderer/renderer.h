// CRenderer: the game's 8-bit software renderer and its frame. It is an
// image of the image library whose block holds W x H 32-bit cells while a
// frame is drawn: the 16.16 camera-space depth of the fragment with its low
// byte replaced by the palette index, compared as a signed 32-bit value
// (a fragment is drawn when its z < the cell). The output pass turns the
// cells into the first W x H bytes of the same block, which Draw shows.
//
// Render transforms the draw list with the camera, sorts the accepted
// polygons into three lists (A: background, insertion order; B: opaque, near
// to far; C: translucent, far to near; equal depths in submission order),
// fills them, lays the score overlay
// over list A at a depth nothing can beat, and either darkens by distance
// with two dithered shade tables or copies the colours out.
//
// Not here: the world's objects (they hand in vertices and polygons through
// IDrawNode) and the window (it presents the picture through Draw).
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "arcade/imagelib/image_cache.h"
#include "arcade/imagelib/indexed_image.h"
#include "arcade/imagelib/messages.h"
#include "arcade/imagelib/shade_table.h"
#include "arcade/renderer/polygon.h"
#include "arcade/world/matrix4.h"

namespace arcade {

// Depth of the top of the playfield slab (y = 5.8) from the top-down
// camera, which hangs 150 above the centre.
inline constexpr Fixed kTopDownPlaneDepth = Fixed::fromRaw(static_cast<std::int32_t>((150.0 - 5.8) * 65536));

class CRenderer;

// A drawable of the world's draw list (newest first).
class IDrawNode {
 public:
  virtual ~IDrawNode() = default;
  // Transforms the node's vertices with its matrix times camera and submits
  // its polygons.
  virtual void DrawNode(CRenderer& renderer, const Matrix4& camera) = 0;
  virtual IDrawNode* NextNode() const = 0;
};

enum class Resolution { High = 0, Normal = 1 };
enum class BlitMode { WriteDepth, KeepDepth };

// A rectangle of pixels; y is the bottom row (rows count from the bottom).
struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// One Blit: the source rectangle of an image scaled into a rectangle of the
// frame, each texel depth-tested against one depth. For example the score
// label {.depth = overlay, .to = {4, H - 20, 60, 16}, .from = {0, 0, 60, 16},
// .key = 0} copies 60 x 16 texels 1:1 near the top left corner.
struct BlitJob {
  std::int32_t depth = 0;  // 16.16 camera depth; a texel lands where depth < cell
  PixelRect to;            // in the frame; parts outside it are cut off
  PixelRect from;          // in the image; kept inside it
  int key = -1;            // texel value left out; below 0: none
  BlitMode mode = BlitMode::WriteDepth;
};

// What the score overlay shows this frame.
struct OverlayState {
  int score = 0;
  int elapsedMs = 0;
  int spareBalls = 0;
  bool enhancementActive = false;
  int enhancementMs = 0;
};

inline constexpr int kScoreLabelTexture = 1251;
inline constexpr int kScoreLabelTextureSmall = 1252;
inline constexpr int kDigitTexture = 1253;
inline constexpr int kDigitTextureSmall = 1254;
inline constexpr int kBallTexture = 1255;
inline constexpr std::uint8_t kBallKey = 250;
inline constexpr int kFogLevels = 16;
inline constexpr int kFogTableSize = 4096;
inline constexpr int kColonGlyph = 10;
inline constexpr int kSeparatorGlyph = 11;

class CRenderer : public CIndexedImage {
 public:
  static constexpr std::size_t kMaxListA = 256;
  static constexpr std::size_t kMaxListB = 2048;
  static constexpr std::size_t kMaxListC = 256;

  CRenderer(const CGamePalette& palette, IMessageReporter& reporter, ITextureSource& textures,
            int clientWidth, int clientHeight, Resolution resolution);

  void Clear() override;

  void Resize(int clientWidth, int clientHeight, Resolution resolution);
  void Render(IDrawNode* drawList, Fixed zoom, bool shading);
  void FillFlat(CPolygon& p);
  void FillBackground(CPolygon& p);
  void FillTranslucent(CPolygon& p);
  void FillGouraud(CPolygon& p);
  void FillTextured(CPolygon& p);
  void FillSprite(CSprite& s);
  void Blit(const CIndexedImage& image, const BlitJob& job);
  void SetFog(double k, double start);
  void SetShadeColours(int r0, int g0, int b0, int r1, int g1, int b1);
  void SetBackground(int r, int g, int b);
  void FogPass();
  void ShadedOut();
  void FlatOut();
  void DrawOverlay();
  int DrawGlyph(int x, int y, int glyph);
  int DrawTime(int x, int y, int milliseconds);
  int DrawNumber(int x, int y, int value);
  void DrawBalls(int x, int y, int count);

  // Per-frame inputs besides the draw list.
  void SetCamera(const Matrix4& camera) { m_camera = camera; }
  void SetTopDown(bool on) { m_topDown = on; }
  void SetOverlay(const OverlayState& state) { m_overlay = state; }
  // Starts a frame without drawing nodes: clears the cells and the lists and
  // sets the focal length for zoom (Render's first steps).
  void BeginFrame(Fixed zoom);
  // Fills the lists as Render does after the nodes were drawn (sort, fill
  // A, overlay, B, C) and runs the output pass.
  void FinishFrame(bool shading);

  // Transforms one vertex with the given matrix: camera position, screen
  // position and outcodes.
  void Project(CVertex& v, const Matrix4& m) const;
  // Puts an accepted polygon on its list (called by CPolygon::Submit).
  void Accept(CPolygon& p);

  int frameWidth() const { return width; }
  int frameHeight() const { return height; }
  Resolution resolution() const { return m_resolution; }
  Fixed focalLength() const { return m_focal; }
  std::int32_t overlayDepth() const { return m_overlayDepth; }
  std::int32_t* cells() { return reinterpret_cast<std::int32_t*>(pixels); }
  std::uint8_t backgroundIndex() const { return m_backgroundIndex; }
  std::size_t listSize(char list) const;

 private:
  template <typename SpanFn>
  void ScanConvert(CPolygon& p, bool interpolateInclusive, SpanFn&& span);
  bool CheckTexture(const CIndexedImage* texture);
  void Report(const void* subject, const char* text);
  void BlitGlyphs(int textureId, int x, int y, int sx, int w, int h);
  // The ring of a sprite whose rim is set, around the disc inscribed in its
  // square, depth-tested at the sprite's depth.
  void DrawRing(const CSprite& s, std::int32_t depth, const PixelRect& disc);

  const CGamePalette& m_palette;
  IMessageReporter& m_reporter;
  ITextureSource& m_textures;
  Resolution m_resolution = Resolution::High;
  int m_clientWidth = 0, m_clientHeight = 0;
  Matrix4 m_camera;
  bool m_topDown = false;
  OverlayState m_overlay;
  Fixed m_focal, m_kx, m_ky;
  std::int32_t m_overlayDepth = 0;
  std::uint8_t m_backgroundIndex = 0;
  std::int32_t m_fogBias = 0;
  std::int32_t m_fogLimit = 0;
  std::array<std::uint8_t, kFogTableSize> m_fogTable{};
  std::array<std::array<std::uint8_t, kFogLevels * kPaletteSize>, 2> m_shade{};
  std::vector<CPolygon*> m_listA, m_listB, m_listC;
  std::uint32_t m_submitted = 0;  // polygons accepted this frame
  std::set<std::pair<const void*, const char*>> m_reported;
};

}  // namespace arcade
