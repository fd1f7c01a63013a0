// The kept player record: where it lives, that it is read and written
// whole, that an unreadable one is never written over, and the saved game
// the close asks about.
#include "arcade/game/record_keeper.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "arcade/game/saved_game.h"
#include "platform/settings_location.h"

namespace arcade {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RecordKeeperTest : public ::testing::Test {
 protected:
  ~RecordKeeperTest() override { fs::remove_all(folder); }
  fs::path folder = fs::temp_directory_path() / ("vortexia_keeper_" + std::to_string(::getpid()));
  fs::path file = folder / "data" / "vortexia" / "player.vtx";
};

TEST(KeptRecordPath, DataHomeOrTheHomesLocalShare) {
  platform::LocationEnvironment env;
  env.home = "/home/pat";
  env.xdgDataHome = "/srv/data";
  EXPECT_EQ(KeptRecordPath(env), fs::path("/srv/data/vortexia/player.vtx"));
  env.xdgDataHome.clear();
  EXPECT_EQ(KeptRecordPath(env), fs::path("/home/pat/.local/share/vortexia/player.vtx"));
}

TEST_F(RecordKeeperTest, NoRecordYetThenWrittenWholeInANewFolder) {
  CRecordKeeper keeper;
  PlayerRecord record;
  record.playerName = "Nobody yet";
  EXPECT_EQ(keeper.Keep(file, record), "");
  EXPECT_EQ(record.playerName, "Nobody yet") << "nothing read";
  record.highestLevel = 4;
  record.bestResult[3] = {2500, 77};
  EXPECT_EQ(keeper.Write(record), "");
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 1044u);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(file.parent_path())) ++entries;
  EXPECT_EQ(entries, 1) << "no temporary file left beside it";
  PlayerRecord read;
  CRecordKeeper again;
  EXPECT_EQ(again.Keep(file, read), "");
  EXPECT_EQ(read, record);
}

TEST_F(RecordKeeperTest, UnreadableRecordIsSaidOnceAndLeftAsItIs) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << std::string(1043, 'x');
  CRecordKeeper keeper;
  PlayerRecord record;
  const std::string said = keeper.Keep(file, record);
  EXPECT_EQ(said, "Could not read the player record '" + file.string() +
                      "'! The game starts with a new record and leaves that file as it is.");
  EXPECT_TRUE(keeper.LeftAlone());
  EXPECT_EQ(record, PlayerRecord{});
  record.highestLevel = 9;
  EXPECT_EQ(keeper.Write(record), "") << "said once, at start";
  EXPECT_EQ(ReadAll(file), std::string(1043, 'x'));
}

TEST_F(RecordKeeperTest, FailedWriteIsSaidAndTheOldRecordStays) {
  CRecordKeeper keeper;
  PlayerRecord record;
  ASSERT_EQ(keeper.Keep(file, record), "");
  ASSERT_EQ(keeper.Write(record), "");
  const std::string old = ReadAll(file);
  // A folder in the temporary file's way cannot be created as a file; a
  // read-only folder would not stop root, so the blocked name is used.
  CRecordKeeper blocked;
  const fs::path inFile = file / "player.vtx";  // its folder is a file
  ASSERT_EQ(blocked.Keep(inFile, record), "");
  EXPECT_EQ(blocked.Write(record), "Could not write the player record '" + inFile.string() + "'!");
  EXPECT_EQ(ReadAll(file), old);
}

TEST_F(RecordKeeperTest, SavedGameCountsAsChangedOnlyOnceOpenedAndDifferent) {
  CRecordKeeper keeper;
  PlayerRecord record;
  EXPECT_FALSE(keeper.SavedGameChanged(record)) << "no saved game open";
  record.shading = 1;
  EXPECT_FALSE(keeper.SavedGameChanged(record));
  keeper.SavedGameIs(folder / "game.vtx", record);
  EXPECT_FALSE(keeper.SavedGameChanged(record));
  record.lastResult[0] = {100, -1};
  EXPECT_TRUE(keeper.SavedGameChanged(record));
  EXPECT_EQ(keeper.SavedGame(), folder / "game.vtx");
}

}  // namespace
}  // namespace arcade
