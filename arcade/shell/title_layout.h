// Where the title screen puts things for a client area of W x H pixels: the
// texts with their fonts and colours, the two rules, the score table, and
// the five buttons, which of them show and where. The window paints what
// this lays out and makes buttons at the places given; nothing here draws.
//
// Worked example of the button rule: W = 640, H = 480 gives buttons
// 91 x 32 with their tops at 432; "?" stands at x = 18 and the others, from
// the right edge, at 531, 422, 313 and 204 (each a + a / 5 = 109 further
// left, "Next >>" and "<< Back" only when they apply).
#pragma once

#include <string>
#include <vector>

#include "arcade/game/player_record.h"

namespace arcade {

enum class TitleButton { Help, Next, Play, Back, Info };

struct ButtonPlace {
  TitleButton id = TitleButton::Play;
  int x = 0, y = 0, width = 0, height = 0;
};

// The caption each button carries.
const char* TitleButtonText(TitleButton id);
// "Next >>" shows only below the highest level reached and below the last.
bool NextVisible(const PlayerRecord& record);
bool BackVisible(const PlayerRecord& record);
std::vector<ButtonPlace> LayoutTitleButtons(int clientWidth, int clientHeight,
                                            const PlayerRecord& record);

enum class TitleColour { Yellow, Green };
// Texts stand on their baseline at (x, y): centred on x or ending at x.
enum class TitleAlign { Centre, Right };

struct TitleText {
  std::string text;
  int x = 0, y = 0;
  int height = 0;  // font height in pixels
  int weight = 400;
  bool italic = false;
  TitleColour colour = TitleColour::Yellow;
  TitleAlign align = TitleAlign::Centre;
};

struct TitleRule {
  int x1 = 0, x2 = 0, y = 0;
};

struct TitleScreen {
  std::vector<TitleText> texts;
  std::vector<TitleRule> rules;  // drawn in yellow
};

inline constexpr const char* kTitleCredit = "A ball game in three dimensions";

TitleScreen LayoutTitleScreen(int clientWidth, int clientHeight, const PlayerRecord& record);

}  // namespace arcade
