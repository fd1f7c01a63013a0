#include "calculator/cli/finova_cli.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "calculator/cli/finova_cli_manual.h"
#include "platform/ini_file.h"

namespace finova {
namespace {

struct CliRun {
  int code = 0;
  std::string out;
  std::string err;
};

CliRun run(std::vector<std::string> args, const std::string& input = {}) {
  static const auto routines = makeFinanceRoutines();
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  CliRun result;
  result.code = runCli(args, in, out, err, routines.get());
  result.out = out.str();
  result.err = err.str();
  return result;
}

std::filesystem::path tempPath(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("finova_cli_" + std::to_string(::getpid()) + "_" + name);
}

TEST(FinovaCliTest, PrintsTheXDisplayAfterTheLastKey) {
  EXPECT_EQ(run({"1", "2", "ENTER", "3", "+"}).out, "15.00\n");
  EXPECT_EQ(run({"123456789012", "ENTER"}).out, "1.23456789012 E+11\n");
  EXPECT_EQ(run({"0", "1/X"}).out, "Error0\n");
  EXPECT_EQ(run({"1234567", "ENTER"}).out, "1,234,567.00\n");
}

TEST(FinovaCliTest, SolvesThePaymentThroughTheRoutines) {
  EXPECT_EQ(run({"12", "N", "1", "I", "1000", "PV", "0", "FV", "PMT"}).out, "-88.85\n");
  EXPECT_EQ(run({"--begin", "12", "N", "1", "I", "1000", "PV", "0", "FV", "PMT"}).out, "-87.97\n");
}

TEST(FinovaCliTest, OptionsChangeTheDisplay) {
  EXPECT_EQ(run({"--decimals", "0", "42", "ENTER"}).out, "42.\n");
  EXPECT_EQ(run({"--european", "1234567", "ENTER"}).out, "1.234.567,00\n");
  EXPECT_EQ(run({"--decimals", "4", "1", "ENTER", "3", "/"}).out, "0.3333\n");
}

TEST(FinovaCliTest, ReadsTokensFromStandardInput) {
  EXPECT_EQ(run({"--decimals", "1"}, "2 ENTER\n\t3 Y^X  ").out, "8.0\n");
}

TEST(FinovaCliTest, TraceAndTapeOutput) {
  EXPECT_EQ(run({"--trace", "5", "ENTER", "CHS"}).out, "5\t5.\nENTER\t5.00\nCHS\t-5.00\n-5.00\n");
  EXPECT_EQ(run({"--tape", "100", "ENTER", "50", "+"}).out,
            "150.00\n100.00 ENTER\n50.00 +\n150.00 ###\n");
}

TEST(FinovaCliTest, UsageErrorsExitWithTwo) {
  const CliRun unknown = run({"1", "FOO"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find("FOO"), std::string::npos);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(run({"1.2.3"}).code, 2);
  EXPECT_EQ(run({"--decimals"}).code, 2);
  EXPECT_EQ(run({"--decimals", "10", "1"}).code, 2);
  EXPECT_EQ(run({"--bogus"}).code, 2);
}

TEST(FinovaCliTest, LoadsAndRunsAProgramWithPauses) {
  const auto pgm = tempPath("p.pgm");
  std::ofstream(pgm, std::ios::binary) << "CCC  doubles\r\n001  2\r\n002  PSE\r\n003  *\r\n";
  EXPECT_EQ(run({"--load", pgm.string(), "21", "R/S"}).out, "42.00\n");
  std::filesystem::remove(pgm);
  EXPECT_EQ(run({"--load", pgm.string(), "1"}).code, 1);
}

TEST(FinovaCliTest, EndlessProgramStopsAtTheKeyLimit) {
  const auto pgm = tempPath("loop.pgm");
  std::ofstream(pgm, std::ios::binary) << "001  1\r\n002  +\r\n003  GTO 0 0 1\r\n";
  const CliRun looping = run({"--load", pgm.string(), "--max-keys", "5000", "R/S"});
  EXPECT_EQ(looping.code, 3);
  std::filesystem::remove(pgm);
}

TEST(FinovaCliTest, StateFileCarriesStackAndRegisters) {
  const auto state = tempPath("state.ini");
  std::filesystem::remove(state);
  EXPECT_EQ(run({"--state", state.string(), "7", "STO", "3", "ENTER"}).code, 0);
  EXPECT_EQ(run({"--state", state.string(), "RCL", "3", "+"}).out, "14.00\n");
  const platform::IniFile ini(state);
  EXPECT_EQ(ini.readString("FINOVA", "R0"), "1.40000000000000E+01");
  EXPECT_EQ(ini.readString("FINOVA", "M3"), "7.00000000000000E+00");
  std::filesystem::remove(state);
}

}  // namespace
}  // namespace finova

namespace finova {
namespace {

// The help and the manual page describe the options from one table; every
// option named there must be one the parser knows, with a value where the
// table shows one.
TEST(FinovaCliTest, EveryDocumentedOptionIsAccepted) {
  for (const climanual::Entry& option : cliManual().options) {
    const std::string term(option.term);
    const std::string name = term.substr(0, term.find(' '));
    std::vector<std::string> args = {name};
    if (name == "--help" || name == "--manpage") {
      const CliRun result = run(args);
      EXPECT_EQ(result.code, 0) << name;
      EXPECT_FALSE(result.out.empty()) << name;
      continue;
    }
    if (term.find(' ') != std::string::npos)
      args.push_back(term.ends_with("N") ? "2" : "/nonexistent");
    args.push_back("1");
    const CliRun result = run(args);
    EXPECT_EQ(result.err.find("unknown option"), std::string::npos) << term << ": " << result.err;
    EXPECT_NE(result.code, 2) << term << ": " << result.err;
  }
}

TEST(FinovaCliTest, HelpAndManualPageNameEveryOption) {
  const std::string help = run({"--help"}).out;
  const std::string page = run({"--manpage"}).out;
  EXPECT_EQ(page.rfind(".TH \"FINOVA\\-CLI\" 1", 0), 0u) << page.substr(0, 80);
  for (const std::string name : {"--decimals", "--european", "--dmy", "--begin", "--trace",
                                 "--tape", "--load", "--state", "--max-keys"}) {
    EXPECT_NE(help.find("  " + name), std::string::npos) << name;
    std::string escaped;
    for (char c : name) escaped += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(page.find(".B " + escaped), std::string::npos) << name;
  }
}

TEST(FinovaCliTest, AFileThatIsNotAProgramIsRefusedWithTheWindowsMessage) {
  const auto pgm = tempPath("letter.pgm");
  std::ofstream(pgm, std::ios::binary) << "Dear John,\r\nthe rent is due on Monday.\r\n";
  const CliRun refused = run({"--load", pgm.string(), "1"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "finova-cli: " + pgm.string() + ": Not a Finova program file.\n");
  std::filesystem::remove(pgm);
}

TEST(FinovaCliTest, StateFileCarriesLastXAndCashFlowCountsButNotTheOptions) {
  const auto state = tempPath("counts.ini");
  std::filesystem::remove(state);
  std::ofstream(state) << "[FINOVA]\nDECPT=5\n";
  EXPECT_EQ(run({"--state", state.string(), "--decimals", "1", "4", "SQRT", "3", "NJ"}).code, 0);
  const platform::IniFile ini(state);
  EXPECT_EQ(ini.readString("FINOVA", "LSTX"), "4.00000000000000E+00");
  EXPECT_EQ(ini.readInt("FINOVA", "NJ0", -1), 3);
  EXPECT_EQ(ini.readInt("FINOVA", "DECPT", -1), 5) << "the file keeps its own display choice";
  EXPECT_EQ(run({"--state", state.string(), "LSTX"}).out, "4.00\n");
  std::filesystem::remove(state);
}

}  // namespace
}  // namespace finova
