#pragma once
// Discounted cash-flow analysis over the flows CF0..CFn (registers R0..R19)
// with their repeat counts Nj. Each flow j occurs Nj times in a row; the
// occurrences are numbered t = 0, 1, 2, ... in order, so CF0 sits at t = 0
// and, with CF1 repeated three times, CF1 at t = 1, 2, 3 and CF2 at t = 4.
// A count of 0 or less means the flow does not occur.
//
// Every routine first checks the registers: i must exceed -100 (error 6), n
// must be a whole number from 0 to 19 and each count used at most 99, the
// largest the NJ key stores (error 7). This unit computes only; the routine
// table writes the registers.

#include <array>
#include <cstdint>

#include "calculator/core/financial/outcome.h"

namespace finova::fin {

inline constexpr int kMaxFlows = 20;
inline constexpr int kMaxRepeat = 99;

struct CashFlowInputs {
  std::array<double, kMaxFlows> flows{};
  std::array<std::int32_t, kMaxFlows> counts{};
  double n = 0.0;  // index of the last flow
  double i = 0.0;  // discount rate in percent
};

enum class FlowFilter { All, Positive, Negative };

// The common register check; 0 when the flows may be used.
int checkCashFlows(const CashFlowInputs& in);

// Sum of CFj / (1+rate)^t over the selected occurrences, rate a fraction.
// Call only after checkCashFlows succeeded.
double discountedSum(const CashFlowInputs& in, double rate, FlowFilter filter);

Outcome netPresentValue(const CashFlowInputs& in);
// NPV carried forward n periods (n as stored, not the count of occurrences).
Outcome netFutureValue(const CashFlowInputs& in);

struct MirrOutcome {
  Outcome result;          // the modified internal rate in percent
  double positivePresent;  // discounted sum of the positive flows (left in PV)
};
MirrOutcome modifiedInternalRate(const CashFlowInputs& in);

// The internal rate in percent: the rate above -100 % at which the present
// value of the flows is 0, to full double precision. The whole range is
// searched outwards from 0, upwards first when the present value at 0 is
// positive and downwards first when it is negative, so of several rates the
// one nearest 0 on that side is found. Flows without a change of sign, or
// without any rate, give error 6.
Outcome internalRate(const CashFlowInputs& in);

}  // namespace finova::fin
