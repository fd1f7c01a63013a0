#include "calculator/core/finova_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "calculator/tests/engine_test_support.h"
#include "calculator/tests/file_test_support.h"
#include "platform/ini_file.h"

namespace finova {
namespace {

using testing::type;

using testing::readFile;
using testing::writeFile;

std::tm fixedClock() {
  std::tm t{};
  t.tm_year = 2024 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 9;
  t.tm_hour = 14;
  t.tm_min = 5;
  t.tm_sec = 7;
  return t;
}

class FinovaSessionTest : public ::testing::Test {
 protected:
  std::filesystem::path file(const std::string& name) const { return m_folder.file(name); }
  std::filesystem::path ini() const { return file("FINOVA.INI"); }

 private:
  testing::TempFolder m_folder{"finova_session"};
};

TEST_F(FinovaSessionTest, StartPutsTheStoredSettingsIntoTheEngine) {
  writeFile(ini(),
            "[FINOVA]\nEND=0\nMDY=0\nODDPERIOD=1\nSEPARATOR=10136\nDECPT=4\n"
            "R0=1.25000000000000E+03\nR1=-2.00000000000000E+00\nR3=7\nM20=1.5E+05\n"
            "M28=3\n");
  FinovaSession session(ini());
  session.start();
  const CalcEngine& engine = session.engine();
  EXPECT_FALSE(engine.registers().endMode);
  EXPECT_FALSE(engine.registers().dateOrderMDY);
  EXPECT_TRUE(engine.registers().compoundOddPeriod);
  EXPECT_EQ(engine.decimals(), 4);
  EXPECT_EQ(engine.separatorStyle(), SeparatorStyle::European);
  EXPECT_EQ(engine.registers().T, 7.0);
  EXPECT_EQ(engine.registers().PV(), 150000.0);
  EXPECT_EQ(engine.registers().R[28], 3.0);
  // The display shows the restored X at once, in the stored style.
  EXPECT_EQ(engine.display().xLine, "1.250,0000");
  EXPECT_EQ(engine.display().yLine, "-2,0000");
  EXPECT_EQ(engine.display().indicatorEnd, "BEG");
  EXPECT_FALSE(session.engine().running());
}

TEST_F(FinovaSessionTest, FinishWritesTheStackRegistersAndFlagsOnce) {
  FinovaSession session(ini());
  session.start();
  type(session.engine(), "12.5 ENTER 3 STO 5 BEG 42");
  ASSERT_TRUE(session.finish());
  EXPECT_TRUE(session.finished());
  {
    const platform::IniFile stored(ini());
    EXPECT_EQ(stored.readString("FINOVA", "R0"), "4.20000000000000E+01")
        << "the number being keyed in";
    EXPECT_EQ(stored.readString("FINOVA", "R1"), "3.00000000000000E+00");
    EXPECT_EQ(stored.readString("FINOVA", "R2"), "1.25000000000000E+01");
    EXPECT_EQ(stored.readString("FINOVA", "M5"), "3.00000000000000E+00");
    EXPECT_EQ(stored.readString("FINOVA", "M28"), "0.00000000000000E+00");
    EXPECT_EQ(stored.readInt("FINOVA", "END", -1), 0);
    EXPECT_EQ(stored.readInt("FINOVA", "DECPT", -1), 2);
    EXPECT_EQ(stored.readString("FINOVA", "TAPEFILE", "?"), "");
  }
  // A second finish (the window closed, then main returns) writes nothing.
  type(session.engine(), "CLX 99 ENTER");
  EXPECT_TRUE(session.finish());
  EXPECT_EQ(platform::IniFile(ini()).readString("FINOVA", "R0"), "4.20000000000000E+01");
}

TEST_F(FinovaSessionTest, FinishAppendsTheNewTapeLinesToTheTapeFile) {
  const auto tapeFile = file("paper.tpf");
  writeFile(tapeFile, "[Old]\r\n5.00 ENTER\r\n");
  writeFile(ini(), "[FINOVA]\nTAPEFILE=" + tapeFile.string() + "\n");
  FinovaSession session(ini());
  session.start();
  session.tape().setClock(fixedClock);
  ASSERT_EQ(session.tape().size(), 2u) << "the tape file is loaded at start";
  type(session.engine(), "100 ENTER 50 +");
  ASSERT_TRUE(session.finish());
  const std::string written = readFile(tapeFile);
  EXPECT_EQ(written,
            "[Old]\r\n5.00 ENTER\r\n100.00 ENTER\r\n50.00 +\r\n150.00 ###\r\n"
            "[03/09/24 14:05:07]\r\n[Tape Saved]\r\n");
  EXPECT_EQ(platform::IniFile(ini()).readString("FINOVA", "TAPEFILE"), tapeFile.string());
  EXPECT_FALSE(session.tape().hasFile()) << "the tape file is closed at the end";

  // The next run loads everything and appends only what it adds.
  FinovaSession next(ini());
  next.start();
  next.tape().setClock(fixedClock);
  EXPECT_EQ(next.tape().size(), 7u);
  ASSERT_TRUE(next.finish());
  EXPECT_EQ(readFile(tapeFile), written) << "nothing new, nothing written";
}

TEST_F(FinovaSessionTest, AMissingTapeFileIsCreatedAndOneThatCannotBeOpenedIsKept) {
  const auto created = file("new.tpf");
  writeFile(ini(), "[FINOVA]\nTAPEFILE=" + created.string() + "\n");
  {
    FinovaSession session(ini());
    session.start();
    EXPECT_TRUE(std::filesystem::exists(created));
    type(session.engine(), "2 ENTER");
    session.finish();
  }
  EXPECT_EQ(readFile(created).rfind("2.00 ENTER\r\n[", 0), 0u) << readFile(created);

  const auto unreachable = file("no_such_folder") / "t.tpf";
  writeFile(ini(), "[FINOVA]\nTAPEFILE=" + unreachable.string() + "\n");
  FinovaSession session(ini());
  session.start();
  EXPECT_FALSE(session.tape().hasFile());
  type(session.engine(), "3 ENTER");
  EXPECT_EQ(session.tape().size(), 1u) << "the tape still journals";
  ASSERT_TRUE(session.finish());
  // It stays the tape file, for when its folder is back.
  EXPECT_EQ(platform::IniFile(ini()).readString("FINOVA", "TAPEFILE", "?"), unreachable.string());
  EXPECT_FALSE(std::filesystem::exists(unreachable));
}

TEST_F(FinovaSessionTest, OverflowedValuesAreSavedAsTheyWereShown) {
  const double inf = std::numeric_limits<double>::infinity();
  std::string shownX;
  std::string shownY;
  {
    FinovaSession session(ini());
    session.start();
    // 9E99 squared is far beyond the display; the others are set directly.
    type(session.engine(), "9 EEX 99 ENTER *");
    EngineRegisters& r = session.engine().registers();
    r.Y = -inf;
    r.Z = std::nan("");
    r.R[3] = inf;
    r.R[4] = -std::nan("");
    session.engine().PressKey(key::kNoKey);
    shownX = session.engine().xDisplayText();
    shownY = session.engine().display().yLine;
    ASSERT_TRUE(session.finish());
  }
  const platform::IniFile stored(ini());
  EXPECT_EQ(stored.readString("FINOVA", "R0"), "9.99999999999999E+99");
  EXPECT_EQ(stored.readString("FINOVA", "R1"), "-9.99999999999999E+99");
  EXPECT_EQ(stored.readString("FINOVA", "R2"), "0.00000000000000E+00");
  EXPECT_EQ(stored.readString("FINOVA", "M3"), "9.99999999999999E+99");
  EXPECT_EQ(stored.readString("FINOVA", "M4"), "0.00000000000000E+00");
  FinovaSession again(ini());
  again.start();
  EXPECT_EQ(again.engine().xDisplayText(), shownX);
  EXPECT_EQ(again.engine().display().yLine, shownY);
  EXPECT_TRUE(std::isfinite(again.engine().registers().R[3]));
  EXPECT_EQ(again.engine().registers().Z, 0.0);
}

TEST_F(FinovaSessionTest, ALoopingProgramHandsBackAndWantsTheNoKeyUntilItStops) {
  FinovaSession session(ini());
  session.start();
  CalcEngine& engine = session.engine();
  // 001 1, 002 +, 003 GTO 001: counts up forever.
  type(engine, "P/R 1 + GTO 0 0 1 P/R");
  EXPECT_FALSE(session.wantsNoKey());
  engine.PressKey(key::kRS);
  ASSERT_TRUE(engine.running()) << "the press returned after its budget";
  EXPECT_TRUE(session.wantsNoKey());
  const double afterFirstTurn = engine.registers().X;
  EXPECT_GT(afterFirstTurn, 0.0);
  engine.PressKey(key::kNoKey);
  EXPECT_GT(engine.registers().X, afterFirstTurn) << "the no-key code continues it";
  engine.PressKey(key::kRS);
  EXPECT_FALSE(engine.running());
  EXPECT_FALSE(session.wantsNoKey());
}

TEST_F(FinovaSessionTest, APausedProgramWaitsForThePauseTicksNotTheNoKey) {
  FinovaSession session(ini());
  session.start();
  CalcEngine& engine = session.engine();
  type(engine, "P/R PSE 7 P/R R/S");
  ASSERT_TRUE(engine.running());
  EXPECT_FALSE(session.wantsNoKey()) << "a pause needs no turns of its own";
  engine.PressKey(key::kNoKey);
  EXPECT_TRUE(engine.program().paused());
  engine.PressKey(key::kPauseTick);
  engine.PressKey(key::kPauseTick);
  EXPECT_TRUE(engine.program().paused());
  engine.PressKey(key::kPauseTick);
  EXPECT_FALSE(engine.program().paused());
  EXPECT_EQ(engine.registers().X, 7.0) << "the program went on after the third tick";
  EXPECT_FALSE(engine.running()) << "and ended";
}

}  // namespace
}  // namespace finova
