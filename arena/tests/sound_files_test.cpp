#include "arena/core/sound_files.h"

#include <gtest/gtest.h>

#include <fstream>

namespace arena {
namespace {

namespace fs = std::filesystem;

class SoundFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() /
             ("drox_sounds_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_root);
    fs::create_directories(m_root / "cwd");
    fs::create_directories(m_root / "prefix" / "bin");
    fs::create_directories(m_root / "prefix" / "share" / "drox");
  }
  void TearDown() override { fs::remove_all(m_root); }
  void touch(const fs::path& path) { std::ofstream(path) << "x"; }
  std::vector<fs::path> folders() {
    return soundFolders(m_root / "cwd", m_root / "prefix" / "bin");
  }

  fs::path m_root;
};

TEST_F(SoundFilesTest, CurrentFolderWinsThenBesideTheProgramThenTheDataFolder) {
  touch(m_root / "prefix" / "share" / "drox" / "FIRE.WAV");
  EXPECT_EQ(fs::weakly_canonical(locateSound("FIRE.WAV", folders())),
            fs::weakly_canonical(m_root / "prefix" / "share" / "drox" / "FIRE.WAV"));
  touch(m_root / "prefix" / "bin" / "FIRE.WAV");
  EXPECT_EQ(locateSound("FIRE.WAV", folders()), m_root / "prefix" / "bin" / "FIRE.WAV");
  touch(m_root / "cwd" / "FIRE.WAV");
  EXPECT_EQ(locateSound("FIRE.WAV", folders()), m_root / "cwd" / "FIRE.WAV");
}

TEST_F(SoundFilesTest, MissingFilesFoldersAndPathsFindNothing) {
  EXPECT_TRUE(locateSound("RED.WAV", folders()).empty());
  fs::create_directories(m_root / "cwd" / "RED.WAV");
  EXPECT_TRUE(locateSound("RED.WAV", folders()).empty()) << "a folder is not a sound";
  touch(m_root / "prefix" / "FIRE.WAV");
  EXPECT_TRUE(locateSound("../FIRE.WAV", {m_root / "prefix" / "bin"}).empty());
  EXPECT_TRUE(locateSound("", folders()).empty());
}

}  // namespace
}  // namespace arena
