#include "calculator/core/financial/amortization.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace finova::fin {
namespace {

// What payment number `number` (1 = the loan's first) does to the balance.
struct Payment {
  double interest = 0.0;   // signed as PMT: cash paid is negative
  double principal = 0.0;  // signed as PMT
  double balance = 0.0;    // the balance after it, rounded to cents
  bool paysOff = false;    // the payment that leaves the balance at 0
};

// How far cent rounding can move a balance over `payments` payments: up to
// half a cent per payment from the payment being quoted to the cent and
// half a cent from the balance rounding, each growing with interest. A
// balance this small after a payment is left over by rounding, and that
// payment pays it off.
double roundingDrift(double i, double payments) {
  const double r = i / 100.0;
  if (!(r > -1.0) || r == 0) return 0.01 * payments;
  return 0.01 * std::expm1(payments * std::log1p(r)) / r;
}

// `repaying`: the payments move the balance towards 0 (PMT and PV of
// opposite signs), so the loan ends with the payment that reaches 0.
Payment pay(const LoanState& loan, bool repaying, double number, double pv) {
  Payment out;
  const double sign = loan.pmt < 0 ? -1.0 : 1.0;
  // A payment made at the start of the loan's first period owes nothing.
  const double interest = number == 1 && loan.begin ? 0.0 : std::fabs(loan.i * pv / 100.0);
  out.interest = sign * interest;
  out.principal = loan.pmt - sign * interest;
  out.balance = roundToCents(pv + out.principal);
  if (repaying &&
      (out.balance * pv <= 0 || std::fabs(out.balance) <= roundingDrift(loan.i, number))) {
    // The last payment pays exactly the rest, never past it.
    out.principal = -pv;
    out.balance = 0.0;
    out.paysOff = true;
  }
  return out;
}

bool repays(const LoanState& loan) {
  return loan.pmt * loan.pv < 0;
}

void appendRightAligned(std::string& line, const std::string& text, std::size_t endColumn) {
  std::size_t start = endColumn + 1 >= text.size() ? endColumn + 1 - text.size() : 0;
  // A text too wide for its column keeps one blank after the previous one.
  if (start <= line.size()) start = line.size() + 1;
  line.append(start - line.size(), ' ');
  line += text;
}

struct Schedule {
  std::vector<ScheduleRow> rows;
  const char* refusal = nullptr;
};

Schedule walkSchedule(const LoanState& loan) {
  Schedule out;
  if (!scheduleAllowed(loan)) {
    out.refusal = kScheduleErrorText;
    return out;
  }
  double pv = loan.pv;
  for (int k = 1; k <= kMaxScheduleRows; ++k) {
    const Payment p = pay(loan, true, k, pv);
    if (!p.paysOff && !(std::fabs(p.balance) < std::fabs(pv))) break;
    out.rows.push_back(ScheduleRow{k, -p.principal, -p.interest, p.balance});
    pv = p.balance;
    if (p.paysOff) return out;
  }
  // The balance stopped falling, or it takes more rows than a schedule has.
  out.rows.clear();
  out.refusal = kScheduleUnpaidText;
  return out;
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
  const bool repaying = repays(loan);
  out.after = loan;
  for (int k = 1; k <= static_cast<int>(payments); ++k) {
    if (repaying && out.after.pv == 0) break;  // paid off: no more payments
    const Payment p = pay(loan, repaying, loan.paymentsMade + k, out.after.pv);
    out.interestTotal += p.interest;
    out.principalTotal += p.principal;
    out.after.pv = p.balance;
    ++out.paymentsAmortized;
    if (p.paysOff) break;
  }
  out.after.n = loan.n + out.paymentsAmortized;
  out.after.paymentsMade = loan.paymentsMade + out.paymentsAmortized;
  if (std::isnan(out.interestTotal) || std::isnan(out.principalTotal) || std::isnan(out.after.pv)) {
    out.error = error::kFinancial;
  }
  return out;
}

bool scheduleAllowed(const LoanState& loan) {
  return loan.pmt < 0 && loan.pv > 0 && loan.i > 0;
}

const char* scheduleRefusal(const LoanState& loan) {
  return walkSchedule(loan).refusal;
}

std::vector<ScheduleRow> scheduleRows(const LoanState& loan) {
  return walkSchedule(loan).rows;
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
      kScheduleHeading,
      std::string(kScheduleRuleWidth, '='),
  };
  for (const ScheduleRow& row : rows) lines.push_back(scheduleRowText(row, format));
  return lines;
}

std::vector<std::vector<std::string>> schedulePrintPages(const LoanState& loan,
                                                         const std::vector<ScheduleRow>& rows,
                                                         const NumberFormatter& format,
                                                         int linesPerPage) {
  const std::vector<std::string> lines = schedulePrintLines(loan, rows, format);
  const std::size_t firstBody = lines.size() - rows.size();  // header, heading, rule
  // Every page ends with an empty line and its number; pages after the
  // first open with the heading and the rule. At least one row a page.
  const std::size_t perPage = static_cast<std::size_t>(std::max(linesPerPage, 1));
  const std::size_t firstRows = perPage > firstBody + 3 ? perPage - firstBody - 2 : 1;
  const std::size_t laterRows = perPage > 5 ? perPage - 4 : 1;
  const std::size_t rest = rows.size() > firstRows ? rows.size() - firstRows : 0;
  const std::size_t count = 1 + (rest + laterRows - 1) / laterRows;
  std::vector<std::vector<std::string>> pages(count);
  std::size_t next = 0;
  for (std::size_t page = 0; page < count; ++page) {
    std::vector<std::string>& out = pages[page];
    if (page == 0) {
      out.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(firstBody));
    } else {
      out.assign({kScheduleHeading, std::string(kScheduleRuleWidth, '=')});
    }
    const std::size_t take = std::min(page == 0 ? firstRows : laterRows, rows.size() - next);
    for (std::size_t k = 0; k < take; ++k, ++next) out.push_back(lines[firstBody + next]);
    out.push_back("");
    out.push_back("Page " + std::to_string(page + 1) + " of " + std::to_string(count));
  }
  return pages;
}

}  // namespace finova::fin
