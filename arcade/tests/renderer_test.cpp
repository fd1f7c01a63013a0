#include <gtest/gtest.h>

#include "arcade/imagelib/shade_table.h"
#include "arcade/world/node.h"
#include "support/fakes.h"
#include "support/test_textures.h"

namespace arcade {
namespace {

Fixed fx(double v) {
  return Fixed::fromDouble(v);
}

class RendererTest : public ::testing::Test {
 protected:
  static constexpr int kW = 160, kH = 120;

  // A square facing the camera (corners clockwise as seen), centred at (cx, cy).
  CPolygon* square(CNode& node, double half, double z, double cx = 0, double cy = 0) {
    CVertex* a = node.AddVertex(fx(cx - half), fx(cy - half), fx(z));
    CVertex* b = node.AddVertex(fx(cx - half), fx(cy + half), fx(z));
    CVertex* c = node.AddVertex(fx(cx + half), fx(cy + half), fx(z));
    CVertex* d = node.AddVertex(fx(cx + half), fx(cy - half), fx(z));
    return node.AddQuad(a, b, c, d, false);
  }
  CNode& node() {
    nodes.push_back(std::make_unique<CNode>());
    if (nodes.size() > 1) nodes.back()->next = nodes[nodes.size() - 2].get();
    return *nodes.back();
  }
  IDrawNode* head() { return nodes.empty() ? nullptr : nodes.back().get(); }
  void render(bool shading = false) { renderer.Render(head(), Fixed::fromInt(1), shading); }
  std::uint8_t pixel(int x, int y) const { return renderer.pixels[y * renderer.width + x]; }
  std::uint8_t ramp(const CPolygon& p, std::uint8_t c) const { return (*p.ramp)[c]; }

