#include "arcade/game/saved_game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace arcade {
namespace {

namespace fs = std::filesystem;

class FakeQuestions : public ISaveQuestions {
 public:
  explicit FakeQuestions(bool answer) : m_answer(answer) {}
  bool ConfirmOverwrite(std::string_view caption, std::string_view question) override {
    captions.emplace_back(caption);
    questions.emplace_back(question);
    return m_answer;
  }
  std::vector<std::string> captions;
  std::vector<std::string> questions;

 private:
  bool m_answer;
};

class SavedGameFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("vtx_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
  static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path m_dir;
};

PlayerRecord PlayedRecord() {
  PlayerRecord record;
  record.resolution = 0;
  record.shading = 1;
  record.speed = 3;
  record.highestLevel = 7;
  record.currentLevel = 4;
  record.playerName = "Jörg Müller";
  for (int i = 0; i < kRecordLevels; ++i) {
    record.lastResult[i] = {i * 1000 + 1, i % 3 == 0 ? -1 : i + 10};
    record.bestResult[i] = {-i * 77, i * 5};
  }
  return record;
}

std::vector<std::uint8_t> Bytes(const PlayerRecord& record) {
  const SavedGameBytes bytes = EncodeSavedGame(record);
  return {bytes.begin(), bytes.end()};
}

void PutInt(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<std::uint8_t>(std::uint32_t(value) >> (8 * i));
}

TEST(SavedGameLayout, FieldsSitAtTheirOffsetsLittleEndian) {
  PlayerRecord record;
  record.speed = 2;
  record.currentLevel = 4;
  record.bestResult[31] = {0x11223344, 0x55};
  const std::vector<std::uint8_t> bytes = Bytes(record);
  ASSERT_EQ(bytes.size(), 1044u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 12),
            (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(bytes[16], 4);
  EXPECT_EQ(std::string(bytes.begin() + 20, bytes.begin() + 29), std::string("Player 1\0", 9));
  // lastResult[0] = {0, -1} right after the name field.
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 532, bytes.begin() + 540),
            (std::vector<std::uint8_t>{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 1036, bytes.end()),
            (std::vector<std::uint8_t>{0x44, 0x33, 0x22, 0x11, 0x55, 0, 0, 0}));
}

TEST(SavedGameLayout, NameIsStoredInTheSingleByteCodePage) {
  PlayerRecord record;
  record.playerName = "Jörg";
  const std::vector<std::uint8_t> bytes = Bytes(record);
  EXPECT_EQ(std::string(bytes.begin() + 20, bytes.begin() + 25), std::string("J\xF6rg\0", 5));
  const auto back = DecodeSavedGame(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->playerName, "Jörg");
}

TEST(SavedGameReader, OutOfRangeLevelsAndOptionsAreClamped) {
  std::vector<std::uint8_t> bytes = Bytes(PlayerRecord{});
  PutInt(bytes, vtx::kHighestLevel, 32);
  PutInt(bytes, vtx::kCurrentLevel, -7);
  PutInt(bytes, vtx::kSpeed, 1000);
  auto record = DecodeSavedGame(bytes);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->highestLevel, 31);
  EXPECT_EQ(record->currentLevel, 0);
  EXPECT_EQ(record->speed, 3);
  PutInt(bytes, vtx::kHighestLevel, -1);
  PutInt(bytes, vtx::kCurrentLevel, 0x7FFFFFFF);
  record = DecodeSavedGame(bytes);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->highestLevel, 0);
  EXPECT_EQ(record->currentLevel, 31);
}

TEST(SavedGameReader, NameWithoutTerminatorEndsWithinItsField) {
  std::vector<std::uint8_t> bytes = Bytes(PlayerRecord{});
  for (std::size_t i = 0; i < 512; ++i) bytes[vtx::kPlayerName + i] = 'A';
  PutInt(bytes, vtx::kLastResult, 0x42424242);  // not part of the name
  const auto record = DecodeSavedGame(bytes);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->playerName, std::string(511, 'A'));
  EXPECT_EQ(record->lastResult[0].score, 0x42424242);
}

TEST(SavedGameReader, OnlyAWholeFileIsRead) {
  const std::vector<std::uint8_t> bytes = Bytes(PlayedRecord());
  for (std::size_t size : {0u, 1u, 20u, 531u, 1043u}) {
    EXPECT_FALSE(DecodeSavedGame(std::span(bytes.data(), size))) << size;
  }
  std::vector<std::uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(DecodeSavedGame(longer));
}

TEST_F(SavedGameFiles, SaveThenLoadRestoresEveryField) {
  const PlayerRecord saved = PlayedRecord();
  FakeQuestions questions(true);
  const SaveOutcome outcome = SaveSavedGame(PathOf("game.vtx"), saved, questions);
  EXPECT_EQ(outcome.status, SaveStatus::Saved);
  EXPECT_TRUE(questions.questions.empty());
  EXPECT_EQ(fs::file_size(PathOf("game.vtx")), 1044u);
  PlayerRecord loaded;
  EXPECT_EQ(LoadSavedGame(PathOf("game.vtx"), loaded), LoadStatus::Loaded);
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(DocumentTitle(loaded), "Level 5: Jörg Müller");
}

