#pragma once
// The settings of DISKINDX.INI: every key with its default and the limits
// applied when reading, and the list sections (categories, search texts,
// editors, the volumes chosen for the multi-volume search). Reading and
// writing go through platform::IniFile, so keys the program does not know are
// kept. Limits that depend on the screen take its size as a parameter.
//
// It does not decide where the file lives (see platform/settings_location.h)
// nor apply anything to windows.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {
class IniFile;
}

namespace diskindex {

struct ScreenSize {
  int width = 1024;
  int height = 768;
};

// One screen of the desktop by the name the window system gives it, with its
// place on the desktop. The main window's position is stored relative to the
// screen it was on (WIN_SCREEN), so that it comes back there; a screen that
// is gone leaves the window on the primary screen.
struct ScreenArea {
  std::string name;
  int x = 0, y = 0, width = 0, height = 0;
};

// Font styles as a set: bold 1, italic 2, underline 4, strike-out 8.
struct FontSetting {
  std::string name;
  int size = 10;
  int style = 0;
  bool operator==(const FontSetting&) const = default;
};

// Where the settings take their environment-dependent defaults from.
struct SettingsEnvironment {
  std::filesystem::path dataHome;  // $XDG_DATA_HOME or ~/.local/share
  std::filesystem::path tempDir;   // the system temporary directory
  std::string defaultEditor;       // first editor found on PATH, else "xdg-open"
  char firstCdRomDrive = 0;        // 0 when the system has none
  ScreenSize screen;                // the primary screen
  std::vector<ScreenArea> screens;  // every screen; empty when only the primary is known

  // The running system's values (environment variables, PATH, drive table).
  static SettingsEnvironment fromSystem(ScreenSize screen);
};

struct DiskIndexSettings {
  // [Inits]
  // The position counts from the top left of screen winScreen (empty: the
  // primary screen). Without stored size the window takes two thirds of the
  // screen, centred.
  int winX = 10, winY = 10, winW = 620, winH = 460;
  int winMax = 0;         // 1: the window was maximised
  std::string winScreen;  // the screen the window was on, "" when that is gone
  int swinX = -1, swinY = -1, swinW = -1, swinH = -1;
  int swinS = 140, swinS1 = 240, swinS2 = 60;
  int splitX = 180, splitYL = 50, splitYR = 50;
  int w1 = 120, w2 = 80, w3 = 140;
  int fileSort = 0;     // the file list's key: 0 file order, 1 name, 2 extension, 3 size, 4 date
  int fileSortRev = 0;  // 1: that order reversed
  char drive = 'C';      // A..Z
  int bgnd = 1;          // 1 grey background, 0 system window colour
  int memos = 3;         // bit 0 directory remark field, bit 1 file remark field
  int sortFree = 0;      // 1: the overview lists the volumes with most free space first
  std::string dataPath;  // always ends with "/"
  std::string copyPath;  // always ends with "/"
  std::string exptPath;
  std::string editPath;
  std::string category;  // overview filter, at most 50 characters
  int expSDir = 0, expPath = 0, expApnd = 0, expType = 0, expFAll = 0;
  std::string expCSep = "\t";
  std::string expFlds;
  // [Fonts]
  FontSetting fontF{"MS Sans Serif", 10, 0};  // volume list and information
  FontSetting fontL{"MS Sans Serif", 10, 0};  // directory tree and file list
  FontSetting fontM{"MS Sans Serif", 8, 0};   // remark fields
  FontSetting fontS{"MS Sans Serif", 8, 0};   // search results
  FontSetting fontP{"Courier", 15, 0};        // printing (no style key)
  // [Search]
  int searchWhere = 3;  // bit 0 file names, bit 1 directory names, bit 2 remarks
  int searchWords = 0, searchCase = 0, searchFrom = 0;
  // MODE: 0 the original syntax, 1 wildcards for every character, 2 regular
  // expression (anything else reads as 0). The filters: MINSIZE and MAXSIZE
  // in bytes, AFTER and BEFORE as YYYY-MM-DD, TYPE 0 all entries, 1 files
  // only, 2 directories only; an unreadable value reads as no filter.
  int searchMode = 0;
  std::string searchMinSize, searchMaxSize, searchAfter, searchBefore;
  int searchType = 0;
  // List sections
  std::vector<std::string> categories;   // [Categories] CAT1..
  std::vector<std::string> searchTexts;  // [SearchTexts] STR1.., most recent first
  std::vector<std::string> editors;      // [Editors] EDT1.., no duplicates
  // Volumes chosen for the multi-volume search, by the number of their data
  // file ([SearchFiles] F1..). [SearchCDs] G1.. held list positions, which
  // name other volumes once volumes are added; it is still read when
  // [SearchFiles] is empty, and erased once the choice is written back.
  std::vector<std::int32_t> searchVolumeFiles;
  std::vector<int> searchVolumes;  // [SearchCDs] G1.., list positions (old files)

  bool showDirRemarks() const { return (memos & 1) != 0; }
  bool showFileRemarks() const { return (memos & 2) != 0; }
};

// Defaults of every key for this environment (no file read).
DiskIndexSettings defaultSettings(const SettingsEnvironment& env);
// Reads every key with its default and limit.
DiskIndexSettings readSettings(const platform::IniFile& ini, const SettingsEnvironment& env);
// Writes every key back (list sections erased and renumbered; "<keine
// Zuordnung>" is never written as a category). Does not flush the file.
void writeSettings(platform::IniFile& ini, const DiskIndexSettings& settings);

// "/" separators and a trailing "/" (empty stays empty).
std::string withTrailingSlash(std::string path);

// [SearchCDs] values: positions as four upper-case hex digits, at most 25 per
// value; reading takes every complete group of four hex digits.
std::vector<std::string> encodeSearchVolumes(const std::vector<int>& positions);
std::vector<int> decodeSearchVolumes(const std::vector<std::string>& values);
// [SearchFiles] values: data file numbers as six decimal digits separated by
// ",", at most 14 per value; reading takes every number of 1..999999.
std::vector<std::string> encodeSearchFiles(const std::vector<std::int32_t>& numbers);
std::vector<std::int32_t> decodeSearchFiles(const std::vector<std::string>& values);

}  // namespace diskindex
