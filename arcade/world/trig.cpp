#include "arcade/world/trig.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace arcade {
namespace {

// The tables are computed by the compiler with integer arithmetic only, so
// every build has the same entries whatever its compiler or maths library.
// Working values are 3.61 fixed point held in 64 bits (room for the square
// of pi / 2); products go through 128 bits.
using Wide = __int128;
constexpr int kWorkBits = 61;
constexpr std::int64_t kHalfPi = 0x3243F6A8885A308D;  // pi / 2 in 3.61

// Angles of the working tables count 1/16384 turn: twice as fine as the game's
// units, so the arctangent table can compare against half-unit boundaries.
constexpr int kFineQuarter = 4096;

constexpr std::int64_t mulWork(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>((Wide{a} * b) >> kWorkBits);
}

// sin(k / 16384 turn) for 0 <= k <= 4096 in 3.61, by its Taylor series (the
// terms fall below the last bit long before x = pi / 2 needs more).
constexpr std::int64_t fineSine(int k) {
  const auto x = static_cast<std::int64_t>((Wide{k} * kHalfPi) / kFineQuarter);
  const std::int64_t x2 = mulWork(x, x);
  std::int64_t term = x, sum = x;
  for (int n = 1; term != 0; n += 2) {
    term = -mulWork(term, x2) / ((n + 1) * (n + 2));
    sum += term;
  }
  return sum;
}

using FineTable = std::array<std::int64_t, kFineQuarter + 1>;

constexpr FineTable makeFineSine() {
  FineTable t{};
  for (int k = 0; k <= kFineQuarter; ++k) t[k] = fineSine(k);
  return t;
}

constexpr FineTable kFineSine = makeFineSine();

// 3.61 to 16.16, rounding halves up (the values are never negative here).
constexpr std::int32_t toFixedRounded(std::int64_t work) {
  constexpr int drop = kWorkBits - Fixed::kFractionBits;
  return static_cast<std::int32_t>((work + (std::int64_t{1} << (drop - 1))) >> drop);
}

constexpr std::array<std::int32_t, kAngleUnits> makeSine() {
  std::array<std::int32_t, kAngleUnits> t{};
  for (int a = 0; a <= kQuarterTurn; ++a) t[a] = toFixedRounded(kFineSine[2 * a]);
  for (int a = kQuarterTurn + 1; a < 2 * kQuarterTurn; ++a) t[a] = t[2 * kQuarterTurn - a];
  for (int a = 2 * kQuarterTurn; a < kAngleUnits; ++a) t[a] = -t[a - 2 * kQuarterTurn];
  return t;
}

constexpr std::array<std::int32_t, kAngleUnits> kSine = makeSine();

constexpr int kAtanSize = 128;
using AtanRow = std::array<std::int16_t, kAtanSize>;

// The first-quadrant angle of (x, y) rounded to whole units: the number of
// half-unit boundaries a + 1/2 (a = 0..2047) it reaches. The direction
// reaches boundary t when y cos t >= x sin t; cos t is the sine of the
// mirrored boundary, and the test falls from true to false as a grows, so a
// binary search finds the count.
constexpr std::int16_t roundedAngle(int x, int y) {
  if (x == 0 && y == 0) return 0;
  auto reaches = [x, y](int a) {
    const int k = 2 * a + 1;
    return Wide{y} * kFineSine[kFineQuarter - k] >= Wide{x} * kFineSine[k];
  };
  int low = 0, high = kQuarterTurn;  // reaches(a) holds for every a < low
  while (low < high) {
    const int mid = (low + high) / 2;
    if (reaches(mid)) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return static_cast<std::int16_t>(low);
}

constexpr AtanRow makeAtanRow(int y) {
  AtanRow row{};
  for (int x = 0; x < kAtanSize; ++x) row[x] = roundedAngle(x, y);
  return row;
}

// One constant per row keeps each compile-time evaluation small.
template <int Y>
constexpr AtanRow kAtanRow = makeAtanRow(Y);

template <int... Y>
constexpr std::array<AtanRow, kAtanSize> makeAtan(std::integer_sequence<int, Y...>) {
  return {kAtanRow<Y>...};
}

// atan[y][x] for 0 <= x, y < 128: the first-quadrant angle, 0..2048.
constexpr std::array<AtanRow, kAtanSize> kAtan =
    makeAtan(std::make_integer_sequence<int, kAtanSize>{});

}  // namespace

Fixed sine(int angle) {
  return Fixed::fromRaw(kSine[angle & kAngleMask]);
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
  int a = kAtan[ay][ax];
  // Quadrant correction: mirror the first-quadrant angle by the signs.
  if (x < 0) a = kAngleUnits / 2 - a;
  if (y < 0) a = kAngleUnits - a;
  return a & kAngleMask;
}

}  // namespace arcade
