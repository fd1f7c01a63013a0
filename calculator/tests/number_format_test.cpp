#include "calculator/core/number_format.h"

#include <gtest/gtest.h>

namespace finova {
namespace {

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
