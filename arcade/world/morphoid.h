// CMorphoid: a wandering creature of 2..6 tetrahedra whose vertices drift on
// a sphere of the kind's size. It picks wander targets around itself, steers
// toward them, and stops or turns away when its box would run into another
// living object. The paddle kills it by touching it; a ball that hits it
// leaves in an almost random, flattened direction.
//
// Vertex drift happens while drawing and uses a generator of the Morphoid's
// own (seeded from the world's when it is made), so rendering a frame never
// changes what happens in the game.
#pragma once

#include <vector>

#include "arcade/world/random.h"
#include "arcade/world/solid.h"

namespace arcade {

inline constexpr int kMorphoidKinds = 10;
inline constexpr int kMorphoidPoints = 1000;

struct MorphoidKind {
  double size;
  int hitPoints;
  int tetrahedra;
  double wanderRadius;
  double speed;  // units per second
};
MorphoidKind morphoidKindData(int kind);

class CMorphoid : public CSolid {
 public:
  CMorphoid(CWorld& world, int morphoidKind, const Vector3& at);
  void Reflect(const Vector3& p, Vector3& velocity) override;
  bool Update(std::int32_t step, CSolid* list) override;
  void PaddleSweep(const Vector3& point) override;
  void Draw(CRenderer& renderer, const Matrix4& camera) override;
  int BounceSound() const override;

  int morphoidKind() const { return m_kind; }
  const Vector3& target() const { return m_target; }
  const Vector3& heading() const { return m_heading; }

 private:
  void NewTarget();
  Vector3 RandomDirection(CRandom& random) const;
  // The first other living object whose box overlaps this box placed at `at`.
  CSolid* Blocker(const Vector3& at, CSolid* list) const;
  void Wander(std::int32_t step, CSolid* list);

  int m_kind;
  Fixed m_size;
  Fixed m_wander;
  Fixed m_speed;
  Vector3 m_target;
  Vector3 m_heading;
  CRandom m_drift;
  std::vector<Vector3> m_vertexTargets;
};

}  // namespace arcade
