// Fixed: the game's 16.16 signed fixed-point number (1.0 == 65536) held in a
// 32-bit integer. Products are formed in 64 bits and shifted back; quotients
// shift the dividend up as far as it stays below 2^30 and shift the result to
// match, so small quotients keep their precision. A zero divisor returns the
// dividend unchanged instead of trapping. The type does not saturate: like the
// integers it wraps, products and sums are kept to 32 bits.
#pragma once

#include <compare>
#include <cstdint>
#include <cstdlib>

namespace arcade {

class Fixed {
 public:
  static constexpr int kFractionBits = 16;
  static constexpr std::int32_t kOne = 1 << kFractionBits;

  constexpr Fixed() = default;
  static constexpr Fixed fromRaw(std::int32_t raw) {
    Fixed f;
    f.m_raw = raw;
    return f;
  }
  static constexpr Fixed fromInt(int value) {
    return fromRaw(static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << kFractionBits));
  }
  // Level layouts and constants are written as decimals; conversion truncates
  // toward zero. Values beyond the 16.16 range are held at its ends and NaN
  // gives 0, so no input can make the conversion undefined.
  static constexpr Fixed fromDouble(double value) {
    const double scaled = value * kOne;
    if (!(scaled == scaled)) return Fixed();
    if (scaled >= 2147483647.0) return fromRaw(INT32_MAX);
    if (scaled <= -2147483648.0) return fromRaw(INT32_MIN);
    return fromRaw(static_cast<std::int32_t>(scaled));
  }

  constexpr std::int32_t raw() const { return m_raw; }
  constexpr int toInt() const { return m_raw >> kFractionBits; }
  constexpr double toDouble() const { return static_cast<double>(m_raw) / kOne; }

  constexpr Fixed operator+(Fixed o) const { return fromRaw(wrap(std::int64_t{m_raw} + o.m_raw)); }
  constexpr Fixed operator-(Fixed o) const { return fromRaw(wrap(std::int64_t{m_raw} - o.m_raw)); }
  constexpr Fixed operator-() const { return fromRaw(wrap(-std::int64_t{m_raw})); }
  constexpr Fixed operator*(Fixed o) const { return fromRaw(mul(m_raw, o.m_raw)); }
  constexpr Fixed operator/(Fixed o) const { return fromRaw(div(m_raw, o.m_raw)); }
  constexpr Fixed& operator+=(Fixed o) { return *this = *this + o; }
  constexpr Fixed& operator-=(Fixed o) { return *this = *this - o; }
  constexpr Fixed& operator*=(Fixed o) { return *this = *this * o; }
  constexpr Fixed& operator/=(Fixed o) { return *this = *this / o; }
  constexpr auto operator<=>(const Fixed&) const = default;

  // The 64-bit product of two raw values shifted right by 16, kept to 32 bits.
  static constexpr std::int32_t mul(std::int32_t a, std::int32_t b) {
    return wrap((std::int64_t{a} * b) >> kFractionBits);
  }

  // a / b in 16.16: a is shifted left while |a| << 1 stays below 2^30, the
  // quotient is then shifted by the 16 bits not yet applied (right when the
  // dividend took more than 16). Worked example: 1.0 / 3.0 shifts 65536 left
  // by 13 to 2^29, divides by 196608 to 2730, and shifts left by 3 to 21840
  // (0.33325).
  static constexpr std::int32_t div(std::int32_t a, std::int32_t b) {
    if (b == 0) return a;
    std::int64_t n = a;
    int shift = 0;
    while (shift < 31 && n != 0 && std::llabs(n << 1) < (std::int64_t{1} << 30)) {
      n <<= 1;
      ++shift;
    }
    std::int64_t q = n / b;
    if (shift <= kFractionBits) return wrap(q * (std::int64_t{1} << (kFractionBits - shift)));
    return wrap(q / (std::int64_t{1} << (shift - kFractionBits)));
  }

 private:
  static constexpr std::int32_t wrap(std::int64_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
  }
  std::int32_t m_raw = 0;
};

constexpr Fixed operator""_fx(long double v) {
  return Fixed::fromDouble(static_cast<double>(v));
}
constexpr Fixed operator""_fx(unsigned long long v) {
  return Fixed::fromInt(static_cast<int>(v));
}

}  // namespace arcade
