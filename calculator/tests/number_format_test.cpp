#include "calculator/core/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "calculator/core/calc_engine.h"
#include "calculator/tests/engine_test_support.h"

namespace finova {
namespace {

// The digits of |v| rounded half away from zero at 10^-q (q < 0 rounds to
// tens, hundreds, ...), from the exact expansion that printf writes, without
// leading zeros ("0" for none).
std::string roundedByHand(double v, int q) {
  std::vector<char> buffer(1600);
  std::snprintf(buffer.data(), buffer.size(), "%.1100f", std::fabs(v));
  const std::string text = buffer.data();
  const std::size_t dot = text.find('.');
  const std::string all = text.substr(0, dot) + text.substr(dot + 1);
  const long keep = static_cast<long>(dot) + q;
  std::string kept = keep > 0 ? all.substr(0, static_cast<std::size_t>(keep)) : "";
  if (keep >= 0 && all[static_cast<std::size_t>(keep)] >= '5') {
    long k = static_cast<long>(kept.size()) - 1;
    while (k >= 0 && kept[static_cast<std::size_t>(k)] == '9')
      kept[static_cast<std::size_t>(k--)] = '0';
    if (k >= 0) {
      ++kept[static_cast<std::size_t>(k)];
    } else {
      kept.insert(kept.begin(), '1');
    }
  }
  const std::size_t first = kept.find_first_not_of('0');
  return first == std::string::npos ? "0" : kept.substr(first);
}

// The digits a display text shows (grouping, sign and point removed, no
// leading zeros) and the decimal place q of its last digit.
struct Shown {
  std::string digits;
  int q = 0;
};
Shown shownDigits(const std::string& text) {
  const std::size_t e = text.find('E');
  const int exponent = e == std::string::npos ? 0 : std::atoi(text.c_str() + e + 1);
  const std::string mantissa = text.substr(0, e);
  Shown out;
  const std::size_t dot = mantissa.find('.');
  out.q = static_cast<int>(mantissa.size() - dot - 1) - exponent;
  for (char c : mantissa) {
    if (c >= '0' && c <= '9' && !(out.digits.empty() && c == '0')) out.digits.push_back(c);
  }
  if (out.digits.empty()) out.digits = "0";
  return out;
}

TEST(NumberFormatTest, GroupsThousandsWithTheChosenDecimals) {
  EXPECT_EQ(FormatNumber(1234567, 2), "1,234,567.00");
  EXPECT_EQ(FormatNumber(-1234567.891, 2), "-1,234,567.89");
  EXPECT_EQ(FormatNumber(42, 0), "42.");
  EXPECT_EQ(FormatNumber(1234, 0), "1,234.");
  EXPECT_EQ(FormatNumber(999.5, 0), "1,000.");
  EXPECT_EQ(FormatNumber(0, 2), "0.00");
  EXPECT_EQ(FormatNumber(0, 0), "0.");
  EXPECT_EQ(FormatNumber(1.5, 9), "1.500000000");
}

TEST(NumberFormatTest, RoundsHalfAwayFromZero) {
  EXPECT_EQ(FormatNumber(0.125, 2), "0.13");
  EXPECT_EQ(FormatNumber(2.5, 0), "3.");
  EXPECT_EQ(FormatNumber(-2.5, 0), "-3.");
  EXPECT_EQ(FormatNumber(1234.567, 2), "1,234.57");
}

TEST(NumberFormatTest, SmallValuesShowTheirFirstSignificantDigit) {
  EXPECT_EQ(FormatNumber(0.00001234, 2), "0.00001");
  EXPECT_EQ(FormatNumber(0.5, 2), "0.50");
  EXPECT_EQ(FormatNumber(0.05, 2), "0.05");
  EXPECT_EQ(FormatNumber(0.0999, 2), "0.10");
  EXPECT_EQ(FormatNumber(-0.004, 2), "-0.004");
}

TEST(NumberFormatTest, RoundingUpToOneShowsOneWithTheDecimals) {
  EXPECT_EQ(FormatNumber(0.999, 2), "1.00");
  EXPECT_EQ(FormatNumber(0.9999, 3), "1.000");
  EXPECT_EQ(FormatNumber(-0.999, 2), "-1.00");
}

TEST(NumberFormatTest, LargeValuesUseTheScientificForm) {
  EXPECT_EQ(FormatNumber(123456789012.0, 2), "1.23456789012E+11");
  EXPECT_EQ(FormatNumber(1e12, 2), "1.00000000E+12");
  EXPECT_EQ(FormatNumber(99999999999.0, 2), "99,999,999,999.00");
  EXPECT_EQ(FormatNumber(12345678901.0, 9), "12,345,678,901.00000");
}

TEST(NumberFormatTest, TinyValuesUseTheNegativeExponentForm) {
  EXPECT_EQ(FormatNumber(1e-20, 2), "1.00000000E-20");
  EXPECT_EQ(FormatNumber(-2.5e-30, 2), "-2.50000000E-30");
  EXPECT_EQ(FormatNumber(1e-15, 2), "0.000000000000001");
}

TEST(NumberFormatTest, ClampsBeyondTheDisplayRange) {
  EXPECT_EQ(FormatNumber(2e100, 2), "9.999999999999E+99");
  EXPECT_EQ(FormatNumber(-2e100, 2), "-9.999999999999E+99");
  EXPECT_EQ(FormatNumber(1e-100, 2), "0.00");
  EXPECT_EQ(FormatNumber(1.0 / 0.0, 2), "9.999999999999E+99");
}

TEST(NumberFormatTest, ShowsTheCorrectlyRoundedDigitsNotTheCutBinaryOnes) {
  // 1e23 is stored as 9.99999999999999916e22; 1234567890.1 as
  // 1234567890.09999990463...; 0.3 as 0.299999999999999988898...
  EXPECT_EQ(FormatNumber(1e23, 2), "1.00000000E+23");
  EXPECT_EQ(FormatNumber(1234567890.1, 9), "1,234,567,890.100000");
  EXPECT_EQ(FormatNumber(0.3, 9), "0.300000000");
  EXPECT_EQ(FormatNumber(1.1e15, 2), "1.10000000E+15");
  EXPECT_EQ(FormatNumber(12345678901.23456, 9), "12,345,678,901.23456");
  EXPECT_EQ(FormatNumber(9.999999999999e22, 2), "9.999999999999E+22");
  EXPECT_EQ(FormatNumber(9.99999999999996e22, 2), "1.00000000E+23");
  EXPECT_EQ(FormatNumber(4.35e-30, 2), "4.35000000E-30");
  EXPECT_EQ(FormatNumber(9.9999999996e-21, 2), "1.00000000E-20");
}

TEST(NumberFormatTest, ExactHalvesRoundAwayFromZeroAtEveryPlace) {
  // Binary fractions are exact: these are true ties.
  EXPECT_EQ(FormatNumber(0.0625, 3), "0.063");
  EXPECT_EQ(FormatNumber(-0.0625, 3), "-0.063");
  EXPECT_EQ(FormatNumber(1234567890123500.0, 2), "1.234567890124E+15");
  EXPECT_EQ(FormatNumber(1234567890122500.0, 2), "1.234567890123E+15");
  EXPECT_EQ(FormatNumber(1234567890.0078125, 6), "1,234,567,890.007813");
}

TEST(NumberFormatTest, PropertyEveryShownDigitIsTheCorrectlyRoundedOne) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> logMagnitude(-24.0, 24.0);
  std::uniform_int_distribution<int> decimals(0, 9);
  std::uniform_int_distribution<std::int64_t> numerator(1, std::int64_t{1} << 45);
  std::uniform_int_distribution<int> halvings(0, 20);
  for (int k = 0; k < 20000; ++k) {
    // Half the samples spread over the magnitudes; half are binary
    // fractions, which are often exact halves at the place shown.
    double value = k % 2 == 0
                       ? std::pow(10.0, logMagnitude(random))
                       : std::ldexp(static_cast<double>(numerator(random)), -halvings(random));
    if (k % 3 == 0) value = -value;
    const int places = decimals(random);
    const std::string text = formatUngrouped(value, places);
    const Shown shown = shownDigits(text);
    ASSERT_EQ(shown.digits, roundedByHand(value, shown.q))
        << "value " << value << " with " << places << " decimals shows " << text;
  }
}

TEST(NumberFormatTest, NumbersTypedAreShownAsTyped) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> wholeDigits(1, 11);
  for (int k = 0; k < 2000; ++k) {
    const int places = k % 10;
    // The entry holds 15 characters, the point included.
    const int whole = std::min(wholeDigits(random), 14 - places);
    std::string typed(1, static_cast<char>('1' + digit(random) % 9));
    for (int d = 1; d < whole; ++d) typed.push_back(static_cast<char>('0' + digit(random)));
    typed.push_back('.');
    for (int d = 0; d < places; ++d) typed.push_back(static_cast<char>('0' + digit(random)));
    CalcEngine engine;
    engine.setDecimals(places);
    testing::type(engine, typed + " ENTER");
    ASSERT_EQ(engine.xDisplayText(), groupDigits(typed)) << typed;
  }
}

