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

TvmInputs tvmInputs(const EngineRegisters& r) {
  return TvmInputs{r.n(), r.i(), r.PV(), r.PMT(), r.FV(), !r.endMode, r.compoundOddPeriod};
}

// Stores a solved or computed value in its register and shows it in X.
int storeAndShow(const Outcome& o, EngineRegisters& r, int index) {
  if (!o.ok()) return o.error;
  r.R[static_cast<std::size_t>(index)] = o.value;
  r.X = o.value;
  return error::kNone;
}

int solveRate(EngineRegisters& r) {
  const RateOutcome rate = solveI(tvmInputs(r));
  if (!rate.result.ok() && !std::isnan(rate.lastTrial)) r.i() = rate.lastTrial;
  return storeAndShow(rate.result, r, reg::kI);
}

int factor(EngineRegisters& r, double (*compute)(double, double), int index) {
  return storeAndShow(checked(compute(r.n(), r.i()), error::kFinancial), r, index);
}

int advancePayments(EngineRegisters& r) {
  const Outcome o = advancePayment(tvmInputs(r), r.working);
  if (!o.ok()) return o.error;
  r.X = o.value;
  return error::kNone;
}

int simpleInterest(EngineRegisters& r) {
  const double interest360 = -r.n() * r.i() * r.PV() / 36000.0;
  const double interest365 = -r.n() * r.i() * r.PV() / 36500.0;
  // Only registers holding infinities (0 * inf) get here; such a product has
  // no value to show.
  if (std::isnan(interest360) || std::isnan(interest365)) return error::kFinancial;
  r.X = r.working;
  r.push();
  r.push();
  r.X = interest360;
  r.Y = -r.PV();
  r.Z = interest365;
  r.R[reg::kSimpleInterest] = interest360;
  return error::kNone;
}

CashFlowInputs cashFlows(const EngineRegisters& r) {
  CashFlowInputs in;
  for (std::size_t j = 0; j < in.flows.size(); ++j) in.flows[j] = r.R[j];
  in.counts = r.Nj;
  in.n = r.n();
  in.i = r.i();
  return in;
}

int cashFlowKey(KeyCode code, EngineRegisters& r) {
  const CashFlowInputs in = cashFlows(r);
  switch (code) {
    case key::kNPV:
      return storeAndShow(netPresentValue(in), r, reg::kPV);
    case key::kNFV: {
      const Outcome npv = netPresentValue(in);
      const Outcome nfv = netFutureValue(in);
      if (!nfv.ok()) return nfv.error;
      r.PV() = npv.value;
      r.X = nfv.value;
      return error::kNone;
    }
    case key::kMirr: {
      const MirrOutcome mirr = modifiedInternalRate(in);
      if (!mirr.result.ok()) return mirr.result.error;
      r.PV() = mirr.positivePresent;
      r.X = mirr.result.value;
      return error::kNone;
    }
    default: {
      const Outcome irr = internalRate(in);
      if (!irr.ok()) return irr.error;
      r.X = r.working;
      r.push();
      return storeAndShow(irr, r, reg::kI);
    }
  }
}

int amortizeKey(EngineRegisters& r) {
  const AmortizeOutcome o = amortize(loanOf(r), r.working);
  if (o.error) return o.error;
  r.X = r.working;
  r.push();
  r.push();
  r.X = o.interestTotal;
  r.Y = o.principalTotal;
  r.n() = o.after.n;
  r.PV() = o.after.pv;
  return error::kNone;
}

int depreciationKey(KeyCode code, EngineRegisters& r) {
  const AssetInputs asset{r.PV(), r.FV(), r.n(), r.i()};
  const DepreciationOutcome o = code == key::kSL     ? straightLine(asset, r.working)
                                : code == key::kSoyd ? sumOfYearsDigits(asset, r.working)
                                                     : decliningBalance(asset, r.working);
  if (o.error) return o.error;
  r.X = r.working;
  r.push();
  r.push();
  r.X = o.depreciation;
  r.Y = o.remaining;
  return error::kNone;
}

BondInputs bondInputs(const EngineRegisters& r) {
  return BondInputs{r.Y, r.working, r.i(), r.PMT(), r.dateOrderMDY};
}

int priceKey(EngineRegisters& r) {
  const PriceOutcome o = bondPrice(bondInputs(r));
  if (o.error) return o.error;
  if (r.i() == 0) r.i() = kZeroYield;
  r.X = o.price;
  r.Y = o.accrued;
  return error::kNone;
}

int yieldKey(EngineRegisters& r) {
  const BondInputs in = bondInputs(r);
  const YieldOutcome o = bondYield(in, r.PV());
  if (!o.result.ok()) return o.result.error;
  r.i() = o.lastTrial;
  r.X = o.result.value;
  r.Y = in.maturity;
  r.Z = in.settlement;
  return error::kNone;
}

int convertRate(KeyCode code, EngineRegisters& r) {
  const double periods = r.R[reg::kP];
  if (code == key::kEff) {
    return storeAndShow(effectiveRate(r.R[reg::kNom], periods), r, reg::kEff);
  }
  return storeAndShow(nominalRate(r.R[reg::kEff], periods, !r.endMode, r.compoundOddPeriod), r,
                      reg::kNom);
}

Sums sums(const EngineRegisters& r) {
  return Sums{r.R[reg::kStatN], r.R[reg::kSumX],  r.R[reg::kSumX2],
              r.R[reg::kSumY],  r.R[reg::kSumY2], r.R[reg::kSumXY]};
}

int statisticsKey(KeyCode code, EngineRegisters& r) {
  if (code == key::kWMean) {
    const Outcome mean = weightedMean(sums(r));
    if (!mean.ok()) return mean.error;
    r.X = mean.value;
    return error::kNone;
  }
  const PairOutcome o = code == key::kStdev  ? standardDeviations(sums(r))
                        : code == key::kEstX ? estimateX(sums(r), r.working)
                                             : estimateY(sums(r), r.working);
  if (o.error) return o.error;
  r.X = o.first;
  r.Y = o.second;
  return error::kNone;
}

int daysBetweenKey(EngineRegisters& r) {
  const DayCountOutcome o = daysBetween(r.Y, r.working, r.dateOrderMDY);
  if (o.error) return o.error;
  r.X = o.counts.actual;
  r.Y = o.counts.days360;
  return error::kNone;
}

int dateKey(EngineRegisters& r, RoutineOutput& out) {
  const DateShiftOutcome o = shiftDate(r.Y, r.working, r.dateOrderMDY);
  if (o.error) return o.error;
  out.text = o.text;
  out.showText = true;
  return error::kNone;
}

int timeValueKey(KeyCode code, EngineRegisters& r) {
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

int runRoutine(KeyCode code, EngineRegisters& regs, RoutineOutput& out) {
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

int FinancialRoutines::run(KeyCode code, EngineRegisters& regs, RoutineOutput& out) {
  return fin::runRoutine(code, regs, out);
}

std::unique_ptr<FinanceRoutines> makeFinanceRoutines() {
  return std::make_unique<FinancialRoutines>();
}

}  // namespace finova
