#include "arcade/world/vector3.h"

#include <cmath>

namespace arcade {

Fixed Vector3::length() const {
  const std::int64_t a = x.raw() >> 4;
  const std::int64_t b = y.raw() >> 4;
  const std::int64_t c = z.raw() >> 4;
  const std::uint64_t sum = static_cast<std::uint64_t>(a * a + b * b + c * c);
  auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(sum)));
  while (root * root > sum) --root;
  while ((root + 1) * (root + 1) <= sum) ++root;
  return Fixed::fromRaw(static_cast<std::int32_t>(root << 4));
}

Fixed Vector3::normalise() {
  const Fixed len = length();
  x /= len;
  y /= len;
  z /= len;
  return len;
}

std::int32_t approach(std::int32_t v, std::int32_t t, int k) {
  return static_cast<std::int32_t>((std::int64_t{v} * k + t) / (k + 1));
}

Fixed approach(Fixed v, Fixed t, int k) {
  return Fixed::fromRaw(approach(v.raw(), t.raw(), k));
}

Vector3 approach(const Vector3& v, const Vector3& t, int k) {
  return {approach(v.x, t.x, k), approach(v.y, t.y, k), approach(v.z, t.z, k)};
}

}  // namespace arcade
