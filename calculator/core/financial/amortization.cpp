#include "calculator/core/financial/amortization.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace finova::fin {
namespace {

// Subtracted per row from the schedule's balance so that a balance that
// rounds to a few tenths of a cent counts as paid off.
constexpr double kBalanceSlackPerRow = 0.0003611;

// Walks the payments one by one; `visit` sees the totals after each payment.
template <typename Visit>
LoanState walkPayments(const LoanState& loan, int payments, double& interestTotal,
                       double& principalTotal, Visit visit) {
  LoanState state = loan;
  const double sign = loan.pmt < 0 ? -1.0 : 1.0;
  for (int k = 1; k <= payments; ++k) {
    double interest = std::fabs(loan.i * state.pv / 100.0);
    if (k == 1 && loan.n == 0 && loan.begin) interest = 0.0;
    interestTotal += sign * interest;
    const double principal = loan.pmt - sign * interest;
    principalTotal += principal;
    state.pv = roundToCents(state.pv + principal);
    if (!visit(k, state.pv)) break;
  }
  return state;
}

void appendRightAligned(std::string& line, const std::string& text, std::size_t endColumn) {
  std::size_t start = endColumn + 1 >= text.size() ? endColumn + 1 - text.size() : 0;
  // A text too wide for its column keeps one blank after the previous one.
  if (start <= line.size()) start = line.size() + 1;
  line.append(start - line.size(), ' ');
  line += text;
}

}  // namespace

double roundToCents(double value) {
  char text[400];
  std::snprintf(text, sizeof text, "%.2f", value);
  return std::strtod(text, nullptr);
}

AmortizeOutcome amortize(const LoanState& loan, double payments) {
  AmortizeOutcome out;
  if (!isWhole(payments) || payments <= 0 || payments > kMaxAmortizedPayments) {
    out.error = error::kFinancial;
    return out;
  }
  const int count = static_cast<int>(payments);
  out.after = walkPayments(loan, count, out.interestTotal, out.principalTotal,
                           [](int, double) { return true; });
  out.after.n = loan.n + payments;
  if (std::isnan(out.interestTotal) || std::isnan(out.principalTotal) || std::isnan(out.after.pv)) {
    out.error = error::kFinancial;
  }
  return out;
}

bool scheduleAllowed(const LoanState& loan) {
  return loan.pmt < 0 && loan.pv > 0 && loan.i > 0;
}

std::vector<ScheduleRow> scheduleRows(const LoanState& loan) {
  std::vector<ScheduleRow> rows;
  if (!scheduleAllowed(loan)) return rows;
  // Running AMRT with x = k from the saved registers repeats the first k
  // payments of one long run exactly, so one walk yields every row.
  double interestTotal = 0.0;
  double principalTotal = 0.0;
  double previousInterest = 0.0;
  double previousPrincipal = 0.0;
  walkPayments(loan, kMaxScheduleRows, interestTotal, principalTotal, [&](int k, double pv) {
    ScheduleRow row;
    row.number = k;
    row.interest = -interestTotal - previousInterest;
    row.principal = -principalTotal - previousPrincipal;
    row.balance = pv - k * kBalanceSlackPerRow;
    previousInterest = -interestTotal;
    previousPrincipal = -principalTotal;
    rows.push_back(row);
    return row.balance > 0;
  });
  return rows;
}

std::string scheduleRowText(const ScheduleRow& row, const NumberFormatter& format) {
  char number[16];
  std::snprintf(number, sizeof number, "%03d", row.number);
  std::string line = " ";
  line += number;
  const std::size_t p = line.size();
  appendRightAligned(line, format(row.principal), p + 12);
  appendRightAligned(line, format(row.interest), p + 25);
  appendRightAligned(line, format(row.balance), p + 41);
  return line;
}

std::string scheduleText(const std::vector<ScheduleRow>& rows, const NumberFormatter& format) {
  std::string text;
  for (const ScheduleRow& row : rows) {
    text += scheduleRowText(row, format);
    text += "\r\n";
  }
  return text;
}

ScheduleHeader scheduleHeader(const LoanState& loan) {
  return ScheduleHeader{loan.pv, loan.i * 12.0, loan.pmt};
}

std::vector<std::string> schedulePrintLines(const LoanState& loan,
                                            const std::vector<ScheduleRow>& rows,
                                            const NumberFormatter& format) {
  const ScheduleHeader header = scheduleHeader(loan);
  std::vector<std::string> lines{
      "     Loan Amount:  " + format(header.loanAmount),
      "Interest rate/yr:  " + format(header.ratePerYear),
      "  Payment amount:  " + format(header.payment),
      "",
      "Pmt#      Principal     Interest      Balance",
      std::string(48, '='),
  };
  for (const ScheduleRow& row : rows) lines.push_back(scheduleRowText(row, format));
  return lines;
}

}  // namespace finova::fin
