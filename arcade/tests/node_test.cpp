#include "arcade/world/node.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace arcade {
namespace {

class NoTextures : public ITextureSource {
 public:
  CIndexedImage* Texture(int) override { return nullptr; }
};

Fixed fx(double v) {
  return Fixed::fromDouble(v);
}

TEST(Node, ObjectMatrixScalesRotatesThenMovesForNodesButTurnsThePaddleAboutTheCentre) {
  CNode node;
  node.scale = Fixed::fromInt(2);
  node.SetPosition(Fixed::fromInt(10), Fixed(), Fixed(), 0, 2048, 0);
  const Vector3 p =
      node.ObjectMatrix(Matrix4()).transformPoint({Fixed(), Fixed(), Fixed::fromInt(1)});
  // (0, 0, 1) scaled to (0, 0, 2), turned a quarter about Y to (2, 0, 0), moved by 10.
  EXPECT_EQ(p.x.toInt(), 12);
  EXPECT_EQ(p.z.toInt(), 0);

  CNode paddle;
  paddle.rule = MatrixRule::Paddle;
  paddle.SetPosition(Fixed(), Fixed(), Fixed::fromInt(-50), 0, 2048, 0);
  const Vector3 q = paddle.ObjectMatrix(Matrix4()).transformPoint({});
  // Moved to z = -50 first, then turned about the playfield centre to x = -50.
  EXPECT_EQ(q.x.toInt(), -50);
  EXPECT_EQ(q.z.toInt(), 0);

  const Matrix4 camera = Matrix4::translation({Fixed(), Fixed(), Fixed::fromInt(90)});
  EXPECT_EQ(node.ObjectMatrix(camera), node.ObjectMatrix(Matrix4()) * camera);
}

TEST(Node, PolygonsNeedThreeCornersAndDrawSubmitsThemThroughTheCamera) {
  CGamePalette palette;
  testing::RecordingReporter reporter;
  NoTextures textures;
  CRenderer renderer(palette, reporter, textures, 64, 48, Resolution::High);
  CNode node;
  CVertex* a = node.AddVertex(fx(-1), fx(-1), Fixed());
  CVertex* b = node.AddVertex(fx(-1), fx(1), Fixed());
  CVertex* c = node.AddVertex(fx(1), fx(1), Fixed());
  EXPECT_EQ(node.AddPolygon({a, b}, false), nullptr);
  EXPECT_EQ(node.AddPolygon({a, nullptr, b}, false), nullptr);
  CPolygon* tri = node.AddTriangle(a, b, c, true);
  ASSERT_NE(tri, nullptr);
  tri->SetColourByIndex(40);
  renderer.BeginFrame(Fixed::fromInt(1));
  node.Draw(renderer, Matrix4::translation({Fixed(), Fixed(), Fixed::fromInt(10)}));
  EXPECT_EQ(a->camera.z.toInt(), 10);
  EXPECT_EQ(renderer.listSize('B'), 1u);
  // The same triangle seen from behind is culled.
  renderer.BeginFrame(Fixed::fromInt(1));
  node.SetPosition(Fixed(), Fixed(), Fixed(), 0, 4096, 0);
  node.Draw(renderer, Matrix4::translation({Fixed(), Fixed(), Fixed::fromInt(10)}));
  EXPECT_EQ(renderer.listSize('B'), 0u);
  node.ResetPolygons();
  EXPECT_EQ(tri->colour, 0);
}

}  // namespace
}  // namespace arcade
