#include "calculator/core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace finova {
namespace {

constexpr double kLargest = 9.999999999999998e99;

// Decimal digits of a magnitude without leading zeros and the position of
// the decimal point relative to them: value = 0.d1d2d3... * 10^point (0.0123
// is "123" with the point at -1; 1234.5 is "12345" with the point at 4).
struct Digits {
  std::string digits;
  int point = 0;
};

// Digits from a "d.ddd...e+XX" text.
Digits fromScientific(const char* text, const char* end) {
  Digits out;
  const char* e = std::find(text, end, 'e');
  for (const char* c = text; c != e; ++c) {
    if (*c != '.') out.digits.push_back(*c);
  }
  // The text is not NUL-terminated (it comes from to_chars), so the
  // exponent is read within [e + 1, end) only; from_chars takes no '+'.
  const char* exponent = e == end ? end : e + 1;
  if (exponent != end && *exponent == '+') ++exponent;
  int power = 0;
  std::from_chars(exponent, end, power);
  out.point = power + 1;
  return out;
}

// The 18 leading digits of a non-zero finite magnitude, correctly rounded.
// One more than a double needs, so that rounding them again to 17 digits or
// fewer is right except when the digits beyond the cut read exactly 5000...
Digits leadingDigits(double magnitude) {
  char buffer[48];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 17);
  return fromScientific(buffer, result.ptr);
}

// Every digit of the magnitude's exact binary value (a double m * 2^-s has
// exactly s decimals). Used only where the leading digits cannot decide.
Digits exactDigits(double magnitude) {
  int binaryExponent = 0;
  const double fraction = std::frexp(magnitude, &binaryExponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  int exponent = binaryExponent - 53;
  while ((mantissa & 1U) == 0) {
    mantissa >>= 1;
    ++exponent;
  }
  const int decimals = exponent < 0 ? -exponent : 0;
  // Magnitudes reach here between 1e-99 and 1e100: at most 101 integer
  // digits and 53 + 99 * log2(10) < 390 decimals.
  char buffer[600];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
  Digits out;
  const char* point = std::find(buffer, result.ptr, '.');
  out.point = static_cast<int>(point - buffer);
  for (const char* c = buffer; c != result.ptr; ++c) {
    if (*c == '.') continue;
    if (out.digits.empty() && *c == '0') {
      --out.point;
      continue;
    }
    out.digits.push_back(*c);
  }
  return out;
}

// The value to be rounded: its leading digits, and the magnitude for the
// rare cut that they cannot decide.
struct Source {
  double magnitude = 0.0;  // 0 stands for zero (no digits)
  Digits leading;
};

// Whether cutting `digits` after `count` digits rounds up (half away from
// zero). `exact` tells whether the digits are the value's exact expansion.
enum class Cut { Down, Up, Undecided };
Cut cutDirection(const Digits& d, int count, bool exact) {
  const auto at = static_cast<std::size_t>(count);
  if (at >= d.digits.size()) return exact ? Cut::Down : Cut::Undecided;
  if (d.digits[at] != '5') return d.digits[at] > '5' ? Cut::Up : Cut::Down;
  if (exact) return Cut::Up;
  const bool moreThanHalf = std::any_of(d.digits.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                                        d.digits.end(), [](char c) { return c != '0'; });
  return moreThanHalf ? Cut::Up : Cut::Undecided;
}

Digits cutAndRound(const Digits& source, int count, bool up) {
  Digits result;
  result.point = source.point;
  for (int k = 0; k < count; ++k) {
    const auto at = static_cast<std::size_t>(k);
    result.digits.push_back(at < source.digits.size() ? source.digits[at] : '0');
  }
  if (!up) return result;
  int k = count - 1;
  while (k >= 0 && result.digits[static_cast<std::size_t>(k)] == '9') {
    result.digits[static_cast<std::size_t>(k--)] = '0';
  }
  if (k >= 0) {
    ++result.digits[static_cast<std::size_t>(k)];
  } else {
    result.digits.insert(result.digits.begin(), '1');
    ++result.point;
  }
  return result;
}

// The digits of the value correctly rounded to `decimals` places (negative:
// to tens, hundreds, ...), half away from zero.
Digits roundDigits(const Source& value, int decimals) {
  if (value.magnitude == 0.0) {
    Digits zero;
    zero.digits.assign(static_cast<std::size_t>(std::max(decimals, 0)), '0');
    return zero;
  }
  const int count = decimals + value.leading.point;  // digits kept
  if (count < 0) return Digits{{}, -decimals};
  Cut cut = cutDirection(value.leading, count, false);
  const Digits* digits = &value.leading;
  Digits exact;
  if (cut == Cut::Undecided) {
    exact = exactDigits(value.magnitude);
    digits = &exact;
    cut = cutDirection(exact, count, true);
  }
  Digits result = cutAndRound(*digits, count, cut == Cut::Up);
  if (result.digits.empty()) result.point = -decimals;
  return result;
}

std::string exponentText(char sign, int exponent) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "E%c%02d", sign, exponent);
  return buffer;
}

