#include "arcade/game/player_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace arcade {
namespace {

TEST(TimeBonus, LostAttemptShowsNoTimeAndEarnsNoBonus) {
  const LevelResult lost{4200, -1};
  EXPECT_EQ(TimeBonus(lost, 0), 0);
  EXPECT_EQ(TotalScore(lost, 0), 4200);
  EXPECT_EQ(FormatTime(lost.seconds), "n/a");
  EXPECT_EQ(TimeBonus(LevelResult{10, -77}, 5), 0);
}

TEST(TimeBonus, PaysHundredPerSecondUnderParAndNeverGoesNegative) {
  // Level index 0 has a par of 120 seconds, index 5 of 300.
  EXPECT_EQ(TimeBonus(LevelResult{0, 100}, 0), 2000);
  EXPECT_EQ(TimeBonus(LevelResult{0, 0}, 5), 30000);
  EXPECT_EQ(TimeBonus(LevelResult{0, 120}, 0), 0);
  EXPECT_EQ(TimeBonus(LevelResult{0, 121}, 0), 0);
  EXPECT_EQ(TimeBonus(LevelResult{0, std::numeric_limits<std::int32_t>::max()}, 0), 0);
  EXPECT_EQ(TotalScore(LevelResult{500, 100}, 0), 2500);
}

TEST(TimeBonus, ParTimesFollowTheTableAndItsRepeatedGroup) {
  const int expected[] = {120, 120, 180, 240, 160, 300, 300, 180, 120, 100, 100, 100};
  for (int level = 0; level < 12; ++level) EXPECT_EQ(ParSeconds(level), expected[level]) << level;
  for (int level = 12; level < kRecordLevels; ++level) {
    EXPECT_EQ(ParSeconds(level), (level - 12) % 4 == 0 ? 120 : 100) << level;
  }
}

TEST(TimeBonus, HugeScoresDoNotOverflowTheTotal) {
  const LevelResult r{std::numeric_limits<std::int32_t>::max(), 0};
  EXPECT_EQ(TotalScore(r, 0), std::int64_t{std::numeric_limits<std::int32_t>::max()} + 12000);
}

TEST(Formats, NumbersGroupThousandsWithCommas) {
  EXPECT_EQ(FormatNumber(0), "0");
  EXPECT_EQ(FormatNumber(7), "7");
  EXPECT_EQ(FormatNumber(999), "999");
  EXPECT_EQ(FormatNumber(1000), "1,000");
  EXPECT_EQ(FormatNumber(100000), "100,000");
  EXPECT_EQ(FormatNumber(1234567), "1,234,567");
  EXPECT_EQ(FormatNumber(-1234), "-1,234");
  EXPECT_EQ(FormatNumber(-999), "-999");
  EXPECT_EQ(FormatNumber(std::numeric_limits<std::int64_t>::min()), "-9,223,372,036,854,775,808");
}

TEST(Formats, TimesAreMinutesAndSeconds) {
  EXPECT_EQ(FormatTime(125), "2m 5s");
  EXPECT_EQ(FormatTime(0), "0m 0s");
  EXPECT_EQ(FormatTime(59), "0m 59s");
  EXPECT_EQ(FormatTime(60), "1m 0s");
  EXPECT_EQ(FormatTime(3600), "60m 0s");
  EXPECT_EQ(FormatTime(-1), "n/a");
}

TEST(Formats, TitleNamesTheLevelFromOne) {
  PlayerRecord record;
  record.currentLevel = 2;
  EXPECT_EQ(DocumentTitle(record), "Level 3: Player 1");
}

TEST(PlayerRecord, DefaultsAreAverageSpeedNormalResolutionAndNoResults) {
  const PlayerRecord record;
  EXPECT_EQ(record.resolution, 1);
  EXPECT_EQ(record.shading, 0);
  EXPECT_EQ(record.speed, 1);
  EXPECT_EQ(record.playerName, "Player 1");
  for (const LevelResult& r : record.bestResult) EXPECT_EQ(r, (LevelResult{0, -1}));
  EXPECT_DOUBLE_EQ(SpeedFactor(0), 0.75);
  EXPECT_DOUBLE_EQ(SpeedFactor(1), 1.0);
  EXPECT_DOUBLE_EQ(SpeedFactor(2), 1.5);
  EXPECT_DOUBLE_EQ(SpeedFactor(3), 2.0);
}

TEST(LevelEnd, ClearingTheHighestLevelOpensTheNext) {
  PlayerRecord record;
  const LevelEndReport report = RecordLevelEnd(record, StepResult::Cleared, 900, 95999);
  EXPECT_TRUE(report.raisedHighest);
  EXPECT_EQ(record.highestLevel, 1);
  EXPECT_EQ(record.currentLevel, 0);
  EXPECT_EQ(record.lastResult[0], (LevelResult{900, 95}));  // whole seconds, rounded down
  EXPECT_EQ(record.bestResult[0], (LevelResult{900, 95}));
  EXPECT_TRUE(report.newBest);
}

TEST(LevelEnd, ClearingAnEarlierOrTheLastLevelKeepsHighest) {
  PlayerRecord record;
  record.highestLevel = 5;
  record.currentLevel = 2;
  EXPECT_FALSE(RecordLevelEnd(record, StepResult::Cleared, 1, 1000).raisedHighest);
  EXPECT_EQ(record.highestLevel, 5);
  record.highestLevel = record.currentLevel = 31;
  EXPECT_FALSE(RecordLevelEnd(record, StepResult::Cleared, 1, 1000).raisedHighest);
  EXPECT_EQ(record.highestLevel, 31);
}

TEST(LevelEnd, LostAttemptRecordsScoreWithoutTimeAndKeepsHighest) {
  PlayerRecord record;
  record.bestResult[0] = {300, 110};  // total 300 + 1000
  RecordLevelEnd(record, StepResult::Lost, 1200, 40000);
  EXPECT_EQ(record.highestLevel, 0);
  EXPECT_EQ(record.lastResult[0], (LevelResult{1200, -1}));
  EXPECT_EQ(record.bestResult[0], (LevelResult{300, 110}));
  RecordLevelEnd(record, StepResult::Lost, 1301, 40000);
  EXPECT_EQ(record.bestResult[0], (LevelResult{1301, -1}));
}

TEST(LevelEnd, EqualTotalKeepsTheBestAndHigherReplacesIt) {
  PlayerRecord record;
  record.bestResult[0] = {1000, 100};  // 1000 + 2000 bonus
  EXPECT_FALSE(RecordLevelEnd(record, StepResult::Cleared, 2000, 110000).newBest);  // 2000 + 1000
  EXPECT_EQ(record.bestResult[0], (LevelResult{1000, 100}));
  EXPECT_EQ(record.lastResult[0], (LevelResult{2000, 110}));
  EXPECT_TRUE(RecordLevelEnd(record, StepResult::Cleared, 2001, 110000).newBest);
  EXPECT_EQ(record.bestResult[0], (LevelResult{2001, 110}));
}

TEST(LevelEnd, StillPlayingChangesNothing) {
  PlayerRecord record;
  RecordLevelEnd(record, StepResult::Playing, 5000, 1000);
  EXPECT_EQ(record, PlayerRecord{});
}

TEST(LevelEnd, OutOfRangeLevelIsHeldWithinTheTables) {
  PlayerRecord record;
  record.currentLevel = 40;
  record.highestLevel = 40;
  const LevelEndReport report = RecordLevelEnd(record, StepResult::Cleared, 10, 1000);
  EXPECT_EQ(report.levelIndex, 31);
  EXPECT_EQ(record.lastResult[31], (LevelResult{10, 1}));
  EXPECT_FALSE(report.raisedHighest);
}

TEST(PlayerRecord, CumulativeScoreSumsBestTotalsUpToTheHighestLevel) {
  PlayerRecord record;
  record.highestLevel = 1;
  record.bestResult[0] = {1000, 100};  // 3000
  record.bestResult[1] = {500, -1};    // 500
  record.bestResult[2] = {9999, 0};    // beyond the highest level: not counted
  EXPECT_EQ(CumulativeScore(record), 3500);
  EXPECT_EQ(FormatNumber(CumulativeScore(record)), "3,500");
}

TEST(PlayerRecord, ClampHoldsLevelsAndOptionsInRange) {
  PlayerRecord record;
  record.highestLevel = 32;
  record.currentLevel = -1;
  record.speed = 9;
  record.resolution = 5;
  record.shading = -2;
  ClampSettings(record);
  EXPECT_EQ(record.highestLevel, 31);
  EXPECT_EQ(record.currentLevel, 0);
  EXPECT_EQ(record.speed, 3);
  EXPECT_EQ(record.resolution, 1);
  EXPECT_EQ(record.shading, 1);
}

TEST(PlayerName, LongNamesAreCutToTheFieldOnCharacterBoundaries) {
  EXPECT_EQ(FitPlayerName(std::string(600, 'a')), std::string(511, 'a'));
  EXPECT_EQ(FitPlayerName("Jörg"), "Jörg");
  // "ö" takes one byte in the file's code page: 511 of them fit.
  std::string umlauts;
  for (int i = 0; i < 600; ++i) umlauts += "ö";
  const std::string fitted = FitPlayerName(umlauts);
  EXPECT_EQ(fitted.size(), 511u * 2);
  // An arrow is not in that code page, so the name is kept as UTF-8 (3 bytes each).
  std::string arrows;
  for (int i = 0; i < 200; ++i) arrows += "→";
  EXPECT_EQ(FitPlayerName(arrows).size(), 170u * 3);
}

}  // namespace
}  // namespace arcade
