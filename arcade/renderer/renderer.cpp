#include "arcade/renderer/renderer.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace arcade {

namespace {

constexpr std::int32_t kClearDepth = 0x7FFFFF00;
constexpr int kScreenLimit = 16000;  // screen positions are kept to +-this many pixels
const Fixed kOverlayDepth = Fixed::fromDouble(-50.0);
const Fixed kTopDownOverlayDepth = Fixed::fromDouble(-135.0);
const Fixed kTopDownZoom = Fixed::fromDouble(0.5);

// Rounds a 16.16 value held in 64 bits to an integer, halves away from zero.
std::int64_t roundHalfAway(std::int64_t v) {
  return v >= 0 ? (v + 0x8000) >> 16 : -((-v + 0x8000) >> 16);
}

int clampScreen(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, -kScreenLimit, kScreenLimit));
}

}  // namespace

CRenderer::CRenderer(const CGamePalette& palette, IMessageReporter& reporter,
                     ITextureSource& textures, int clientWidth, int clientHeight,
                     Resolution resolution)
    : m_palette(palette), m_reporter(reporter), m_textures(textures) {
  m_listA.reserve(kMaxListA);
  m_listB.reserve(kMaxListB);
  m_listC.reserve(kMaxListC);
  Resize(clientWidth, clientHeight, resolution);
  SetBackground(0, 0, 0);
  SetFog(0.45, 50.0);
  SetShadeColours(0, 0, 0, 255, 255, 255);
}

void CRenderer::Resize(int clientWidth, int clientHeight, Resolution resolution) {
  m_resolution = resolution;
  m_clientWidth = clientWidth;
  m_clientHeight = clientHeight;
  const int r = static_cast<int>(resolution);
  const int w = ((std::max(clientWidth, 0) >> r) + 3) & ~3;
  const int h = std::max(clientHeight, 0) >> r;
  if (w != width || h != height || pixels == nullptr) {
    if (!Allocate(w, h, 4)) Allocate(0, 0, 4);
  }
}

void CRenderer::Clear() {
  const std::int32_t value = kClearDepth | m_backgroundIndex;
  std::fill_n(cells(), size, value);
}

void CRenderer::SetBackground(int r, int g, int b) {
  m_backgroundIndex = m_palette.Nearest(r, g, b);
}

void CRenderer::BeginFrame(Fixed zoom) {
  m_overlayDepth = kOverlayDepth.raw();
  if (m_topDown) {
    m_overlayDepth = kTopDownOverlayDepth.raw();
    zoom = kTopDownZoom;
  }
  m_reported.clear();
  if (pixels != nullptr) Clear();
  m_listA.clear();
  m_listB.clear();
  m_listC.clear();
  m_submitted = 0;
  m_focal = Fixed::fromRaw(width << 17) * zoom;
  const Fixed focalUnits = Fixed::fromInt(m_focal.raw() >> 16);
  m_kx = Fixed::fromInt(width / 2) / focalUnits;
  m_ky = Fixed::fromInt(height / 2) / focalUnits;
}

void CRenderer::FinishFrame(bool shading) {
  // A total order, so every standard library gives the same frame: depth
  // first, then the order of submission.
  std::sort(m_listB.begin(), m_listB.end(), [](const CPolygon* a, const CPolygon* b) {
    if (a->nearestDepth != b->nearestDepth) return a->nearestDepth < b->nearestDepth;
    return a->submission < b->submission;
  });
  std::sort(m_listC.begin(), m_listC.end(), [](const CPolygon* a, const CPolygon* b) {
    if (a->nearestDepth != b->nearestDepth) return a->nearestDepth > b->nearestDepth;
    return a->submission < b->submission;
  });
  if (pixels == nullptr) return;
  for (CPolygon* p : m_listA) p->Fill(*this);
  DrawOverlay();
  for (CPolygon* p : m_listB) p->Fill(*this);
  for (CPolygon* p : m_listC) p->Fill(*this);
  if (shading) {
    FogPass();
    ShadedOut();
  } else {
    FlatOut();
  }
}

