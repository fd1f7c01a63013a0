#include "diskindex/core/settings.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"

namespace diskindex {
namespace {

SettingsEnvironment environment(char cdRom = 'E') {
  SettingsEnvironment env;
  env.dataHome = "/home/anna/.local/share";
  env.tempDir = "/tmp";
  env.defaultEditor = "/usr/bin/gedit";
  env.firstCdRomDrive = cdRom;
  env.screen = ScreenSize{1280, 1024};
  return env;
}

DiskIndexSettings fromText(const std::string& text, char cdRom = 'E') {
  return readSettings(platform::IniFile::fromText(text), environment(cdRom));
}

TEST(Settings, FirstStartWithoutFileTakesTheDefaults) {
  const DiskIndexSettings s = fromText("");
  // Two thirds of the 1280 x 1024 screen, centred.
  EXPECT_EQ(s.winW, 854);
  EXPECT_EQ(s.winH, 683);
  EXPECT_EQ(s.winX, 213);
  EXPECT_EQ(s.winY, 170);
  EXPECT_EQ(s.winMax, 0);
  EXPECT_EQ(s.winScreen, "");
  EXPECT_EQ(s.fileSort, 0);
  EXPECT_EQ(s.fileSortRev, 0);
  EXPECT_EQ(s.swinX, -1);
  EXPECT_EQ(s.swinW, -1);
  EXPECT_EQ(s.splitX, 180);
  EXPECT_EQ(s.bgnd, 1);
  EXPECT_TRUE(s.showDirRemarks() && s.showFileRemarks());
  EXPECT_EQ(s.drive, 'E');
  EXPECT_EQ(fromText("", 0).drive, 'C');
  EXPECT_EQ(s.dataPath, "/home/anna/.local/share/diskindx/");
  EXPECT_EQ(s.copyPath, "/tmp/");
  EXPECT_EQ(s.exptPath, "/tmp/CDEXPORT.LST");
  EXPECT_EQ(s.editPath, "/usr/bin/gedit");
  EXPECT_EQ(s.expCSep, "\t");
  EXPECT_EQ(s.fontF, (FontSetting{"MS Sans Serif", 10, 0}));
  EXPECT_EQ(s.fontM, (FontSetting{"MS Sans Serif", 8, 0}));
  EXPECT_EQ(s.fontP, (FontSetting{"Courier", 15, 0}));
  EXPECT_EQ(s.searchWhere, 3);
  EXPECT_TRUE(s.categories.empty());
}

TEST(Settings, OutOfRangeValuesFallBackOrAreClamped) {
  const DiskIndexSettings s = fromText(
      "[Fonts]\nSIZE_F=20\nSIZE_L=7\nSIZE_M=14\nSIZE_P=40\n"
      "[Inits]\nWIN_W=620\nWIN_H=460\nSplitX=5\nSplitYL=10\nSplitYR=400\nW1=40\nW2=1300\nW3=30\n"
      "SWIN_X=-5\nSWIN_Y=2000\nSWIN_W=5000\nSWIN_H=300\nSWIN_S=-3\n");
  EXPECT_EQ(s.fontF.size, 10);
  EXPECT_EQ(s.fontL.size, 10);
  EXPECT_EQ(s.fontM.size, 14);
  EXPECT_EQ(s.fontP.size, 40);
  EXPECT_EQ(s.splitX, 30);
  EXPECT_EQ(s.splitYL, 15);
  EXPECT_EQ(s.splitYR, 50);  // above 460 - 120
  EXPECT_EQ(s.w1, 120);
  EXPECT_EQ(s.w2, 80);
  EXPECT_EQ(s.w3, 30);
  EXPECT_EQ(s.swinX, 10);
  EXPECT_EQ(s.swinY, 10);
  EXPECT_EQ(s.swinW, 10);
  EXPECT_EQ(s.swinH, 300);
  EXPECT_EQ(s.swinS, 0);
  EXPECT_EQ(fromText("[Inits]\nSORT_FREE=2\n").sortFree, 0);
  EXPECT_EQ(fromText("[Inits]\nSORT_FREE=1\n").sortFree, 1);
  EXPECT_EQ(fromText("[Inits]\nWIN_W=620\nSplitX=600\n").splitX, 180);  // above 620 - 40
  EXPECT_EQ(fromText("[Inits]\nFILE_SORT=5\n").fileSort, 0);
  EXPECT_EQ(fromText("[Inits]\nFILE_SORT=4\nFILE_SORT_REV=3\n").fileSortRev, 0);
  EXPECT_EQ(fromText("[Inits]\nWIN_W=1000\nSplitX=900\n").splitX, 900);
}

TEST(Settings, WindowGeometryFollowsTheScreen) {
  DiskIndexSettings s = fromText("[Inits]\nWIN_X=1200\nWIN_Y=-4\nWIN_W=1500\nWIN_H=-1\n");
  EXPECT_EQ(s.winX, 10);
  EXPECT_EQ(s.winY, 1);
  EXPECT_EQ(s.winW, 1270);
  EXPECT_EQ(s.winH, 512);
  s = fromText("[Inits]\nWIN_X=1180\nWIN_Y=924\n");
  EXPECT_EQ(s.winX, 1180);
  EXPECT_EQ(s.winY, 924);
}

TEST(Settings, FirstStartTakesTwoThirdsOfAnyScreenButNeverLessThanTheClassicSize) {
  SettingsEnvironment env = environment('E');
  env.screen = ScreenSize{800, 600};
  DiskIndexSettings s = readSettings(platform::IniFile::fromText(""), env);
  EXPECT_EQ(s.winW, 620);  // 533 would cut ordinary names
  EXPECT_EQ(s.winH, 460);
  EXPECT_EQ(s.winX, 90);
  EXPECT_EQ(s.winY, 70);
  env.screen = ScreenSize{3840, 2160};
  s = readSettings(platform::IniFile::fromText("[Inits]\nWIN_X=5\n"), env);
  EXPECT_GE(s.winW * 3, 3840 * 2);
  EXPECT_GE(s.winH * 3, 2160 * 2);
  EXPECT_EQ(s.winX, 5);  // a stored position stays
  EXPECT_EQ(s.winY, (2160 - s.winH) / 2);
  // A stored size is the user's: kept as it is.
  s = readSettings(platform::IniFile::fromText("[Inits]\nWIN_W=700\nWIN_H=500\n"), env);
  EXPECT_EQ(s.winW, 700);
  EXPECT_EQ(s.winH, 500);
  EXPECT_EQ(s.winX, 10);
}

TEST(Settings, WindowComesBackOnItsScreenOrOnThePrimaryWhenThatIsGone) {
  SettingsEnvironment env = environment('E');
  env.screen = ScreenSize{1280, 1024};
  env.screens = {{"HDMI-1", 0, 0, 1280, 1024}, {"DP-2", 1280, 0, 2560, 1440}};
  const std::string stored =
      "[Inits]\nWIN_SCREEN=DP-2\nWIN_X=1500\nWIN_Y=1100\nWIN_W=2000\nWIN_H=1200\nWIN_MAX=1\n";
  // The position counts from the second screen and its size sets the limits.
  DiskIndexSettings s = readSettings(platform::IniFile::fromText(stored), env);
  EXPECT_EQ(s.winScreen, "DP-2");
  EXPECT_EQ(s.winX, 1500);
  EXPECT_EQ(s.winY, 1100);
  EXPECT_EQ(s.winW, 2000);
  EXPECT_EQ(s.winH, 1200);
  EXPECT_EQ(s.winMax, 1);
  // Unplugged: the primary screen's limits bring the window back onto it.
  env.screens.pop_back();
  s = readSettings(platform::IniFile::fromText(stored), env);
  EXPECT_EQ(s.winScreen, "");
  EXPECT_EQ(s.winX, 10);
  EXPECT_EQ(s.winY, 10);
  EXPECT_EQ(s.winW, 1270);
  EXPECT_EQ(s.winH, 1014);
  EXPECT_EQ(s.winMax, 1);
  EXPECT_EQ(readSettings(platform::IniFile::fromText("[Inits]\nWIN_MAX=2\n"), env).winMax, 0);
}

TEST(Settings, PathsDriveAndCategoryAreNormalised) {
  const DiskIndexSettings s =
      fromText("[Inits]\nDATA_PATH=/srv/katalog\nCOPY_PATH=C:\\Temp\nDRIVE=1\nCATEGORY=" +
               std::string(60, 'k') + "\nExpCSep=\n");
  EXPECT_EQ(s.dataPath, "/srv/katalog/");
  EXPECT_EQ(s.copyPath, "C:/Temp/");
  EXPECT_EQ(s.exptPath, "C:/Temp/CDEXPORT.LST");
  EXPECT_EQ(s.drive, 'E');
  EXPECT_EQ(s.category, std::string(50, 'k'));
  EXPECT_EQ(s.expCSep, "\t");
  EXPECT_EQ(fromText("[Inits]\nDRIVE=G\n").drive, 'G');
}

TEST(Settings, ListSectionsReadEveryKeyInFileOrder) {
  const DiskIndexSettings s =
      fromText("[Categories]\nCAT2=Zweite\nfoo=Erste\nCAT9=\nCAT3=" + std::string(48, 'x') +
               "äö\n"
               "[Editors]\nEDT1=/usr/bin/kate\nEDT2=/usr/bin/vim\nEDT3=/usr/bin/kate\n"
               "[SearchCDs]\nG1=0001000AZZZZ00ff\nG2=12\n");
  // A category is cut to the 50 bytes its UTF-8 form may take in a header.
  EXPECT_EQ(s.categories,
            (std::vector<std::string>{"Zweite", "Erste", std::string(48, 'x') + "ä"}));
  EXPECT_EQ(s.editors, (std::vector<std::string>{"/usr/bin/kate", "/usr/bin/vim"}));
  EXPECT_EQ(s.searchVolumes, (std::vector<int>{1, 10, 255}));
}

TEST(Settings, WriteThenReadGivesTheSameSettings) {
  DiskIndexSettings s = fromText("");
  s.winX = 44;
  s.winW = 900;
  s.splitX = 250;
  s.memos = 1;
  s.sortFree = 1;
  s.winMax = 1;
  s.winScreen = "DP-2";
  s.fileSort = 3;
  s.fileSortRev = 1;
  s.category = "Spiele";
  s.expCSep = ";";
  s.expFlds = "1,3,2";
  s.fontL = FontSetting{"DejaVu Sans", 12, 3};
  s.searchWhere = 5;
  s.categories = {"Archiv", "<keine Zuordnung>", "Spiele"};
  s.searchTexts = {"*.txt", "foo"};
  s.editors = {"/usr/bin/kate"};
  for (int i = 0; i < 30; ++i) s.searchVolumes.push_back(i * 3);
  platform::IniFile ini =
      platform::IniFile::fromText("[Inits]\nOwnKey=kept\n[Categories]\nCAT7=alt\n");
  writeSettings(ini, s);
  const std::string text = ini.text();
  EXPECT_EQ(text.find("keine Zuordnung"), std::string::npos);
  EXPECT_EQ(text.find("alt"), std::string::npos);
  EXPECT_NE(text.find("OwnKey=kept"), std::string::npos);
  EXPECT_NE(text.find("CAT2=Spiele"), std::string::npos);

  const DiskIndexSettings back = readSettings(platform::IniFile::fromText(text), environment());
  EXPECT_EQ(back.winX, 44);
  EXPECT_EQ(back.winW, 900);
  EXPECT_EQ(back.splitX, 250);
  EXPECT_EQ(back.memos, 1);
  EXPECT_EQ(back.sortFree, 1);
  EXPECT_EQ(back.winMax, 1);
  EXPECT_NE(text.find("WIN_SCREEN=DP-2"), std::string::npos);
  EXPECT_EQ(back.fileSort, 3);
  EXPECT_EQ(back.fileSortRev, 1);
  EXPECT_EQ(back.category, "Spiele");
  EXPECT_EQ(back.expCSep, ";");
  EXPECT_EQ(back.expFlds, "1,3,2");
  EXPECT_EQ(back.fontL, s.fontL);
  EXPECT_EQ(back.searchWhere, 5);
  EXPECT_EQ(back.categories, (std::vector<std::string>{"Archiv", "Spiele"}));
  EXPECT_EQ(back.searchTexts, s.searchTexts);
  EXPECT_EQ(back.editors, s.editors);
  EXPECT_EQ(back.searchVolumes, s.searchVolumes);
  EXPECT_EQ(back.dataPath, s.dataPath);
  EXPECT_EQ(back.drive, s.drive);

  s.expCSep = "\t";
  writeSettings(ini, s);
  EXPECT_EQ(readSettings(platform::IniFile::fromText(ini.text()), environment()).expCSep, "\t");
}

TEST(Settings, SearchVolumesAreGroupsOfFourHexDigits) {
  std::vector<int> positions;
  for (int i = 0; i < 26; ++i) positions.push_back(i == 25 ? 0xABC : i);
  const auto values = encodeSearchVolumes(positions);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].size(), 100u);
  EXPECT_EQ(values[0].substr(0, 8), "00000001");
  EXPECT_EQ(values[1], "0ABC");
  EXPECT_EQ(decodeSearchVolumes(values), positions);
}

