// Angles and their tables: an angle is an integer with 8192 units per turn,
// always masked to 0..8191. Sine comes from an 8192-entry table of 16.16
// values, cosine(a) = sine(a + 2048). The arctangent of a direction (x, y)
// comes from a 128 x 128 table of first-quadrant angles: both components are
// halved together until they are below 128, then the quadrant is restored
// from their signs. Both tables are constant data worked out by the compiler
// with integer arithmetic, so they do not depend on the maths library.
#pragma once

#include <cstdint>

#include "arcade/world/fixed.h"

namespace arcade {

inline constexpr int kAngleUnits = 8192;
inline constexpr int kAngleMask = kAngleUnits - 1;
inline constexpr int kQuarterTurn = kAngleUnits / 4;

Fixed sine(int angle);
Fixed cosine(int angle);

// Angle of the direction (x, y) measured from +x toward +y, 0..8191; the
// direction (0, 0) gives 0.
int arcTangent(std::int32_t x, std::int32_t y);

}  // namespace arcade