// Nine significant digits: d.dddddddd E-xx
std::string smallScientific(const Source& value) {
  const Digits d = roundDigits(value, 9 - value.leading.point);
  const int exponent = d.point - 1;
  return d.digits.substr(0, 1) + "." + d.digits.substr(1, 8) +
         exponentText(exponent < 0 ? '-' : '+', std::abs(exponent));
}

std::string belowOne(const Source& value, int decimals, int point) {
  const int width = decimals - point - 1;
  if (width > 15) return smallScientific(value);
  const Digits again = roundDigits(value, std::max(decimals, width));
  if (again.point == 1 && again.digits.size() == static_cast<std::size_t>(decimals) + 1 &&
      again.digits[0] == '1' &&
      std::all_of(again.digits.begin() + 1, again.digits.end(), [](char c) { return c == '0'; })) {
    return "1." + std::string(static_cast<std::size_t>(decimals), '0');
  }
  std::string text = "0.";
  text.append(static_cast<std::size_t>(std::max(0, -again.point)), '0');
  text += again.digits;
  return text;
}

// At most 16 digits in all: the decimals that fit are rounded, not cut.
std::string fixedForm(const Source& value, int decimals, int point) {
  const int shown = std::clamp(16 - point, 0, decimals);
  const Digits digits = roundDigits(value, shown);
  const std::size_t whole = static_cast<std::size_t>(std::max(0, digits.point));
  std::string text = digits.digits.substr(0, whole);
  text.push_back('.');
  const std::size_t room = whole < 16 ? 16 - whole : 0;
  text += digits.digits.substr(whole, std::min<std::size_t>(room, static_cast<std::size_t>(shown)));
  return text;
}

// Thirteen significant digits, trailing zeros dropped down to 8 decimals.
// The clamped largest value would round up to E+100, which the exponent
// field cannot hold; it keeps 9.999999999999E+99.
std::string largeScientific(const Source& value) {
  const Digits digits = roundDigits(value, 13 - value.leading.point);
  if (digits.point - 1 > 99) return "9.999999999999" + exponentText('+', 99);
  std::string mantissa = digits.digits.substr(0, 1) + "." + digits.digits.substr(1, 12);
  while (mantissa.size() > 10 && mantissa.back() == '0') mantissa.pop_back();
  return mantissa + exponentText('+', digits.point - 1);
}

}  // namespace

std::string formatUngrouped(double value, int decimals) {
  decimals = std::clamp(decimals, 0, 9);
  if (std::isnan(value)) value = 0.0;
  if (value > 1e99) value = kLargest;
  if (value < -1e99) value = -kLargest;
  if (std::fabs(value) < 1e-99) value = 0.0;
  Source source;
  source.magnitude = std::fabs(value);
  if (source.magnitude != 0.0) source.leading = leadingDigits(source.magnitude);
  // The layout follows the point of the value written with 15 decimals. From
  // 18 digits on the cut cannot carry into a new leading digit, since a
  // double never lies that close below a power of ten.
  const bool longDigits = 15 + source.leading.point >= 18;
  const int point = longDigits ? source.leading.point : roundDigits(source, 15).point;
  std::string text = value < 0.0 ? "-" : "";
  if (point < 1) {
    text += belowOne(source, decimals, point);
  } else if (point < 12) {
    text += fixedForm(source, decimals, point);
  } else {
    text += largeScientific(source);
  }
  return text;
}

std::string FormatNumber(double value, int decimals) {
  return groupDigits(formatUngrouped(value, decimals));
}

std::string groupDigits(std::string_view text) {
  if (text.find(',') != std::string_view::npos) return std::string(text);
  std::string result;
  result.reserve(text.size() + 8);
  std::size_t start = 0;
  if (!text.empty() && text[0] == '-') {
    result.push_back('-');
    start = 1;
  }
  std::size_t end = text.find_first_of(".E", start);
  if (end == std::string_view::npos) end = text.size();
  const std::size_t count = end - start;
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0 && (count - k) % 3 == 0) result.push_back(',');
    result.push_back(text[start + k]);
  }
  if (text.find('.') == std::string_view::npos) result.push_back('.');
  result.append(text.substr(end));
  return result;
}

std::string ToDisplayStyle(std::string_view text, SeparatorStyle style) {
  std::string result(text);
  if (style == SeparatorStyle::European) {
    for (char& c : result) {
      if (c == ',') {
        c = '.';
      } else if (c == '.') {
        c = ',';
      }
    }
  }
  return result;
}

DisplayParts splitExponent(std::string_view text) {
  const std::size_t e = text.find('E');
  if (e == std::string_view::npos) return {std::string(text), {}};
  return {std::string(text.substr(0, e)), std::string(text.substr(e, 4))};
}

}  // namespace finova
