#include "diskindex/core/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <unordered_set>

#include "diskindex/core/category_list.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_header.h"
#include "diskindex/core/volume_list.h"
#include "platform/codepage.h"
#include "platform/drives.h"
#include "platform/ini_file.h"
#include "platform/settings_location.h"

namespace diskindex {
namespace {

constexpr const char* kInits = "Inits";
constexpr const char* kFonts = "Fonts";
constexpr const char* kSearch = "Search";

int inRangeOr(int value, int low, int high, int fallback) {
  return value < low || value > high ? fallback : value;
}

void readWindow(const platform::IniFile& ini, const SettingsEnvironment& env,
                DiskIndexSettings& s) {
  // The limits are those of the screen the window was on, when it is still
  // there; otherwise the window comes back on the primary screen.
  ScreenSize screen = env.screen;
  s.winScreen.clear();
  const std::string screenName = ini.readString(kInits, "WIN_SCREEN");
  for (const ScreenArea& area : env.screens) {
    if (screenName.empty() || area.name != screenName) continue;
    screen = {area.width, area.height};
    s.winScreen = screenName;
  }
  auto position = [&](const char* key, int limit) {
    const int v = ini.readInt(kInits, key, 10);
    return v < 0 ? 1 : (v > limit - 100 ? 10 : v);
  };
  s.winX = position("WIN_X", screen.width);
  s.winY = position("WIN_Y", screen.height);
  auto size = [&](const char* key, int fallback, int screenSize, int pos) {
    const int v = ini.readInt(kInits, key, fallback);
    return v < 0 ? screenSize / 2 : (v > screenSize ? screenSize - pos : v);
  };
  if (!ini.hasKey(kInits, "WIN_W") && !ini.hasKey(kInits, "WIN_H")) {
    // A first start: two thirds of the screen (never less than the classic
    // 620 x 460 where the screen has room), centred unless placed.
    auto third = [](int fallback, int screenSize) {
      return std::min(screenSize, std::max(fallback, (2 * screenSize + 2) / 3));
    };
    s.winW = third(620, screen.width);
    s.winH = third(460, screen.height);
    if (!ini.hasKey(kInits, "WIN_X")) s.winX = std::max(0, (screen.width - s.winW) / 2);
    if (!ini.hasKey(kInits, "WIN_Y")) s.winY = std::max(0, (screen.height - s.winH) / 2);
  } else {
    s.winW = size("WIN_W", 620, screen.width, s.winX);
    s.winH = size("WIN_H", 460, screen.height, s.winY);
  }
  s.winMax = ini.readInt(kInits, "WIN_MAX", 0) == 1 ? 1 : 0;
  // -1 means "never placed": the search results window chooses for itself.
  auto searchValue = [&](const char* key, int limit) {
    const int v = ini.readInt(kInits, key, -1);
    return v == -1 ? -1 : (v < 0 || v > limit ? 10 : v);
  };
  s.swinX = searchValue("SWIN_X", env.screen.width - 100);
  s.swinY = searchValue("SWIN_Y", env.screen.height - 100);
  s.swinW = searchValue("SWIN_W", env.screen.width);
  s.swinH = searchValue("SWIN_H", env.screen.height);
  auto column = [&](const char* key, int fallback) {
    const int v = ini.readInt(kInits, key, fallback);
    return v < 0 ? 0 : v;
  };
  s.swinS = column("SWIN_S", 140);
  s.swinS1 = column("SWIN_S1", 240);
  s.swinS2 = column("SWIN_S2", 60);
}

void readPanes(const platform::IniFile& ini, DiskIndexSettings& s) {
  const int splitX = ini.readInt(kInits, "SplitX", 180);
  s.splitX = splitX < 30 ? 30 : (splitX > s.winW - 40 ? 180 : splitX);
  auto splitY = [&](const char* key) {
    const int v = ini.readInt(kInits, key, 50);
    return v < 15 ? 15 : (v > s.winH - 120 ? 50 : v);
  };
  s.splitYL = splitY("SplitYL");
  s.splitYR = splitY("SplitYR");
  s.w1 = inRangeOr(ini.readInt(kInits, "W1", 120), 50, 1200, 120);
  s.w2 = inRangeOr(ini.readInt(kInits, "W2", 80), 30, 1200, 80);
  s.w3 = inRangeOr(ini.readInt(kInits, "W3", 140), 30, 1200, 140);
  s.fileSort = inRangeOr(ini.readInt(kInits, "FILE_SORT", 0), 0, 4, 0);
  s.fileSortRev = ini.readInt(kInits, "FILE_SORT_REV", 0) == 1 ? 1 : 0;
}

void readPaths(const platform::IniFile& ini, const SettingsEnvironment& env, DiskIndexSettings& s) {
  const std::string drive = ini.readString(kInits, "DRIVE");
  const char letter = drive.size() == 1 ? drive[0] : 0;
  s.drive =
      letter >= 'A' && letter <= 'Z' ? letter : (env.firstCdRomDrive ? env.firstCdRomDrive : 'C');
  s.bgnd = ini.readInt(kInits, "BGND", 1);
  s.memos = ini.readInt(kInits, "MEMOS", 3);
  s.sortFree = ini.readInt(kInits, "SORT_FREE", 0) == 1 ? 1 : 0;
  const DiskIndexSettings defaults = defaultSettings(env);
  s.dataPath = withTrailingSlash(ini.readString(kInits, "DATA_PATH", defaults.dataPath));
  s.copyPath = withTrailingSlash(ini.readString(kInits, "COPY_PATH", defaults.copyPath));
  if (s.copyPath.size() < 2) s.copyPath = defaults.copyPath;
  s.exptPath = ini.readString(kInits, "EXPT_PATH", s.copyPath + "CDEXPORT.LST");
  s.editPath = ini.readString(kInits, "EDIT_PATH", defaults.editPath);
  s.category = cutCategoryName(ini.readString(kInits, "CATEGORY"));
}

void readExport(const platform::IniFile& ini, DiskIndexSettings& s) {
  s.expSDir = ini.readInt(kInits, "ExpSDir", 0);
  s.expPath = ini.readInt(kInits, "ExpPath", 0);
  s.expApnd = ini.readInt(kInits, "ExpApnd", 0);
  s.expType = ini.readInt(kInits, "ExpType", 0);
  s.expFAll = ini.readInt(kInits, "ExpFAll", 0);
  // One character; a blank value (a TAB the file lost) means TAB.
  s.expCSep = ini.readString(kInits, "ExpCSep", "\t");
  if (s.expCSep.empty()) s.expCSep = "\t";
  s.expFlds = ini.readString(kInits, "ExpFlds");
}

// The texts are checked where they are parsed (the search parameters).
void readSearchFilters(const platform::IniFile& ini, DiskIndexSettings& s) {
  s.searchMode = ini.readInt(kSearch, "MODE", 0);
  if (s.searchMode < 0 || s.searchMode > 2) s.searchMode = 0;
  s.searchMinSize = ini.readString(kSearch, "MINSIZE");
  s.searchMaxSize = ini.readString(kSearch, "MAXSIZE");
  s.searchAfter = ini.readString(kSearch, "AFTER");
  s.searchBefore = ini.readString(kSearch, "BEFORE");
  s.searchType = ini.readInt(kSearch, "TYPE", 0);
  if (s.searchType < 0 || s.searchType > 2) s.searchType = 0;
}

FontSetting readFont(const platform::IniFile& ini, const char* suffix, const FontSetting& fallback,
                     bool limitSize) {
  const std::string letter(suffix);
  FontSetting font;
  font.name = ini.readString(kFonts, "NAME_" + letter, fallback.name);
  if (font.name.empty()) font.name = fallback.name;
  font.size = ini.readInt(kFonts, "SIZE_" + letter, fallback.size);
  if (limitSize) font.size = inRangeOr(font.size, 8, 14, fallback.size);
  font.style = limitSize ? ini.readInt(kFonts, "STYLE_" + letter, fallback.style) & 15 : 0;
  return font;
}

// Every key of the section in file order, whatever its name; empty values
// skipped.
std::vector<std::string> readList(const platform::IniFile& ini, const char* section) {
  std::vector<std::string> values;
  for (auto& [key, value] : ini.entries(section)) {
    if (!value.empty()) values.push_back(std::move(value));
  }
  return values;
}

void writeList(platform::IniFile& ini, const char* section, const char* prefix,
               const std::vector<std::string>& values) {
  ini.eraseSection(section);
  int number = 0;
  for (const std::string& value : values) {
    if (!value.empty()) ini.writeString(section, prefix + std::to_string(++number), value);
  }
}

void writeFont(platform::IniFile& ini, const char* suffix, const FontSetting& font, bool style) {
  const std::string letter(suffix);
  ini.writeString(kFonts, "NAME_" + letter, font.name);
  ini.writeInt(kFonts, "SIZE_" + letter, font.size);
  if (style) ini.writeInt(kFonts, "STYLE_" + letter, font.style);
}

}  // namespace

namespace {

std::string findEditor() {
  static constexpr const char* kEditors[] = {
      "gnome-text-editor", "gedit",  "kate", "kwrite", "mousepad", "xed", "pluma",
      "featherpad",        "leafpad"};
  const char* pathVariable = std::getenv("PATH");
  const std::string path = pathVariable ? pathVariable : "/usr/bin:/bin";
  for (const char* editor : kEditors) {
    std::size_t start = 0;
    while (start <= path.size()) {
      const std::size_t end = std::min(path.find(':', start), path.size());
      const std::filesystem::path candidate =
          std::filesystem::path(path.substr(start, end - start)) / editor;
      std::error_code error;
      if (end > start && std::filesystem::is_regular_file(candidate, error))
        return candidate.string();
      start = end + 1;
    }
  }
  return "xdg-open";
}

char firstCdRom() {
  const platform::DriveTable drives = platform::DriveTable::fromSystem();
  for (char letter : drives.letters()) {
    const auto info = drives.info(letter);
    if (info && info->type == platform::DriveType::CdRom) return letter;
  }
  return 0;
}

}  // namespace

SettingsEnvironment SettingsEnvironment::fromSystem(ScreenSize screen) {
  SettingsEnvironment env;
  // The platform names <data home>/diskindx/; the settings add the folder.
  env.dataHome = platform::dataDirectory("diskindx").parent_path().parent_path();
  std::error_code error;
  env.tempDir = std::filesystem::temp_directory_path(error);
  if (error) env.tempDir = "/tmp";
  env.defaultEditor = findEditor();
  env.firstCdRomDrive = firstCdRom();
  env.screen = screen;
  return env;
}

std::string withTrailingSlash(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

DiskIndexSettings defaultSettings(const SettingsEnvironment& env) {
  DiskIndexSettings s;
  s.drive = env.firstCdRomDrive ? env.firstCdRomDrive : 'C';
  s.dataPath = withTrailingSlash((env.dataHome / "diskindx").string());
  s.copyPath = withTrailingSlash(env.tempDir.string());
  if (s.copyPath.size() < 2) s.copyPath = "/tmp/";
  s.exptPath = s.copyPath + "CDEXPORT.LST";
  s.editPath = env.defaultEditor.empty() ? "xdg-open" : env.defaultEditor;
  return s;
}

DiskIndexSettings readSettings(const platform::IniFile& ini, const SettingsEnvironment& env) {
  DiskIndexSettings s = defaultSettings(env);
  readWindow(ini, env, s);
  readPanes(ini, s);
  readPaths(ini, env, s);
  readExport(ini, s);
  s.fontF = readFont(ini, "F", s.fontF, true);
  s.fontL = readFont(ini, "L", s.fontL, true);
  s.fontM = readFont(ini, "M", s.fontM, true);
  s.fontS = readFont(ini, "S", s.fontS, true);
  s.fontP = readFont(ini, "P", s.fontP, false);
  s.searchWhere = ini.readInt(kSearch, "WHERE", 3);
  s.searchWords = ini.readInt(kSearch, "WORDS", 0);
  s.searchCase = ini.readInt(kSearch, "CASE", 0);
  s.searchFrom = ini.readInt(kSearch, "FROM", 0);
  readSearchFilters(ini, s);
  // A category longer than the header field could never be filed.
  for (std::string& name : readList(ini, "Categories")) {
    s.categories.push_back(cutCategoryName(name));
  }
  s.searchTexts = readList(ini, "SearchTexts");
  std::unordered_set<std::string> knownEditors;
  for (std::string& editor : readList(ini, "Editors")) {
    if (knownEditors.insert(editor).second) s.editors.push_back(std::move(editor));
  }
  s.searchVolumeFiles = decodeSearchFiles(readList(ini, "SearchFiles"));
  if (s.searchVolumeFiles.empty()) s.searchVolumes = decodeSearchVolumes(readList(ini, "SearchCDs"));
  return s;
}

void writeSettings(platform::IniFile& ini, const DiskIndexSettings& s) {
  const std::pair<const char*, int> numbers[] = {{"WIN_X", s.winX},
                                                 {"WIN_Y", s.winY},
                                                 {"WIN_W", s.winW},
                                                 {"WIN_H", s.winH},
                                                 {"WIN_MAX", s.winMax},
                                                 {"SWIN_X", s.swinX},
                                                 {"SWIN_Y", s.swinY},
                                                 {"SWIN_W", s.swinW},
                                                 {"SWIN_H", s.swinH},
                                                 {"SWIN_S", s.swinS},
                                                 {"SWIN_S1", s.swinS1},
                                                 {"SWIN_S2", s.swinS2},
                                                 {"SplitX", s.splitX},
                                                 {"SplitYL", s.splitYL},
                                                 {"SplitYR", s.splitYR},
                                                 {"W1", s.w1},
                                                 {"W2", s.w2},
                                                 {"W3", s.w3},
                                                 {"FILE_SORT", s.fileSort},
                                                 {"FILE_SORT_REV", s.fileSortRev},
                                                 {"BGND", s.bgnd},
                                                 {"MEMOS", s.memos},
                                                 {"ExpSDir", s.expSDir},
                                                 {"ExpPath", s.expPath},
                                                 {"ExpApnd", s.expApnd},
                                                 {"ExpType", s.expType},
                                                 {"ExpFAll", s.expFAll},
                                                 {"SORT_FREE", s.sortFree}};
  for (const auto& [key, value] : numbers) ini.writeInt(kInits, key, value);
  ini.writeString(kInits, "WIN_SCREEN", s.winScreen);
  ini.writeString(kInits, "DRIVE", std::string(1, s.drive));
  ini.writeString(kInits, "DATA_PATH", s.dataPath);
  ini.writeString(kInits, "COPY_PATH", s.copyPath);
  ini.writeString(kInits, "EXPT_PATH", s.exptPath);
  ini.writeString(kInits, "EDIT_PATH", s.editPath);
  ini.writeString(kInits, "CATEGORY", s.category);
  // Quoted so that a blank or TAB separator survives the trimming of values.
  ini.writeString(kInits, "ExpCSep", "\"" + s.expCSep + "\"");
  ini.writeString(kInits, "ExpFlds", s.expFlds);
  writeFont(ini, "F", s.fontF, true);
  writeFont(ini, "L", s.fontL, true);
  writeFont(ini, "M", s.fontM, true);
  writeFont(ini, "S", s.fontS, true);
  writeFont(ini, "P", s.fontP, false);
  ini.writeInt(kSearch, "WHERE", s.searchWhere);
  ini.writeInt(kSearch, "WORDS", s.searchWords);
  ini.writeInt(kSearch, "CASE", s.searchCase);
  ini.writeInt(kSearch, "FROM", s.searchFrom);
  ini.writeInt(kSearch, "MODE", s.searchMode);
  ini.writeString(kSearch, "MINSIZE", s.searchMinSize);
  ini.writeString(kSearch, "MAXSIZE", s.searchMaxSize);
  ini.writeString(kSearch, "AFTER", s.searchAfter);
  ini.writeString(kSearch, "BEFORE", s.searchBefore);
  ini.writeInt(kSearch, "TYPE", s.searchType);
  std::vector<std::string> categories;
  for (const std::string& c : s.categories) {
    if (c != messages::kNoCategory && c != messages::kAllCategories) categories.push_back(c);
  }
  writeList(ini, "Categories", "CAT", categories);
  writeList(ini, "SearchTexts", "STR", s.searchTexts);
  writeList(ini, "Editors", "EDT", s.editors);
  writeList(ini, "SearchCDs", "G", encodeSearchVolumes(s.searchVolumes));
  writeList(ini, "SearchFiles", "F", encodeSearchFiles(s.searchVolumeFiles));
}

std::vector<std::string> encodeSearchVolumes(const std::vector<int>& positions) {
  std::vector<std::string> values;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (i % 25 == 0) values.emplace_back();
    char group[8];
    std::snprintf(group, sizeof group, "%04X", static_cast<unsigned>(positions[i]) & 0xFFFFu);
    values.back() += group;
  }
  return values;
}

std::vector<int> decodeSearchVolumes(const std::vector<std::string>& values) {
  std::vector<int> positions;
  for (const std::string& value : values) {
    for (std::size_t i = 0; i + 4 <= value.size(); i += 4) {
      int position = 0;
      bool valid = true;
      for (std::size_t j = i; j < i + 4 && valid; ++j) {
        const char c = value[j];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        valid = digit >= 0;
        position = position * 16 + digit;
      }
      if (valid) positions.push_back(position);
    }
  }
  return positions;
}

std::vector<std::string> encodeSearchFiles(const std::vector<std::int32_t>& numbers) {
  std::vector<std::string> values;
  std::size_t inValue = 0;
  for (const std::int32_t number : numbers) {
    if (number < 1 || number > kMaxVolumeFileNumber) continue;
    if (values.empty() || inValue == 14) {
      values.emplace_back();
      inValue = 0;
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", static_cast<int>(number));
    if (inValue++ > 0) values.back() += ',';
    values.back() += digits;
  }
  return values;
}

std::vector<std::int32_t> decodeSearchFiles(const std::vector<std::string>& values) {
  std::vector<std::int32_t> numbers;
  for (const std::string& value : values) {
    std::size_t start = 0;
    while (start <= value.size()) {
      const std::size_t end = std::min(value.find(',', start), value.size());
      std::int32_t number = 0;
      bool valid = end > start && end - start <= 6;
      for (std::size_t i = start; i < end && valid; ++i) {
        const char c = value[i];
        valid = c >= '0' && c <= '9';
        number = number * 10 + (c - '0');
      }
      if (valid && number >= 1) numbers.push_back(number);
      start = end + 1;
    }
  }
  return numbers;
}

}  // namespace diskindex
