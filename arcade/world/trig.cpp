#include "arcade/world/trig.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace arcade {
namespace {

constexpr int kAtanSize = 128;

struct Tables {
  std::array<std::int32_t, kAngleUnits> sine{};
  // atan[y][x] for 0 <= x, y < 128: the first-quadrant angle, 0..2048.
  std::array<std::array<std::int16_t, kAtanSize>, kAtanSize> atan{};

  Tables() {
    for (int a = 0; a < kAngleUnits; ++a) {
      double s = std::sin(a * 2.0 * std::numbers::pi / kAngleUnits);
      sine[a] = static_cast<std::int32_t>(std::lround(s * Fixed::kOne));
    }
    for (int y = 0; y < kAtanSize; ++y) {
      for (int x = 0; x < kAtanSize; ++x) {
        double t = std::atan2(static_cast<double>(y), static_cast<double>(x));
        atan[y][x] =
            static_cast<std::int16_t>(std::lround(t * kAngleUnits / (2 * std::numbers::pi)));
      }
    }
  }
};

const Tables& tables() {
  static const Tables t;
  return t;
}

}  // namespace

Fixed sine(int angle) {
  return Fixed::fromRaw(tables().sine[angle & kAngleMask]);
}

Fixed cosine(int angle) {
  return sine(angle + kQuarterTurn);
}

int arcTangent(std::int32_t x, std::int32_t y) {
  std::int64_t ax = std::llabs(std::int64_t{x});
  std::int64_t ay = std::llabs(std::int64_t{y});
  while (ax >= kAtanSize || ay >= kAtanSize) {
    ax >>= 1;
    ay >>= 1;
  }
  int a = tables().atan[ay][ax];
  // Quadrant correction: mirror the first-quadrant angle by the signs.
  if (x < 0) a = kAngleUnits / 2 - a;
  if (y < 0) a = kAngleUnits - a;
  return a & kAngleMask;
}

}  // namespace arcade
