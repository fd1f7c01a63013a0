#include "calculator/core/financial/financial_routines.h"

#include "calculator/core/financial/amortization.h"
#include "calculator/core/financial/bonds.h"
#include "calculator/core/financial/calendar.h"
#include "calculator/core/financial/cash_flows.h"
#include "calculator/core/financial/depreciation.h"
#include "calculator/core/financial/interest_conversion.h"
#include "calculator/core/financial/statistics.h"
#include "calculator/core/financial/tvm.h"

namespace finova {
namespace fin {
namespace {

TvmInputs tvmInputs(const RoutineRegisters& r) {
  return TvmInputs{r.n(), r.i(), r.PV(), r.PMT(), r.FV(), !r.endMode(), r.compoundOddPeriod()};
}

// Stores a solved or computed value in its register and shows it in X.
int storeAndShow(const Outcome& o, RoutineRegisters& r, int index) {
  if (!o.ok()) return o.error;
  r.setReg(index, o.value);
  r.setX(o.value);
  return error::kNone;
}

int solveRate(RoutineRegisters& r) {
  const RateOutcome rate = solveI(tvmInputs(r));
  if (!rate.result.ok() && !std::isnan(rate.lastTrial)) r.setReg(reg::kI, rate.lastTrial);
  return storeAndShow(rate.result, r, reg::kI);
}

int factor(RoutineRegisters& r, double (*compute)(double, double), int index) {
  return storeAndShow(checked(compute(r.n(), r.i()), error::kFinancial), r, index);
}

int advancePayments(RoutineRegisters& r) {
  const Outcome o = advancePayment(tvmInputs(r), r.working());
  if (!o.ok()) return o.error;
  r.setX(o.value);
  return error::kNone;
}

int simpleInterest(RoutineRegisters& r) {
  const double interest360 = -r.n() * r.i() * r.PV() / 36000.0;
  const double interest365 = -r.n() * r.i() * r.PV() / 36500.0;
  // Only registers holding infinities (0 * inf) get here; such a product has
  // no value to show.
  if (std::isnan(interest360) || std::isnan(interest365)) return error::kFinancial;
  r.setX(r.working());
  r.push();
  r.push();
  r.setX(interest360);
  r.setY(-r.PV());
  r.setZ(interest365);
  r.setReg(reg::kSimpleInterest, interest360);
  return error::kNone;
}

CashFlowInputs cashFlows(const RoutineRegisters& r) {
  CashFlowInputs in;
  for (std::size_t j = 0; j < in.flows.size(); ++j) in.flows[j] = r.reg(static_cast<int>(j));
  in.counts = r.repeatCounts();
  in.n = r.n();
  in.i = r.i();
  return in;
}

int cashFlowKey(KeyCode code, RoutineRegisters& r) {
  const CashFlowInputs in = cashFlows(r);
  switch (code) {
    case key::kNPV:
      return storeAndShow(netPresentValue(in), r, reg::kPV);
    case key::kNFV: {
      const Outcome npv = netPresentValue(in);
      const Outcome nfv = netFutureValue(in);
      if (!nfv.ok()) return nfv.error;
      r.setReg(reg::kPV, npv.value);
      r.setX(nfv.value);
      return error::kNone;
    }
    case key::kMirr: {
      const MirrOutcome mirr = modifiedInternalRate(in);
      if (!mirr.result.ok()) return mirr.result.error;
      r.setReg(reg::kPV, mirr.positivePresent);
      r.setX(mirr.result.value);
      return error::kNone;
    }
    default: {
      const Outcome irr = internalRate(in);
      if (!irr.ok()) return irr.error;
      r.setX(r.working());
      r.push();
      return storeAndShow(irr, r, reg::kI);
    }
  }
}

int amortizeKey(RoutineRegisters& r) {
  const AmortizationMark& mark = r.amortizationMark();
  const bool continues = mark.paymentsMade > 0 && mark.pv == r.PV() && mark.n == r.n();
  const LoanState loan{r.PV(),  r.n(),        r.i(),
                       r.PMT(), !r.endMode(), continues ? mark.paymentsMade : 0.0};
  const AmortizeOutcome o = amortize(loan, r.working());
  if (o.error) return o.error;
  r.setAmortizationMark(AmortizationMark{o.after.pv, o.after.n, o.after.paymentsMade});
  r.setX(r.working());
  r.push();
  r.push();
  r.setX(o.interestTotal);
  r.setY(o.principalTotal);
  r.setReg(reg::kN, o.after.n);
  r.setReg(reg::kPV, o.after.pv);
  return error::kNone;
}

int depreciationKey(KeyCode code, RoutineRegisters& r) {
  const AssetInputs asset{r.PV(), r.FV(), r.n(), r.i()};
  const DepreciationOutcome o = code == key::kSL     ? straightLine(asset, r.working())
                                : code == key::kSoyd ? sumOfYearsDigits(asset, r.working())
                                                     : decliningBalance(asset, r.working());
  if (o.error) return o.error;
  r.setX(r.working());
  r.push();
  r.push();
  r.setX(o.depreciation);
  r.setY(o.remaining);
  return error::kNone;
}

BondInputs bondInputs(const RoutineRegisters& r) {
  return BondInputs{r.y(), r.working(), r.i(), r.PMT(), r.dateOrderMDY()};
}

int priceKey(RoutineRegisters& r) {
  const PriceOutcome o = bondPrice(bondInputs(r));
  if (o.error) return o.error;
  if (r.i() == 0) r.setReg(reg::kI, kZeroYield);
  r.setX(o.price);
  r.setY(o.accrued);
  return error::kNone;
}

int yieldKey(RoutineRegisters& r) {
  const BondInputs in = bondInputs(r);
  const YieldOutcome o = bondYield(in, r.PV());
  if (!o.result.ok()) return o.result.error;
  r.setReg(reg::kI, o.lastTrial);
  r.setX(o.result.value);
  r.setY(in.maturity);
  r.setZ(in.settlement);
  return error::kNone;
}

int convertRate(KeyCode code, RoutineRegisters& r) {
  const double periods = r.reg(reg::kP);
  if (code == key::kEff) {
    return storeAndShow(effectiveRate(r.reg(reg::kNom), periods), r, reg::kEff);
  }
  return storeAndShow(nominalRate(r.reg(reg::kEff), periods, !r.endMode(), r.compoundOddPeriod()),
                      r, reg::kNom);
}

Sums sums(const RoutineRegisters& r) {
  return Sums{r.reg(reg::kStatN), r.reg(reg::kSumX),  r.reg(reg::kSumX2),
              r.reg(reg::kSumY),  r.reg(reg::kSumY2), r.reg(reg::kSumXY)};
}

int statisticsKey(KeyCode code, RoutineRegisters& r) {
  if (code == key::kWMean) {
    const Outcome mean = weightedMean(sums(r));
    if (!mean.ok()) return mean.error;
    r.setX(mean.value);
    return error::kNone;
  }
  const PairOutcome o = code == key::kStdev  ? standardDeviations(sums(r))
                        : code == key::kEstX ? estimateX(sums(r), r.working())
                                             : estimateY(sums(r), r.working());
  if (o.error) return o.error;
  r.setX(o.first);
  r.setY(o.second);
  return error::kNone;
}

int daysBetweenKey(RoutineRegisters& r) {
  const DayCountOutcome o = daysBetween(r.y(), r.working(), r.dateOrderMDY());
  if (o.error) return o.error;
  r.setX(o.counts.actual);
  r.setY(o.counts.days360);
  return error::kNone;
}

int dateKey(RoutineRegisters& r, RoutineOutput& out) {
  const DateShiftOutcome o = shiftDate(r.y(), r.working(), r.dateOrderMDY());
  if (o.error) return o.error;
  out.text = o.text;
  out.showText = true;
  return error::kNone;
}

int timeValueKey(KeyCode code, RoutineRegisters& r) {
  switch (code) {
    case key::kPV:
      return storeAndShow(solvePV(tvmInputs(r)), r, reg::kPV);
    case key::kFV:
      return storeAndShow(solveFV(tvmInputs(r)), r, reg::kFV);
    case key::kPMT:
      return storeAndShow(solvePMT(tvmInputs(r)), r, reg::kPMT);
    case key::kN:
      return storeAndShow(solveN(tvmInputs(r)), r, reg::kN);
    case key::kI:
      return solveRate(r);
    case key::kSPPV:
      return factor(r, singlePaymentPresentValue, reg::kPV);
    case key::kSPFV:
      return factor(r, singlePaymentFutureValue, reg::kFV);
    case key::kUSPV:
      return factor(r, uniformSeriesPresentValue, reg::kPV);
    case key::kUSFV:
      return factor(r, uniformSeriesFutureValue, reg::kFV);
    case key::kAdvp:
      return advancePayments(r);
    default:
      return simpleInterest(r);
  }
}

}  // namespace

LoanState loanOf(const EngineRegisters& regs) {
  return LoanState{regs.PV(), regs.n(), regs.i(), regs.PMT(), !regs.endMode};
}

int runRoutine(KeyCode code, RoutineRegisters& regs, RoutineOutput& out) {
  switch (code) {
    case key::kPV:
    case key::kFV:
    case key::kPMT:
    case key::kN:
    case key::kI:
    case key::kSPPV:
    case key::kSPFV:
    case key::kUSPV:
    case key::kUSFV:
    case key::kAdvp:
    case key::kInt:
      return timeValueKey(code, regs);
    case key::kNPV:
    case key::kNFV:
    case key::kMirr:
    case key::kIRR:
      return cashFlowKey(code, regs);
    case key::kAmrt:
      return amortizeKey(regs);
    case key::kSL:
    case key::kSoyd:
    case key::kDB:
      return depreciationKey(code, regs);
    case key::kPrice:
      return priceKey(regs);
    case key::kYtm:
      return yieldKey(regs);
    case key::kNom:
    case key::kEff:
      return convertRate(code, regs);
    case key::kStdev:
    case key::kEstX:
    case key::kEstY:
    case key::kWMean:
      return statisticsKey(code, regs);
    case key::kDdys:
      return daysBetweenKey(regs);
    case key::kDate:
      return dateKey(regs, out);
    default:
      return error::kMath;
  }
}

}  // namespace fin

int FinancialRoutines::run(KeyCode code, RoutineRegisters& regs, RoutineOutput& out) {
  return fin::runRoutine(code, regs, out);
}

std::unique_ptr<FinanceRoutines> makeFinanceRoutines() {
  return std::make_unique<FinancialRoutines>();
}

}  // namespace finova
