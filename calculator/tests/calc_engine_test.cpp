#include "calculator/core/calc_engine.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calculator/core/tape.h"
#include "calculator/tests/engine_test_support.h"

namespace finova {
namespace {

using testing::setStack;
using testing::type;

class CalcEngineTest : public ::testing::Test {
 protected:
  CalcEngine engine;
  EngineRegisters& r = engine.registers();
  std::string shown() const { return engine.xDisplayText(); }
};

TEST_F(CalcEngineTest, EnterThenSubtractMovesTheStackAndSavesLastX) {
  setStack(engine, 10, 20, 30, 40);
  r.stackLift = true;
  type(engine, "5 ENTER 3 -");
  EXPECT_EQ(r.X, 2);
  EXPECT_EQ(r.Y, 10);
  EXPECT_EQ(r.Z, 20);
  EXPECT_EQ(r.T, 20);
  EXPECT_EQ(r.LSTX, 3);
  EXPECT_EQ(shown(), "2.00");
}

TEST_F(CalcEngineTest, DigitsAfterEnterClxAndSumPlusOverwriteX) {
  for (const char* disabler : {"ENTER", "CLX", "SUM+", "SUM-"}) {
    CalcEngine fresh;
    setStack(fresh, 7, 8, 9, 10);
    fresh.registers().stackLift = true;
    type(fresh, std::string(disabler) + " 4 +");
    const EngineRegisters& regs = fresh.registers();
    // Without a push, 4 replaced X and + added it to the Y left by the key.
    const double expectedY = std::string(disabler) == "ENTER" ? 7 : 8;
    EXPECT_EQ(regs.X, expectedY + 4) << disabler;
  }
}

TEST_F(CalcEngineTest, DigitsAfterAnOperationPushFirst) {
  type(engine, "2 ENTER 3 + 4");
  EXPECT_EQ(r.Y, 5);
  type(engine, "*");
  EXPECT_EQ(r.X, 20);
}

TEST_F(CalcEngineTest, ChsNegatesXOutsideEntryAndTheSignDuringEntry) {
  type(engine, "6 ENTER CHS");
  EXPECT_EQ(r.X, -6);
  EXPECT_TRUE(r.stackLift);
  type(engine, "4");
  EXPECT_EQ(r.Y, -6);  // stack lift after CHS pushed
  type(engine, "CHS ENTER");
  EXPECT_EQ(r.X, -4);
  EXPECT_EQ(r.Y, -4);
  EXPECT_EQ(r.Z, -6);
}

TEST_F(CalcEngineTest, DomainErrorsShowError0AndKeepTheStack) {
  const struct {
    double y;
    const char* keys;
  } cases[] = {{11, "0 1/X"},    {11, "2 CHS SQRT"}, {11, "0 LN"},   {11, "0 LOG"},
               {11, "0 /"},      {11, "70 N!"},      {11, "2.5 N!"}, {11, "3 CHS N!"},
               {0, "2 CHS Y^X"}, {-2, "0.5 Y^X"},    {0, "5 %DIFF"}};
  for (const auto& c : cases) {
    CalcEngine fresh;
    setStack(fresh, 0, c.y, 12, 13);
    type(fresh, c.keys);
    EXPECT_EQ(fresh.xDisplayText(), "Error0") << c.keys;
    EXPECT_EQ(fresh.registers().X, 0) << c.keys;
    EXPECT_EQ(fresh.registers().Y, c.y) << c.keys;
    EXPECT_EQ(fresh.registers().Z, 12) << c.keys;
    EXPECT_EQ(fresh.registers().LSTX, 0) << c.keys;
  }
  type(engine, "0 1/X 4 +");
  EXPECT_EQ(r.X, 4);
}

TEST_F(CalcEngineTest, FactorialUpToSixtyNine) {
  type(engine, "69 N!");
  EXPECT_DOUBLE_EQ(r.X, std::tgamma(70.0));
  type(engine, "0 N!");
  EXPECT_EQ(r.X, 1);
}

TEST_F(CalcEngineTest, PowerCases) {
  type(engine, "2 ENTER 0 Y^X");
  EXPECT_EQ(r.X, 1);
  type(engine, "0 ENTER 3 Y^X");
  EXPECT_EQ(r.X, 0);
  type(engine, "2 ENTER 10 Y^X");
  EXPECT_EQ(r.X, 1024);
  EXPECT_EQ(r.LSTX, 10);
  type(engine, "2 CHS ENTER 3 Y^X");
  EXPECT_EQ(r.X, -8);
}

TEST_F(CalcEngineTest, PercentTotalAfterClxUsesTheSavedTotal) {
  type(engine, "200 ENTER 50 %TOT");
  EXPECT_EQ(r.X, 25);
  EXPECT_EQ(r.PercentTotal, 200);
  type(engine, "CLX %TOT");
  EXPECT_EQ(shown(), "0.00");
  CalcEngine fresh;
  type(fresh, "5 ENTER CLX %TOT");
  EXPECT_EQ(fresh.xDisplayText(), "Error0");
}

TEST_F(CalcEngineTest, PercentAndPercentDifference) {
  type(engine, "200 ENTER 15 %");
  EXPECT_EQ(r.X, 30);
  EXPECT_EQ(r.Y, 200);
  type(engine, "CLX 50 ENTER 60 %DIFF");
  EXPECT_EQ(r.X, 20);
  type(engine, "0 ENTER 5 %DIFF");
  EXPECT_EQ(shown(), "Error0");
}

TEST_F(CalcEngineTest, SumPlusShowsTheCountAndMeanNeedsData) {
  type(engine, "MEAN");
  EXPECT_EQ(shown(), "Error2");
  type(engine, "2 ENTER 1 SUM+");
  EXPECT_EQ(r.X, 1);
  EXPECT_FALSE(r.stackLift);
  type(engine, "4 ENTER 3 SUM+ MEAN");
  EXPECT_EQ(r.X, 2);
  EXPECT_EQ(r.Y, 3);
  EXPECT_EQ(r.R[reg::kSumXY], 2 * 1 + 4 * 3);
  type(engine, "4 ENTER 3 SUM-");
  EXPECT_EQ(r.X, 1);
}

TEST_F(CalcEngineTest, StackKeysAndLastX) {
  setStack(engine, 1, 2, 3, 4);
  type(engine, "RDOWN");
  EXPECT_EQ(r.X, 2);
  EXPECT_EQ(r.T, 1);
  type(engine, "X<->Y");
  EXPECT_EQ(r.X, 3);
  EXPECT_EQ(r.Y, 2);
  type(engine, "9 SQRT LSTX");
  EXPECT_EQ(r.X, 9);
  EXPECT_EQ(r.Y, 3);
}

TEST_F(CalcEngineTest, RoundTakesTheDisplayedValue) {
  type(engine, "1234.567 RND");
  EXPECT_DOUBLE_EQ(r.X, 1234.57);
  engine.setDecimals(0);
  type(engine, "2.5 RND");
  EXPECT_EQ(r.X, 3);
}

TEST_F(CalcEngineTest, RandomNumbersFollowTheGeneratorFromSeedOne) {
  // Generator values 41, 18467, 6334 scaled to at most 1.
  type(engine, "RAN#");
  EXPECT_DOUBLE_EQ(r.X, 0.41);
  type(engine, "RAN#");
  EXPECT_DOUBLE_EQ(r.X, 0.18467);
  EXPECT_DOUBLE_EQ(r.Y, 0.41);
  type(engine, "RAN#");
  EXPECT_DOUBLE_EQ(r.X, 0.6334);
}

TEST_F(CalcEngineTest, ClearKeysClearTheirRegisters) {
  r.R.fill(5);
  setStack(engine, 1, 2, 3, 4);
  type(engine, "C_SUM");
  EXPECT_EQ(r.R[1], 0);
  EXPECT_EQ(r.R[6], 0);
  EXPECT_EQ(r.R[7], 5);
  EXPECT_EQ(r.X, 0);
  EXPECT_EQ(r.T, 4);
  type(engine, "C_FIN");
  EXPECT_EQ(r.R[20], 0);
  EXPECT_EQ(r.R[28], 0);
  EXPECT_EQ(r.R[19], 5);
  r.endMode = false;
  type(engine, "C_REG");
  EXPECT_EQ(r.R[19], 0);
  EXPECT_EQ(r.T, 0);
  EXPECT_FALSE(r.endMode);
}

TEST_F(CalcEngineTest, BeginEndAndDateOrderKeysSetTheIndicators) {
  type(engine, "12 BEG");
  EXPECT_EQ(engine.display().indicatorEnd, "BEG");
  type(engine, "3 +");
  EXPECT_EQ(r.X, 123);  // the entry went on through BEG
  type(engine, "END D.MY");
  EXPECT_EQ(engine.display().indicatorEnd, "END");
  EXPECT_EQ(engine.display().indicatorDate, "D.MY");
}

TEST_F(CalcEngineTest, DisplayFollowsDecimalsAndSeparators) {
  type(engine, "1234567 ENTER");
  engine.setSeparatorStyle(SeparatorStyle::European);
  engine.PressKey(key::kNoKey);
  EXPECT_EQ(engine.display().xLine, "1.234.567,00");
  EXPECT_EQ(engine.display().yLine, "1.234.567,00");
  type(engine, "123456789012 ENTER");
  EXPECT_EQ(engine.display().xLine, "1,23456789012");
  EXPECT_EQ(engine.display().exponent, "E+11");
}

TEST_F(CalcEngineTest, CodesOutsideTheTableChangeNothing) {
  Tape tape;
  engine.setTape(&tape);
  type(engine, "7 ENTER");
  const std::size_t lines = tape.size();
  for (KeyCode code : {-5, 107, 250, key::kPauseTick}) engine.PressKey(code);
  EXPECT_EQ(tape.size(), lines);
  EXPECT_EQ(r.X, 7);
  EXPECT_EQ(engine.lastKey(), key::kEnter);
}

TEST_F(CalcEngineTest, EntryDisplayShowsTheTypedText) {
  type(engine, "1234.5");
  EXPECT_EQ(shown(), "1,234.5");
  type(engine, "EEX 7 CHS");
  EXPECT_EQ(engine.display().exponent, "E-7");
}

}  // namespace
}  // namespace finova