TEST(Settings, SearchChoiceByFileNumberWinsOverOldPositions) {
  std::vector<std::int32_t> numbers;
  for (int i = 1; i <= 15; ++i) numbers.push_back(i * 1000 + 7);
  numbers.push_back(999999);
  const auto values = encodeSearchFiles(numbers);
  ASSERT_EQ(values.size(), 2u) << "at most 14 numbers per value";
  EXPECT_EQ(values[0].substr(0, 14), "001007,002007,");
  EXPECT_EQ(values[1], "015007,999999");
  EXPECT_EQ(decodeSearchFiles(values), numbers);
  EXPECT_EQ(decodeSearchFiles({"000012,x1,,1234567,0,42"}), (std::vector<std::int32_t>{12, 42}))
      << "what is no file number is left out";

  const DiskIndexSettings both =
      fromText("[SearchCDs]\nG1=00010002\n[SearchFiles]\nF1=000017,000023\n");
  EXPECT_EQ(both.searchVolumeFiles, (std::vector<std::int32_t>{17, 23}));
  EXPECT_TRUE(both.searchVolumes.empty()) << "positions are read only from an old file";
  const DiskIndexSettings old = fromText("[SearchCDs]\nG1=00010002\n");
  EXPECT_EQ(old.searchVolumes, (std::vector<int>{1, 2}));
  EXPECT_TRUE(old.searchVolumeFiles.empty());
}

}  // namespace
}  // namespace diskindex
