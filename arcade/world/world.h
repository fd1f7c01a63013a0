// CWorld: one attempt at one level. It owns every object of the level (the
// arena rim, the blocks, tiles, spheres, enhancement boxes, Morphoids and
// released force fields, the paddle, the ball and its shadow), the player
// control, the score, the elapsed play time, the 256 texture slots and the
// one seeded random generator. Step moves everything by one tick and says
// whether the level is cleared, lost or goes on (with the camera to render).
//
// Two lists run through the objects, both newest first: the draw list (every
// drawable, handed to the renderer) and the object list (what plays: not the
// paddle, ball, shadow or rim). The world does not draw, play sounds or read
// input itself; time comes in with each step, so tests can drive it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "arcade/imagelib/image_cache.h"
#include "arcade/world/ball.h"
#include "arcade/world/paddle.h"
#include "arcade/world/player_control.h"
#include "arcade/world/random.h"
#include "arcade/world/solid.h"
#include "arcade/world/world_types.h"

namespace arcade {

inline constexpr int kLevelCount = 32;
inline constexpr double kArenaRadius = 50.0;
inline constexpr double kHalfHeight = 5.8;
inline constexpr int kMinStepMs = 50;
inline constexpr int kMaxStepMs = 75;

// What the census counts in the object list.
struct WorldCensus {
  int blocks = 0;  // every block: arena walls, tiles and cage tiles included
  int indestructible = 0;
  int boxes = 0;
  int spheres = 0;
  int morphoids = 0;
  int fields = 0;
};

// A box cut into a grid of equal blocks, as the level layouts name them:
//   {.from = {-4, -5.8, 0}, .to = {0, 5.8, -49}, .cells = {1, 1, 3}, .hp = -1, .colour = 6}
// is an indestructible blue wall of three blocks along z.
struct BlockGrid {
  struct Corner {
    double x = 0, y = 0, z = 0;
  };
  struct Cells {
    int nx = 1, ny = 1, nz = 1;
  };
  Corner from, to;  // opposite corners, in any order
  Cells cells;      // a count below 1 makes no blocks
  int hp = 1;       // hit points of each block; -1 indestructible
  int colour = 0;   // block colour index
};

class CWorld final {
 public:
  CWorld(int levelIndex, std::uint32_t seed, ImageLibrary& library, ISoundEffects* sound = nullptr,
         IKeyFlusher* keys = nullptr);
  ~CWorld();
  CWorld(const CWorld&) = delete;
  CWorld& operator=(const CWorld&) = delete;

  CNode* NewNode();
  void ReleaseField(int kind, const Vector3& at, int flag);
  void RemoveObject(CSolid* object);
  // nowMs: the tick count of this step (milliseconds); the step length is
  // the time since the previous step, held within 50..75 ms (50 on the first).
  StepOutcome Step(bool first, double speedFactor, const WorldInput& input, std::uint32_t nowMs);
  void BuildRim();
  void BuildLevel();
  void PaddleSweepAll();
  void Arena(double w, double d, double t, int nBack, int nHigh, int nSide, int colour);
  void Morphoid(int kind, double x, double y, double z);
  void Box(int kind, double x, double y, double z, int flag);
  void Sphere(int kind, double x, double y, double z);
  // Fills the box of the grid with nx x ny x nz equal blocks.
  void Blocks(const BlockGrid& grid, CIndexedImage* texture = nullptr);
  // Blocks with the faces of bitmap resource textureResource.
  void Tiles(const BlockGrid& grid, int textureResource);
  void Cage(double x, double y, double z);

  // Puts a new object at the head of both lists; the world owns it.
  template <typename T, typename... Args>
  T& AddSolid(Args&&... args) {
    auto object = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *object;
    Adopt(std::move(object), true);
    return ref;
  }

  // What the objects ask of their world.
  int ActiveEnhancement() const { return m_control->ActiveEnhancement(); }
  void AddScore(std::int32_t points) { m_score += points; }
  CRandom& Random() { return m_random; }
  CIndexedImage* Texture(int number) { return m_textures.Texture(number); }
  ITextureSource& Textures() { return m_textures; }
  const CGamePalette& Palette() const { return m_library.palette; }
  void PlaySoundAt(int id, const Vector3& at) { m_control->PlaySoundAt(id, at); }
  void CatchField(int kind, const Vector3& at) { m_control->CatchField(kind, at); }
  void FlushServeKeys();

  int LevelIndex() const { return m_level; }
  std::int32_t Score() const { return m_score; }
  std::int32_t ElapsedMs() const { return m_elapsedMs; }
  CSolid* Objects() const { return m_objects; }
  CNode* DrawList() const { return m_drawList; }
  CBall& Ball() { return *m_ball; }
  const CBall& Ball() const { return *m_ball; }
  CPaddle& Paddle() { return *m_paddle; }
  const CPaddle& Paddle() const { return *m_paddle; }
  CPlayerControl& Control() { return *m_control; }
  const CPlayerControl& Control() const { return *m_control; }
  int ObjectCount() const;
  WorldCensus Census() const;
  // A 64-bit FNV-1a hash of the integer state of the level: score, time,
  // generator, ball, paddle, camera, enhancement and every object in list
  // order. Equal on every machine for the same seed and input.
  std::uint64_t StateHash() const;

  // Level box bounds set by Arena (x from -w/2 to w/2 and so on).
  double xMin = 0, xMax = 0, yMin = -kHalfHeight, yMax = kHalfHeight, zNear = 0, zFar = 0;

 private:
  void Adopt(std::unique_ptr<CNode> node, bool inObjectList);
  void UpdateObjects(std::int32_t step);
  // The end-of-level rules after the objects moved (steps 7 and 8).
  StepResult Judge();
  double RandomOffset();

  int m_level;
  CRandom m_random;
  ImageLibrary& m_library;
  CTextureSlots m_textures;
  IKeyFlusher* m_keys;
  std::vector<std::unique_ptr<CNode>> m_owned;
  CNode* m_drawList = nullptr;
  CSolid* m_objects = nullptr;
  std::unique_ptr<CPlayerControl> m_control;
  CPaddle* m_paddle = nullptr;
  CBall* m_ball = nullptr;
  CBallShadow* m_shadow = nullptr;
  std::int32_t m_score = 0;
  std::int32_t m_elapsedMs = 0;
  std::uint32_t m_lastStepMs = 0;
};

}  // namespace arcade
