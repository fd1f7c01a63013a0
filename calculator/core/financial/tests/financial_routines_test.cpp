// Checks what each routine key does to the registers and the stack: which
// registers it fills, how the stack moves, and that a failing key leaves
// everything as it was.
#include "calculator/core/financial/financial_routines.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calculator/core/financial/bonds.h"

namespace finova::fin {
namespace {

void expectSame(const EngineRegisters& a, const EngineRegisters& b) {
  EXPECT_EQ(a.working, b.working);
  EXPECT_EQ(a.X, b.X);
  EXPECT_EQ(a.Y, b.Y);
  EXPECT_EQ(a.Z, b.Z);
  EXPECT_EQ(a.T, b.T);
  EXPECT_EQ(a.LSTX, b.LSTX);
  for (std::size_t k = 0; k < a.R.size(); ++k) EXPECT_EQ(a.R[k], b.R[k]) << "R" << k;
  EXPECT_EQ(a.Nj, b.Nj);
}

// A stack of recognisable values with x = X = 4.
EngineRegisters stacked() {
  EngineRegisters r;
  r.working = r.X = 4;
  r.Y = 3;
  r.Z = 2;
  r.T = 1;
  return r;
}

// The routines reach the registers through their view.
int runOn(KeyCode code, EngineRegisters& r, RoutineOutput& out) {
  RoutineRegisters view(r);
  return runRoutine(code, view, out);
}

int run(KeyCode code, EngineRegisters& r) {
  RoutineOutput out;
  return runOn(code, r, out);
}

TEST(RoutineKeys, SolvedValueGoesToItsRegisterAndX) {
  EngineRegisters r = stacked();
  r.n() = 12;
  r.i() = 1;
  r.PV() = 1000;
  ASSERT_EQ(run(key::kPMT, r), error::kNone);
  EXPECT_NEAR(r.PMT(), -88.85, 0.005);
  EXPECT_EQ(r.X, r.PMT());
  EXPECT_EQ(r.Y, 3.0);
  r.PV() = 0;
  ASSERT_EQ(run(key::kPV, r), error::kNone);
  EXPECT_NEAR(r.PV(), 1000.0, 1e-9);
  EXPECT_EQ(r.X, r.PV());
}

TEST(RoutineKeys, BeginModeComesFromEndFlag) {
  EngineRegisters r = stacked();
  r.n() = 5;
  r.i() = 10;
  r.PMT() = -100;
  r.endMode = false;
  ASSERT_EQ(run(key::kPV, r), error::kNone);
  EXPECT_NEAR(r.PV(), 100.0 * (1 - std::pow(1.1, -5)) / 0.1 * 1.1, 1e-9);
}

TEST(RoutineKeys, FailingKeysChangeNothing) {
  EngineRegisters r = stacked();
  r.working = r.X = 4.5;  // no whole count, no date
  r.PV() = 1000;
  r.FV() = 10;
  r.n() = 20;
  for (KeyCode code : {key::kPMT, key::kI, key::kN, key::kFV, key::kNPV, key::kIRR, key::kMirr,
                       key::kNFV, key::kAmrt, key::kStdev, key::kWMean, key::kEstY, key::kDdys,
                       key::kDate, key::kPrice, key::kYtm, key::kAdvp}) {
    const EngineRegisters before = r;
    RoutineOutput out;
    EXPECT_NE(runOn(code, r, out), error::kNone) << code;
    EXPECT_FALSE(out.showText) << code;
    expectSame(r, before);
  }
}

TEST(RoutineKeys, RateAbove400PercentLeavesLastTrialInI) {
  EngineRegisters r = stacked();
  r.n() = 1;
  r.PV() = -1;
  r.FV() = 10;
  EXPECT_EQ(run(key::kI, r), error::kFinancial);
  EXPECT_GT(r.i(), 400.0);
  EXPECT_EQ(r.X, 4.0);
}

TEST(RoutineKeys, SimpleInterestFillsThreeLevelsAndR25) {
  EngineRegisters r = stacked();
  r.n() = 60;
  r.i() = 7;
  r.PV() = 450;
  ASSERT_EQ(run(key::kInt, r), error::kNone);
  EXPECT_DOUBLE_EQ(r.X, -5.25);
  EXPECT_DOUBLE_EQ(r.Y, -450.0);
  EXPECT_NEAR(r.Z, -450.0 * 0.07 * 60 / 365, 1e-12);
  EXPECT_EQ(r.T, 3.0);
  EXPECT_EQ(r.R[reg::kSimpleInterest], r.X);
}

TEST(RoutineKeys, CashFlowKeysFillXAndPresentValue) {
  EngineRegisters r = stacked();
  r.R[0] = -100;
  r.R[1] = 55;
  r.Nj[1] = 2;
  r.n() = 1;
  r.i() = 10;
  ASSERT_EQ(run(key::kNPV, r), error::kNone);
  const double npv = -100 + 55 / 1.1 + 55 / 1.21;
  EXPECT_NEAR(r.X, npv, 1e-12);
  EXPECT_EQ(r.PV(), r.X);
  ASSERT_EQ(run(key::kNFV, r), error::kNone);
  EXPECT_NEAR(r.X, npv * 1.1, 1e-12);
  EXPECT_NEAR(r.PV(), npv, 1e-12);
  r.working = r.X = 4;
  ASSERT_EQ(run(key::kIRR, r), error::kNone);
  EXPECT_NEAR(r.X, (110.0 / (std::sqrt(25025.0) - 55.0) - 1) * 100, 1e-12);
  EXPECT_EQ(r.i(), r.X);
  EXPECT_EQ(r.Y, 4.0);
  ASSERT_EQ(run(key::kMirr, r), error::kNone);
  EXPECT_NEAR(r.PV(), 55 / (1 + r.i() / 100) + 55 / std::pow(1 + r.i() / 100, 2), 1e-9);
}

TEST(RoutineKeys, AmortizationPushesTwiceAndAdvancesLoan) {
  EngineRegisters r = stacked();
  r.working = r.X = 2;
  r.PV() = 1000;
  r.PMT() = -100;
  r.i() = 1;
  ASSERT_EQ(run(key::kAmrt, r), error::kNone);
  EXPECT_NEAR(r.X, -19.10, 1e-9);
  EXPECT_NEAR(r.Y, -180.90, 1e-9);
  EXPECT_EQ(r.Z, 2.0);
  EXPECT_EQ(r.T, 3.0);
  EXPECT_DOUBLE_EQ(r.PV(), 819.10);
  EXPECT_EQ(r.n(), 2.0);
}

TEST(RoutineKeys, DepreciationPushesTwice) {
  EngineRegisters r = stacked();
  r.working = r.X = 1;
  r.PV() = 10000;
  r.FV() = 1000;
  r.n() = 5;
  ASSERT_EQ(run(key::kSoyd, r), error::kNone);
  EXPECT_DOUBLE_EQ(r.X, 3000.0);
  EXPECT_DOUBLE_EQ(r.Y, 6000.0);
  EXPECT_EQ(r.Z, 1.0);
  EXPECT_EQ(r.T, 3.0);
}

TEST(RoutineKeys, BondKeysReadDatesFromXAndY) {
  EngineRegisters r = stacked();
  r.Y = 1.011996;
  r.working = r.X = 1.012001;
  r.i() = 0;
  r.PMT() = 8;
  ASSERT_EQ(run(key::kPrice, r), error::kNone);
  EXPECT_EQ(r.i(), kZeroYield);
  EXPECT_NEAR(r.X, 140.0, 1e-3);
  EXPECT_EQ(r.Y, 0.0);
  EngineRegisters y = stacked();
  y.Y = 1.011996;
  y.working = y.X = 1.012001;
  y.PMT() = 8;
  y.PV() = 92.2783;
  ASSERT_EQ(run(key::kYtm, y), error::kNone);
  EXPECT_NEAR(y.X, 10.0, 1e-3);
  EXPECT_EQ(y.Y, 1.012001);
  EXPECT_EQ(y.Z, 1.011996);
  EXPECT_EQ(y.i(), y.X);
}

TEST(RoutineKeys, ConversionsUsePeriodsRegisterAndKeepTimeValueRegisters) {
  EngineRegisters r = stacked();
  r.R[reg::kNom] = 12;
  r.R[reg::kP] = 12;
  r.n() = 7;
  r.i() = 3;
  r.PV() = 5;
  r.PMT() = -50;  // a payment left in its register does not enter the conversion
  ASSERT_EQ(run(key::kEff, r), error::kNone);
  EXPECT_NEAR(r.R[reg::kEff], 12.6825, 5e-5);
  EXPECT_EQ(r.X, r.R[reg::kEff]);
  r.R[reg::kNom] = 0;
  ASSERT_EQ(run(key::kNom, r), error::kNone);
  EXPECT_NEAR(r.R[reg::kNom], 12.0, 1e-3);
  EXPECT_EQ(r.X, r.R[reg::kNom]);
  EXPECT_EQ(r.n(), 7.0);
  EXPECT_EQ(r.i(), 3.0);
  EXPECT_EQ(r.PV(), 5.0);
  EXPECT_EQ(r.Y, 3.0);
}

TEST(RoutineKeys, StatisticsReadSummationRegisters) {
  EngineRegisters r = stacked();
  // (1, 2) and (2, 4) summed.
  r.R[1] = 2;
  r.R[2] = 3;
  r.R[3] = 5;
  r.R[4] = 6;
  r.R[5] = 20;
  r.R[6] = 10;
  r.working = r.X = 3;
  ASSERT_EQ(run(key::kEstY, r), error::kNone);
  EXPECT_DOUBLE_EQ(r.X, 6.0);
  EXPECT_DOUBLE_EQ(r.Y, 1.0);
  ASSERT_EQ(run(key::kWMean, r), error::kNone);
  EXPECT_DOUBLE_EQ(r.X, 10.0 / 3.0);
}

TEST(RoutineKeys, DateKeysFollowDateOrder) {
  EngineRegisters r = stacked();
  r.Y = 1.011996;
  r.working = r.X = 1.011997;
  ASSERT_EQ(run(key::kDdys, r), error::kNone);
  EXPECT_EQ(r.X, 366.0);
  EXPECT_EQ(r.Y, 360.0);
  EngineRegisters d = stacked();
  d.dateOrderMDY = false;
  d.Y = 25.121996;
  d.working = d.X = 7;
  RoutineOutput out;
  ASSERT_EQ(runOn(key::kDate, d, out), error::kNone);
  EXPECT_TRUE(out.showText);
  EXPECT_EQ(out.text, "01,01,1997  3");
  EXPECT_EQ(d.X, 7.0);
  EXPECT_EQ(d.Y, 25.121996);
}

TEST(RoutineKeys, FactorsStoreInPresentOrFutureValue) {
  EngineRegisters r = stacked();
  r.n() = 10;
  r.i() = 5;
  ASSERT_EQ(run(key::kUSFV, r), error::kNone);
  EXPECT_NEAR(r.FV(), 12.57789254, 1e-8);
  EXPECT_EQ(r.X, r.FV());
  ASSERT_EQ(run(key::kSPPV, r), error::kNone);
  EXPECT_NEAR(r.PV(), std::pow(1.05, -10), 1e-12);
  r.i() = -150;
  r.n() = 0.5;
  EXPECT_EQ(run(key::kSPFV, r), error::kFinancial);
}

TEST(RoutineKeys, RegistersHoldingNanOrInfinityNeverCrash) {
  const double odd[] = {std::nan(""), INFINITY, -INFINITY, 1e308, -1e308, 0.0};
  for (double v : odd) {
    for (KeyCode code = 0; code <= key::kNoKey; ++code) {
      EngineRegisters r = stacked();
      r.R.fill(v);
      r.Nj.fill(99);
      r.working = r.X = r.Y = v;
      RoutineOutput out;
      const int e = runOn(code, r, out);
      // Values that are numbers never turn into NaN through a successful key.
      if (e == error::kNone && !std::isnan(v)) {
        EXPECT_FALSE(std::isnan(r.X)) << code << " " << v;
      }
    }
  }
}

}  // namespace
}  // namespace finova::fin
