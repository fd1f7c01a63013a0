// Drives the financial, statistical and date keys through the engine's
// PressKey, as the keypad and finova-cli do, and checks what the display and
// the registers show afterwards.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>

#include "calculator/core/calc_engine.h"
#include "calculator/core/financial/financial_routines.h"
#include "calculator/core/key_table.h"

namespace finova::fin {
namespace {

class FinancialKeys : public ::testing::Test {
 protected:
  // Keys as mnemonics; a number token types its digits and point.
  void type(const std::string& keys) {
    std::istringstream tokens(keys);
    for (std::string token; tokens >> token;) {
      if (const auto code = keyFromMnemonic(token)) {
        m_engine.PressKey(*code);
        continue;
      }
      for (char c : token) m_engine.PressKey(c == '.' ? key::kPoint : c - '0');
    }
  }
  std::string shown() const { return m_engine.display().xLine; }
  EngineRegisters& regs() { return m_engine.registers(); }

  FinancialRoutines m_routines;
  CalcEngine m_engine{&m_routines};
};

TEST_F(FinancialKeys, LoanPaymentSolvesAndPresentValueSolvesBack) {
  type("12 N 1 I 1000 PV 0 FV PMT");
  EXPECT_EQ(shown(), "-88.85");
  type("PV");
  EXPECT_EQ(shown(), "1,000.00");
  EXPECT_NEAR(regs().PV(), 1000.0, 1e-9);
}

TEST_F(FinancialKeys, OddPeriodFollowsTheCompoundIndicator) {
  type("12.5 N 1 I 100 CHS PMT 0 FV PV");
  const double annuity = 100.0 * (1 - std::pow(1.01, -12)) / 0.01;
  EXPECT_NEAR(regs().X, annuity / 1.005, 1e-9);
  type("STO EEX PV PV");
  EXPECT_TRUE(regs().compoundOddPeriod);
  EXPECT_NEAR(regs().X, annuity / std::sqrt(1.01), 1e-9);
}

TEST_F(FinancialKeys, PeriodsRoundAtFiveThousandthsOfAPeriod) {
  for (auto [periods, expected] : {std::pair{12.004, "12.00"}, std::pair{12.006, "13.00"}}) {
    char fv[32];
    std::snprintf(fv, sizeof fv, "%.12f", std::pow(1.01, periods));
    type(std::string("CLX 1 CHS PV 0 PMT 1 I ") + fv + " FV N");
    EXPECT_EQ(shown(), expected) << periods;
  }
}

TEST_F(FinancialKeys, RateWithSameSignValuesShowsError5AndKeepsStack) {
  type("12 N 1000 PV 50 FV I");
  EXPECT_EQ(shown(), "Error5");
  EXPECT_EQ(regs().X, 50.0);
  EXPECT_EQ(regs().i(), 0.0);
}

TEST_F(FinancialKeys, CashFlowKeysDiscountGroupsAndRefuseTwentyFlows) {
  type("500 CHS CF0 100 CFJ 3 NJ 1000 CFJ 10 I NPV");
  EXPECT_NEAR(regs().X, -500 + 100 / 1.1 + 100 / 1.21 + 100 / 1.331 + 1000 / std::pow(1.1, 4),
              1e-9);
  type("20 N NPV");
  EXPECT_EQ(shown(), "Error6");
}

TEST_F(FinancialKeys, InternalRatesShowEveryDigit) {
  m_engine.setDecimals(7);
  type("100 CHS CF0 110 CFJ IRR");
  EXPECT_EQ(shown(), "10.0000000");
  // 55 v^2 + 55 v - 100 = 0: v = (sqrt(25025) - 55) / 110.
  m_engine.setDecimals(9);
  type("100 CHS CF0 55 CFJ 2 NJ IRR");
  const double v = (std::sqrt(25025.0) - 55.0) / 110.0;
  EXPECT_NEAR(regs().i(), (1 / v - 1) * 100, 1e-12);
  EXPECT_EQ(shown(), "6.596460098");
  m_engine.setDecimals(2);
  type("100 CHS CF0 300 CFJ IRR");
  EXPECT_EQ(shown(), "200.00");
}

TEST_F(FinancialKeys, InternalRateWithoutARateShowsError5AndKeepsEverything) {
  type("100 CHS CF0 50 CHS CFJ 7 I 3 ENTER 4");
  const EngineRegisters before = regs();
  type("IRR");
  EXPECT_EQ(shown(), "Error5");
  EXPECT_EQ(regs().X, before.X);
  EXPECT_EQ(regs().Y, before.Y);
  EXPECT_EQ(regs().Z, before.Z);
  EXPECT_EQ(regs().i(), 7.0);
  EXPECT_EQ(regs().R, before.R);
}

TEST_F(FinancialKeys, FallingDataShowANegativeCorrelation) {
  type("10 ENTER 1 SUM+ 8 ENTER 2 SUM+ 6 ENTER 3 SUM+ 4 EST_Y");
  EXPECT_EQ(shown(), "4.00");
  EXPECT_EQ(m_engine.display().yLine, "-1.00");
}

TEST_F(FinancialKeys, SumOfYearsDigitsStopsBelowOne) {
  type("5.4 PV 0 FV 3 N 2 SOYD");
  EXPECT_EQ(shown(), "2.70");
  EXPECT_EQ(regs().Y, 0.0);
}

TEST_F(FinancialKeys, AmortizationShowsInterestThenPrincipal) {
  type("1000 PV 100 CHS PMT 1 I 0 N 2 AMRT");
  EXPECT_EQ(shown(), "-19.10");
  EXPECT_EQ(m_engine.display().yLine, "-180.90");
  EXPECT_DOUBLE_EQ(regs().PV(), 819.10);
}

TEST_F(FinancialKeys, AmortizationAtTheBeginningStartsFromPaymentOneAndContinues) {
  // n holds the term when AMRT is pressed: the first payment is still the
  // loan's first and, made at the start, pays no interest.
  type("BEG 360 N 6.5 12/ 250000 PV 0 FV PMT 1 AMRT");
  EXPECT_EQ(regs().X, 0.0);
  EXPECT_DOUBLE_EQ(regs().PV(), std::round((250000 + regs().PMT()) * 100) / 100);
  // Twelve more, then twelve more: as 25 payments at once.
  type("12 AMRT");
  const double interest12 = regs().X;
  type("12 AMRT");
  const double balance = regs().PV();
  const double interest = interest12 + regs().X;
  EXPECT_EQ(regs().n(), 385.0);
  CalcEngine fresh{&m_routines};
  for (const char* token :
       {"BEG", "360", "N", "6.5", "12/", "250000", "PV", "0", "FV", "PMT", "25", "AMRT"}) {
    if (const auto code = keyFromMnemonic(token)) {
      fresh.PressKey(*code);
      continue;
    }
    for (const char* c = token; *c != 0; ++c) fresh.PressKey(*c == '.' ? key::kPoint : *c - '0');
  }
  EXPECT_EQ(fresh.registers().PV(), balance);
  EXPECT_NEAR(fresh.registers().X, interest, 1e-9);
  // The whole loan: the balance ends at 0.00, not below.
  type("400 AMRT");
  EXPECT_EQ(regs().PV(), 0.0);
  EXPECT_EQ(regs().n(), 360.0 + 360.0);
}

TEST_F(FinancialKeys, StatisticsKeysAndTheirErrors) {
  type("2 ENTER 1 SUM+ STDEV");
  EXPECT_EQ(shown(), "Error2");
  type("4 ENTER 2 SUM+ 3 EST_Y");
  EXPECT_EQ(shown(), "6.00");
  EXPECT_EQ(m_engine.display().yLine, "1.00");
  type("C_SUM 5 ENTER 0 SUM+ 7 ENTER 0 SUM+ WMEAN");
  EXPECT_EQ(shown(), "Error2");
}

TEST_F(FinancialKeys, DaysBetweenDatesAndValidation) {
  type("1.011996 ENTER 1.011997 DDYS");
  EXPECT_EQ(shown(), "366.00");
  EXPECT_EQ(m_engine.display().yLine, "360.00");
  type("2.301996 ENTER 1.011997 DDYS");
  EXPECT_EQ(shown(), "Error8");
  type("2.291996 ENTER 3.011996 DDYS");
  EXPECT_EQ(shown(), "1.00");
  type("2.291997 ENTER 3.011997 DDYS");
  EXPECT_EQ(shown(), "Error8");
}

TEST_F(FinancialKeys, DateShowsResultTextWithWeekday) {
  type("12.251996 ENTER 7 DATE");
  EXPECT_EQ(shown(), "01,01,1997  3");
  EXPECT_EQ(regs().LSTX, 7.0);
  EXPECT_EQ(regs().Y, 12.251996);
  type("1.011996 ENTER 0 DATE");
  EXPECT_EQ(shown(), "01,01,1996  1");
  m_engine.setSeparatorStyle(SeparatorStyle::European);
  type("D.MY 25.121996 ENTER 7 DATE");
  EXPECT_EQ(shown(), "01.01.1997  3");
}

TEST_F(FinancialKeys, InterestConversionRoundTrip) {
  m_engine.setDecimals(4);
  type("12 P 12 NOM% EFF% EFF%");
  EXPECT_EQ(shown(), "12.6825");
  type("NOM% NOM%");
  EXPECT_NEAR(regs().R[reg::kNom], 12.0, 1e-3);
}

bool routineKey(KeyCode code) {
  switch (code) {
    case key::kPV:
    case key::kFV:
    case key::kN:
    case key::kPMT:
    case key::kI:
    case key::kNPV:
    case key::kIRR:
    case key::kMirr:
    case key::kNFV:
    case key::kAdvp:
    case key::kAmrt:
    case key::kSL:
    case key::kSoyd:
    case key::kDB:
    case key::kPrice:
    case key::kYtm:
    case key::kStdev:
    case key::kEstX:
    case key::kEstY:
    case key::kWMean:
    case key::kDdys:
    case key::kDate:
    case key::kInt:
    case key::kSPPV:
    case key::kSPFV:
    case key::kUSPV:
    case key::kUSFV:
    case key::kNom:
    case key::kEff:
      return true;
    default:
      return false;
  }
}

// Random keys over random register contents: no key may crash or hang, and
// no routine key may turn a number in X into NaN. Run under the asan preset this also proves that
// no routine reads outside its registers.
TEST_F(FinancialKeys, RandomKeySequencesOverOddRegistersStayFinite) {
  std::mt19937 random(20261208);
  const double odd[] = {0, 1, -1, 0.5, 12, 1e300, -1e300, INFINITY, 1.011996, 99, 20};
  std::uniform_int_distribution<int> pickOdd(0, std::size(odd) - 1);
  const std::int32_t oddCounts[] = {0, 1, -1, 3, 99, 100, INT32_MAX, INT32_MIN};
  std::uniform_int_distribution<int> pickCount(0, std::size(oddCounts) - 1);
  std::uniform_int_distribution<int> pickKey(0, key::kUnused103);
  for (int round = 0; round < 1000; ++round) {
    for (double& value : regs().R) value = odd[pickOdd(random)];
    for (auto& count : regs().Nj) count = oddCounts[pickCount(random)];
    for (int press = 0; press < 300; ++press) {
      const KeyCode code = pickKey(random);
      if (code == key::kRS || code == key::kPR) continue;
      const bool wasNumber = !std::isnan(regs().X);
      m_engine.PressKey(code);
      if (wasNumber && routineKey(code)) {
        ASSERT_FALSE(std::isnan(regs().X)) << "key " << code << " round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace finova::fin
