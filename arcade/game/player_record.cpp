#include "arcade/game/player_record.h"

#include <algorithm>
#include <cstdlib>

#include "arcade/game/player_name.h"

namespace arcade {

namespace {

// Levels 12..31 repeat the group 120, 100, 100, 100.
constexpr std::array<std::int32_t, kRecordLevels> kParSeconds = {
    120, 120, 180, 240, 160, 300, 300, 180, 120, 100, 100, 100, 120, 100, 100, 100,
    120, 100, 100, 100, 120, 100, 100, 100, 120, 100, 100, 100, 120, 100, 100, 100,
};

constexpr std::array<double, 4> kSpeedFactors = {0.75, 1.0, 1.5, 2.0};

std::int32_t ClampLevel(std::int32_t level) {
  return std::clamp(level, 0, kLastLevelIndex);
}

}  // namespace

std::int32_t ParSeconds(int levelIndex) {
  return kParSeconds[ClampLevel(levelIndex)];
}

std::int64_t TimeBonus(const LevelResult& result, int levelIndex) {
  if (result.seconds < 0) return 0;
  return std::max<std::int64_t>(0, ParSeconds(levelIndex) - std::int64_t{result.seconds}) * 100;
}

std::int64_t TotalScore(const LevelResult& result, int levelIndex) {
  return std::int64_t{result.score} + TimeBonus(result, levelIndex);
}

std::int64_t CumulativeScore(const PlayerRecord& record) {
  std::int64_t sum = 0;
  for (int level = 0; level <= ClampLevel(record.highestLevel); ++level) {
    sum += TotalScore(record.bestResult[level], level);
  }
  return sum;
}

double SpeedFactor(std::int32_t speed) {
  return kSpeedFactors[std::clamp<std::int32_t>(speed, 0, kSpeedFactors.size() - 1)];
}

std::string FormatNumber(std::int64_t value) {
  // Work on the magnitude as unsigned so that the most negative value works.
  const bool negative = value < 0;
  std::uint64_t magnitude =
      negative ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : std::uint64_t(value);
  std::string reversed;
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) reversed.push_back(',');
    reversed.push_back(static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
    ++digits;
  } while (magnitude != 0);
  if (negative) reversed.push_back('-');
  return {reversed.rbegin(), reversed.rend()};
}

std::string FormatTime(std::int32_t seconds) {
  if (seconds < 0) return "n/a";
  return std::to_string(seconds / 60) + "m " + std::to_string(seconds % 60) + "s";
}

std::string DocumentTitle(const PlayerRecord& record) {
  return "Level " + std::to_string(std::int64_t{record.currentLevel} + 1) + ": " +
         record.playerName;
}

void ClampSettings(PlayerRecord& record) {
  record.highestLevel = ClampLevel(record.highestLevel);
  record.currentLevel = ClampLevel(record.currentLevel);
  record.speed = std::clamp(record.speed, 0, 3);
  record.resolution = record.resolution != 0 ? 1 : 0;
  record.shading = record.shading != 0 ? 1 : 0;
}

std::string FitPlayerName(std::string_view name) {
  std::string fitted(name);
  // Drop whole characters from the end until the stored form fits; at most
  // a few rounds, since each character takes one to four stored bytes.
  if (fitted.size() > 4 * kPlayerNameBytes) fitted.resize(4 * kPlayerNameBytes);
  while (PlayerNameToFile(fitted).size() > kPlayerNameBytes - 1) {
    std::size_t cut = fitted.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(fitted[cut]) & 0xC0) == 0x80) --cut;
    fitted.resize(cut);
  }
  return fitted;
}

LevelEndReport RecordLevelEnd(PlayerRecord& record, StepResult outcome, std::int32_t worldScore,
                              std::int32_t elapsedMs) {
  // The level index read before anything changes (the record may come from a
  // file, so it is held within the tables first).
  const int level = ClampLevel(record.currentLevel);
  LevelEndReport report{level, false, false};
  if (outcome == StepResult::Playing) return report;
  const bool cleared = outcome == StepResult::Cleared;
  if (cleared && level == record.highestLevel && record.highestLevel < kLastLevelIndex) {
    ++record.highestLevel;
    report.raisedHighest = true;
  }
  LevelResult& last = record.lastResult[level];
  last.score = worldScore;
  last.seconds = cleared ? std::max<std::int32_t>(0, elapsedMs) / 1000 : -1;
  if (TotalScore(last, level) > TotalScore(record.bestResult[level], level)) {
    record.bestResult[level] = last;
    report.newBest = true;
  }
  return report;
}

}  // namespace arcade
