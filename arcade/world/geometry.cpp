#include "arcade/world/geometry.h"

#include <algorithm>
#include <cstdint>

#include "arcade/world/trig.h"

namespace arcade {

namespace {

struct I3 {
  std::int64_t x, y, z;
};

// Raw 16.16 values shifted down so the products of a cross and a dot
// product stay well inside 64 bits.
I3 reduced(const Vector3& v) {
  return {v.x.raw() >> 6, v.y.raw() >> 6, v.z.raw() >> 6};
}

}  // namespace

CPolygon* AddOutward(CNode& node, std::vector<Vector3> corners, const Vector3& centre, bool cull) {
  if (corners.size() < 3) return nullptr;
  const I3 a = reduced(corners[0]), b = reduced(corners[1]), c = reduced(corners[2]);
  const I3 e1{b.x - a.x, b.y - a.y, b.z - a.z}, e2{c.x - a.x, c.y - a.y, c.z - a.z};
  const I3 n{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
  const I3 o = reduced(corners[0] - centre);
  // Scaled down again before the dot product: n is already a product.
  const std::int64_t dot = (n.x >> 12) * o.x + (n.y >> 12) * o.y + (n.z >> 12) * o.z;
  if (dot < 0) std::reverse(corners.begin(), corners.end());
  std::vector<CVertex*> vs;
  vs.reserve(corners.size());
  for (const Vector3& p : corners) vs.push_back(node.AddVertex(p.x, p.y, p.z));
  return node.AddPolygon(std::move(vs), cull);
}

void AddBoxFaces(CNode& node, const Vector3& h,
                 const std::function<void(CPolygon&, BoxFace)>& look) {
  const Fixed o;
  // Each face: centre, right and up as seen from outside the box.
  const Vector3 faces[6][3] = {
      {{o, o, -h.z}, {h.x, o, o}, {o, h.y, o}},  {{o, o, h.z}, {-h.x, o, o}, {o, h.y, o}},
      {{-h.x, o, o}, {o, o, -h.z}, {o, h.y, o}}, {{h.x, o, o}, {o, o, h.z}, {o, h.y, o}},
      {{o, h.y, o}, {h.x, o, o}, {o, o, h.z}},   {{o, -h.y, o}, {-h.x, o, o}, {o, o, h.z}}};
  for (int f = 0; f < 6; ++f) {
    const Vector3& c = faces[f][0];
    const Vector3& r = faces[f][1];
    const Vector3& u = faces[f][2];
    CPolygon* p =
        node.AddQuad(node.AddVertex(c.x - r.x - u.x, c.y - r.y - u.y, c.z - r.z - u.z),
                     node.AddVertex(c.x - r.x + u.x, c.y - r.y + u.y, c.z - r.z + u.z),
                     node.AddVertex(c.x + r.x + u.x, c.y + r.y + u.y, c.z + r.z + u.z),
                     node.AddVertex(c.x + r.x - u.x, c.y + r.y - u.y, c.z + r.z - u.z), true);
    look(*p, static_cast<BoxFace>(f));
  }
}

std::vector<CVertex*> AddOctagonVertices(CNode& node, Fixed radius, int firstAngle) {
  std::vector<CVertex*> vs;
  for (int k = 0; k < 8; ++k) {
    const int a = (firstAngle + k * kEighthTurn) & kAngleMask;
    vs.push_back(node.AddVertex(radius * cosine(a), radius * sine(a), Fixed()));
  }
  return vs;
}

}  // namespace arcade
