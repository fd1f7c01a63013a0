// The sound files of the arena game, played by bare file name.
//
// The game queues these names in the game state while sound is on; the
// window plays them from beside the executable, and the sound generator
// writes exactly these files. A missing file is silent.
#pragma once

#include <array>
#include <string_view>

namespace arena::sound {

inline constexpr std::string_view kWinLevel = "WINLEVEL.WAV";
inline constexpr std::string_view kLoseLevel = "LOSLEVEL.WAV";
inline constexpr std::string_view kGameOver = "GAMEOVER.WAV";
inline constexpr std::string_view kHeroHit = "HEROHIT.WAV";
inline constexpr std::string_view kDroidHit = "DROIDHIT.WAV";
inline constexpr std::string_view kShield = "SHIELD.WAV";
inline constexpr std::string_view kDoubleGun = "DUBGUN.WAV";
inline constexpr std::string_view kFire = "FIRE.WAV";
inline constexpr std::string_view kRed = "RED.WAV";
inline constexpr std::string_view kGreen = "GREEN.WAV";
inline constexpr std::string_view kBlue = "BLUE.WAV";
inline constexpr std::string_view kYellow = "YELLOW.WAV";
inline constexpr std::string_view kWhite = "WHITE.WAV";

inline constexpr std::array kAll = {kWinLevel, kLoseLevel, kGameOver, kHeroHit, kDroidHit,
                                    kShield,   kDoubleGun, kFire,     kRed,     kGreen,
                                    kBlue,     kYellow,    kWhite};

}  // namespace arena::sound
