// Checks the interest/principal split of payments, the rounding of the
// balance to cents and the schedule rows with their text columns.
#include "calculator/core/financial/amortization.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace finova::fin {
namespace {

LoanState loan(double pv, double pmt, double i, double n = 0, bool begin = false) {
  return LoanState{pv, n, i, pmt, begin};
}

std::string twoDecimals(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", v);
  return text;
}

TEST(Amortize, SplitsPaymentsIntoInterestAndPrincipal) {
  // 1 % of 1000 is 10; the next balance 910 earns 9.10.
  const AmortizeOutcome two = amortize(loan(1000, -100, 1, 5), 2);
  ASSERT_EQ(two.error, error::kNone);
  EXPECT_NEAR(two.interestTotal, -19.10, 1e-9);
  EXPECT_NEAR(two.principalTotal, -180.90, 1e-9);
  EXPECT_DOUBLE_EQ(two.after.pv, 819.10);
  EXPECT_EQ(two.after.n, 7.0);
}

TEST(Amortize, BalanceIsRoundedToCentsBeforeNextInterest) {
  // 1.5 % of 1000.55 is 15.00825; the balance 1000.55 - 84.99175 rounds to 915.56.
  const AmortizeOutcome one = amortize(loan(1000.55, -100, 1.5), 1);
  EXPECT_DOUBLE_EQ(one.after.pv, 915.56);
  const AmortizeOutcome two = amortize(loan(1000.55, -100, 1.5), 2);
  EXPECT_NEAR(two.interestTotal, -(15.00825 + 915.56 * 0.015), 1e-9);
}

TEST(Amortize, FirstPaymentAtBeginningOfFreshLoanPaysNoInterest) {
  const AmortizeOutcome due = amortize(loan(1000, -100, 1, 0, true), 1);
  EXPECT_EQ(due.interestTotal, 0.0);
  EXPECT_DOUBLE_EQ(due.after.pv, 900.0);
  // Once periods have passed, or at the end of the period, interest is due.
  EXPECT_NEAR(amortize(loan(1000, -100, 1, 3, true), 1).interestTotal, -10.0, 1e-12);
  EXPECT_NEAR(amortize(loan(1000, -100, 1, 0, false), 1).interestTotal, -10.0, 1e-12);
}

TEST(Amortize, PositivePaymentCountsInterestAsReceived) {
  // An investment: PV -1000 receiving 100 a period.
  const AmortizeOutcome one = amortize(loan(-1000, 100, 1), 1);
  EXPECT_NEAR(one.interestTotal, 10.0, 1e-12);
  EXPECT_NEAR(one.principalTotal, 90.0, 1e-12);
  EXPECT_DOUBLE_EQ(one.after.pv, -910.0);
}

TEST(Amortize, RefusesCountsThatAreNotWholePositiveOrAreHuge) {
  EXPECT_EQ(amortize(loan(1000, -100, 1), 0).error, error::kFinancial);
  EXPECT_EQ(amortize(loan(1000, -100, 1), -2).error, error::kFinancial);
  EXPECT_EQ(amortize(loan(1000, -100, 1), 1.5).error, error::kFinancial);
  EXPECT_EQ(amortize(loan(1000, -100, 1), 1e12).error, error::kFinancial);
  EXPECT_EQ(amortize(loan(1000, -100, 1), std::nan("")).error, error::kFinancial);
}

TEST(AmortizationSchedule, EndsAtFirstRowWhoseBalanceReachesZero) {
  const std::vector<ScheduleRow> rows = scheduleRows(loan(1000, -100, 1));
  ASSERT_EQ(rows.size(), 11u);
  for (std::size_t k = 0; k + 1 < rows.size(); ++k) EXPECT_GT(rows[k].balance, 0.0) << k;
  EXPECT_LE(rows.back().balance, 0.0);
  EXPECT_NEAR(rows[0].interest, 10.0, 1e-9);
  EXPECT_NEAR(rows[0].principal, 90.0, 1e-9);
  EXPECT_NEAR(rows[0].balance, 910.0 - 0.0003611, 1e-9);
  EXPECT_NEAR(rows[1].interest, 9.10, 1e-9);
  EXPECT_NEAR(rows[1].balance, 819.10 - 2 * 0.0003611, 1e-9);
  for (const ScheduleRow& row : rows) EXPECT_NEAR(row.interest + row.principal, 100.0, 1e-9);
}

TEST(AmortizationSchedule, RowsAgreeWithSeparateAmortizeRuns) {
  const LoanState start = loan(25000, -480, 0.6, 0);
  const std::vector<ScheduleRow> rows = scheduleRows(start);
  ASSERT_GT(rows.size(), 40u);
  for (int k : {1, 2, 17, 40}) {
    const AmortizeOutcome upTo = amortize(start, k);
    const double before = k > 1 ? -amortize(start, k - 1).interestTotal : 0.0;
    EXPECT_NEAR(rows[k - 1].interest, -upTo.interestTotal - before, 1e-9) << k;
    EXPECT_NEAR(rows[k - 1].balance, upTo.after.pv - k * 0.0003611, 1e-9) << k;
  }
}

TEST(AmortizationSchedule, RefusedRegistersGiveNoRowsAndEndlessLoanStops) {
  EXPECT_TRUE(scheduleRows(loan(1000, 100, 1)).empty());
  EXPECT_TRUE(scheduleRows(loan(-1000, -100, 1)).empty());
  EXPECT_TRUE(scheduleRows(loan(1000, -100, 0)).empty());
  // 5 a period never pays the 10 of interest: the schedule stops at its cap.
  EXPECT_EQ(scheduleRows(loan(1000, -5, 1)).size(), static_cast<std::size_t>(kMaxScheduleRows));
}

TEST(AmortizationSchedule, RowTextPutsColumnsAtFixedEnds) {
  const ScheduleRow row{7, 90.5, 10.25, 1234.5};
  const std::string line = scheduleRowText(row, twoDecimals);
  // " 007", then the three numbers ending at columns 16, 29 and 45.
  EXPECT_EQ(line, " 007        90.50        10.25         1234.50");
  EXPECT_EQ(line.size(), 46u);
  const ScheduleRow thousand{1000, 1, 2, 3};
  EXPECT_EQ(scheduleRowText(thousand, twoDecimals).substr(0, 5), " 1000");
  EXPECT_EQ(scheduleRowText(thousand, twoDecimals).size(), 47u);
}

TEST(AmortizationSchedule, OverwideNumbersStaySeparated) {
  const ScheduleRow row{1, 123456789012345.0, 1, 2};
  const std::string line = scheduleRowText(row, twoDecimals);
  EXPECT_EQ(line.substr(0, 24), " 001 123456789012345.00 ");
  EXPECT_EQ(line.substr(line.size() - 5), " 2.00");
}

TEST(AmortizationSchedule, PrintoutHasHeaderHeadingRuleAndRows) {
  const LoanState start = loan(1000, -100, 1);
  const std::vector<ScheduleRow> rows = scheduleRows(start);
  const std::vector<std::string> lines = schedulePrintLines(start, rows, twoDecimals);
  ASSERT_EQ(lines.size(), 6 + rows.size());
  EXPECT_EQ(lines[0], "     Loan Amount:  1000.00");
  EXPECT_EQ(lines[1], "Interest rate/yr:  12.00");
  EXPECT_EQ(lines[2], "  Payment amount:  -100.00");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[5], std::string(48, '='));
  EXPECT_EQ(lines[6], scheduleRowText(rows[0], twoDecimals));
}

TEST(AmortizationSchedule, TextFileHoldsRowsWithCrLfAndNoHeading) {
  const std::vector<ScheduleRow> rows = scheduleRows(loan(1000, -100, 1));
  const std::string text = scheduleText(rows, twoDecimals);
  EXPECT_EQ(text.find("Pmt#"), std::string::npos);
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, rows.size());
  EXPECT_EQ(text.substr(0, 6), " 001  ");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
}  // namespace finova::fin