TEST_F(SavedGameFiles, ShortLongAndRandomFilesAreRefusedAndNothingChanges) {
  const PlayerRecord before = PlayedRecord();
  const std::vector<std::uint8_t> good = Bytes(PlayerRecord{});
  std::mt19937 random(17);
  std::vector<std::vector<std::uint8_t>> files = {
      {}, {good.begin(), good.begin() + 600}, {good.begin(), good.end() - 1}};
  files.push_back(good);
  files.back().push_back(0);
  files.emplace_back(5000, 0x41);
  for (std::size_t size : {3u, 777u, 2048u}) {
    std::vector<std::uint8_t> noise(size);
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    files.push_back(noise);
  }
  for (const auto& file : files) {
    WriteBytes(PathOf("bad.vtx"), file);
    PlayerRecord record = before;
    EXPECT_EQ(LoadSavedGame(PathOf("bad.vtx"), record), LoadStatus::NotASavedGame) << file.size();
    EXPECT_EQ(record, before) << file.size();
  }
  EXPECT_EQ(LoadMessage(LoadStatus::NotASavedGame), "The load file is not a Vortexia saved game!");
}

TEST_F(SavedGameFiles, MissingFileOrFolderCannotBeOpened) {
  PlayerRecord record = PlayedRecord();
  EXPECT_EQ(LoadSavedGame(PathOf("absent.vtx"), record), LoadStatus::CannotOpen);
  EXPECT_EQ(LoadSavedGame(m_dir, record), LoadStatus::CannotOpen);
  EXPECT_EQ(record, PlayedRecord());
  EXPECT_EQ(LoadMessage(LoadStatus::CannotOpen), "Could not open the load file!");
  EXPECT_EQ(kErrorCaption, "Vortexia Error");
}

TEST_F(SavedGameFiles, NewNameWithoutDotGetsTheExtension) {
  FakeQuestions questions(true);
  const SaveOutcome outcome = SaveSavedGame(PathOf("myname  "), PlayerRecord{}, questions);
  EXPECT_EQ(outcome.status, SaveStatus::Saved);
  EXPECT_EQ(outcome.fileName, PathOf("myname.vtx"));
  EXPECT_TRUE(fs::exists(PathOf("myname.vtx")));
}

TEST_F(SavedGameFiles, NameWithDotAnywhereIsUsedAsTyped) {
  fs::create_directories(m_dir / "saves.d");
  FakeQuestions questions(true);
  const SaveOutcome outcome = SaveSavedGame(PathOf("saves.d/game"), PlayerRecord{}, questions);
  EXPECT_EQ(outcome.status, SaveStatus::Saved);
  EXPECT_EQ(outcome.fileName, PathOf("saves.d/game"));
  EXPECT_EQ(WithSavedGameExtension("a.b/c"), "a.b/c");
  EXPECT_EQ(WithSavedGameExtension("/home/x/game "), "/home/x/game.vtx");
}

TEST_F(SavedGameFiles, ExistingFileIsReplacedOnlyAfterOk) {
  const std::vector<std::uint8_t> old(2000, 0x5A);
  WriteBytes(PathOf("old.vtx"), old);
  FakeQuestions no(false);
  EXPECT_EQ(SaveSavedGame(PathOf("old.vtx"), PlayedRecord(), no).status, SaveStatus::Cancelled);
  ASSERT_EQ(no.questions.size(), 1u);
  EXPECT_EQ(no.questions[0], "Do you wish to write over the file '" + PathOf("old.vtx") + "'?");
  EXPECT_EQ(no.captions[0], "Save File");
  EXPECT_EQ(ReadBytes(PathOf("old.vtx")), old);

  FakeQuestions yes(true);
  EXPECT_EQ(SaveSavedGame(PathOf("old.vtx"), PlayedRecord(), yes).status, SaveStatus::Saved);
  // The file is exactly one saved game afterwards, so it loads again.
  EXPECT_EQ(ReadBytes(PathOf("old.vtx")), Bytes(PlayedRecord()));
}

TEST_F(SavedGameFiles, AddedExtensionNamingAnExistingFileAsksFirst) {
  WriteBytes(PathOf("taken.vtx"), Bytes(PlayerRecord{}));
  FakeQuestions no(false);
  EXPECT_EQ(SaveSavedGame(PathOf("taken"), PlayedRecord(), no).status, SaveStatus::Cancelled);
  ASSERT_EQ(no.questions.size(), 1u);
  EXPECT_EQ(ReadBytes(PathOf("taken.vtx")), Bytes(PlayerRecord{}));
}

TEST_F(SavedGameFiles, UncreatableFileReportsTheSaveMessage) {
  FakeQuestions questions(true);
  const SaveOutcome outcome =
      SaveSavedGame(PathOf("no/such/folder/game.vtx"), PlayerRecord{}, questions);
  EXPECT_EQ(outcome.status, SaveStatus::CannotOpen);
  EXPECT_EQ(SaveMessage(outcome.status), "Could not open the save file!");
  EXPECT_TRUE(SaveMessage(SaveStatus::Cancelled).empty());
}

TEST(SaveDialog, OpensWithTheSharedNameOrThePlayerName) {
  PlayerRecord record;
  EXPECT_EQ(InitialSaveName("", record), "Player 1");
  EXPECT_EQ(InitialSaveName("/tmp/last.vtx", record), "/tmp/last.vtx");
}

TEST(SaveDialog, StartsInTheSavesFolderUnlessTheNameHasItsOwn) {
  const std::filesystem::path saves = "/home/a/.local/share/vortexia/saves/";
  EXPECT_EQ(DialogStartName("Player 1", saves), "/home/a/.local/share/vortexia/saves/Player 1");
  EXPECT_EQ(DialogStartName("", saves), "/home/a/.local/share/vortexia/saves/");
  EXPECT_EQ(DialogStartName("old/game.vtx", saves),
            "/home/a/.local/share/vortexia/saves/old/game.vtx");
  EXPECT_EQ(DialogStartName("/tmp/last.vtx", saves), "/tmp/last.vtx");
}

}  // namespace
}  // namespace arcade