  CGamePalette palette;
  MemoryResources resources = [] {
    MemoryResources r;
    testing::addTestTextures(r);
    return r;
  }();
  testing::RecordingReporter reporter;
  ImageLibrary library{palette, resources, reporter};
  CTextureSlots textures{library};
  CRenderer renderer{palette, reporter, textures, kW, kH, Resolution::High};
  std::vector<std::unique_ptr<CNode>> nodes;
};

TEST_F(RendererTest, ProjectsThroughTheFocalLengthAndSetsOutcodes) {
  renderer.BeginFrame(Fixed::fromInt(1));  // f = 2 W
  CVertex v;
  v.model = {fx(1), fx(-0.5), fx(10)};
  renderer.Project(v, Matrix4());
  EXPECT_EQ(v.sx, kW / 2 + 32);  // 1 x 320 / 10
  EXPECT_EQ(v.sy, kH / 2 - 16);
  EXPECT_EQ(v.outcode, 0u);
  v.model = {fx(-9), fx(0), fx(10)};
  renderer.Project(v, Matrix4());
  EXPECT_EQ(v.outcode, outcode::kLeft | outcode::kFrustumLeft);
  v.model = {fx(0), fx(9), fx(10)};
  renderer.Project(v, Matrix4());
  EXPECT_EQ(v.outcode, outcode::kBeyond | outcode::kFrustumAbove);
  v.model = {fx(0), fx(0), fx(-3)};
  renderer.Project(v, Matrix4());
  EXPECT_NE(v.outcode & outcode::kBehind, 0u);
}

TEST_F(RendererTest, PolygonEntirelyBehindTheCameraIsNeverSubmitted) {
  CNode& n = node();
  square(n, 1, -5)->SetColourByIndex(40);
  square(n, 1, 0)->SetColourByIndex(40);
  for (CVertex& v : n.vertices) v.visible = true;
  render();
  EXPECT_EQ(renderer.listSize('B'), 0u);
  square(n, 1, 4)->SetColourByIndex(40);
  render();
  EXPECT_EQ(renderer.listSize('B'), 1u);
}

TEST_F(RendererTest, PolygonOffOneSideIsDroppedUnlessAVertexIsFlaggedVisible) {
  CNode& n = node();
  CPolygon* p = square(n, 1, 10, 30, 0);
  p->SetColourByIndex(40);
  render();
  EXPECT_EQ(renderer.listSize('B'), 0u);
  p->vertices[2]->visible = true;
  render();
  EXPECT_EQ(renderer.listSize('B'), 1u);
  // Corners off different sides do not share an outcode bit: kept.
  p->vertices[2]->visible = false;
  CPolygon* wide = square(n, 40, 10);
  wide->SetColourByIndex(41);
  render();
  EXPECT_EQ(renderer.listSize('B'), 1u);
}

TEST_F(RendererTest, OverlappingOpaquePolygonsShowTheNearestWhateverTheSubmissionOrder) {
  for (bool nearFirst : {true, false}) {
    nodes.clear();
    CNode& n = node();
    CPolygon* nearer = nullptr;
    if (nearFirst) nearer = square(n, 1, 10);
    square(n, 3, 20)->SetColourByIndex(200);
    if (!nearFirst) nearer = square(n, 1, 10);
    nearer->SetColourByIndex(100);
    render();
    EXPECT_EQ(pixel(kW / 2, kH / 2), 100) << nearFirst;
    EXPECT_EQ(pixel(kW / 2 + 40, kH / 2), 200) << nearFirst;  // only the farther one there
    EXPECT_EQ(pixel(2, 2), renderer.backgroundIndex());
  }
}

// Forty faces at one depth: more than a plain quicksort keeps in order. The
// depths' low bytes are 0xFF, so no later fragment passes the depth test
// against an earlier one at the same depth: the first submitted shows.
TEST_F(RendererTest, EqualDepthsAreFilledInSubmissionOrder) {
  CNode& n = node();
  const double lowByteFull = 255.0 / 65536;
  for (int i = 0; i < 40; ++i) {
    square(n, 3, 10 + lowByteFull)->SetColourByIndex(static_cast<std::uint8_t>(100 + i));
  }
  std::vector<CPolygon*> glass;
  for (int i = 0; i < 40; ++i) {
    glass.push_back(square(n, 0.5, 5 + lowByteFull));
    glass.back()->SetRamp(palette, 4 * i, 0, 255 - 4 * i, 255, 4 * i, 0, true);
  }
  render();
  EXPECT_EQ(pixel(kW / 2 + 40, kH / 2), 100);
  EXPECT_EQ(pixel(kW / 2, kH / 2), ramp(*glass[0], 100));
  EXPECT_NE(ramp(*glass[0], 100), ramp(*glass[39], 100));
}

TEST_F(RendererTest, TranslucentPolygonBehindAnOpaqueOneLeavesItUnchanged) {
  CNode& n = node();
  square(n, 1, 10)->SetColourByIndex(100);
  CPolygon* glass = square(n, 3, 20);
  glass->SetRamp(palette, 64, 16, 16, 225, 64, 64, false);
  render();
  EXPECT_EQ(renderer.listSize('C'), 1u);
  EXPECT_EQ(pixel(kW / 2, kH / 2), 100);
  EXPECT_EQ(pixel(kW / 2 + 40, kH / 2), ramp(*glass, renderer.backgroundIndex()));
}

TEST_F(RendererTest, TwoTranslucentPolygonsOverTheSameCellBothRecolourIt) {
  CNode& n = node();
  square(n, 4, 30)->SetColourByIndex(245);
  CPolygon* farGlass = square(n, 3, 20);
  farGlass->SetRamp(palette, 16, 16, 64, 64, 64, 225, false);
  CPolygon* nearGlass = square(n, 3, 10);
  nearGlass->SetRamp(palette, 64, 16, 16, 225, 64, 64, false);
  render();
  EXPECT_EQ(pixel(kW / 2, kH / 2), ramp(*nearGlass, ramp(*farGlass, 245)));
  EXPECT_NE(ramp(*nearGlass, ramp(*farGlass, 245)), ramp(*nearGlass, 245));
}

TEST_F(RendererTest, DepthWritingTranslucentPolygonStopsTranslucentOnesBehindIt) {
  CNode& n = node();
  CPolygon* front = square(n, 3, 10);
  front->SetRamp(palette, 64, 16, 16, 225, 64, 64, true);
  CPolygon* behind = square(n, 3, 20);
  behind->SetRamp(palette, 16, 16, 64, 64, 64, 225, false);
  renderer.BeginFrame(Fixed::fromInt(1));
  for (CVertex& v : n.vertices) renderer.Project(v, Matrix4());
  renderer.FillTranslucent(*front);
  renderer.FillTranslucent(*behind);  // later but farther: stopped by the written depth
  renderer.FlatOut();
  EXPECT_EQ(pixel(kW / 2, kH / 2), ramp(*front, renderer.backgroundIndex()));
  // Without the depth write the one behind would recolour it as well.
  front->SetRamp(palette, 64, 16, 16, 225, 64, 64, false);
  renderer.BeginFrame(Fixed::fromInt(1));
  renderer.FillTranslucent(*front);
  renderer.FillTranslucent(*behind);
  renderer.FlatOut();
  EXPECT_EQ(pixel(kW / 2, kH / 2), ramp(*behind, ramp(*front, renderer.backgroundIndex())));
}

TEST_F(RendererTest, ListsAreCappedAndGeometryFarOffScreenIsClippedToTheFrame) {
  CNode& n = node();
  for (int i = 0; i < 300; ++i) square(n, 0.1, 10)->SetBackgroundColour(palette, 255, 255, 255);
  for (int i = 0; i < 300; ++i) square(n, 0.1, 10)->SetRamp(palette, 0, 0, 0, 9, 9, 9, false);
  render();
  EXPECT_EQ(renderer.listSize('A'), CRenderer::kMaxListA);
  EXPECT_EQ(renderer.listSize('C'), CRenderer::kMaxListC);
  // A face crossing the camera plane, with corners projected far outside
  // the frame, is clipped to the frame's cells (the sanitizer build checks
  // every write) and still shows its part inside.
  nodes.clear();
  CNode& m = node();
  CVertex* a = m.AddVertex(fx(0), fx(-3), fx(0.001));  // projects 16000 rows down
  CVertex* b = m.AddVertex(fx(-1), fx(1), fx(10));
  CVertex* c = m.AddVertex(fx(1), fx(1), fx(10));
  m.AddTriangle(a, b, c, false)->SetColourByIndex(77);
  a->visible = true;
  render();
  EXPECT_EQ(renderer.listSize('B'), 1u);
  int drawn = 0;
  for (int i = 0; i < renderer.size; ++i) drawn += renderer.pixels[i] == 77;
  EXPECT_EQ(pixel(kW / 2, kH / 2), 77);
  EXPECT_GT(drawn, 0);
  EXPECT_LT(drawn, 64 * 93);  // within the columns of its two near corners
}

TEST_F(RendererTest, GouraudFillInterpolatesPaletteIndicesAcrossTheFace) {
  CNode& n = node();
  square(n, 2, 10)->SetVertexShades(10, 10, 40, 40);  // left corners 10, right corners 40
  render();
  const int y = kH / 2;
  int first = -1, last = -1, previous = 0;
  for (int x = 0; x < kW; ++x) {
    const int c = pixel(x, y);
    if (c == renderer.backgroundIndex()) continue;
    if (first < 0) first = c;
    EXPECT_GE(c, previous) << x;
    previous = last = c;
  }
  EXPECT_GE(first, 10);
  EXPECT_LE(first, 12);
  EXPECT_GE(last, 37);
  EXPECT_LE(last, 40);
}

TEST_F(RendererTest, MissingAndBadTexturesAreReportedOncePerTextureAndFrame) {
  CNode& n = node();
  square(n, 1, 10)->type = PolygonType::Textured;
  square(n, 1, 11)->type = PolygonType::Textured;
  CIndexedImage odd(48, 16);
  odd.Clear();
  square(n, 1, 12)->SetTexture(&odd);
  render();
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(reporter.messages[0].caption, "Error");
  EXPECT_EQ(reporter.messages[0].text, "Cannot find texture.");
  EXPECT_EQ(reporter.messages[1].text, "Texture not multiple of 2.");
  EXPECT_EQ(pixel(kW / 2, kH / 2), renderer.backgroundIndex());  // none of them drawn
  render();
  EXPECT_EQ(reporter.messages.size(), 4u);
  CSprite empty(nullptr, textures.Texture(kBallTexture), fx(1), 250);
  renderer.FillSprite(empty);
  EXPECT_EQ(reporter.messages.back().text, "Error in rendering Sprite.");
}

// A texture number with no bitmap behind it: the face is reported and
// skipped, so what lies behind it shows.
TEST_F(RendererTest, PolygonWhoseTextureIsMissingIsReportedAndNotDrawn) {
  CNode& n = node();
  square(n, 3, 20)->SetColourByIndex(200);
  CPolygon* face = square(n, 1, 10);
  face->SetTextureById(textures, 1200);
  EXPECT_EQ(face->type, PolygonType::Textured);
  render();
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].caption, "Error");
  EXPECT_EQ(reporter.messages[0].text, "Cannot find texture.");
  EXPECT_EQ(pixel(kW / 2, kH / 2), 200);
  // A keyed face keeps its key when its texture cannot be found either.
  face->SetKey(7);
  face->SetTextureById(textures, 1201);
  EXPECT_EQ(face->type, PolygonType::Keyed);
  render();
  EXPECT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(pixel(kW / 2, kH / 2), 200);
}

