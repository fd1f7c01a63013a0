#include "calculator/core/finova_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "calculator/core/calc_engine.h"

namespace finova {
namespace {

TEST(FinovaSettingsTest, MissingKeysReadAsDefaults) {
  const FinovaSettings s = readSettings(platform::IniFile::fromText(""));
  EXPECT_TRUE(s.endMode);
  EXPECT_TRUE(s.dateOrderMDY);
  EXPECT_FALSE(s.compoundOddPeriod);
  EXPECT_EQ(s.separator, 10135);
  EXPECT_EQ(s.decimals, 2);
  EXPECT_EQ(s.horiz, 640);
  EXPECT_EQ(s.vert, 480);
  EXPECT_FALSE(s.positionStored);
  EXPECT_FALSE(s.tapeVisible);
  EXPECT_EQ(s.tapeHoriz, 8);
  EXPECT_EQ(s.tapeVert, 40);
  EXPECT_EQ(s.tapeFile, "");
  EXPECT_EQ(s.append, 0);
  EXPECT_EQ(s.onTop, 0);
  EXPECT_EQ(s.stack[3], 0);
  EXPECT_EQ(s.registers[28], 0);
}

TEST(FinovaSettingsTest, ReadsValuesAndRefusesBadOnes) {
  const FinovaSettings s = readSettings(platform::IniFile::fromText(
      "[finova]\nEND=0\nSEPARATOR=10136\nDECPT=12\nTAPEFILE=/tmp/t.tpf\nR1=2.5E+03\n"
      "M22=garbage\nM23=1e999\nONTOP=8\n"));
  EXPECT_FALSE(s.endMode);
  EXPECT_EQ(s.separatorStyle(), SeparatorStyle::European);
  EXPECT_EQ(s.decimals, 2);
  EXPECT_EQ(s.tapeFile, "/tmp/t.tpf");
  EXPECT_EQ(s.stack[1], 2500);
  EXPECT_EQ(s.registers[22], 0);
  EXPECT_EQ(s.registers[23], kLargestStoredNumber);  // beyond range: the largest stored value
  EXPECT_EQ(s.onTop, 8);
  EXPECT_FALSE(s.positionStored) << "HORIZ and VERT were not in the file";
}

TEST(FinovaSettingsTest, AWindowPositionCountsAsStoredOnlyWithBothCoordinates) {
  EXPECT_FALSE(readSettings(platform::IniFile::fromText("[FINOVA]\nHORIZ=10\n")).positionStored);
  EXPECT_FALSE(readSettings(platform::IniFile::fromText("[FINOVA]\nVERT=10\n")).positionStored);
  const FinovaSettings both =
      readSettings(platform::IniFile::fromText("[FINOVA]\nHORIZ=10\nVERT=-20\n"));
  EXPECT_TRUE(both.positionStored);
  EXPECT_EQ(both.horiz, 10);
  EXPECT_EQ(both.vert, -20);
  // Once written, the next start restores the position.
  platform::IniFile ini;
  writeSettings(ini, FinovaSettings{});
  EXPECT_TRUE(readSettings(ini).positionStored);
}

TEST(FinovaSettingsTest, NumbersRoundTripThroughTheStoredForm) {
  FinovaSettings s;
  s.stack = {1.0 / 3.0, -2.5e-20, 9.87654321e99, 0};
  for (int k = 0; k < reg::kCount; ++k) s.registers[static_cast<std::size_t>(k)] = k * 1.1;
  s.decimals = 4;
  s.compoundOddPeriod = true;
  platform::IniFile ini;
  writeSettings(ini, s);
  EXPECT_EQ(ini.readString("FINOVA", "R1"), "-2.50000000000000E-20");
  const FinovaSettings back = readSettings(ini);
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(back.stack[k], s.stack[k], std::abs(s.stack[k]) * 1e-14);
  EXPECT_NEAR(back.registers[27], 27 * 1.1, 1e-12);
  EXPECT_EQ(back.decimals, 4);
  EXPECT_TRUE(back.compoundOddPeriod);
}

TEST(FinovaSettingsTest, OverflowIsStoredAsTheLargestShownValueAndNaNAsZero) {
  FinovaSettings s;
  s.stack = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
             std::nan(""), 1.7976931348623157e308};
  platform::IniFile ini;
  writeSettings(ini, s);
  EXPECT_EQ(ini.readString("FINOVA", "R0"), "9.99999999999999E+99");
  EXPECT_EQ(ini.readString("FINOVA", "R1"), "-9.99999999999999E+99");
  EXPECT_EQ(ini.readString("FINOVA", "R2"), "0.00000000000000E+00");
  EXPECT_EQ(ini.readString("FINOVA", "R3"), "9.99999999999999E+99");
  // What reads back shows as the overflowed value did.
  const FinovaSettings back = readSettings(ini);
  EXPECT_EQ(FormatNumber(back.stack[0], 2), FormatNumber(s.stack[0], 2));
  EXPECT_EQ(FormatNumber(back.stack[1], 2), FormatNumber(s.stack[1], 2));
  EXPECT_EQ(back.stack[2], 0.0);
}

TEST(FinovaSettingsTest, EngineStateSurvivesARestart) {
  CalcEngine engine;
  engine.registers().X = 12;
  engine.registers().R[20] = 1000;
  engine.registers().endMode = false;
  engine.setDecimals(5);
  FinovaSettings s;
  captureSettings(engine, s);
  platform::IniFile ini;
  writeSettings(ini, s);
  CalcEngine restarted;
  applySettings(readSettings(ini), restarted);
  restarted.Reset();
  EXPECT_EQ(restarted.registers().working, 12);
  EXPECT_EQ(restarted.registers().PV(), 1000);
  EXPECT_FALSE(restarted.registers().endMode);
  EXPECT_EQ(restarted.xDisplayText(), "12.00000");
}

TEST(FinovaSettingsTest, FileKeepsForeignKeysAndReadsBack) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("finova_settings_" + std::to_string(::getpid()) + ".ini");
  {
    std::ofstream out(path);
    out << "; kept\n[FINOVA]\nDECPT=5\nCUSTOM=yes\n";
  }
  FinovaSettings s = loadSettingsFile(path);
  EXPECT_EQ(s.decimals, 5);
  s.registers[20] = -1234.5;
  ASSERT_TRUE(saveSettingsFile(path, s));
  EXPECT_EQ(loadSettingsFile(path).registers[20], -1234.5);
  const platform::IniFile ini(path);
  EXPECT_EQ(ini.readString("FINOVA", "CUSTOM"), "yes");
  EXPECT_EQ(ini.text().rfind("; kept", 0), 0u);
  std::filesystem::remove(path);
  EXPECT_EQ(loadSettingsFile(path).decimals, 2);
}

}  // namespace
}  // namespace finova
