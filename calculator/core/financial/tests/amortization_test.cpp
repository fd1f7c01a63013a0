// Checks the interest/principal split of payments, the rounding of the
// balance to cents and the schedule rows with their text columns.
#include "calculator/core/financial/amortization.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numeric>

namespace finova::fin {
namespace {

LoanState loan(double pv, double pmt, double i, double n = 0, bool begin = false) {
  return LoanState{pv, n, i, pmt, begin, 0};
}

// The textbook payment of a loan over n periods at r a period, paid at the
// end of each period or (begin) at its start.
double levelPayment(double pv, double r, int n, bool begin) {
  const double annuity = (1 - std::pow(1 + r, -n)) / r;
  return -pv / (annuity * (begin ? 1 + r : 1));
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

TEST(Amortize, FirstPaymentAtBeginningPaysNoInterestWhateverNHolds) {
  for (double n : {0.0, 3.0, 360.0}) {
    const AmortizeOutcome due = amortize(loan(1000, -100, 1, n, true), 1);
    EXPECT_EQ(due.interestTotal, 0.0) << n;
    EXPECT_DOUBLE_EQ(due.after.pv, 900.0) << n;
    EXPECT_EQ(due.after.n, n + 1) << n;
  }
  // Once payments have been made, or at the end of the period, interest is due.
  LoanState later = loan(1000, -100, 1, 3, true);
  later.paymentsMade = 3;
  EXPECT_NEAR(amortize(later, 1).interestTotal, -10.0, 1e-12);
  EXPECT_NEAR(amortize(loan(1000, -100, 1, 0, false), 1).interestTotal, -10.0, 1e-12);
}

TEST(Amortize, ThirtyYearMortgageEndsExactlyAtZero) {
  const double r = 6.5 / 12 / 100;
  for (bool begin : {false, true}) {
    const double pmt = levelPayment(250000, r, 360, begin);
    const LoanState start = loan(250000, pmt, 6.5 / 12, 360, begin);
    // After 12 payments: the loan grown over the periods passed less the
    // payments grown from when each was made (cents rounding aside).
    const int passed = begin ? 11 : 12;
    const double paid = -pmt * (std::pow(1 + r, 12) - 1) / r;
    const double expected = 250000 * std::pow(1 + r, passed) - paid;
    EXPECT_NEAR(amortize(start, 12).after.pv, expected, 0.05) << begin;
    const AmortizeOutcome all = amortize(start, 360);
    EXPECT_EQ(all.after.pv, 0.0) << begin;
    EXPECT_NEAR(all.principalTotal, -250000.0, 1.0) << begin;
    EXPECT_NEAR(all.interestTotal, 360 * pmt + 250000, 0.5) << begin;
    // Asking for more payments than are left makes only those left.
    const AmortizeOutcome more = amortize(start, 400);
    EXPECT_EQ(more.paymentsAmortized, 360.0) << begin;
    EXPECT_EQ(more.after.pv, 0.0) << begin;
    EXPECT_EQ(more.after.n, 720.0) << begin;
  }
}

TEST(Amortize, ContinuingRunsMatchOneRun) {
  const double pmt = levelPayment(250000, 6.5 / 1200, 360, true);
  const LoanState start = loan(250000, pmt, 6.5 / 12, 0, true);
  const AmortizeOutcome first = amortize(start, 12);
  const AmortizeOutcome second = amortize(first.after, 12);
  const AmortizeOutcome both = amortize(start, 24);
  EXPECT_EQ(second.after.pv, both.after.pv);
  EXPECT_NEAR(first.interestTotal + second.interestTotal, both.interestTotal, 1e-9);
  EXPECT_EQ(second.after.paymentsMade, 24.0);
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

TEST(AmortizationSchedule, LastRowPaysExactlyTheRest) {
  const std::vector<ScheduleRow> rows = scheduleRows(loan(1000, -100, 1));
  ASSERT_EQ(rows.size(), 11u);
  for (std::size_t k = 0; k + 1 < rows.size(); ++k) {
    EXPECT_GT(rows[k].balance, 0.0) << k;
    EXPECT_NEAR(rows[k].interest + rows[k].principal, 100.0, 1e-9) << k;
  }
  EXPECT_NEAR(rows[0].interest, 10.0, 1e-9);
  EXPECT_NEAR(rows[0].principal, 90.0, 1e-9);
  EXPECT_DOUBLE_EQ(rows[0].balance, 910.0);
  EXPECT_NEAR(rows[1].interest, 9.10, 1e-9);
  // After ten payments 1000 * 1.01^10 - 100 * (1.01^10 - 1) / 0.01 is left;
  // the eleventh pays it and its interest, and the balance is 0.
  const double left = 1000 * std::pow(1.01, 10) - 100 * (std::pow(1.01, 10) - 1) / 0.01;
  EXPECT_NEAR(rows[10].principal, left, 0.01);
  EXPECT_NEAR(rows[10].interest, left * 0.01, 0.001);
  EXPECT_EQ(rows[10].balance, 0.0);
  EXPECT_DOUBLE_EQ(rows[10].principal, rows[9].balance);
}

TEST(AmortizationSchedule, MortgageHasOneRowPerPaymentEndingAtZero) {
  for (bool begin : {false, true}) {
    const double pmt = levelPayment(250000, 6.5 / 1200, 360, begin);
    // n holds the term (or anything): the schedule starts at payment 1.
    const std::vector<ScheduleRow> rows = scheduleRows(loan(250000, pmt, 6.5 / 12, 360, begin));
    ASSERT_EQ(rows.size(), 360u) << begin;
    EXPECT_EQ(rows.back().balance, 0.0) << begin;
    EXPECT_NEAR(rows.front().interest, begin ? 0.0 : 250000 * 6.5 / 1200, 1e-9) << begin;
    const double principal =
        std::accumulate(rows.begin(), rows.end(), 0.0,
                        [](double sum, const ScheduleRow& row) { return sum + row.principal; });
    // Each principal is the payment less its interest, the balance is rounded
    // to cents: the column adds up to the loan within those roundings.
    EXPECT_NEAR(principal, 250000.0, 1.0) << begin;
    for (const ScheduleRow& row : rows) EXPECT_GE(row.balance, 0.0) << row.number;
    EXPECT_NEAR(rows.back().principal + rows.back().interest, -pmt, 0.5) << begin;
  }
}

TEST(AmortizationSchedule, RowsAgreeWithSeparateAmortizeRuns) {
  const LoanState start = loan(25000, -480, 0.6, 0);
  const std::vector<ScheduleRow> rows = scheduleRows(start);
  ASSERT_GT(rows.size(), 40u);
  for (int k : {1, 2, 17, 40, static_cast<int>(rows.size())}) {
    const AmortizeOutcome upTo = amortize(start, k);
    const double before = k > 1 ? -amortize(start, k - 1).interestTotal : 0.0;
    EXPECT_NEAR(rows[k - 1].interest, -upTo.interestTotal - before, 1e-9) << k;
    EXPECT_EQ(rows[k - 1].balance, upTo.after.pv) << k;
  }
}

TEST(AmortizationSchedule, RefusedRegistersAndUnpaidLoansGiveNoRowsButAReason) {
  EXPECT_TRUE(scheduleRows(loan(1000, 100, 1)).empty());
  EXPECT_TRUE(scheduleRows(loan(-1000, -100, 1)).empty());
  EXPECT_TRUE(scheduleRows(loan(1000, -100, 0)).empty());
  EXPECT_EQ(scheduleRefusal(loan(1000, 100, 1)), kScheduleErrorText);
  EXPECT_EQ(scheduleRefusal(loan(1000, -100, 1)), nullptr);
  // 5 a period never pays the 10 of interest; 10 only pays the interest.
  for (double pmt : {-5.0, -10.0}) {
    EXPECT_TRUE(scheduleRows(loan(1000, pmt, 1)).empty()) << pmt;
    EXPECT_EQ(scheduleRefusal(loan(1000, pmt, 1)), kScheduleUnpaidText) << pmt;
  }
  // At the beginning the first payment is all principal, the rest do not
  // cover the interest.
  EXPECT_EQ(scheduleRefusal(loan(1000, -5, 1, 0, true)), kScheduleUnpaidText);
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

TEST(AmortizationSchedule, HeadingTitlesEndWhereTheirColumnsEnd) {
  const ScheduleRow row{7, 90.5, 10.25, 1234.5};
  const std::string line = scheduleRowText(row, twoDecimals);
  const std::string heading = kScheduleHeading;
  const auto endOf = [](const std::string& text, const std::string& part) {
    return text.find(part) + part.size();
  };
  EXPECT_EQ(endOf(heading, "Pmt#"), endOf(line, "007"));
  EXPECT_EQ(endOf(heading, "Principal"), endOf(line, "90.50"));
  EXPECT_EQ(endOf(heading, "Interest"), endOf(line, "10.25"));
  EXPECT_EQ(endOf(heading, "Balance"), endOf(line, "1234.50"));
}

TEST(AmortizationSchedule, PrintedPagesRepeatTheHeadingAndAreNumbered) {
  const LoanState start = loan(250000, levelPayment(250000, 6.5 / 1200, 360, false), 6.5 / 12);
  const std::vector<ScheduleRow> rows = scheduleRows(start);
  const std::vector<std::string> lines = schedulePrintLines(start, rows, twoDecimals);
  for (int perPage : {20, 57, 400}) {
    const auto pages = schedulePrintPages(start, rows, twoDecimals, perPage);
    const std::size_t count = pages.size();
    // Page 1 holds 20 - 8 rows, the others 20 - 4 each: 12 + 16 * 22 >= 360.
    if (perPage == 20) {
      EXPECT_EQ(count, 23u);
    }
    if (perPage == 400) {
      EXPECT_EQ(count, 1u);
    }
    std::vector<std::string> printedRows;
    for (std::size_t p = 0; p < count; ++p) {
      const std::vector<std::string>& page = pages[p];
      ASSERT_LE(page.size(), static_cast<std::size_t>(perPage)) << p;
      const std::size_t top = p == 0 ? 6 : 2;
      EXPECT_EQ(page[top - 2], kScheduleHeading) << p;
      EXPECT_EQ(page[top - 1], std::string(48, '=')) << p;
      EXPECT_EQ(page.back(), "Page " + std::to_string(p + 1) + " of " + std::to_string(count));
      EXPECT_EQ(page[page.size() - 2], "");
      printedRows.insert(printedRows.end(), page.begin() + static_cast<std::ptrdiff_t>(top),
                         page.end() - 2);
    }
    EXPECT_EQ(std::vector<std::string>(pages[0].begin(), pages[0].begin() + 6),
              std::vector<std::string>(lines.begin(), lines.begin() + 6));
    EXPECT_EQ(printedRows, std::vector<std::string>(lines.begin() + 6, lines.end())) << perPage;
  }
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
