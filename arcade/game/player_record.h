// The player record of the arcade game: the option settings, the current and
// highest level, the player's name and the last and best result of every
// level, with the scoring rules that read it (par times, time bonus, totals,
// the cumulative score) and the number and time formats the title screen and
// the Player Information dialog show. RecordLevelEnd is the end-of-level
// bookkeeping after the world's step reports a cleared or lost level.
//
// It does not save or load itself (see saved_game.h), draw anything or hold
// the run-time flags (paused, playing) that live beside it in the shell.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "arcade/world/world_types.h"

namespace arcade {

inline constexpr int kRecordLevels = 32;
inline constexpr int kLastLevelIndex = kRecordLevels - 1;
// The name field holds this many bytes, terminator included.
inline constexpr int kPlayerNameBytes = 512;
inline constexpr std::string_view kDefaultPlayerName = "Player 1";

// One attempt at a level; seconds -1 means not cleared (no time).
struct LevelResult {
  std::int32_t score = 0;
  std::int32_t seconds = -1;
  friend bool operator==(const LevelResult&, const LevelResult&) = default;
};

struct PlayerRecord {
  std::int32_t resolution = 1;  // 1 Normal (half size, doubled), 0 High
  std::int32_t shading = 0;     // 0 off, 1 on
  std::int32_t speed = 1;       // 0 Slow, 1 Average, 2 Fast, 3 Ultra Fast
  std::int32_t highestLevel = 0;
  std::int32_t currentLevel = 0;
  // UTF-8; at most 511 bytes once written in the file's code page.
  std::string playerName{kDefaultPlayerName};
  std::array<LevelResult, kRecordLevels> lastResult{};
  std::array<LevelResult, kRecordLevels> bestResult{};

  friend bool operator==(const PlayerRecord&, const PlayerRecord&) = default;
};

// Par seconds of each level index.
std::int32_t ParSeconds(int levelIndex);
// max(0, par - seconds) x 100; 0 for an attempt without a time.
std::int64_t TimeBonus(const LevelResult& result, int levelIndex);
// score + time bonus, in 64 bits so that no score read from a file overflows.
std::int64_t TotalScore(const LevelResult& result, int levelIndex);
// Sum of the best totals of levels 0..highestLevel (Player Information).
std::int64_t CumulativeScore(const PlayerRecord& record);
double SpeedFactor(std::int32_t speed);

// "0", "1,234,567", "-12,345".
std::string FormatNumber(std::int64_t value);
// "n/a" for a negative time, else minutes + "m " + seconds + "s" ("2m 5s").
std::string FormatTime(std::int32_t seconds);
// "Level " + (currentLevel + 1) + ": " + playerName.
std::string DocumentTitle(const PlayerRecord& record);

// Holds highestLevel and currentLevel in 0..31, speed in 0..3, and
// resolution and shading at 0 or 1 (any non-zero value counts as 1).
void ClampSettings(PlayerRecord& record);

// Cuts name to what the name field holds (511 bytes in the file's code page,
// never inside a character), e.g. for the Player Information dialog's OK.
std::string FitPlayerName(std::string_view name);

// What the level-end bookkeeping did, for the shell and the tests.
struct LevelEndReport {
  int levelIndex = 0;
  bool raisedHighest = false;
  bool newBest = false;
};

// The level in record.currentLevel ended with outcome (Cleared or Lost) after
// elapsedMs of play with the world's score: raises highestLevel when the
// highest level reached was cleared, stores the last result (seconds =
// elapsedMs / 1000 when cleared, else -1) and replaces the best result when
// the new total is strictly larger. Playing leaves the record as it is.
LevelEndReport RecordLevelEnd(PlayerRecord& record, StepResult outcome, std::int32_t worldScore,
                              std::int32_t elapsedMs);

}  // namespace arcade