void CRenderer::Render(IDrawNode* drawList, Fixed zoom, bool shading) {
  BeginFrame(zoom);
  for (IDrawNode* node = drawList; node != nullptr; node = node->NextNode()) {
    node->DrawNode(*this, m_camera);
  }
  FinishFrame(shading);
}

void CRenderer::Project(CVertex& v, const Matrix4& m) const {
  v.camera = m.transformPoint(v.model);
  const std::int32_t cz = v.camera.z.raw();
  // q = f / z in 16.16; z is halved until it fits 14 bits so the integer
  // quotient keeps its precision, and the quotient is shifted to match.
  std::int64_t q = Fixed::kOne;
  if (std::abs(std::int64_t{cz}) > 1) {
    std::int64_t z = cz;
    int shift = 0;
    while (std::llabs(z) >= 16385) {
      z >>= 1;
      ++shift;
    }
    q = m_focal.raw() / z;
    q = shift <= 16 ? q * (std::int64_t{1} << (16 - shift)) : q >> (shift - 16);
    q = std::clamp<std::int64_t>(q, -0x7FFFFFFF, 0x7FFFFFFF);
  }
  v.sx = clampScreen(width / 2 + roundHalfAway((std::int64_t{v.camera.x.raw()} * q) >> 16));
  v.sy = clampScreen(height / 2 + roundHalfAway((std::int64_t{v.camera.y.raw()} * q) >> 16));
  std::uint32_t code = 0;
  if (v.sx < 0) code |= outcode::kLeft;
  if (v.sx > width - 1) code |= outcode::kRight;
  if (v.sy < 0) code |= outcode::kBelow;
  if (v.sy > height - 1) code |= outcode::kBeyond;
  if (cz < 1) code |= outcode::kBehind;
  const Fixed limitX = v.camera.z * m_kx, limitY = v.camera.z * m_ky;
  if (v.camera.x > limitX) code |= outcode::kFrustumRight;
  if (v.camera.x < -limitX) code |= outcode::kFrustumLeft;
  if (v.camera.y > limitY) code |= outcode::kFrustumAbove;
  if (v.camera.y < -limitY) code |= outcode::kFrustumBelow;
  v.outcode = code;
}

void CRenderer::Accept(CPolygon& p) {
  p.submission = m_submitted++;
  switch (p.type) {
    case PolygonType::Background:
      if (m_listA.size() < kMaxListA) m_listA.push_back(&p);
      break;
    case PolygonType::Translucent:
    case PolygonType::TranslucentDepth:
      if (m_listC.size() < kMaxListC) m_listC.push_back(&p);
      break;
    default:
      if (m_listB.size() < kMaxListB) m_listB.push_back(&p);
      break;
  }
}

std::size_t CRenderer::listSize(char list) const {
  return list == 'A' ? m_listA.size() : list == 'B' ? m_listB.size() : m_listC.size();
}

void CRenderer::Report(const void* subject, const char* text) {
  // One box per texture (or missing texture) and message each frame: the
  // same fault on every face of an object is told once, not once per face.
  if (m_reported.insert({subject, text}).second) {
    m_reporter.ShowMessage(MessageIcon::None, "Error", text);
  }
}

bool CRenderer::CheckTexture(const CIndexedImage* texture) {
  if (texture == nullptr || texture->pixels == nullptr) {
    Report(texture, "Cannot find texture.");
    return false;
  }
  if (!std::has_single_bit(static_cast<std::uint32_t>(std::max(texture->width, 0)))) {
    Report(texture, "Texture not multiple of 2.");
    return false;
  }
  return true;
}

