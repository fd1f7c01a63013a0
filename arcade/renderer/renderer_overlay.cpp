// The score overlay: labels, score, play time, spare balls and the
// enhancement timer, blitted at the overlay depth so no geometry covers them.
// High resolution uses textures 1251, 1253 and full-size positions; Normal
// resolution textures 1252, 1254 and halved ones. Rows count from the
// bottom, so "H - 20" is near the top of the picture.
#include <algorithm>

#include "arcade/renderer/renderer.h"

namespace arcade {

namespace {

// Label, digit and glyph backgrounds are black (index 0) and let the scene
// show through.
constexpr int kGlyphKey = 0;

struct GlyphMetrics {
  int u;
  int width;
  int advance;
};

GlyphMetrics glyphMetrics(Resolution res, int glyph) {
  if (res == Resolution::High) {
    if (glyph < 10) return {10 * glyph, 10, 11};
    return {50 + 5 * glyph, 5, 6};
  }
  if (glyph < 10) return {5 * glyph, 5, 5};
  const int w = glyph == kSeparatorGlyph ? 3 : 2;
  return {30 + 2 * glyph, w, w};
}

}  // namespace

void CRenderer::BlitGlyphs(int textureId, int x, int y, int sx, int w, int h) {
  const CIndexedImage* t = m_textures.Texture(textureId);
  if (t == nullptr) return;
  Blit(*t, {.depth = m_overlayDepth, .to = {x, y, w, h}, .from = {sx, 0, w, h}, .key = kGlyphKey});
}

int CRenderer::DrawGlyph(int x, int y, int glyph) {
  if (glyph < 0 || glyph > kSeparatorGlyph) return x;
  const GlyphMetrics m = glyphMetrics(m_resolution, glyph);
  const bool high = m_resolution == Resolution::High;
  BlitGlyphs(high ? kDigitTexture : kDigitTextureSmall, x, y, m.u, m.width, high ? 16 : 8);
  return x + m.advance;
}

int CRenderer::DrawTime(int x, int y, int milliseconds) {
  const int ms = std::max(milliseconds, 0);
  const int minutes = (ms / 60000) % 100, seconds = (ms / 1000) % 60, hundredths = (ms % 1000) / 10;
  const int parts[3] = {minutes, seconds, hundredths};
  for (int i = 0; i < 3; ++i) {
    if (i > 0) x = DrawGlyph(x, y, kColonGlyph);
    x = DrawGlyph(x, y, parts[i] / 10);
    x = DrawGlyph(x, y, parts[i] % 10);
  }
  return x;
}

int CRenderer::DrawNumber(int x, int y, int value) {
  if (value < 0) return x;
  char digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char>(value % 10);
    value /= 10;
  } while (value > 0);
  for (int i = count - 1; i >= 0; --i) {
    x = DrawGlyph(x, y, digits[i]);
    if (i > 0 && i % 3 == 0) x = DrawGlyph(x, y, kSeparatorGlyph);
  }
  return x;
}

void CRenderer::DrawBalls(int x, int y, int count) {
  const CIndexedImage* ball = m_textures.Texture(kBallTexture);
  if (ball == nullptr) return;
  const bool high = m_resolution == Resolution::High;
  const int side = high ? 18 : 9, step = high ? 20 : 10;
  for (int i = 0; i < count; ++i, x += step) {
    Blit(*ball, {.depth = m_overlayDepth,
                 .to = {x, y, side, side},
                 .from = {0, 0, ball->width, ball->height},
                 .key = kBallKey});
  }
}

void CRenderer::DrawOverlay() {
  // Where the parts stand: x from the left (or from the right edge), rows
  // from the top edge for the labels and the play time. Each value stands
  // a space's width after its label ("Score 0", not "Score0"): the score
  // 8 columns right of the label's last column (4 at half size), the time
  // label moved 3 (2) columns left of its old place for the same gap.
  struct Layout {
    int labelTexture, scoreLabelWidth, timeLabelWidth, labelHeight;
    int labelX, scoreX, timeLabelFromRight, timeFromRight, fromTop, ballsX, ballsY, lowY;
  };
  // One row a resolution, in the order of the fields above. The half-size
  // row is not simply half the full one: its colons are not half as wide.
  static constexpr Layout kLayouts[] = {
      // texture, label widths and height, label x, score x, time label and
      // time from the right, rows from the top, balls x and y, timer row
      {kScoreLabelTexture, 60, 50, 16, 4, 72, 140, 82, 20, 4, 5, 4},      // High
      {kScoreLabelTextureSmall, 30, 25, 8, 2, 36, 67, 39, 10, 2, 3, 3}};  // Normal
  const Layout& l = kLayouts[m_resolution == Resolution::High ? 0 : 1];
  const int top = height - l.fromTop;
  if (const CIndexedImage* label = m_textures.Texture(l.labelTexture)) {
    Blit(*label, {.depth = m_overlayDepth,
                  .to = {l.labelX, top, l.scoreLabelWidth, l.labelHeight},
                  .from = {0, 0, l.scoreLabelWidth, l.labelHeight},
                  .key = kGlyphKey});
    Blit(*label, {.depth = m_overlayDepth,
                  .to = {width - l.timeLabelFromRight, top, l.timeLabelWidth, l.labelHeight},
                  .from = {l.scoreLabelWidth, 0, l.timeLabelWidth, l.labelHeight},
                  .key = kGlyphKey});
  }
  DrawNumber(l.scoreX, top, m_overlay.score);
  DrawTime(width - l.timeFromRight, top, m_overlay.elapsedMs);
  DrawBalls(l.ballsX, l.ballsY, m_overlay.spareBalls);
  if (m_overlay.enhancementActive)
    DrawTime(width - l.timeFromRight, l.lowY, m_overlay.enhancementMs);
}

}  // namespace arcade
