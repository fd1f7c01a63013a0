#include "platform/settings_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <random>

namespace platform {
namespace {

namespace fs = std::filesystem;

class SettingsLocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    m_root = fs::temp_directory_path() / ("location_test_" + std::to_string(rd()));
    fs::create_directories(m_root / "bin");
    env.executableDirectory = m_root / "bin";
    env.home = (m_root / "home").string();
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(m_root / "bin", fs::perms::owner_all, ec);
    fs::remove_all(m_root, ec);
  }

  LocationEnvironment env;
  fs::path m_root;
};

TEST_F(SettingsLocationTest, FileBesideTheExecutableWinsWhenItCanBeRewritten) {
  std::ofstream(m_root / "bin" / "DISKINDX.INI") << "[Inits]\n";
  EXPECT_EQ(settingsFilePath("diskindx", "DISKINDX.INI", env), m_root / "bin" / "DISKINDX.INI");
  EXPECT_FALSE(fs::exists(m_root / "home"));
}

TEST_F(SettingsLocationTest, ReadOnlyFileBesideTheExecutableIsPassedOver) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write anything";
  std::ofstream(m_root / "bin" / "FINOVA.INI") << "[FINOVA]\n";
  chmod((m_root / "bin" / "FINOVA.INI").c_str(), 0444);
  EXPECT_EQ(settingsFilePath("finova", "FINOVA.INI", env),
            m_root / "home" / ".config" / "finova" / "FINOVA.INI");
  fs::permissions(m_root / "bin" / "FINOVA.INI", fs::perms::owner_all);
  fs::permissions(m_root / "bin", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(settingsFilePath("finova", "FINOVA.INI", env),
            m_root / "home" / ".config" / "finova" / "FINOVA.INI");
}

TEST_F(SettingsLocationTest, OtherwiseTheConfigDirectoryIsUsedAndCreated) {
  const fs::path expected = m_root / "home" / ".config" / "diskindx" / "DISKINDX.INI";
  EXPECT_EQ(settingsFilePath("diskindx", "DISKINDX.INI", env), expected);
  EXPECT_TRUE(fs::is_directory(expected.parent_path()));
  EXPECT_FALSE(fs::exists(expected));  // the file itself is written by its owner

  env.xdgConfigHome = (m_root / "xdg").string();
  EXPECT_EQ(settingsFilePath("diskindx", "DISKINDX.INI", env),
            m_root / "xdg" / "diskindx" / "DISKINDX.INI");
  EXPECT_TRUE(fs::is_directory(m_root / "xdg" / "diskindx"));

  // A relative value does not count.
  env.xdgConfigHome = "relative/dir";
  EXPECT_EQ(settingsFilePath("diskindx", "DISKINDX.INI", env), expected);
}

TEST_F(SettingsLocationTest, DataDirectoryFollowsXdgDataHomeWithATrailingSlash) {
  EXPECT_EQ(dataDirectory("diskindx", env).string(),
            (m_root / "home" / ".local" / "share" / "diskindx").string() + "/");
  env.xdgDataHome = (m_root / "data").string();
  EXPECT_EQ(dataDirectory("diskindx", env).string(), (m_root / "data" / "diskindx").string() + "/");
  EXPECT_FALSE(fs::exists(m_root / "data"));
  EXPECT_TRUE(ensureDirectory(dataDirectory("diskindx", env)));
  // A relative value does not count here either.
  env.xdgDataHome = "relative/data";
  EXPECT_EQ(dataDirectory("diskindx", env).string(),
            (m_root / "home" / ".local" / "share" / "diskindx").string() + "/");
  EXPECT_TRUE(fs::is_directory(m_root / "data" / "diskindx"));
}

TEST(SettingsLocation, TheRunningProcessKnowsItsExecutableDirectory) {
  const fs::path dir = executableDirectory();
  EXPECT_TRUE(fs::is_directory(dir)) << dir;
  EXPECT_EQ(currentLocationEnvironment().executableDirectory, dir);
  EXPECT_FALSE(currentLocationEnvironment().home.empty());
}

}  // namespace
}  // namespace platform
