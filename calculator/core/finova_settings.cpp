#include "calculator/core/finova_settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calculator/core/calc_engine.h"
#include "platform/settings_location.h"

namespace finova {
namespace {

double readNumber(const platform::IniFile& ini, const std::string& key) {
  const std::string text = ini.readString(kFinovaSection, key, "0");
  // Out of range reads as the largest stored value with its sign.
  return storableNumber(std::strtod(text.c_str(), nullptr));
}

bool readFlag(const platform::IniFile& ini, const char* key, bool fallback) {
  return ini.readInt(kFinovaSection, key, fallback ? 1 : 0) != 0;
}

StoredPosition readPosition(const platform::IniFile& ini, const char* prefix) {
  const std::string horiz = std::string(prefix) + "HORIZ";
  const std::string vert = std::string(prefix) + "VERT";
  StoredPosition p;
  p.stored = ini.hasKey(kFinovaSection, horiz) && ini.hasKey(kFinovaSection, vert);
  p.x = ini.readInt(kFinovaSection, horiz, 0);
  p.y = ini.readInt(kFinovaSection, vert, 0);
  return p;
}

void writePosition(platform::IniFile& ini, const char* prefix, const StoredPosition& p) {
  if (!p.stored) return;
  ini.writeInt(kFinovaSection, std::string(prefix) + "HORIZ", p.x);
  ini.writeInt(kFinovaSection, std::string(prefix) + "VERT", p.y);
}

}  // namespace

double storableNumber(double value) {
  if (std::isnan(value)) return 0.0;
  if (value > kLargestStoredNumber) return kLargestStoredNumber;
  if (value < -kLargestStoredNumber) return -kLargestStoredNumber;
  return value;
}

std::string formatStoredNumber(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.14E", storableNumber(value));
  return text;
}

FinovaSettings readSettings(const platform::IniFile& ini) {
  FinovaSettings s;
  s.endMode = readFlag(ini, "END", true);
  s.dateOrderMDY = readFlag(ini, "MDY", true);
  s.compoundOddPeriod = readFlag(ini, "ODDPERIOD", false);
  s.separator = ini.readInt(kFinovaSection, "SEPARATOR", FinovaSettings::kEnglishSeparators);
  const int decimals = ini.readInt(kFinovaSection, "DECPT", 2);
  s.decimals = decimals < 0 || decimals > 9 ? 2 : decimals;
  s.horiz = ini.readInt(kFinovaSection, "HORIZ", 640);
  s.vert = ini.readInt(kFinovaSection, "VERT", 480);
  // Without a stored position the window opens centred instead of at the
  // default corner, which need not leave room for it on a small screen.
  s.positionStored = ini.hasKey(kFinovaSection, "HORIZ") && ini.hasKey(kFinovaSection, "VERT");
  s.tapeVisible = readFlag(ini, "TSTATUS", false);
  s.tapeHoriz = ini.readInt(kFinovaSection, "THORIZ", 8);
  s.tapeVert = ini.readInt(kFinovaSection, "TVERT", 40);
  s.tapeFile =
      ini.readString(kFinovaSection, "TAPEFILE", "").substr(0, FinovaSettings::kMaxTapeFile);
  s.append = ini.readInt(kFinovaSection, "APPEND", 0);
  s.onTop = ini.readInt(kFinovaSection, "ONTOP", 0);
  for (std::size_t k = 0; k < s.stack.size(); ++k) {
    s.stack[k] = readNumber(ini, "R" + std::to_string(k));
  }
  for (std::size_t k = 0; k < s.registers.size(); ++k) {
    s.registers[k] = readNumber(ini, "M" + std::to_string(k));
  }
  s.lastX = readNumber(ini, "LSTX");
  for (std::size_t k = 0; k < s.cashFlowCounts.size(); ++k) {
    // A count is a whole number below 100, as NJ accepts it.
    const int count = ini.readInt(kFinovaSection, "NJ" + std::to_string(k), 1);
    s.cashFlowCounts[k] = count < 0 || count >= 100 ? 1 : count;
  }
  s.fullProgramJournal = readFlag(ini, "PGMJOURNAL", false);
  s.registersWindow = readPosition(ini, "R");
  s.memoryWindow = readPosition(ini, "M");
  s.commentsWindow = readPosition(ini, "C");
  s.helpWindow = readPosition(ini, "H");
  return s;
}

void writeSettings(platform::IniFile& ini, const FinovaSettings& s) {
  const char* section = kFinovaSection;
  ini.writeInt(section, "END", s.endMode ? 1 : 0);
  ini.writeInt(section, "MDY", s.dateOrderMDY ? 1 : 0);
  ini.writeInt(section, "ODDPERIOD", s.compoundOddPeriod ? 1 : 0);
  ini.writeInt(section, "SEPARATOR", s.separator);
  ini.writeInt(section, "DECPT", s.decimals);
  ini.writeInt(section, "HORIZ", s.horiz);
  ini.writeInt(section, "VERT", s.vert);
  ini.writeInt(section, "TSTATUS", s.tapeVisible ? 1 : 0);
  ini.writeInt(section, "THORIZ", s.tapeHoriz);
  ini.writeInt(section, "TVERT", s.tapeVert);
  ini.writeString(section, "TAPEFILE", s.tapeFile);
  ini.writeInt(section, "APPEND", s.append);
  ini.writeInt(section, "ONTOP", s.onTop);
  for (std::size_t k = 0; k < s.stack.size(); ++k) {
    ini.writeString(section, "R" + std::to_string(k), formatStoredNumber(s.stack[k]));
  }
  for (std::size_t k = 0; k < s.registers.size(); ++k) {
    ini.writeString(section, "M" + std::to_string(k), formatStoredNumber(s.registers[k]));
  }
  ini.writeString(section, "LSTX", formatStoredNumber(s.lastX));
  for (std::size_t k = 0; k < s.cashFlowCounts.size(); ++k) {
    ini.writeInt(section, "NJ" + std::to_string(k), s.cashFlowCounts[k]);
  }
  ini.writeInt(section, "PGMJOURNAL", s.fullProgramJournal ? 1 : 0);
  writePosition(ini, "R", s.registersWindow);
  writePosition(ini, "M", s.memoryWindow);
  writePosition(ini, "C", s.commentsWindow);
  writePosition(ini, "H", s.helpWindow);
}

std::filesystem::path finovaSettingsPath() {
  return platform::settingsFilePath("finova", "FINOVA.INI");
}

FinovaSettings loadSettingsFile(const std::filesystem::path& path) {
  return readSettings(platform::IniFile(path));
}

bool saveSettingsFile(const std::filesystem::path& path, const FinovaSettings& settings) {
  platform::IniFile ini(path);
  writeSettings(ini, settings);
  return ini.flush();
}

void applySettings(const FinovaSettings& s, CalcEngine& engine, bool withChoices) {
  EngineRegisters& r = engine.registers();
  r.X = s.stack[0];
  r.Y = s.stack[1];
  r.Z = s.stack[2];
  r.T = s.stack[3];
  r.working = r.X;
  r.R = s.registers;
  r.LSTX = s.lastX;
  r.Nj = s.cashFlowCounts;
  if (!withChoices) return;
  r.endMode = s.endMode;
  r.dateOrderMDY = s.dateOrderMDY;
  r.compoundOddPeriod = s.compoundOddPeriod;
  engine.setDecimals(s.decimals);
  engine.setSeparatorStyle(s.separatorStyle());
  engine.setFullProgramJournal(s.fullProgramJournal);
}

void captureSettings(const CalcEngine& engine, FinovaSettings& s, bool withChoices) {
  const EngineRegisters& r = engine.registers();
  // A number still being keyed in is what X shows, so it is what is kept.
  double x = r.X;
  if (engine.entry().entryActive()) {
    EntryBuffer entry = engine.entry();
    x = entry.Parse();
  }
  s.stack = {x, r.Y, r.Z, r.T};
  s.registers = r.R;
  s.lastX = r.LSTX;
  s.cashFlowCounts = r.Nj;
  if (!withChoices) return;
  s.endMode = r.endMode;
  s.dateOrderMDY = r.dateOrderMDY;
  s.compoundOddPeriod = r.compoundOddPeriod;
  s.fullProgramJournal = engine.fullProgramJournal();
  s.decimals = engine.decimals();
  s.separator = engine.separatorStyle() == SeparatorStyle::European
                    ? FinovaSettings::kEuropeanSeparators
                    : FinovaSettings::kEnglishSeparators;
}

}  // namespace finova
