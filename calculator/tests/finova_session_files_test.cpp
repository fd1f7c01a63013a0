// The session keeps everything across a restart and a kill, and never
// damages the files it is pointed at: settings with last x, cash-flow counts
// and the program file; the tape file written as lines are made; tape and
// program files that cannot be used are said and left alone.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "calculator/core/finova_session.h"
#include "calculator/core/key_table.h"
#include "calculator/tests/file_test_support.h"
#include "platform/ini_file.h"

namespace finova {
namespace {

using testing::readFile;
using testing::writeFile;

// Types keys given as mnemonics through the session, as the window does.
void press(FinovaSession& session, const std::string& keys) {
  std::istringstream tokens(keys);
  for (std::string token; tokens >> token;) {
    if (const auto code = keyFromMnemonic(token)) {
      session.run(*code, FinovaSession::kKeysPerTurn);
      continue;
    }
    for (char c : token) session.run(c == '.' ? key::kPoint : c - '0', FinovaSession::kKeysPerTurn);
  }
}

class SessionFilesTest : public ::testing::Test {
 protected:
  std::filesystem::path file(const std::string& name) const { return m_folder.file(name); }
  std::filesystem::path ini() const { return file("FINOVA.INI"); }

 private:
  testing::TempFolder m_folder{"finova_files"};
};

TEST_F(SessionFilesTest, CashFlowCountsLastXAndProgramMemorySurviveARestart) {
  double npvBefore = 0;
  {
    FinovaSession session(ini());
    session.start();
    press(session, "1000 CHS CF0 100 CFJ 5 NJ 800 CFJ 10 I NPV");
    npvBefore = session.engine().registers().X;
    press(session, "P/R 2 * P/R 21 SQRT");
    ASSERT_TRUE(session.finish());
  }
  EXPECT_TRUE(std::filesystem::exists(file("FINOVA.PGM")));
  FinovaSession session(ini());
  session.start();
  EXPECT_EQ(session.engine().registers().Nj[1], 5);
  EXPECT_EQ(session.engine().registers().LSTX, 21.0);
  EXPECT_EQ(session.engine().program().lineText(1), "001-  2");
  EXPECT_EQ(session.engine().program().lineText(2), "002-  *");
  press(session, "NPV");
  EXPECT_DOUBLE_EQ(session.engine().registers().X, npvBefore) << "the same flows after a restart";
}

TEST_F(SessionFilesTest, SettingsOfAnOlderVersionStillLoad) {
  writeFile(ini(), "[FINOVA]\nR0=4.20000000000000E+01\nM1=5\nDECPT=3\n");
  FinovaSession session(ini());
  session.start();
  EXPECT_EQ(session.engine().registers().X, 42.0);
  EXPECT_EQ(session.engine().registers().LSTX, 0.0);
  for (std::int32_t count : session.engine().registers().Nj) EXPECT_EQ(count, 1);
  EXPECT_EQ(session.engine().program().lineText(1), "001-  GTO 0 0 0");
  EXPECT_TRUE(session.takeNotices().empty());
}

TEST_F(SessionFilesTest, AProgramFileThatFailsToLoadIsSaidAndNeverOverwritten) {
  const std::string junk = "Dear John,\r\nthe rent is due on Monday.\r\n";
  writeFile(file("FINOVA.PGM"), junk);
  FinovaSession session(ini());
  session.start();
  const auto notices = session.takeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("Not a Finova program file."), std::string::npos) << notices[0];
  press(session, "P/R 1 + P/R");
  ASSERT_TRUE(session.finish());
  EXPECT_EQ(readFile(file("FINOVA.PGM")), junk);
}

TEST_F(SessionFilesTest, AnUnavailableTapeFileKeepsTapefileAndIsSaidOnce) {
  const auto wanted = file("unmounted") / "paper.tpf";
  writeFile(ini(), "[FINOVA]\nTAPEFILE=" + wanted.string() + "\n");
  FinovaSession session(ini());
  session.start();
  EXPECT_EQ(session.takeNotices(),
            std::vector<std::string>{"Tape file " + wanted.string() +
                                     " is not available; the tape is kept in memory until it is."});
  press(session, "1 ENTER 2 +");
  session.tick();
  EXPECT_TRUE(session.takeNotices().empty()) << "said once";
  ASSERT_TRUE(session.finish());
  EXPECT_EQ(platform::IniFile(ini()).readString("FINOVA", "TAPEFILE"), wanted.string());
}

TEST_F(SessionFilesTest, AnUnwritableSettingsFileIsReportedAndCanBeSavedElsewhere) {
  writeFile(file("blocker"), "a file, not a folder");
  FinovaSession session(file("blocker") / "FINOVA.INI");
  session.start();
  press(session, "12 ENTER");
  EXPECT_FALSE(session.finish());
  ASSERT_TRUE(session.saveSettingsTo(file("elsewhere.ini")));
  EXPECT_EQ(platform::IniFile(file("elsewhere.ini")).readString("FINOVA", "R0"),
            "1.20000000000000E+01");
}

TEST_F(SessionFilesTest, ARunningProgramJournalsItsStopsNotItsSteps) {
  FinovaSession session(ini());
  session.start();
  press(session, "P/R 1 + 1 + PSE 1 + R/S 5 + P/R 0 R/S");
  std::string tape;
  for (const TapeLine& line : session.tape().lines()) tape += line.fileText() + "|";
  // The typed R/S shows the program line and journals nothing.
  EXPECT_EQ(tape, " P/R| P/R| PSE|2.00 ###|");
  while (session.engine().program().paused()) session.run(key::kPauseTick, 100);
  tape.clear();
  for (const TapeLine& line : session.tape().lines()) tape += line.fileText() + "|";
  EXPECT_EQ(tape, " P/R| P/R| PSE|2.00 ###| R/S|3.00 ###|");
  press(session, "R/S");  // 5 + then the end of the program
  EXPECT_EQ(session.tape().lines().back(), (TapeLine{"8.00", "###"}));
  const std::size_t before = session.tape().size();
  session.engine().setFullProgramJournal(true);
  press(session, "0 R/S");  // from line 1 again, up to the pause
  std::string steps;
  for (std::size_t k = before; k < session.tape().size(); ++k) {
    steps += session.tape().lines()[k].fileText() + "|";
  }
  EXPECT_EQ(steps, "1.00 +|1.00 ###|1.00 +|2.00 ###| PSE|2.00 ###|") << "every step, fully";
}

TEST_F(SessionFilesTest, FullJournallingStaysWithinItsBudgetAMinute) {
  FinovaSession session(ini());
  session.start();
  std::int64_t now = 0;
  session.engine().journal().setClock([&now] { return now; });
  session.engine().setFullProgramJournal(true);
  press(session, "P/R 1 + GTO 0 0 1 P/R R/S");
  std::size_t bytes = 0;
  auto tapeBytes = [&session] {
    std::size_t total = 0;
    for (const TapeLine& line : session.tape().lines()) total += line.fileText().size() + 2;
    return total;
  };
  EXPECT_EQ(session.run(key::kNoKey, 400000), RunOutcome::LimitReached);
  bytes = tapeBytes();
  EXPECT_LE(bytes, TapeJournal::kProgramBytesPerMinute + 200);
  EXPECT_GT(bytes, TapeJournal::kProgramBytesPerMinute / 2);
  now += TapeJournal::kBudgetPeriodMs;
  session.run(key::kNoKey, 10);
  const std::string note = session.tape().lines()[session.tape().size() > 0 ? 0 : 0].text;
  bool noted = false;
  for (const TapeLine& line : session.tape().lines()) {
    noted = noted || line.text.rfind("[skipped ", 0) == 0;
  }
  EXPECT_TRUE(noted) << "the steps beyond the budget are counted on the tape";
  (void)note;
}

// The tape file after a child process that ran `work` was killed with
// SIGKILL once `ready` holds of the file (or after `wait`).
template <typename Work, typename Ready>
std::string tapeAfterKill(const std::filesystem::path& ini, const std::filesystem::path& tapeFile,
                          Work work, Ready ready, std::chrono::milliseconds wait) {
  writeFile(ini, "[FINOVA]\nTAPEFILE=" + tapeFile.string() + "\n");
  const pid_t child = ::fork();
  if (child == 0) {
    FinovaSession session(ini);
    session.start();
    work(session);
    for (;;) ::pause();
  }
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (std::chrono::steady_clock::now() < deadline && !ready(readFile(tapeFile))) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  return readFile(tapeFile);
}

TEST_F(SessionFilesTest, TapeLinesReachTheFileAsTheyAreMadeThoughTheProcessIsKilled) {
  const std::string typed = tapeAfterKill(
      ini(), file("typed.tpf"), [](FinovaSession& s) { press(s, "100 ENTER 50 +"); },
      [](const std::string& text) { return text.find("150.00 ###") != std::string::npos; },
      std::chrono::seconds(5));
  EXPECT_EQ(typed, "100.00 ENTER\r\n50.00 +\r\n150.00 ###\r\n");

  // A program that never stops: its lines reach the file within a second.
  const std::string running = tapeAfterKill(
      ini(), file("running.tpf"),
      [](FinovaSession& s) {
        s.engine().setFullProgramJournal(true);
        press(s, "P/R 1 + GTO 0 0 1 P/R R/S");
        for (;;) s.run(key::kNoKey, FinovaSession::kKeysPerTurn);
      },
      [](const std::string& text) { return text.size() > 1000; }, std::chrono::seconds(3));
  EXPECT_GT(running.size(), 1000u) << "written while the program ran";
  EXPECT_LE(running.size(), TapeJournal::kProgramBytesPerMinute + 1000);
  EXPECT_EQ(running.substr(0, 11), " P/R\r\n P/R\r");
}

TEST_F(SessionFilesTest, RunStopsAtTheKeyLimitOrWhenTheProgramEnds) {
  FinovaSession session(ini());
  session.start();
  press(session, "P/R 1 + GTO 0 0 1 P/R");
  EXPECT_EQ(session.run(key::kRS, 5000), RunOutcome::LimitReached);
  EXPECT_TRUE(session.engine().running());
  EXPECT_EQ(session.run(key::kRS, 5000), RunOutcome::Stopped);
  press(session, "P/R C_PGM 2 PSE 3 P/R");
  EXPECT_EQ(session.run(key::kRS, 5000), RunOutcome::Paused);
  EXPECT_EQ(session.run(key::kNoKey, 5000, true), RunOutcome::Stopped) << "pauses ticked away";
  EXPECT_EQ(session.engine().registers().X, 3.0);
}

}  // namespace
}  // namespace finova
