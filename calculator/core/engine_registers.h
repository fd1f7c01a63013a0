#pragma once
// The numbers of the calculator: the working value x, the four-level stack,
// last x, the 29 numbered registers (storage, cash flows, statistics sums and
// the financial registers overlap in them), the value registers outside the
// file, the cash-flow repeat counts and the flags that the financial,
// statistical and date routines read. It is a plain record with the two stack
// movements; the state machine, the entry buffer and program memory live in
// the engine, not here.
//
// Register file map (index: use):
//   0..9    R0..R9: storage; R0 is CF0, R1..R9 are CF1..CF9
//   10..19  R.0..R.9: storage; CF10..CF19
//   1..6    also the statistics sums: n, sum x, sum x^2, sum y, sum y^2, sum xy
//   20 PV, 21 FV, 22 i (periodic rate in percent), 23 n (periods; also the
//   index of the last cash flow), 24 PMT, 25 simple-interest result (no key),
//   26 NOM%, 27 EFF%, 28 P (compounding periods per year).

#include <array>
#include <cstdint>

namespace finova {

namespace reg {
inline constexpr int kCount = 29;
inline constexpr int kCF0 = 0;
inline constexpr int kCashFlowCount = 20;  // CF0..CF19 in R0..R19
inline constexpr int kStatN = 1;
inline constexpr int kSumX = 2;
inline constexpr int kSumX2 = 3;
inline constexpr int kSumY = 4;
inline constexpr int kSumY2 = 5;
inline constexpr int kSumXY = 6;
inline constexpr int kPV = 20;
inline constexpr int kFV = 21;
inline constexpr int kI = 22;
inline constexpr int kN = 23;
inline constexpr int kPMT = 24;
inline constexpr int kSimpleInterest = 25;
inline constexpr int kNom = 26;
inline constexpr int kEff = 27;
inline constexpr int kP = 28;
}  // namespace reg

// Where the last AMRT left a loan: the balance and n it wrote and the
// payments amortized so far. The next AMRT continues that count (payment 13
// after 12) only while PV and n still hold what it wrote; otherwise its
// first payment is the loan's first. Not a register: it is not saved.
struct AmortizationMark {
  double pv = 0.0;
  double n = 0.0;
  double paymentsMade = 0.0;  // 0: no AMRT to continue
};

struct EngineRegisters {
  // The working value x, on which the next operation acts: between keys
  // equal to X; during a key operations read it and write their result to X.
  double working = 0.0;
  double X = 0.0;
  double Y = 0.0;
  double Z = 0.0;
  double T = 0.0;
  double LSTX = 0.0;
  std::array<double, reg::kCount> R{};
  // Value registers outside the file.
  double CST = 0.0;
  double PRC = 0.0;
  double MUC = 0.0;  // markup on cost, percent
  double MUP = 0.0;  // markup on price, percent
  double PercentTotal = 0.0;
  std::array<std::int32_t, reg::kCashFlowCount> Nj{1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                                   1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  bool stackLift = false;
  bool endMode = true;             // payments at the end of the period (END shown)
  bool dateOrderMDY = true;        // month.day-year (M.DY shown); false: D.MY
  bool compoundOddPeriod = false;  // the "C" indicator
  AmortizationMark amortized;

  // T = Z, Z = Y, Y = X; X unchanged.
  void push() {
    T = Z;
    Z = Y;
    Y = X;
  }
  // X = Y, Y = Z, Z = T; T unchanged (duplicated).
  void drop() {
    X = Y;
    Y = Z;
    Z = T;
  }

  double& PV() { return R[reg::kPV]; }
  double& FV() { return R[reg::kFV]; }
  double& i() { return R[reg::kI]; }
  double& n() { return R[reg::kN]; }
  double& PMT() { return R[reg::kPMT]; }
  double PV() const { return R[reg::kPV]; }
  double FV() const { return R[reg::kFV]; }
  double i() const { return R[reg::kI]; }
  double n() const { return R[reg::kN]; }
  double PMT() const { return R[reg::kPMT]; }
};

}  // namespace finova
