// Vector3: a position or direction of three 16.16 components. Length uses the
// components pre-shifted right by 4 so the sum of squares fits 64 bits
// comfortably (the last 4 bits of the length are therefore zero); normalise
// divides by that length with the fixed-point division and returns the length
// it had. A zero vector normalises to itself (the division by zero returns the
// dividend).
#pragma once

#include <cstdint>

#include "arcade/world/fixed.h"

namespace arcade {

struct Vector3 {
  Fixed x, y, z;

  constexpr Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  constexpr Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  constexpr Vector3 operator*(Fixed s) const { return {x * s, y * s, z * s}; }
  constexpr Vector3& operator+=(const Vector3& o) { return *this = *this + o; }
  constexpr Vector3& operator-=(const Vector3& o) { return *this = *this - o; }
  constexpr bool operator==(const Vector3&) const = default;

  Fixed length() const;
  // Scales the vector to unit length; returns the former length.
  Fixed normalise();
};

// One approach step of v toward t with weight k: v = (v * k + t) / (k + 1),
// in plain integers on the raw values, so it moves 1 / (k + 1) of the way.
std::int32_t approach(std::int32_t v, std::int32_t t, int k);
Fixed approach(Fixed v, Fixed t, int k);
Vector3 approach(const Vector3& v, const Vector3& t, int k);

}  // namespace arcade