TEST_F(RendererTest, SpriteIsAScreenAlignedSquareWithItsKeySkipped) {
  CNode& n = node();
  CIndexedImage* ballTexture = textures.Texture(kBallTexture);
  ASSERT_NE(ballTexture, nullptr);
  n.AddSprite(n.AddVertex(Fixed(), Fixed(), fx(10)), ballTexture, fx(2), 250);
  render();
  // 2 units at depth 10 with f = 320: a 64-pixel square round the centre.
  EXPECT_EQ(pixel(kW / 2, kH / 2), ballTexture->pixels[16 * 32 + 16]);
  EXPECT_EQ(pixel(kW / 2 - 31, kH / 2 - 31), renderer.backgroundIndex());  // key corner
  EXPECT_EQ(pixel(kW / 2 - 40, kH / 2), renderer.backgroundIndex());       // outside
}

// The ball's ring: (64 + 4) / 8 = 8 pixels of rim just outside the 64-pixel disc,
// then one of outline, on all four sides; the corners of the square (outside
// the disc and the ring) stay what lies behind; nearer geometry hides it.
TEST_F(RendererTest, SpriteRimRingsTheDiscAndIsHiddenByNearerGeometry) {
  CNode& behind = node();
  square(behind, 40, 20)->SetColourByIndex(40);
  for (CVertex& v : behind.vertices) v.visible = true;
  CNode& n = node();
  CSprite* ball = n.AddSprite(n.AddVertex(Fixed(), Fixed(), fx(10)), textures.Texture(kBallTexture),
                              fx(2), 250);
  ball->rim = 7;
  ball->outline = 8;
  CNode& near = node();
  square(near, 1.5, 5, 2.0, 0)->SetColourByIndex(41);  // covers x >= 112
  for (CVertex& v : near.vertices) v.visible = true;
  render();
  const int cx = kW / 2, cy = kH / 2;  // the disc spans 48..111 and 28..91
  EXPECT_EQ(pixel(cx - 33, cy), 7);
  EXPECT_EQ(pixel(cx - 40, cy), 7);
  EXPECT_EQ(pixel(cx - 41, cy), 8);
  EXPECT_EQ(pixel(cx - 42, cy), 40);
  EXPECT_EQ(pixel(cx, cy + 32), 7);
  EXPECT_EQ(pixel(cx, cy + 39), 7);
  EXPECT_EQ(pixel(cx, cy + 40), 8);
  EXPECT_EQ(pixel(cx, cy - 33), 7);
  EXPECT_EQ(pixel(cx, cy - 41), 8);
  EXPECT_EQ(pixel(cx - 31, cy - 31), 40) << "the key corner shows what is behind";
  EXPECT_EQ(pixel(cx + 33, cy), 41) << "the nearer square hides the rim";
  EXPECT_EQ(pixel(cx + 40, cy), 41);
}

