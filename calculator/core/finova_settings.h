#pragma once
// FINOVA.INI, section FINOVA: the calculator's settings with their defaults,
// and the stack (R0..R3 = X, Y, Z, T), the 29 registers (M0..M28), last x
// (LSTX) and the cash-flow counts (NJ0..NJ19) that survive from one run to
// the next. A file written by an older version without the newer keys reads
// with their defaults. Values are read with the private-profile
// rules of platform::IniFile and written back with integers in decimal and
// numbers as "%.14E". It does not decide where the file lives.

#include <array>
#include <filesystem>
#include <string>

#include "calculator/core/engine_registers.h"
#include "calculator/core/number_format.h"
#include "platform/ini_file.h"

namespace finova {

class CalcEngine;

// A window position remembered between runs; not stored until the window
// has been shown once.
struct StoredPosition {
  bool stored = false;
  int x = 0;
  int y = 0;
};

struct FinovaSettings {
  static constexpr int kEnglishSeparators = 10135;
  static constexpr int kEuropeanSeparators = 10136;
  static constexpr std::size_t kMaxTapeFile = 255;

  bool endMode = true;                          // END
  bool dateOrderMDY = true;                     // MDY
  bool compoundOddPeriod = false;               // ODDPERIOD
  int separator = kEnglishSeparators;           // SEPARATOR
  int decimals = 2;                             // DECPT
  int horiz = 640;                              // HORIZ
  int vert = 480;                               // VERT
  bool positionStored = false;                  // HORIZ and VERT were in the file
  bool tapeVisible = false;                     // TSTATUS
  int tapeHoriz = 8;                            // THORIZ
  int tapeVert = 40;                            // TVERT
  std::string tapeFile;                         // TAPEFILE
  int append = 0;                               // APPEND (8: File Exit writes the tape)
  int onTop = 0;                                // ONTOP (8: windows stay on top)
  std::array<double, 4> stack{};                // R0..R3: X, Y, Z, T
  std::array<double, reg::kCount> registers{};  // M0..M28
  double lastX = 0.0;                           // LSTX
  std::array<std::int32_t, reg::kCashFlowCount> cashFlowCounts{
      1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};  // NJ0..NJ19
  bool fullProgramJournal = false;  // PGMJOURNAL: every step of a running program on the tape
  StoredPosition registersWindow;   // RHORIZ, RVERT
  StoredPosition memoryWindow;      // MHORIZ, MVERT
  StoredPosition commentsWindow;    // CHORIZ, CVERT
  StoredPosition helpWindow;        // HHORIZ, HVERT

  SeparatorStyle separatorStyle() const {
    return separator == kEuropeanSeparators ? SeparatorStyle::European : SeparatorStyle::English;
  }
};

inline constexpr const char* kFinovaSection = "FINOVA";

FinovaSettings readSettings(const platform::IniFile& ini);
void writeSettings(platform::IniFile& ini, const FinovaSettings& settings);
// The largest magnitude stored: the display shows every value beyond 1e99 as
// 9.999999999999 E+99, and this is the largest value whose "%.14E" text
// ("9.99999999999999E+99") reads back as it was written.
inline constexpr double kLargestStoredNumber = 9.99999999999999e99;
// What a value is stored as: infinities and values beyond the largest stored
// magnitude as that magnitude with their sign, a value that is not a number
// as 0, every other value unchanged.
double storableNumber(double value);
// "%.14E" of the storable value, the form the stack and registers are stored
// in.
std::string formatStoredNumber(double value);

// FINOVA.INI beside the executable when it is there and writable, else in
// $XDG_CONFIG_HOME/finova/.
std::filesystem::path finovaSettingsPath();
// The settings of a file (defaults when it is missing or unreadable).
FinovaSettings loadSettingsFile(const std::filesystem::path& path);
// Writes the settings into the file, keeping whatever else it holds (a file
// that could not be read is replaced). False when the file cannot be
// written.
bool saveSettingsFile(const std::filesystem::path& path, const FinovaSettings& settings);

// Copies the flags, display settings, stack, registers, last x and
// cash-flow counts into the engine,
// and back; a number being keyed in is captured as X. Without `withChoices`
// only the numbers move: the flags, decimals, separators and journalling
// stay as they are on the other side.
void applySettings(const FinovaSettings& settings, CalcEngine& engine, bool withChoices = true);
void captureSettings(const CalcEngine& engine, FinovaSettings& settings, bool withChoices = true);

}  // namespace finova
