// Geometry helpers shared by the world's objects: boxes with faces that face
// outward, polygons reordered to face away from a centre, and the regular
// octagons of the paddle, force fields and ball shadow. Every coordinate is
// worked out with the fixed-point type and the constant sine table, so the
// same level has the same vertices on every machine.
//
// Facing: a one-sided polygon is seen from its front when its corners run
// clockwise as the camera sees them; AddOutward orders the corners so the
// front is the side away from the given centre.
#pragma once

#include <functional>
#include <vector>

#include "arcade/world/node.h"

namespace arcade {

inline Fixed fx(double v) {
  return Fixed::fromDouble(v);
}

enum class BoxFace { Front = 0, Back, Left, Right, Top, Bottom };  // -z, +z, -x, +x, +y, -y

CPolygon* AddOutward(CNode& node, std::vector<Vector3> corners, const Vector3& centre, bool cull);

// A box of half-sizes `half` around the model origin, six one-sided faces
// facing out; look(polygon, face) gives each its colour or texture.
void AddBoxFaces(CNode& node, const Vector3& half,
                 const std::function<void(CPolygon&, BoxFace)>& look);

// Eight vertices of a regular octagon of the given radius in the model's
// x-y plane, vertex k at angle firstAngle + k eighths of a turn.
std::vector<CVertex*> AddOctagonVertices(CNode& node, Fixed radius, int firstAngle);

inline constexpr int kEighthTurn = 1024;
inline constexpr int kSixteenthTurn = 512;

}  // namespace arcade