TEST_F(RendererTest, OddWindowWidthsGiveABufferUpToThreeColumnsWider) {
  renderer.Resize(321, 241, Resolution::High);
  EXPECT_EQ(renderer.width, 324);
  EXPECT_EQ(renderer.height, 241);
  renderer.Resize(322, 241, Resolution::Normal);
  EXPECT_EQ(renderer.width, 164);
  EXPECT_EQ(renderer.height, 120);
  const std::uint8_t* block = renderer.pixels;
  renderer.Resize(323, 240, Resolution::Normal);  // same cells: the block is kept
  EXPECT_EQ(renderer.pixels, block);
  renderer.Resize(640, 480, Resolution::High);
  EXPECT_EQ(renderer.width, 640);
}

TEST_F(RendererTest, FogLevelsGrowWithDepthBeyondTheStart) {
  renderer.BeginFrame(Fixed::fromInt(1));
  std::int32_t* c = renderer.cells();
  const double depths[] = {-50.0, 10.0, 50.0, 60.0, 100.0, 200.0};
  for (int i = 0; i < 6; ++i) c[i] = Fixed::fromDouble(depths[i]).raw() & ~0xFF;
  renderer.FogPass();
  auto level = [&](int i) { return (c[i] >> 8) & 0xFF; };
  EXPECT_EQ(level(0), 0);  // the overlay's depth
  EXPECT_EQ(level(1), 0);
  EXPECT_EQ(level(2), 0);
  EXPECT_EQ(level(3), 5);   // 0.45 x sqrt(10.0 >> 12 = 160) = 5.69
  EXPECT_EQ(level(4), 12);  // 0.45 x sqrt(50.0 >> 12 = 800) = 12.7
  EXPECT_EQ(level(5), 15);
}

