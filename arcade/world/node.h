// CNode: the base of everything the world draws. It owns its vertices and
// polygons, and carries a position, three rotation angles and a scale. Each
// frame its draw builds the object matrix, transforms every vertex through
// the renderer and submits every polygon; whether a polygon is then drawn is
// the renderer's business (facing, on-screen and depth rules).
//
// Matrix rules: an ordinary node is scale x rotation (X, Y, Z order, only when
// an angle is non-zero) x translation x camera; the paddle is scale x
// translation x rotation (Z, X, Y order) x camera, so it turns about the
// playfield centre rather than its own.
#pragma once

#include <deque>
#include <initializer_list>
#include <memory>
#include <vector>

#include "arcade/renderer/renderer.h"
#include "arcade/world/matrix4.h"
#include "arcade/world/vector3.h"

namespace arcade {

enum class MatrixRule { Node, Paddle };

class CNode : public IDrawNode {
 public:
  CNode() = default;
  ~CNode() override = default;
  CNode(const CNode&) = delete;
  CNode& operator=(const CNode&) = delete;

  CVertex* AddVertex(Fixed x, Fixed y, Fixed z);
  // cull: true makes the polygon visible only from its front (corners
  // clockwise as the camera sees them).
  CPolygon* AddQuad(CVertex* a, CVertex* b, CVertex* c, CVertex* d, bool cull);
  CPolygon* AddTriangle(CVertex* a, CVertex* b, CVertex* c, bool cull);
  // A polygon of any number of corners (fewer than three give none).
  CPolygon* AddPolygon(std::vector<CVertex*> corners, bool cull);
  CSprite* AddSprite(CVertex* centre, CIndexedImage* texture, Fixed worldSize, int key);

  virtual void Draw(CRenderer& renderer, const Matrix4& camera);
  void SetPosition(Fixed x, Fixed y, Fixed z, int ax, int ay, int az);
  void ResetPolygons();
  Matrix4 ObjectMatrix(const Matrix4& camera) const;

  void DrawNode(CRenderer& renderer, const Matrix4& camera) override { Draw(renderer, camera); }
  IDrawNode* NextNode() const override { return next; }

  CNode* next = nullptr;
  std::deque<CVertex> vertices;  // a deque keeps corner addresses stable
  std::vector<std::unique_ptr<CPolygon>> polygons;
  Vector3 position;
  int rotationX = 0, rotationY = 0, rotationZ = 0;
  Fixed scale = Fixed::fromInt(1);
  MatrixRule rule = MatrixRule::Node;
};

}  // namespace arcade
