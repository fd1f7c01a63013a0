#include "arcade/renderer/polygon.h"

#include <algorithm>
#include <bit>

#include "arcade/renderer/renderer.h"
#include "arcade/renderer/steps.h"
#include "arcade/world/trig.h"

namespace arcade {

namespace {

constexpr std::int32_t toFixed(int v) {
  return static_cast<std::int32_t>(v) * Fixed::kOne;
}

constexpr int kEdgeShiftLimit = 16;

// Bubble sort by start row; among sides starting on the same row the
// horizontal ones go last, so the two sides that open a polygon are the ones
// that run down its outline.
void sortByStartRow(EdgeRecord* edges, int n) {
  auto later = [](const EdgeRecord& p, const EdgeRecord& q) {
    if (p.startRow != q.startRow) return p.startRow > q.startRow;
    return p.startRow == p.endRow && q.startRow != q.endRow;
  };
  for (int pass = 0; pass < n - 1; ++pass) {
    for (int i = 0; i < n - 1 - pass; ++i) {
      if (later(edges[i], edges[i + 1])) std::swap(edges[i], edges[i + 1]);
    }
  }
}

}  // namespace

CPolygon::CPolygon(std::vector<CVertex*> verts, bool cullBackFaces)
    : vertices(std::move(verts)),
      coords(vertices.size()),
      cull(cullBackFaces),
      edges(vertices.size()) {}

void CPolygon::SetVertexShades(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3) {
  const std::uint8_t shades[4] = {s0, s1, s2, s3};
  for (std::size_t i = 0; i < coords.size(); ++i) coords[i] = {toFixed(shades[i % 4]), 0};
  type = PolygonType::Gouraud;
}

void CPolygon::SetColour(const CGamePalette& palette, int r, int g, int b) {
  SetColourByIndex(palette.Nearest(r, g, b));
}

void CPolygon::SetColourByIndex(std::uint8_t index) {
  colour = index;
  type = PolygonType::Flat;
}

void CPolygon::SetBackgroundColour(const CGamePalette& palette, int r, int g, int b) {
  colour = palette.Nearest(r, g, b);
  type = PolygonType::Background;
}

void CPolygon::SetRamp(const CGamePalette& palette, int r0, int g0, int b0, int r1, int g1, int b1,
                       bool writesDepth) {
  if (!ramp) ramp = std::make_unique<std::array<std::uint8_t, kPaletteSize>>();
  for (int i = 0; i < kPaletteSize; ++i) {
    const Rgb p = palette.Entry(i);
    const int r = std::clamp(r0 + p.r * (r1 - r0) / 256, 0, 255);
    const int g = std::clamp(g0 + p.g * (g1 - g0) / 256, 0, 255);
    const int b = std::clamp(b0 + p.b * (b1 - b0) / 256, 0, 255);
    (*ramp)[i] = palette.Nearest(r, g, b);
  }
  type = writesDepth ? PolygonType::TranslucentDepth : PolygonType::Translucent;
}

void CPolygon::SetTexture(CIndexedImage* image, int frame, int frames) {
  const int n = static_cast<int>(vertices.size());
  if (n < 3) return;
  // A keyed polygon stays keyed when it changes texture or frame. Without an
  // image it still becomes textured, so the fill reports the missing texture
  // and skips the face instead of drawing it in a flat colour.
  texture = image;
  if (type != PolygonType::Keyed) type = PolygonType::Textured;
  if (image == nullptr) return;
  frames = std::max(frames, 1);
  const int fw = image->width / frames, h = image->height;
  const int u0 = frame * fw;
  if (n == 4) {
    const int uv[4][2] = {{u0, 0}, {u0, h - 1}, {u0 + fw - 1, h - 1}, {u0 + fw - 1, 0}};
    for (int i = 0; i < 4; ++i) coords[i] = {toFixed(uv[i][0]), toFixed(uv[i][1])};
    return;
  }
  const int cu = u0 + fw / 2, cv = h / 2;
  if (n == 8) {
    const int a = (fw - 1) * 41 / 200, b = (h - 1) * 41 / 200;
    const int uv[8][2] = {{cu - a, 0},           {cu + a, 0},     {u0 + fw - 1, cv - b},
                          {u0 + fw - 1, cv + b}, {cu + a, h - 1}, {cu - a, h - 1},
                          {u0, cv + b},          {u0, cv - b}};
    for (int i = 0; i < 8; ++i) coords[i] = {toFixed(uv[i][0]), toFixed(uv[i][1])};
    return;
  }
  const Fixed radius = Fixed::fromInt(std::min(fw, h) / 2);
  const int step = kAngleUnits / n;
  for (int i = 0; i < n; ++i) {
    const int angle = step / 2 + i * step;
    coords[i] = {toFixed(cu) + (radius * cosine(angle)).raw(),
                 toFixed(cv) + (radius * sine(angle)).raw()};
  }
}

void CPolygon::SetTextureById(ITextureSource& textures, int number, int frame, int frames) {
  SetTexture(textures.Texture(number), frame, frames);
}

void CPolygon::SetKey(std::uint8_t key) {
  colour = key;
  if (type == PolygonType::Textured) type = PolygonType::Keyed;
}

void CPolygon::Reset() {
  texture = nullptr;
  ramp.reset();
  colour = 0;
  type = PolygonType::Flat;
}

void CPolygon::Fill(CRenderer& renderer) {
  switch (type) {
    case PolygonType::Flat:
      renderer.FillFlat(*this);
      break;
    case PolygonType::Background:
      renderer.FillBackground(*this);
      break;
    case PolygonType::Textured:
    case PolygonType::Keyed:
      renderer.FillTextured(*this);
      break;
    case PolygonType::Translucent:
    case PolygonType::TranslucentDepth:
      renderer.FillTranslucent(*this);
      break;
    case PolygonType::Gouraud:
      renderer.FillGouraud(*this);
      break;
  }
}

int CPolygon::Prepare(bool interpolateInclusive) {
  const int n = static_cast<int>(vertices.size());
  for (int i = 0; i < n; ++i) {
    int ia = i, ib = (i + 1) % n;
    if (vertices[ia]->sy > vertices[ib]->sy) std::swap(ia, ib);
    const CVertex& a = *vertices[ia];
    const CVertex& b = *vertices[ib];
    EdgeRecord& e = edges[i];
    e.upper = &a;
    e.lower = &b;
    e.startRow = a.sy;
    e.endRow = b.sy;
    e.x = toFixed(a.sx);
    e.z = a.camera.z.raw();
    e.u = coords[ia].u;
    e.v = coords[ia].v;
    const int rows = interpolateInclusive ? b.sy - a.sy + 1 : b.sy - a.sy;
    if (!interpolateInclusive && rows < 2) {
      e.dx = e.dz = e.du = e.dv = 0;
    } else {
      e.dx = stepBetween(e.x, toFixed(b.sx), rows, kEdgeShiftLimit);
      e.dz = stepBetween(e.z, b.camera.z.raw(), rows, kEdgeShiftLimit);
      e.du = stepBetween(e.u, coords[ib].u, rows, kEdgeShiftLimit);
      e.dv = stepBetween(e.v, coords[ib].v, rows, kEdgeShiftLimit);
    }
    if (e.startRow < 0 && e.endRow >= 0) {
      const int skip = -e.startRow;
      e.x = advanceBy(e.x, e.dx, skip);
      e.z = advanceBy(e.z, e.dz, skip);
      e.u = advanceBy(e.u, e.du, skip);
      e.v = advanceBy(e.v, e.dv, skip);
      e.startRow = 0;
    }
  }
  sortByStartRow(edges.data(), n);
  return n;
}

bool CPolygon::IsVisible() const {
  std::uint32_t all = ~std::uint32_t{0};
  for (const CVertex* v : vertices) all &= v->outcode;
  return all == 0;
}

bool CPolygon::PassesFacing() const {
  if (vertices.size() < 3) return true;
  auto comp = [](Fixed f) { return f.raw() >> 4; };
  const Vector3& a = vertices[0]->camera;
  const Vector3& b = vertices[1]->camera;
  const Vector3& c = vertices[2]->camera;
  const std::int32_t ax = comp(a.x), ay = comp(a.y), az = comp(a.z);
  const std::int32_t bx = comp(b.x), by = comp(b.y), bz = comp(b.z);
  const std::int32_t cx = comp(c.x), cy = comp(c.y), cz = comp(c.z);
  auto m = Fixed::mul;
  // Sums and differences wrap in 32 bits; a product may be INT32_MIN, which
  // has no negation, so differences are formed unsigned.
  auto add = [](std::int32_t p, std::int32_t q) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p) + static_cast<std::uint32_t>(q));
  };
  auto sub = [](std::int32_t p, std::int32_t q) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p) - static_cast<std::uint32_t>(q));
  };
  const std::int32_t t1 = m(cx, sub(m(az, by), m(bz, ay)));
  const std::int32_t t2 = m(cy, sub(m(bz, ax), m(az, bx)));
  const std::int32_t t3 = m(cz, sub(m(bx, ay), m(by, ax)));
  return add(add(t1, t2), t3) >= 0;
}

void CPolygon::Submit(CRenderer& renderer) {
  std::int32_t nearest = Fixed::fromInt(10000).raw();
  std::int32_t farthest = Fixed::fromInt(-10000).raw();
  bool forced = false;
  for (const CVertex* v : vertices) {
    nearest = std::min(nearest, v->camera.z.raw());
    farthest = std::max(farthest, v->camera.z.raw());
    forced = forced || v->visible;
  }
  nearestDepth = nearest;
  if (farthest <= 0) return;
  if ((forced || IsVisible()) && (!cull || PassesFacing())) renderer.Accept(*this);
}

CSprite::CSprite(CVertex* vertex, CIndexedImage* image, Fixed worldSize, int transparentKey)
    : CPolygon(vertex != nullptr ? std::vector<CVertex*>{vertex} : std::vector<CVertex*>{}, false),
      size(worldSize),
      key(transparentKey) {
  texture = image;
  type = PolygonType::Keyed;
}

void CSprite::Fill(CRenderer& renderer) {
  renderer.FillSprite(*this);
}

}  // namespace arcade