TEST(NumberFormatTest, ExponentKeyedInShowsItsOwnDigits) {
  CalcEngine engine;
  testing::type(engine, "1 EEX 2 3 ENTER");
  EXPECT_EQ(engine.displayModel().xLine(), "1.00000000");
  EXPECT_EQ(engine.displayModel().exponent(), "E+23");
}

TEST(NumberFormatTest, SplitsTheExponentIntoItsField) {
  const DisplayParts parts = splitExponent("1.23456789012E+11");
  EXPECT_EQ(parts.line, "1.23456789012");
  EXPECT_EQ(parts.exponent, "E+11");
  EXPECT_EQ(splitExponent("12.00").exponent, "");
}

TEST(NumberFormatTest, EuropeanStyleExchangesSeparators) {
  EXPECT_EQ(ToDisplayStyle("1,234,567.00", SeparatorStyle::European), "1.234.567,00");
  EXPECT_EQ(ToDisplayStyle("1,234,567.00", SeparatorStyle::English), "1,234,567.00");
}

TEST(NumberFormatTest, GroupingLeavesGroupedTextsAndKeepsExponents) {
  EXPECT_EQ(groupDigits("1,234."), "1,234.");
  EXPECT_EQ(groupDigits("-1234567"), "-1,234,567.");
  EXPECT_EQ(groupDigits("1E+5"), "1.E+5");
  EXPECT_EQ(groupDigits("123.4567"), "123.4567");
}

}  // namespace
}  // namespace finova
