#include "tools/cli_manual/cli_manual.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace climanual {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

Manual sampleManual() {
  return Manual{
      .name = "sample-cli",
      .summary = "does things",
      .language = Language::English,
      .synopsis = {"[--data DIR] list", "--help"},
      .description = {".TH injected by a paragraph that starts with a dot",
                      "a path C:\\TOOLS with a backslash"},
      .commands = {{"list", "one line per item"}},
      .options = {{"--data DIR",
                   "read the items from DIR instead of the default folder; a long text that "
                   "has to wrap onto a second and maybe a third line of the help output"},
                  {"--a-very-long-option-name VALUE", "a term wider than the column"}},
      .exitStatus = {{"0", "done"}, {"2", "bad usage"}},
      .examples = {{"sample-cli --data /tmp list", "Lists /tmp:"}},
      .files = {"'quoted start of a files paragraph"},
  };
}

TEST(CliManualRoff, TextCannotBecomeARequest) {
  EXPECT_EQ(roffEscape(".TH x"), "\\&.TH x");
  EXPECT_EQ(roffEscape("a\n'b"), "a\n\\&'b");
  EXPECT_EQ(roffEscape("C:\\TOOLS"), "C:\\eTOOLS");
  EXPECT_EQ(roffEscape("--data"), "\\-\\-data");
  // A dot or quote inside a line is harmless and stays as it is.
  EXPECT_EQ(roffEscape("a.b 'c'"), "a.b 'c'");
}

TEST(CliManualRoff, EveryRequestLineIsOneTheWriterMeant) {
  const std::string page = manPage(sampleManual());
  const std::vector<std::string> allowed = {".TH", ".ad", ".nh", ".SH", ".B",  ".TP",
                                            ".PP", ".RS", ".RE", ".nf", ".fi", ".br"};
  for (const std::string& line : lines(page)) {
    if (line.empty() || (line[0] != '.' && line[0] != '\'')) continue;
    const std::string request = line.substr(0, line.find(' '));
    EXPECT_NE(std::find(allowed.begin(), allowed.end(), request), allowed.end())
        << "unexpected request line: " << line;
  }
  EXPECT_NE(page.find("\\&.TH injected"), std::string::npos);
  EXPECT_NE(page.find("\\&'quoted start"), std::string::npos);
  EXPECT_NE(page.find(".B \\-\\-data DIR"), std::string::npos) << page;
}

TEST(CliManualHelp, WrapsLongTextsUnderTheTermColumn) {
  const std::vector<std::string> help = lines(helpText(sampleManual()));
  std::size_t dataLine = 0;
  for (std::size_t k = 0; k < help.size(); ++k) {
    EXPECT_LE(help[k].size(), 79u) << help[k];
    if (help[k].rfind("  --data DIR", 0) == 0) dataLine = k;
  }
  ASSERT_GT(dataLine, 0u);
  // The continuation starts where the first line's text started.
  const std::size_t column = help[dataLine].find("read the items");
  ASSERT_LT(dataLine + 1, help.size());
  EXPECT_EQ(help[dataLine + 1].find_first_not_of(' '), column) << help[dataLine + 1];
  // A term wider than the column puts its text on the next line.
  for (std::size_t k = 0; k + 1 < help.size(); ++k) {
    if (help[k] == "  --a-very-long-option-name VALUE") {
      EXPECT_EQ(help[k + 1].find_first_not_of(' '), column);
      return;
    }
  }
  ADD_FAILURE() << "long term not on a line of its own";
}

TEST(CliManualHelp, UsageLinesAlignAfterTheFirst) {
  const std::vector<std::string> help = lines(helpText(sampleManual()));
  ASSERT_GE(help.size(), 2u);
  EXPECT_EQ(help[0], "Usage: sample-cli [--data DIR] list");
  EXPECT_EQ(help[1], "       sample-cli --help");
}

TEST(CliManualLanguage, GermanProgramsGetGermanHeadings) {
  Manual manual = sampleManual();
  manual.language = Language::German;
  const std::string help = helpText(manual);
  EXPECT_EQ(help.rfind("Aufruf: sample-cli", 0), 0u) << help;
  EXPECT_NE(help.find("\nOptionen:\n"), std::string::npos);
  const std::string page = manPage(manual);
  EXPECT_NE(page.find(".SH \"ÜBERSICHT\""), std::string::npos);
  EXPECT_NE(page.find(".SH \"RÜCKGABEWERT\""), std::string::npos);
  EXPECT_EQ(page.find("SYNOPSIS"), std::string::npos);
}

}  // namespace
}  // namespace climanual
