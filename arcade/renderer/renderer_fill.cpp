// Scan conversion of the six polygon fills: the edge records give, row by
// row, two active sides; each row's span between them is handed to a short
// loop that writes the cells.
#include <algorithm>
#include <cstdlib>

#include "arcade/renderer/renderer.h"
#include "arcade/renderer/steps.h"

namespace arcade {

namespace {

// Interpolated values at the left end of a span and their per-cell steps.
struct Span {
  std::int32_t* cell = nullptr;
  int count = 0;
  std::int32_t z = 0, dz = 0, u = 0, du = 0, v = 0, dv = 0;
};

constexpr int kSpanShiftLimit = 32;

void stepEdge(EdgeRecord& e, int rows) {
  e.x = advanceBy(e.x, e.dx, rows);
  e.z = advanceBy(e.z, e.dz, rows);
  e.u = advanceBy(e.u, e.du, rows);
  e.v = advanceBy(e.v, e.dv, rows);
}

// The span of one row between the left and right side, clipped to columns
// 0..width - 1. False when it is empty.
bool spanBetween(const EdgeRecord& l, const EdgeRecord& r, int width, std::int32_t* rowCells,
                 Span& s) {
  int xl = l.x >> 16, xr = r.x >> 16;
  if (xr <= xl || xl >= width) return false;
  const int length = xr - xl;
  s.dz = stepBetween(l.z, r.z, length, kSpanShiftLimit);
  s.du = stepBetween(l.u, r.u, length, kSpanShiftLimit);
  s.dv = stepBetween(l.v, r.v, length, kSpanShiftLimit);
  s.z = l.z;
  s.u = l.u;
  s.v = l.v;
  if (xl < 0) {
    s.z = advanceBy(s.z, s.dz, -xl);
    s.u = advanceBy(s.u, s.du, -xl);
    s.v = advanceBy(s.v, s.dv, -xl);
    xl = 0;
  }
  xr = std::min(xr, width);
  s.cell = rowCells + xl;
  s.count = xr - xl;
  return s.count > 0;
}

}  // namespace

template <typename SpanFn>
void CRenderer::ScanConvert(CPolygon& p, bool interpolateInclusive, SpanFn&& fill) {
  const int n = p.Prepare(interpolateInclusive);
  if (n < 2 || pixels == nullptr) return;
  EdgeRecord* sides = p.edges.data();
  int next = 2;
  EdgeRecord* a = &sides[0];
  EdgeRecord* b = &sides[1];
  // A side taken up below its start row is brought to the current row.
  auto take = [&](int row) -> EdgeRecord* {
    if (next >= n) return nullptr;
    EdgeRecord* e = &sides[next++];
    if (e->startRow < row && e->endRow >= row) {
      stepEdge(*e, row - e->startRow);
      e->startRow = row;
    }
    return e;
  };
  for (int row = std::max(sides[0].startRow, 0); row < height; ++row) {
    while (a != nullptr && row > a->endRow) a = take(row);
    while (b != nullptr && row > b->endRow) b = take(row);
    if (a == nullptr || b == nullptr) break;
    const bool aStarted = a->startRow <= row, bStarted = b->startRow <= row;
    if (!aStarted || !bStarted) {
      if (aStarted) stepEdge(*a, 1);
      if (bStarted) stepEdge(*b, 1);
      continue;
    }
    Span span;
    std::int32_t* rowCells = cells() + static_cast<std::size_t>(row) * width;
    if (spanBetween(a->x <= b->x ? *a : *b, a->x <= b->x ? *b : *a, width, rowCells, span)) {
      fill(span);
    }
    stepEdge(*a, 1);
    stepEdge(*b, 1);
  }
}

void CRenderer::FillFlat(CPolygon& p) {
  const std::int32_t colour = p.colour;
  ScanConvert(p, false, [colour](const Span& s) {
    std::int32_t z = s.z;
    for (int i = 0; i < s.count; ++i, z += s.dz) {
      if (z < s.cell[i]) s.cell[i] = (z & ~0xFF) | colour;
    }
  });
}

void CRenderer::FillBackground(CPolygon& p) {
  const std::int32_t colour = p.colour;
  ScanConvert(p, false, [colour](const Span& s) {
    for (int i = 0; i < s.count; ++i) s.cell[i] = (s.cell[i] & ~0xFF) | colour;
  });
}

void CRenderer::FillTranslucent(CPolygon& p) {
  if (!p.ramp) return;
  const std::uint8_t* ramp = p.ramp->data();
  if (p.type == PolygonType::TranslucentDepth) {
    ScanConvert(p, false, [ramp](const Span& s) {
      std::int32_t z = s.z;
      for (int i = 0; i < s.count; ++i, z += s.dz) {
        if (z < s.cell[i]) s.cell[i] = (z & ~0xFF) | ramp[s.cell[i] & 0xFF];
      }
    });
    return;
  }
  ScanConvert(p, false, [ramp](const Span& s) {
    std::int32_t z = s.z;
    for (int i = 0; i < s.count; ++i, z += s.dz) {
      if (z < s.cell[i]) s.cell[i] = (s.cell[i] & ~0xFF) | ramp[s.cell[i] & 0xFF];
    }
  });
}

void CRenderer::FillGouraud(CPolygon& p) {
  ScanConvert(p, true, [](const Span& s) {
    std::int32_t z = s.z, u = s.u;
    for (int i = 0; i < s.count; ++i, z += s.dz, u += s.du) {
      if (z < s.cell[i]) s.cell[i] = (z & ~0xFF) | ((u >> 16) & 0xFF);
    }
  });
}

void CRenderer::FillTextured(CPolygon& p) {
  if (!CheckTexture(p.texture)) return;
  const CIndexedImage& t = *p.texture;
  const std::uint8_t* texels = t.pixels;
  const int shift = t.widthShift;
  const std::int32_t uMask = t.width - 1;
  // v is kept inside the texture's rows at both span ends, so every texel
  // between them is too; u wraps within the power-of-two width.
  const std::int32_t vMax = ((t.height - 1) << 16) | 0xFFC0;
  auto clampSpan = [vMax](const Span& s, std::int32_t& v, std::int32_t& dv) {
    const std::int64_t end = std::int64_t{s.v} + std::int64_t{s.dv} * (s.count - 1);
    v = std::clamp<std::int32_t>(s.v, 64, vMax);
    const std::int32_t last = static_cast<std::int32_t>(std::clamp<std::int64_t>(end, 64, vMax));
    dv = s.count > 1 ? (last - v) / (s.count - 1) : 0;
  };
  if (p.type == PolygonType::Keyed) {
    const std::int32_t key = p.colour;
    ScanConvert(p, true, [=](const Span& s) {
      std::int32_t z = s.z, u = s.u, v, dv;
      clampSpan(s, v, dv);
      for (int i = 0; i < s.count; ++i, z += s.dz, u += s.du, v += dv) {
        if (!(z < s.cell[i])) continue;
        const std::int32_t texel = texels[((v >> 16) << shift) + ((u >> 16) & uMask)];
        if (texel != key) s.cell[i] = (z & ~0xFF) | texel;
      }
    });
    return;
  }
  ScanConvert(p, true, [=](const Span& s) {
    std::int32_t z = s.z, u = s.u, v, dv;
    clampSpan(s, v, dv);
    for (int i = 0; i < s.count; ++i, z += s.dz, u += s.du, v += dv) {
      if (z < s.cell[i])
        s.cell[i] = (z & ~0xFF) | texels[((v >> 16) << shift) + ((u >> 16) & uMask)];
    }
  });
}

}  // namespace arcade
