// The drox program as a process: SIGTERM, SIGINT and SIGHUP end it the way
// closing its window does, with exit status 0.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace {

class DroxProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "drox_process_test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  }

  void TearDown() override {
    if (process.state() != QProcess::NotRunning) {
      process.kill();
      process.waitForFinished(3000);
    }
  }

  // Starts drox and gives it time to show its window and run its loop.
  bool startDrox() {
    process.start(QStringLiteral(DROX_PROGRAM), {});
    if (!process.waitForStarted(5000)) return false;
    QTest::qWait(1500);
    return process.state() == QProcess::Running;
  }

  QProcess process;
};

TEST_F(DroxProcess, QuitSignalsEndItAsClosingTheWindowDoes) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    ASSERT_TRUE(startDrox()) << "signal " << signal;
    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), signal), 0);
    ASSERT_TRUE(process.waitForFinished(5000)) << "still running after signal " << signal;
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "killed by signal " << signal;
    EXPECT_EQ(process.exitCode(), 0) << "signal " << signal;
  }
}

}  // namespace
