#include "calculator/core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace finova {
namespace {

constexpr double kLargest = 9.999999999999998e99;

// A fixed-point digit conversion: the digits of |value| rounded to `decimals`
// places, without leading zeros, and the position of the decimal point
// relative to them (0.0123 with 4 decimals: "123", point at -1).
struct Digits {
  std::string digits;
  int point = 0;
};

// The 17 significant digits of a non-zero finite magnitude and its decimal
// point position (value = 0.d1d2... * 10^point).
struct Significant {
  char digits[18] = {};
  int point = 0;
};

Significant significantDigits(double magnitude) {
  char buffer[40];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 16);
  *result.ptr = '\0';
  Significant s;
  s.digits[0] = buffer[0];
  std::copy(buffer + 2, buffer + 18, s.digits + 1);
  s.point = std::atoi(buffer + 19) + 1;
  return s;
}

Digits roundDigits(const Significant& s, int decimals) {
  Digits result;
  const int count = decimals + s.point;  // digits kept
  if (count < 0 || (count == 0 && s.digits[0] < '5')) {
    result.point = -decimals;
    return result;
  }
  result.digits.reserve(static_cast<std::size_t>(count) + 1);
  for (int k = 0; k < count; ++k) result.digits.push_back(k < 17 ? s.digits[k] : '0');
  result.point = s.point;
  const bool roundUp = count < 17 && s.digits[count] >= '5';
  if (!roundUp) return result;
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

// The digits of a value with `decimals` places; no significant digits
// (null) stands for zero.
Digits fixedDigits(const Significant* value, int decimals) {
  if (value == nullptr) {
    Digits zero;
    zero.digits.assign(static_cast<std::size_t>(decimals), '0');
    return zero;
  }
  return roundDigits(*value, decimals);
}

std::string exponentText(char sign, int exponent) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "E%c%02d", sign, exponent);
  return buffer;
}

// |v| < 1 with a first significant digit far right: d.dddddddd E-xx
std::string smallScientific(double magnitude) {
  char buffer[40];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 8);
  const std::string text(buffer, result.ptr);
  const std::size_t e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  return text.substr(0, e) + exponentText(exponent < 0 ? '-' : '+', std::abs(exponent));
}

std::string belowOne(double magnitude, const Significant* sig, int decimals, int point) {
  const int width = decimals - point - 1;
  if (width > 15) return smallScientific(magnitude);
  const Digits again = fixedDigits(sig, std::max(decimals, width));
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

std::string fixedForm(const Significant* sig, int decimals) {
  const Digits digits = fixedDigits(sig, decimals);
  const std::size_t whole = static_cast<std::size_t>(std::max(0, digits.point));
  std::string text = digits.digits.substr(0, whole);
  text.push_back('.');
  const std::size_t room = whole < 16 ? 16 - whole : 0;
  text += digits.digits.substr(whole, std::min<std::size_t>(room, decimals));
  return text;
}

std::string largeScientific(const Digits& digits) {
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
  const double magnitude = std::fabs(value);
  Significant significant;
  const Significant* sig = nullptr;
  if (magnitude != 0.0) {
    significant = significantDigits(magnitude);
    sig = &significant;
  }
  const Digits digits = fixedDigits(sig, 15);
  std::string text = value < 0.0 ? "-" : "";
  if (digits.point < 1) {
    text += belowOne(magnitude, sig, decimals, digits.point);
  } else if (digits.point < 12) {
    text += fixedForm(sig, decimals);
  } else {
    text += largeScientific(digits);
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
