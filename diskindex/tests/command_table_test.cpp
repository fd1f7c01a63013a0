#include "diskindex/cli/command_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "diskindex/cli/cli_manual.h"
#include "diskindex/tests/cli_run.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::cli {
namespace {

namespace fs = std::filesystem;

// The command word of a synopsis line or a manual entry: "export" of
// "[--data VERZEICHNIS] export tree NAME ...".
std::string commandWord(std::string_view text) {
  constexpr std::string_view kData = "[--data VERZEICHNIS] ";
  if (text.rfind(kData, 0) == 0) text.remove_prefix(kData.size());
  return std::string(text.substr(0, text.find(' ')));
}

using test::CliRun;

class CommandTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_tmp / "data");
    m_env.settingsFile = m_tmp / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
  }
  CliRun run(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    CliRun r;
    r.status = runCommandLine(args, m_env, ScanStreams{in, out, err, false, false});
    r.out = out.str();
    r.err = err.str();
    return r;
  }
  std::string data() const { return (m_tmp / "data").string(); }

  test::TempDir m_tmp;
  SessionEnvironment m_env;
};

TEST(CommandTable, EveryCommandOfTheManualHasARowAndEveryRowIsInTheManual) {
  const climanual::Manual& manual = cliManual();
  std::set<std::string> documented;
  for (const auto& entry : manual.commands) documented.insert(commandWord(entry.term));
  for (std::string_view line : manual.synopsis) {
    if (line.rfind("--", 0) != 0) documented.insert(commandWord(line));
  }
  for (const std::string& word : documented) {
    EXPECT_NE(findCommand(word), nullptr) << word;
  }
  std::set<std::string> rows;
  for (const CommandRow& row : commandTable()) {
    EXPECT_TRUE(rows.insert(std::string(row.name)).second) << "two rows for " << row.name;
    EXPECT_TRUE(documented.count(std::string(row.name))) << row.name << " is not in the manual";
    EXPECT_TRUE(row.parse && row.run && row.volumeName) << row.name;
  }
  EXPECT_EQ(findCommand("frobnicate"), nullptr);
}

TEST_F(CommandTableTest, ADamagedSettingsFileIsSaidAndTheCommandStillRuns) {
  std::ofstream(m_env.settingsFile) << "[Inits]\n" << std::string(1, '\0') << "\n";
  const CliRun r = run({"--data", data(), "list"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("ist beschädigt!"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(m_env.settingsFile.string()), std::string::npos) << r.err;
  EXPECT_EQ(run({"--data", data(), "list"}).err, r.err);  // never rewritten by the CLI
}

TEST_F(CommandTableTest, AnUnknownCommandOrGlobalOptionPrintsTheUsageAndGivesTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"frobnicate"},
                                             {"--data"},
                                             {"--daten", data(), "list"},
                                             {"--data", data()},
                                             {"--data", data(), "--verbose", "list"}}) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(r.err.rfind("Aufruf: diskindx-cli", 0), 0u) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

TEST_F(CommandTableTest, AnUnknownOptionOfEveryCommandPrintsAUsageAndGivesTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"list", "--bogus"},
           {"tree", "Name", "--bogus"},
           {"identify", "/", "--bogus"},
           {"scan", "--name", "X", "--bogus", "1"},
           {"rescan", "X", "--bogus", "1"},
           {"search", "text", "--bogus"},
           {"copy", "X", "A.TXT", "--to", "/tmp", "--bogus"},
           {"export", "info", "--fields", "1", "--to", "-", "--bogus"}}) {
    std::vector<std::string> line{"--data", data()};
    line.insert(line.end(), args.begin(), args.end());
    const CliRun r = run(line);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_NE(r.err.find("Aufruf: diskindx-cli"), std::string::npos) << args[0] << ": " << r.err;
  }
  // Every command is checked before the catalogue is touched: nothing was
  // written into the data folder.
  EXPECT_TRUE(fs::is_empty(m_tmp / "data"));
}

TEST_F(CommandTableTest, EveryCommandChecksTheStartOfTheCatalogue) {
  const std::string absent = (m_tmp / "fehlt").string();
  test::TempDir disc;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"list"},
           {"tree", "Name"},
           {"identify", "/"},
           {"scan", "--path", disc.path().string(), "--name", "Neu"},
           {"rescan", "Name"},
           {"search", "text"},
           {"copy", "Name", "A.TXT", "--to", disc.path().string()},
           {"export", "info", "--fields", "1", "--to", "-"}}) {
    std::vector<std::string> line{"--data", absent};
    line.insert(line.end(), args.begin(), args.end());
    const CliRun r = run(line);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_NE(r.err.find("Liste der Datenträger lesen"), std::string::npos)
        << args[0] << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << args[0];
  }
  EXPECT_FALSE(fs::exists(absent));
}

TEST_F(CommandTableTest, AVolumeNamedByTheOptionsIsFoundByTheSharedPreamble) {
  for (const auto& [args, status] : std::vector<std::pair<std::vector<std::string>, int>>{
           {{"tree", "Weg"}, 1}, {{"rescan", "Weg"}, 1}, {{"copy", "Weg", "A", "--to", "/x"}, 2}}) {
    std::vector<std::string> line{"--data", data()};
    line.insert(line.end(), args.begin(), args.end());
    const CliRun r = run(line);
    EXPECT_EQ(r.status, status) << args[0];
    EXPECT_EQ(r.err, "Datenträger \"Weg\" ist nicht erfaßt.\n") << args[0];
  }
}

}  // namespace
}  // namespace diskindex::cli
