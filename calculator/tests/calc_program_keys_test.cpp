// Program mode, running, stepping and pausing through the engine's keys.
#include <gtest/gtest.h>

#include "calculator/core/calc_engine.h"
#include "calculator/tests/engine_test_support.h"

namespace finova {
namespace {

using testing::setStack;
using testing::type;

class ProgramKeysTest : public ::testing::Test {
 protected:
  CalcEngine engine;
  EngineRegisters& r = engine.registers();
  void recordProgram(const std::string& keys) { type(engine, "P/R " + keys + " P/R"); }
};

TEST_F(ProgramKeysTest, ProgramModeRecordsInsteadOfComputing) {
  type(engine, "P/R 2 ENTER +");
  EXPECT_TRUE(engine.programMode());
  EXPECT_EQ(engine.xDisplayText(), "003-  +");
  EXPECT_EQ(r.X, 0);
  type(engine, "BST BST");
  EXPECT_EQ(engine.xDisplayText(), "001-  2");
  type(engine, "P/R");
  EXPECT_FALSE(engine.programMode());
  EXPECT_EQ(engine.program().line(), 0);
  EXPECT_EQ(engine.xDisplayText(), "0.00");
}

TEST_F(ProgramKeysTest, NewMemoryStopsAtOnceOnRunStop) {
  type(engine, "5 ENTER R/S");
  EXPECT_FALSE(engine.running());
  EXPECT_EQ(r.X, 5);
  EXPECT_EQ(engine.program().line(), 0);
}

TEST_F(ProgramKeysTest, RunsAProgramWithRegisterArithmetic) {
  recordProgram("STO + 1 RCL 1 2 *");
  type(engine, "5 R/S");
  EXPECT_FALSE(engine.running());
  EXPECT_EQ(r.R[1], 5);
  EXPECT_EQ(r.X, 10);
  type(engine, "R/S");
  EXPECT_EQ(r.R[1], 15);
  EXPECT_EQ(r.X, 30);
}

TEST_F(ProgramKeysTest, NumberTypedBeforeRunStopIsKept) {
  recordProgram("1 +");
  type(engine, "41 R/S");
  EXPECT_EQ(r.X, 42);
}

TEST_F(ProgramKeysTest, LessOrEqualSkipsTheNextLineWhenYIsSmaller) {
  recordProgram("X<=Y 7 R/S 9");
  setStack(engine, 2, 3, 0, 0);
  type(engine, "R/S");
  EXPECT_EQ(r.X, 7);    // X <= Y: the next line runs
  type(engine, "R/S");  // continues with 9 and ends
  EXPECT_EQ(r.X, 9);
  setStack(engine, 3, 2, 0, 0);
  type(engine, "GTO 0 0 0 R/S");
  EXPECT_FALSE(engine.running());
  EXPECT_EQ(r.X, 3);  // Y < X: 7 skipped, the program stopped at R/S
}

TEST_F(ProgramKeysTest, ZeroTestSkipsWhenXIsNotZero) {
  recordProgram("X=0 GTO 0 0 5 7 R/S 9");
  setStack(engine, 1, 0, 0, 0);
  type(engine, "R/S");
  EXPECT_EQ(r.X, 7);
  setStack(engine, 0, 0, 0, 0);
  type(engine, "GTO 0 0 0 R/S");
  EXPECT_EQ(r.X, 9);
}

TEST_F(ProgramKeysTest, LoopRunsUntilItsExitTest) {
  // R1 counts up while it is at most 5.
  recordProgram("1 STO + 1 5 RCL 1 X<=Y GTO 0 0 1");
  type(engine, "R/S");
  EXPECT_FALSE(engine.running());
  EXPECT_EQ(r.R[1], 6);
}

TEST_F(ProgramKeysTest, PauseResumesOnTheThirdTick) {
  recordProgram("1 PSE 2 +");
  type(engine, "R/S");
  EXPECT_TRUE(engine.running());
  EXPECT_EQ(r.X, 1);
  engine.PressKey(key::kPauseTick);
  engine.PressKey(key::kPauseTick);
  EXPECT_TRUE(engine.running());
  engine.PressKey(key::kPauseTick);
  EXPECT_FALSE(engine.running());
  EXPECT_EQ(r.X, 3);
}

TEST_F(ProgramKeysTest, ErrorStopsTheRunAndRunStopContinues) {
  recordProgram("0 1/X 4");
  type(engine, "R/S");
  EXPECT_EQ(engine.xDisplayText(), "Error0");
  EXPECT_FALSE(engine.running());
  EXPECT_EQ(engine.program().line(), 3);
  type(engine, "R/S");
  EXPECT_EQ(r.X, 4);
}

TEST_F(ProgramKeysTest, SingleStepExecutesOneLine) {
  recordProgram("7 STO 2 3");
  type(engine, "SST SST");
  EXPECT_EQ(r.R[2], 7);
  EXPECT_FALSE(engine.running());
  type(engine, "SST");
  EXPECT_EQ(engine.xDisplayText(), "3.");
  EXPECT_EQ(r.Y, 7);
}

TEST_F(ProgramKeysTest, GotoOutsideProgramModeMovesTheLine) {
  type(engine, "GTO 0 4 2");
  EXPECT_EQ(engine.program().line(), 42);
  type(engine, "GTO 1 +");
  EXPECT_EQ(engine.program().line(), 42);
  EXPECT_EQ(engine.state(), EngineState::Operate);
}

TEST_F(ProgramKeysTest, EndlessLoopReturnsAfterTheKeyBudget) {
  recordProgram("1 + GTO 0 0 1");
  engine.setKeyBudget(1000);
  type(engine, "R/S");
  EXPECT_TRUE(engine.running());
  const double afterFirst = r.X;
  engine.PressKey(key::kNoKey);
  EXPECT_GT(r.X, afterFirst);
  type(engine, "R/S");
  EXPECT_FALSE(engine.running());
}

}  // namespace
}  // namespace finova