TEST_F(RendererTest, ShadedOutputAlternatesTheTwoTablesInACheckerboard) {
  CShadeTable first, second;
  first.Build(palette, 16, 0, 0, 0, 255, 255, 255);
  second.Build(palette, -16, 0, 0, 0, 255, 255, 255);
  int colour = -1, level = 0;
  for (int l = 1; l < 16 && colour < 0; ++l) {
    for (int i = 10; i < 246; ++i) {
      if (first.table[l * 256 + i] != second.table[l * 256 + i]) {
        colour = i;
        level = l;
        break;
      }
    }
  }
  ASSERT_GE(colour, 0);
  renderer.BeginFrame(Fixed::fromInt(1));
  std::fill_n(renderer.cells(), renderer.size, (level << 8) | colour);
  renderer.ShadedOut();
  const std::uint8_t a = first.table[level * 256 + colour], b = second.table[level * 256 + colour];
  EXPECT_EQ(pixel(0, 0), a);
  EXPECT_EQ(pixel(1, 0), b);
  EXPECT_EQ(pixel(0, 1), b);
  EXPECT_EQ(pixel(1, 1), a);
}

TEST_F(RendererTest, NumbersAndTimesAdvanceByTheirGlyphWidths) {
  renderer.BeginFrame(Fixed::fromInt(1));
  EXPECT_EQ(renderer.DrawNumber(0, 0, 1234567), 7 * 11 + 2 * 6);
  EXPECT_EQ(renderer.DrawNumber(0, 0, 0), 11);
  EXPECT_EQ(renderer.DrawNumber(3, 0, -5), 3);
  EXPECT_EQ(renderer.DrawNumber(0, 0, 999), 33);
  EXPECT_EQ(renderer.DrawNumber(0, 0, 1000), 44 + 6);
  EXPECT_EQ(renderer.DrawTime(0, 0, 3599990), 6 * 11 + 2 * 6);
  renderer.Resize(kW * 2, kH * 2, Resolution::Normal);
  renderer.BeginFrame(Fixed::fromInt(1));
  EXPECT_EQ(renderer.DrawNumber(0, 0, 1234567), 7 * 5 + 2 * 3);
  EXPECT_EQ(renderer.DrawTime(0, 0, 0), 6 * 5 + 2 * 2);
}

// Every label texel that is not the transparent 0 must show over a near
// polygon that covers the whole view.
void expectLabelOnTop(CRenderer& r, const CIndexedImage& label, int x, int y, int w, int h,
                      std::uint8_t cover) {
  int shown = 0;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      const std::uint8_t texel = label.pixels[j * label.width + i];
      const std::uint8_t got = r.pixels[(y + j) * r.width + x + i];
      ASSERT_EQ(got, texel == 0 ? cover : texel) << i << "," << j;
      shown += texel != 0;
    }
  }
  EXPECT_GT(shown, w * h / 8);
}

TEST_F(RendererTest, OverlayStaysOnTopOfNearGeometryInBothViewsAndResolutions) {
  CNode& n = node();
  square(n, 10, 1.5)->SetColourByIndex(40);
  n.polygons.back()->vertices[0]->visible = true;
  renderer.SetOverlay({1234567, 61234, 3, true, 12000});
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown ? "top-down" : "normal view");
    renderer.SetTopDown(topDown);
    renderer.Resize(2 * kW, kH, Resolution::High);  // wide enough to keep the parts apart
    render();
    expectLabelOnTop(renderer, *textures.Texture(1251), 4, kH - 20, 60, 16, 40);
    const std::uint8_t ballCentre = pixel(4 + 9, 5 + 9);
    EXPECT_NE(ballCentre, 40);
    EXPECT_NE(ballCentre, kBallKey);
    renderer.Resize(4 * kW, kH * 2, Resolution::Normal);
    render();
    SCOPED_TRACE("normal resolution");
    expectLabelOnTop(renderer, *textures.Texture(1252), 2, kH - 10, 30, 8, 40);
    EXPECT_NE(pixel(2 + 4, 3 + 4), 40);
  }
}

}  // namespace
}  // namespace arcade
