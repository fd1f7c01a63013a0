#pragma once
// Amortization: splitting payments into interest and principal, and the
// rows of the amortization schedule.
//
// Each payment pays interest |i * PV / 100| on the balance (none for the
// loan's first payment when payments fall at the beginning of the period);
// the rest of the payment is principal and moves PV, which is then rounded
// to cents, and the next payment's interest comes from the rounded balance.
// Signs follow PMT: for PMT < 0 the interest and principal totals come out
// negative, as cash paid. When the payments repay the balance (PMT and PV of
// opposite signs) the last payment pays exactly what is left, so the
// balance ends at 0.00: the payment that would cross 0, or would leave no
// more than cent rounding can have piled up, is that last payment; no
// payment follows it. The number of a payment counts from the loan's first
// (LoanState::paymentsMade), not from n, which usually holds the term.
//
// The schedule lists one row per payment, k = 1, 2, ..., with the interest
// and principal of that payment and the balance after it, up to the payment
// that pays the loan off. It needs PMT < 0, PV > 0 and i > 0, and a payment
// that lowers the balance. The rows' text uses a number formatter supplied
// by the caller (the display's), so this unit needs no display code.

#include <functional>
#include <string>
#include <vector>

#include "calculator/core/financial/outcome.h"

namespace finova::fin {

struct LoanState {
  double pv = 0.0;
  double n = 0.0;
  double i = 0.0;  // periodic rate in percent
  double pmt = 0.0;
  bool begin = false;
  // Payments of this loan amortized before (0: the next is payment 1).
  double paymentsMade = 0.0;
};

struct AmortizeOutcome {
  double interestTotal = 0.0;
  double principalTotal = 0.0;
  LoanState after;  // new balance in pv; n and paymentsMade advanced
  // Payments actually made: fewer than asked when the loan is paid off.
  double paymentsAmortized = 0.0;
  int error = error::kNone;
};

// The largest number of payments one AMRT amortizes; more is refused with
// error 6, so that a huge count cannot stall the calculator.
inline constexpr double kMaxAmortizedPayments = 100000;

// Amortizes `payments` payments (a whole number greater than 0).
AmortizeOutcome amortize(const LoanState& loan, double payments);

// PV rounded to 2 decimals by writing it with 2 decimals and reading it back.
double roundToCents(double value);

struct ScheduleRow {
  int number = 0;
  double principal = 0.0;
  double interest = 0.0;
  double balance = 0.0;
};

// The longest schedule produced; a loan that needs more payments is refused.
inline constexpr int kMaxScheduleRows = 9999;

// True when the registers suit a schedule: PMT < 0, PV > 0 and i > 0.
bool scheduleAllowed(const LoanState& loan);
// Why no schedule can be shown (kScheduleErrorText, kScheduleUnpaidText),
// or null when it can. The schedule always starts from payment 1.
const char* scheduleRefusal(const LoanState& loan);
// The schedule rows (empty when refused).
std::vector<ScheduleRow> scheduleRows(const LoanState& loan);

using NumberFormatter = std::function<std::string(double)>;
// One row as the list shows it and the text file holds it: column 0 blank,
// the payment number from column 1 with at least three digits, then
// principal, interest and balance right-aligned so that they end 12, 25 and
// 41 columns after the number.
std::string scheduleRowText(const ScheduleRow& row, const NumberFormatter& format);
// The column heading: each title ends in the column where its numbers end.
inline constexpr const char* kScheduleHeading = "Pmt#    Principal     Interest         Balance";
inline constexpr std::size_t kScheduleRuleWidth = 48;
// The rows for the text file: each followed by CR LF, no heading.
std::string scheduleText(const std::vector<ScheduleRow>& rows, const NumberFormatter& format);

// What the schedule window shows above the rows: the loan, the yearly rate
// (12 periods a year) and the payment.
struct ScheduleHeader {
  double loanAmount = 0.0;
  double ratePerYear = 0.0;
  double payment = 0.0;
};
ScheduleHeader scheduleHeader(const LoanState& loan);

// The printout's lines in order: the three header lines, an empty line, the
// column heading, a rule of 48 "=" and the rows.
std::vector<std::string> schedulePrintLines(const LoanState& loan,
                                            const std::vector<ScheduleRow>& rows,
                                            const NumberFormatter& format);
// The same lines on pages of `linesPerPage` lines: every page after the
// first opens with the heading and the rule, and every page ends with an
// empty line and "Page n of m".
std::vector<std::vector<std::string>> schedulePrintPages(const LoanState& loan,
                                                         const std::vector<ScheduleRow>& rows,
                                                         const NumberFormatter& format,
                                                         int linesPerPage);

// The message box shown instead of a schedule when the registers do not
// describe a loan being paid off.
inline constexpr const char* kScheduleErrorCaption = "Amortization Error";
inline constexpr const char* kScheduleErrorText =
    "An amortization schedule needs a loan: PMT < 0 (payments made), i > 0 and PV > 0.";
inline constexpr const char* kScheduleUnpaidText =
    "The payment does not pay off the loan: it does not cover the interest, or the loan "
    "needs more than 9,999 payments.";

}  // namespace finova::fin
