// CVertex: one corner shared by the polygons of an object. The object's draw
// fills in the camera-space position, the integer screen position and the
// outcode bits; `visible` lets an object force its polygons past the
// on-screen test (used for geometry that must be drawn even when all its
// corners lie off one side of the screen).
#pragma once

#include <cstdint>

#include "arcade/world/vector3.h"

namespace arcade {

namespace outcode {
inline constexpr std::uint32_t kLeft = 0x1;     // screen x < 0
inline constexpr std::uint32_t kRight = 0x2;    // screen x > W - 1
inline constexpr std::uint32_t kBelow = 0x4;    // screen y < 0 (under row 0)
inline constexpr std::uint32_t kBeyond = 0x8;   // screen y > H - 1
inline constexpr std::uint32_t kBehind = 0x10;  // camera z < 1/65536
inline constexpr std::uint32_t kFrustumRight = 0x100;
inline constexpr std::uint32_t kFrustumLeft = 0x200;
inline constexpr std::uint32_t kFrustumAbove = 0x400;
inline constexpr std::uint32_t kFrustumBelow = 0x800;
}  // namespace outcode

struct CVertex {
  Vector3 model;
  Vector3 camera;
  int sx = 0;
  int sy = 0;
  std::uint32_t outcode = 0;
  bool visible = false;
};

}  // namespace arcade
