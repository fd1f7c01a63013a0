#include "arcade/world/world.h"

#include <algorithm>

#include "arcade/world/block.h"
#include "arcade/world/force_field.h"
#include "arcade/world/geometry.h"
#include "arcade/world/morphoid.h"
#include "arcade/world/sphere.h"

namespace arcade {

CWorld::CWorld(int levelIndex, std::uint32_t seed, ImageLibrary& library, ISoundEffects* sound,
               IKeyFlusher* keys)
    : m_level(std::clamp(levelIndex, 0, kLevelCount - 1)),
      m_random(seed),
      m_library(library),
      m_textures(library),
      m_keys(keys) {
  BuildRim();
  m_control = std::make_unique<CPlayerControl>(*this, sound);
  // The paddle is a solid, but it is taken off the object list at once, so
  // neither the updates nor the ball's object collisions ever see it.
  m_paddle = &AddSolid<CPaddle>();
  m_objects = m_paddle->nextObject;
  m_paddle->nextObject = nullptr;
  auto ball = std::make_unique<CBall>(*this, fx(kBallRadius), m_level);
  m_ball = ball.get();
  Adopt(std::move(ball), false);
  auto shadow = std::make_unique<CBallShadow>(*this, *m_ball);
  m_shadow = shadow.get();
  Adopt(std::move(shadow), false);
  BuildLevel();
}

CWorld::~CWorld() = default;

void CWorld::Adopt(std::unique_ptr<CNode> node, bool inObjectList) {
  node->next = m_drawList;
  m_drawList = node.get();
  if (inObjectList) {
    auto* solid = static_cast<CSolid*>(node.get());
    solid->nextObject = m_objects;
    m_objects = solid;
  }
  m_owned.push_back(std::move(node));
}

CNode* CWorld::NewNode() {
  auto node = std::make_unique<CNode>();
  CNode* raw = node.get();
  Adopt(std::move(node), false);
  return raw;
}

void CWorld::ReleaseField(int kind, const Vector3& at, int flag) {
  AddSolid<CForceField>(kind, at, flag);
}

void CWorld::RemoveObject(CSolid* object) {
  for (CSolid** link = &m_objects; *link != nullptr; link = &(*link)->nextObject) {
    if (*link == object) {
      *link = object->nextObject;
      break;
    }
  }
  for (CNode** link = &m_drawList; *link != nullptr; link = &(*link)->next) {
    if (*link == object) {
      *link = object->next;
      break;
    }
  }
  std::erase_if(m_owned, [object](const std::unique_ptr<CNode>& n) { return n.get() == object; });
}

void CWorld::FlushServeKeys() {
  if (m_keys != nullptr) m_keys->FlushServeKeys();
}

StepOutcome CWorld::Step(bool first, double speedFactor, const WorldInput& input,
                         std::uint32_t nowMs) {
  int dt = kMinStepMs;
  if (!first) {
    const std::uint32_t since = nowMs - m_lastStepMs;
    dt = static_cast<int>(std::clamp<std::uint32_t>(since, kMinStepMs, kMaxStepMs));
  }
  m_lastStepMs = nowMs;
  m_elapsedMs += dt;
  m_control->CountDown(dt);
  const auto step = static_cast<std::int32_t>(dt * speedFactor * 65.536);
  UpdateObjects(step);
  const Matrix4& camera = m_control->Update(step, input);
  m_shadow->Follow();
  PaddleSweepAll();
  const StepResult result = Judge();
  return {result, result == StepResult::Playing ? &camera : nullptr};
}

void CWorld::UpdateObjects(std::int32_t step) {
  CSolid* o = m_objects;
  while (o != nullptr) {
    CSolid* next = o->nextObject;  // read first: the object may go
    if (o->Update(step, m_objects)) RemoveObject(o);
    o = next;
  }
}

void CWorld::PaddleSweepAll() {
  const Vector3 p = m_paddle->Point(m_paddle->radius());
  for (CSolid* o = m_objects; o != nullptr; o = o->nextObject) o->PaddleSweep(p);
}

StepResult CWorld::Judge() {
  bool anyAlive = false;
  for (const CSolid* o = m_objects; o != nullptr; o = o->nextObject) {
    anyAlive = anyAlive || o->hitPoints > 0;
  }
  // The last destructible object is down: everything left shrinks away too
  // (walls and large spheres included, without points).
  if (!anyAlive) {
    for (CSolid* o = m_objects; o != nullptr; o = o->nextObject) o->hitPoints = 0;
  }
  bool cleared = true;
  for (const CSolid* o = m_objects; o != nullptr; o = o->nextObject) {
    cleared = cleared && (o->hitPoints < 0 || o->permanent);
  }
  if (cleared) return StepResult::Cleared;
  if (m_ball->spareBalls < 0) return StepResult::Lost;
  return StepResult::Playing;
}

int CWorld::ObjectCount() const {
  int n = 0;
  for (const CSolid* o = m_objects; o != nullptr; o = o->nextObject) ++n;
  return n;
}

WorldCensus CWorld::Census() const {
  WorldCensus c;
  for (const CSolid* o = m_objects; o != nullptr; o = o->nextObject) {
    switch (o->kind) {
      case SolidKind::Block:
        ++c.blocks;
        if (o->hitPoints < 0) ++c.indestructible;
        break;
      case SolidKind::EnhancementBox:
        ++c.boxes;
        break;
      case SolidKind::Sphere:
        ++c.spheres;
        break;
      case SolidKind::Morphoid:
        ++c.morphoids;
        break;
      case SolidKind::ForceField:
        ++c.fields;
        break;
      case SolidKind::Paddle:
        break;
    }
  }
  return c;
}

}  // namespace arcade
