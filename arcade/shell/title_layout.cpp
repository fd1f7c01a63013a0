#include "arcade/shell/title_layout.h"

#include <algorithm>
#include <array>

namespace arcade {

const char* TitleButtonText(TitleButton id) {
  switch (id) {
    case TitleButton::Help:
      return "?";
    case TitleButton::Next:
      return "Next >>";
    case TitleButton::Play:
      return "Play";
    case TitleButton::Back:
      return "<< Back";
    case TitleButton::Info:
      return "Info";
  }
  return "";
}

bool NextVisible(const PlayerRecord& record) {
  return record.currentLevel < record.highestLevel && record.currentLevel < kLastLevelIndex;
}

bool BackVisible(const PlayerRecord& record) {
  return record.currentLevel > 0;
}

std::vector<ButtonPlace> LayoutTitleButtons(int clientWidth, int clientHeight,
                                            const PlayerRecord& record) {
  const int b = std::max(8, clientHeight / 15);
  const int a = std::max(48, clientWidth / 7);
  const int top = clientHeight - b - b / 2;
  std::vector<ButtonPlace> places;
  places.push_back({TitleButton::Help, a / 5, top, a, b});
  // The rest line up leftwards from the right edge, each one step further.
  int x = clientWidth;
  auto place = [&](TitleButton id) {
    x -= a + a / 5;
    places.push_back({id, x, top, a, b});
  };
  if (NextVisible(record)) place(TitleButton::Next);
  place(TitleButton::Play);
  if (BackVisible(record)) place(TitleButton::Back);
  place(TitleButton::Info);
  return places;
}

namespace {

// The four value rows of the score table for one result.
std::array<std::string, 4> ScoreColumn(const LevelResult& result, int level) {
  return {FormatTime(result.seconds), FormatNumber(result.score),
          FormatNumber(TimeBonus(result, level)), FormatNumber(TotalScore(result, level))};
}

void LayoutScoreTable(TitleScreen& screen, int W, int H, int y, const PlayerRecord& record) {
  const int cx = W / 2;
  const int fifth = W / 5;
  const int fifteenth = fifth / 3;
  const int labelX = cx - fifth + fifteenth;
  const int lastX = cx + fifteenth;
  const int bestX = cx + fifth + fifteenth;
  const int r = H / 15;
  const int height = H / 16;
  auto cell = [&](std::string text, int x, int row, TitleColour colour) {
    screen.texts.push_back(
        {std::move(text), x, y + row * r, height, 500, false, colour, TitleAlign::Right});
  };
  cell("Last:", lastX, 1, TitleColour::Yellow);
  cell("Best:", bestX, 1, TitleColour::Yellow);
  const int level = std::clamp(record.currentLevel, 0, kLastLevelIndex);
  const std::array<const char*, 4> labels = {"Time:", "Score:", "Time Bonus:", "Total Score:"};
  const auto last = ScoreColumn(record.lastResult[level], level);
  const auto best = ScoreColumn(record.bestResult[level], level);
  for (int i = 0; i < 4; ++i) {
    cell(labels[i], labelX, i + 2, TitleColour::Yellow);
    cell(last[i], lastX, i + 2, TitleColour::Green);
    cell(best[i], bestX, i + 2, TitleColour::Green);
  }
}

}  // namespace

TitleScreen LayoutTitleScreen(int W, int H, const PlayerRecord& record) {
  TitleScreen screen;
  const int cx = W / 2;
  auto text = [&](std::string s, int y, int height, int weight, bool italic, TitleColour colour) {
    screen.texts.push_back(
        {std::move(s), cx, y, height, weight, italic, colour, TitleAlign::Centre});
  };
  const TitleRule rule{cx - W / 6, cx + W / 6, 0};
  int y = 2 * H / 14;
  text("Vortexia", y, H / 7, 750, false, TitleColour::Yellow);
  y += H / 20;
  text(kTitleCredit, y, H / 27, 350, true, TitleColour::Yellow);
  y += H / 40;
  screen.rules.push_back({rule.x1, rule.x2, y});
  y += H / 14;
  text("Level " + std::to_string(std::int64_t{record.currentLevel} + 1), y, H / 15, 500, false,
       TitleColour::Yellow);
  y += H / 14;
  text(record.playerName, y, H / 15, 500, false, TitleColour::Green);
  y += H / 30;
  screen.rules.push_back({rule.x1, rule.x2, y});
  y += H / 13;
  text("Scores:", y, H / 14, 750, true, TitleColour::Yellow);
  LayoutScoreTable(screen, W, H, y, record);
  return screen;
}

}  // namespace arcade