void CRenderer::FillSprite(CSprite& s) {
  if (s.vertices.empty() || s.vertices[0] == nullptr) {
    Report(&s, "Error in rendering Sprite.");
    return;
  }
  if (!CheckTexture(s.texture)) return;
  const CVertex& v = *s.vertices[0];
  const std::int32_t z = std::max(v.camera.z.raw(), 1);
  const std::int64_t side = (std::int64_t{s.size.raw()} * m_focal.raw() / z) >> 16;
  if (side <= 0 || side > 4 * kScreenLimit) return;
  const int px = static_cast<int>(side);
  Blit(*s.texture, {.depth = v.camera.z.raw(),
                    .to = {v.sx - px / 2, v.sy - px / 2, px, px},
                    .from = {0, 0, s.texture->width, s.texture->height},
                    .key = s.key});
  if (s.rim >= 0) DrawRing(s, v.camera.z.raw(), {v.sx - px / 2, v.sy - px / 2, px, px});
}

void CRenderer::DrawRing(const CSprite& s, std::int32_t depth, const PixelRect& disc) {
  // In doubled coordinates, so that the centre of an even-sized disc and
  // the pixel centres are whole numbers: a pixel belongs to the rim when
  // its centre lies within `thick` pixels outside the disc's edge.
  const int thick = std::max(1, (disc.w + 4) / 8);
  const int outline = disc.w >= 8 && s.outline >= 0 ? 1 : 0;
  const int reach = thick + outline;
  const int cx2 = 2 * disc.x + disc.w, cy2 = 2 * disc.y + disc.h;
  const std::int64_t r0 = disc.w, r1 = disc.w + 2 * thick, r2 = r1 + 2 * outline;
  const std::int32_t depthBits = depth & ~0xFF;
  const int x0 = std::max(disc.x - reach, 0), x1 = std::min(disc.x + disc.w + reach, width);
  const int y0 = std::max(disc.y - reach, 0), y1 = std::min(disc.y + disc.h + reach, height);
  for (int y = y0; y < y1; ++y) {
    std::int32_t* row = cells() + static_cast<std::size_t>(y) * width;
    for (int x = x0; x < x1; ++x) {
      const std::int64_t dx = 2 * x + 1 - cx2, dy = 2 * y + 1 - cy2;
      const std::int64_t d2 = dx * dx + dy * dy;
      if (d2 < r0 * r0 || d2 >= r2 * r2 || !(depth < row[x])) continue;
      const int colour = d2 < r1 * r1 ? s.rim : s.outline;
      row[x] = depthBits | (colour & 0xFF);
    }
  }
}

void CRenderer::Blit(const CIndexedImage& image, const BlitJob& job) {
  const auto [x, y, w, h] = job.to;
  auto [sx, sy, sw, sh] = job.from;
  const std::int32_t depth = job.depth;
  const int key = job.key;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || image.pixels == nullptr || pixels == nullptr)
    return;
  // Source rectangle kept inside the image.
  sx = std::clamp(sx, 0, image.width - 1);
  sy = std::clamp(sy, 0, image.height - 1);
  sw = std::min(sw, image.width - sx);
  sh = std::min(sh, image.height - sy);
  const std::int64_t du = (std::int64_t{sw} << 16) / w;
  const std::int64_t dv = (std::int64_t{sh} << 16) / h;
  const int x0 = std::max(x, 0), x1 = std::min(x + w, width);
  const int y0 = std::max(y, 0), y1 = std::min(y + h, height);
  const std::int32_t depthBits = depth & ~0xFF;
  for (int row = y0; row < y1; ++row) {
    const int tv = sy + static_cast<int>(((row - y) * dv) >> 16);
    const std::uint8_t* src = image.pixels + static_cast<std::size_t>(tv) * image.width;
    std::int32_t* dst = cells() + static_cast<std::size_t>(row) * width;
    for (int col = x0; col < x1; ++col) {
      const std::uint8_t texel = src[sx + static_cast<int>(((col - x) * du) >> 16)];
      if (texel == key || !(depth < dst[col])) continue;
      dst[col] =
          job.mode == BlitMode::WriteDepth ? (depthBits | texel) : ((dst[col] & ~0xFF) | texel);
    }
  }
}

}  // namespace arcade
