#include "arcade/world/node.h"

namespace arcade {

CVertex* CNode::AddVertex(Fixed x, Fixed y, Fixed z) {
  CVertex& v = vertices.emplace_back();
  v.model = {x, y, z};
  return &v;
}

CPolygon* CNode::AddQuad(CVertex* a, CVertex* b, CVertex* c, CVertex* d, bool cull) {
  return AddPolygon({a, b, c, d}, cull);
}

CPolygon* CNode::AddTriangle(CVertex* a, CVertex* b, CVertex* c, bool cull) {
  return AddPolygon({a, b, c}, cull);
}

CPolygon* CNode::AddPolygon(std::vector<CVertex*> corners, bool cull) {
  std::erase(corners, nullptr);
  if (corners.size() < 3) return nullptr;
  polygons.push_back(std::make_unique<CPolygon>(std::move(corners), cull));
  return polygons.back().get();
}

CSprite* CNode::AddSprite(CVertex* centre, CIndexedImage* texture, Fixed worldSize, int key) {
  auto sprite = std::make_unique<CSprite>(centre, texture, worldSize, key);
  CSprite* raw = sprite.get();
  polygons.push_back(std::move(sprite));
  return raw;
}

Matrix4 CNode::ObjectMatrix(const Matrix4& camera) const {
  Matrix4 m = Matrix4::scaling(scale);
  if (rule == MatrixRule::Paddle) {
    m.translate(position);
    m.rotate(rotationX, rotationY, rotationZ, RotationOrder::ZXY);
  } else {
    m.rotate(rotationX, rotationY, rotationZ, RotationOrder::XYZ);
    m.translate(position);
  }
  return m * camera;
}

void CNode::Draw(CRenderer& renderer, const Matrix4& camera) {
  const Matrix4 m = ObjectMatrix(camera);
  for (CVertex& v : vertices) renderer.Project(v, m);
  for (auto& p : polygons) p->Submit(renderer);
}

void CNode::SetPosition(Fixed x, Fixed y, Fixed z, int ax, int ay, int az) {
  position = {x, y, z};
  rotationX = ax;
  rotationY = ay;
  rotationZ = az;
}

void CNode::ResetPolygons() {
  for (auto& p : polygons) p->Reset();
}

}  // namespace arcade
