#include "platform/program_start.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

namespace platform {
namespace {

namespace fs = std::filesystem;

class ProgramStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    m_dir = fs::temp_directory_path() / ("start_test_" + std::to_string(rd()));
    fs::create_directories(m_dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }

  // A script that writes its working directory, arguments and open
  // descriptors to "out" next to itself.
  fs::path writeRecorder(const std::string& name) {
    const fs::path script = m_dir / name;
    std::ofstream(script) << "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                             "{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; ls /proc/$$/fd; } > '"
                          << (m_dir / "out.tmp").string() << "'\nmv '"
                          << (m_dir / "out.tmp").string() << "' '" << (m_dir / "out").string()
                          << "'\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
  }

  // The started program runs on its own; wait for its output (bounded).
  std::string awaitOutput() {
    const fs::path out = m_dir / "out";
    for (int i = 0; i < 500 && !fs::exists(out); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream in(out);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path m_dir;
};

TEST_F(ProgramStartTest, PassesArgumentsUnquotedAndStartsInTheGivenDirectory) {
  const fs::path script = writeRecorder("rec.sh");
  fs::create_directories(m_dir / "work dir");
  ASSERT_EQ(startProgram(script, {"two words", "$HOME", "'q'", ""}, m_dir / "work dir"),
            StartResult::Ok);
  const std::string out = awaitOutput();
  EXPECT_NE(out.find((m_dir / "work dir").string() + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("[two words]\n[$HOME]\n['q']\n[]\n"), std::string::npos) << out;
}

TEST_F(ProgramStartTest, DescriptorsOfTheCallerDoNotLeakIntoTheProgram) {
  const fs::path script = writeRecorder("rec.sh");
  const int leaky = open("/dev/null", O_RDONLY);  // deliberately without O_CLOEXEC
  ASSERT_GE(leaky, 3);
  ASSERT_EQ(startProgram(script, {}), StartResult::Ok);
  const std::string out = awaitOutput();
  close(leaky);
  // The shell itself holds 0, 1 (redirected), 2 and maybe its script; never ours.
  EXPECT_EQ(out.find("\n" + std::to_string(leaky) + "\n"), std::string::npos) << out;
}

TEST_F(ProgramStartTest, FailuresAreReportedByKind) {
  EXPECT_EQ(startProgram(m_dir / "missing", {}), StartResult::NotFound);
  EXPECT_EQ(startProgram("no-such-program-anywhere-4711", {}), StartResult::NotFound);
  EXPECT_EQ(startProgram("", {}), StartResult::NotFound);
  const fs::path script = writeRecorder("rec.sh");
  EXPECT_EQ(startProgram(script, {}, m_dir / "no such dir"), StartResult::NotFound);
  const fs::path plain = m_dir / "plain.txt";
  std::ofstream(plain) << "not a program\n";
  fs::permissions(plain, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(startProgram(plain, {}), StartResult::NotExecutable);  // even root needs an x bit
  EXPECT_EQ(startProgram(m_dir, {}), StartResult::NotExecutable);

  // Bare names: found on PATH but not executable, or found nowhere even
  // though PATH holds a directory that cannot be searched.
  const char* oldPath = std::getenv("PATH");
  const std::string saved = oldPath ? oldPath : "";
  setenv("PATH", ("/nonexistent/dir::" + m_dir.string()).c_str(), 1);
  const StartResult bareNotExecutable = startProgram("plain.txt", {});
  const StartResult bareFound = startProgram("rec.sh", {});
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(bareNotExecutable, StartResult::NotExecutable);
  EXPECT_EQ(bareFound, StartResult::Ok);
  EXPECT_FALSE(awaitOutput().empty());  // and let it finish before cleaning up
}

TEST_F(ProgramStartTest, DocumentsOpenWithTheDesktopOpener) {
  // A stand-in xdg-open first on PATH records what it was asked to open.
  writeRecorder("xdg-open");
  const char* oldPath = std::getenv("PATH");
  const std::string saved = oldPath ? oldPath : "";
  setenv("PATH", (m_dir.string() + ":" + saved).c_str(), 1);
  const fs::path document = m_dir / "Brief an Anna.txt";
  std::ofstream(document) << "Hallo\n";
  const StartResult opened = openDocument(document);
  const StartResult missing = openDocument(m_dir / "gone.txt");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(opened, StartResult::Ok);
  EXPECT_NE(awaitOutput().find("[" + document.string() + "]"), std::string::npos);
  EXPECT_EQ(missing, StartResult::NotFound);
}

}  // namespace
}  // namespace platform
