#include "demo_scene.h"

#include <algorithm>
#include <array>
#include <functional>

#include "arcade/renderer/renderer.h"
#include "arcade/world/trig.h"

namespace arcade::testing {

namespace {

struct P3 {
  double x, y, z;
};

P3 sub(P3 a, P3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
P3 cross(P3 a, P3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(P3 a, P3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

Fixed fx(double v) {
  return Fixed::fromDouble(v);
}

// Angles come from the game's own tables (exact constants), not from the
// maths library, so the scene is the same on every system.
double cosOf(int angle) {
  return cosine(angle).toDouble();
}
double sinOf(int angle) {
  return sine(angle).toDouble();
}
// 22.5 + 45 k degrees: the corners of the game's octagons.
int eighthAngle(int k) {
  return kAngleUnits / 16 + k * kAngleUnits / 8;
}

// Adds a polygon whose corners run clockwise as seen from outside the
// object (away from its centre at the model origin).
CPolygon* addOutward(CNode& node, std::vector<P3> corners, bool cull) {
  const P3 n = cross(sub(corners[1], corners[0]), sub(corners[2], corners[0]));
  if (dot(n, corners[0]) < 0) std::reverse(corners.begin(), corners.end());
  std::vector<CVertex*> vs;
  for (const P3& c : corners) vs.push_back(node.AddVertex(fx(c.x), fx(c.y), fx(c.z)));
  return node.AddPolygon(vs, cull);
}

void addBox(CNode& node, double h, const std::function<void(CPolygon&, int)>& look) {
  // Each face: centre, right and up as seen from outside.
  const std::array<std::array<P3, 3>, 6> faces = {{{{{0, 0, -h}, {h, 0, 0}, {0, h, 0}}},
                                                   {{{0, 0, h}, {-h, 0, 0}, {0, h, 0}}},
                                                   {{{-h, 0, 0}, {0, 0, -h}, {0, h, 0}}},
                                                   {{{h, 0, 0}, {0, 0, h}, {0, h, 0}}},
                                                   {{{0, h, 0}, {h, 0, 0}, {0, 0, h}}},
                                                   {{{0, -h, 0}, {-h, 0, 0}, {0, 0, h}}}}};
  for (int f = 0; f < 6; ++f) {
    const auto& [c, r, u] = faces[f];
    std::vector<CVertex*> vs;
    const P3 corners[4] = {{c.x - r.x - u.x, c.y - r.y - u.y, c.z - r.z - u.z},
                           {c.x - r.x + u.x, c.y - r.y + u.y, c.z - r.z + u.z},
                           {c.x + r.x + u.x, c.y + r.y + u.y, c.z + r.z + u.z},
                           {c.x + r.x - u.x, c.y + r.y - u.y, c.z + r.z - u.z}};
    for (const P3& p : corners) vs.push_back(node.AddVertex(fx(p.x), fx(p.y), fx(p.z)));
    look(*node.AddPolygon(vs, true), f);
  }
}

void addSphere(CNode& node, double radius, const std::function<void(CPolygon&, int)>& look) {
  const double heights[4] = {0.9239, 0.3827, -0.3827, -0.9239};
  const double radii[4] = {0.3827, 0.9239, 0.9239, 0.3827};
  auto corner = [&](int ring, int k) {
    const int a = eighthAngle(k);
    return P3{radius * radii[ring] * cosOf(a), radius * heights[ring],
              radius * radii[ring] * sinOf(a)};
  };
  int face = 0;
  for (int ring = 0; ring < 3; ++ring) {
    for (int k = 0; k < 8; ++k) {
      look(*addOutward(
               node,
               {corner(ring, k), corner(ring, k + 1), corner(ring + 1, k + 1), corner(ring + 1, k)},
               true),
           face++);
    }
  }
  for (int ring : {0, 3}) {
    std::vector<P3> cap;
    for (int k = 0; k < 8; ++k) cap.push_back(corner(ring, k));
    look(*addOutward(node, cap, true), face++);
  }
}

}  // namespace

int DemoScene::polygonCount() const {
  int n = 0;
  for (const auto& node : nodes) n += static_cast<int>(node->polygons.size());
  return n;
}

void DemoScene::spin(int step) {
  for (const auto& node : nodes) node->rotationY = (node->rotationY + step) & 8191;
}

DemoScene buildDemoScene(const CGamePalette& palette, ITextureSource& textures, int objectsPerRing,
                         int rings) {
  DemoScene scene;
  auto add = [&]() -> CNode& {
    scene.nodes.push_back(std::make_unique<CNode>());
    CNode& n = *scene.nodes.back();
    n.next = scene.head;
    scene.head = &n;
    return n;
  };
  const double outer = 14 + 9 * (rings - 1);
  CNode& floor = add();
  const double f = outer + 8;
  addOutward(floor, {{-f, -3, -f}, {f, -3, -f}, {f, -3, f}, {-f, -3, f}}, false)
      ->SetBackgroundColour(palette, 16, 24, 56);
  int index = 0;
  for (int ring = 0; ring < rings; ++ring) {
    const double r = 14 + 9 * ring;
    for (int i = 0; i < objectsPerRing; ++i, ++index) {
      CNode& node = add();
      const int a = kAngleUnits * i / objectsPerRing + ring * 391;  // 0.3 radian a ring
      node.SetPosition(fx(r * cosOf(a)), Fixed(), fx(r * sinOf(a)), 0, (index * 700) & 8191, 0);
      const int tex = 1002 + index % 10;
      switch (index % 6) {
        case 0:
          addBox(node, 2.2, [&](CPolygon& p, int) { p.SetTextureById(textures, tex); });
          break;
        case 1:
          addSphere(node, 2.6, [](CPolygon& p, int face) {
            face % 2 ? p.SetVertexShades(214, 229, 229, 214)
                     : p.SetVertexShades(229, 214, 214, 229);
          });
          break;
        case 2:
          addSphere(node, 2.6, [&](CPolygon& p, int face) {
            face % 2 ? p.SetColour(palette, 140, 140, 64) : p.SetTextureById(textures, tex);
          });
          break;
        case 3: {
          std::vector<P3> oct;
          for (int k = 0; k < 8; ++k) {
            oct.push_back({4.5 * cosOf(eighthAngle(k)), 4.5 * sinOf(eighthAngle(k)), 0});
          }
          addOutward(node, oct, false)->SetRamp(palette, 64, 16, 16, 225, 64, 64, index % 12 == 3);
          node.rotationY = 0;          // face the camera
          node.position.z -= fx(2.5);  // and stand in front of the ring
          break;
        }
        case 4:
          node.AddSprite(node.AddVertex(Fixed(), fx(1.0), Fixed()), textures.Texture(1255), fx(2.0),
                         250);
          break;
        default:
          addBox(node, 1.8, [&](CPolygon& p, int face) {
            p.SetColour(palette, face < 2 ? 225 : 150, face < 4 ? 140 : 90, 10);
          });
          break;
      }
    }
  }
  const double d = outer * 2.2 + 10;
  scene.camera = Matrix4::translation({Fixed(), fx(-d * 0.45), fx(d)});
  scene.camera.rotate(-560, 0, 0, RotationOrder::XYZ);
  return scene;
}

}  // namespace arcade::testing
