// Register keys and the STO/RCL operand rules of the engine.
#include <gtest/gtest.h>

#include <memory>

#include "calculator/core/calc_engine.h"
#include "calculator/tests/engine_test_support.h"

namespace finova {
namespace {

using testing::setStack;
using testing::type;

class RegisterKeysTest : public ::testing::Test {
 protected:
  CalcEngine engine;
  EngineRegisters& r = engine.registers();
};

TEST_F(RegisterKeysTest, StoreAndRecallStorageRegisters) {
  type(engine, "5 STO 1 7 STO . 5 CLX RCL 1 RCL . 5 +");
  EXPECT_EQ(r.R[1], 5);
  EXPECT_EQ(r.R[15], 7);
  EXPECT_EQ(r.X, 12);
}

TEST_F(RegisterKeysTest, RegisterArithmeticLeavesTheStack) {
  r.R[3] = 10;
  setStack(engine, 1, 2, 3, 4);
  type(engine, "4 STO + 3");
  EXPECT_EQ(r.R[3], 14);
  EXPECT_EQ(r.X, 4);
  type(engine, "STO * 3");
  EXPECT_EQ(r.R[3], 56);
  type(engine, "2 STO / . 0");
  EXPECT_EQ(r.R[10], 0);
  type(engine, "STO - 3");
  EXPECT_EQ(r.R[3], 54);
}

TEST_F(RegisterKeysTest, RecallPushesWhenStackLiftIsOn) {
  r.R[2] = 9;
  type(engine, "5 ENTER RCL 2");
  EXPECT_EQ(r.X, 9);
  EXPECT_EQ(r.Y, 5);
  EXPECT_EQ(r.Z, 0);  // ENTER disabled the lift, RCL replaced the copy
  type(engine, "RCL 2");
  EXPECT_EQ(r.Y, 9);
  type(engine, "3 RCL 2");
  EXPECT_EQ(r.X, 9);
  EXPECT_EQ(r.Y, 3);
}

TEST_F(RegisterKeysTest, RecallOfTwelveTimesAndDivideConverts) {
  type(engine, "2 12* 12 12/");
  EXPECT_EQ(r.n(), 24);
  EXPECT_EQ(r.i(), 1);
  type(engine, "RCL 12*");
  EXPECT_EQ(r.X, 2);
  type(engine, "RCL 12/");
  EXPECT_EQ(r.X, 12);
  type(engine, "0 12/");
  EXPECT_EQ(engine.xDisplayText(), "Error0");
  EXPECT_EQ(r.i(), 1);
}

TEST_F(RegisterKeysTest, StoEexTogglesTheOddPeriodIndicator) {
  type(engine, "STO EEX");
  EXPECT_TRUE(r.compoundOddPeriod);
  EXPECT_EQ(engine.display().indicatorOdd, "C");
  type(engine, "STO EEX");
  EXPECT_FALSE(r.compoundOddPeriod);
}

TEST_F(RegisterKeysTest, OperationAfterRclDropsThePrefix) {
  type(engine, "3 ENTER 4 RCL +");
  EXPECT_EQ(r.X, 7);
  type(engine, "RCL RCL 1");
  EXPECT_EQ(engine.state(), EngineState::Entering);
  type(engine, "STO CST");
  EXPECT_EQ(r.X, 0);
}

TEST_F(RegisterKeysTest, FinancialRegisterKeysStoreOnFirstPress) {
  type(engine, "1000 PV 12 N");
  EXPECT_EQ(r.PV(), 1000);
  EXPECT_EQ(r.n(), 12);
  EXPECT_FALSE(r.stackLift);
  type(engine, "5 STO PMT");
  EXPECT_EQ(r.PMT(), 5);
}

TEST_F(RegisterKeysTest, CashFlowsStopAtTheTwentiethFlow) {
  type(engine, "100 CHS CF0");
  for (int k = 1; k <= 19; ++k) type(engine, std::to_string(k) + " CFJ");
  EXPECT_EQ(r.n(), 19);
  EXPECT_EQ(r.R[19], 19);
  r.PV() = 77;
  type(engine, "20 CFJ");
  EXPECT_EQ(engine.xDisplayText(), "Error6");
  EXPECT_EQ(r.n(), 19);
  EXPECT_EQ(r.PV(), 77);
}

TEST_F(RegisterKeysTest, RepeatCountsMustBeWholeAndBelowHundred) {
  type(engine, "1 CF0 5 CFJ 3 NJ");
  EXPECT_EQ(r.Nj[1], 3);
  type(engine, "100 NJ");
  EXPECT_EQ(engine.xDisplayText(), "Error6");
  type(engine, "2.5 NJ");
  EXPECT_EQ(engine.xDisplayText(), "Error6");
  EXPECT_EQ(r.Nj[1], 3);
  type(engine, "7 CF0");
  EXPECT_EQ(r.Nj[1], 1);
}

TEST_F(RegisterKeysTest, MarkupKeysComputeWhenRepeated) {
  type(engine, "80 CST 100 PRC MU%C MU%C");
  EXPECT_EQ(r.MUC, 25);
  type(engine, "MU%P MU%P");
  EXPECT_EQ(r.MUP, 20);
  type(engine, "50 MU%C 80 CST PRC PRC");
  EXPECT_EQ(r.PRC, 120);
  type(engine, "25 MU%P 90 PRC CST CST");
  EXPECT_DOUBLE_EQ(r.CST, 67.5);
  r.MUC = 10;
  r.MUP = 10;
  type(engine, "CST CST");
  EXPECT_EQ(engine.xDisplayText(), "Error0");
}

TEST_F(RegisterKeysTest, PresentValueStoredThenSolved) {
  const auto routines = makeFinanceRoutines();
  CalcEngine solver(routines.get());
  type(solver, "12 N 1 I 1000 PV 0 FV PMT");
  EXPECT_EQ(solver.xDisplayText(), "-88.85");
  type(solver, "PV");
  EXPECT_NEAR(solver.registers().PV(), 1000, 1e-9);
}

// Routines that fail every key with error 1 and write nothing.
class FailingRoutines final : public FinanceRoutines {
 public:
  int run(KeyCode, RoutineRegisters&, RoutineOutput&) override { return error::kMath; }
};

TEST(RegisterKeysFailingRoutineTest, FailedSolveShowsTheErrorAndKeepsTheRegister) {
  FailingRoutines failing;
  CalcEngine engine(&failing);
  type(engine, "1000 PV PV");
  EXPECT_EQ(engine.xDisplayText(), "Error0");
  EXPECT_EQ(engine.registers().PV(), 1000);
}

}  // namespace
}  // namespace finova
