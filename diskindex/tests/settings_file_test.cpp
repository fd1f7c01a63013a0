#include "diskindex/core/settings_file.h"

#include <gtest/gtest.h>

#include "diskindex/core/file_io.h"
#include "diskindex/tests/test_files.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& text) {
  test::writeAll(file, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string readText(const fs::path& file) {
  const auto bytes = test::readAll(file);
  return std::string(bytes.begin(), bytes.end());
}

class SettingsFile : public ::testing::Test {
 protected:
  test::TempDir m_tmp;
  fs::path m_file = m_tmp / "DISKINDX.INI";
  SettingsEnvironment m_env;
};

TEST_F(SettingsFile, KeysAnotherProgramChangedMeanwhileAreKept) {
  writeText(m_file, "[Inits]\nWIN_X=10\nWIN_Y=20\nCATEGORY=\n[Drives]\nE=/media/cd\n");
  const DiskIndexSettings loaded = loadSettingsFile(m_file, m_env).settings;
  // Another program writes its own window place, a category filter and a
  // key of its own while this one runs.
  writeText(m_file,
            "[Inits]\nWIN_X=10\nWIN_Y=99\nCATEGORY=Spiele\n[Drives]\nE=/media/cd\nF=/mnt\n");
  DiskIndexSettings current = loaded;
  current.winX = 300;  // this program only moved its window sideways
  ASSERT_EQ(saveSettingsFile(m_file, loaded, current).code, ResultCode::Ok);
  const platform::IniFile result(m_file);
  EXPECT_EQ(result.readInt("Inits", "WIN_X", 0), 300);
  EXPECT_EQ(result.readInt("Inits", "WIN_Y", 0), 99);
  EXPECT_EQ(result.readString("Inits", "CATEGORY"), "Spiele");
  EXPECT_EQ(result.readString("Drives", "F"), "/mnt");
}

TEST_F(SettingsFile, ChangedListsAndTheBlankSeparatorSurviveTheMerge) {
  writeText(m_file, "[Categories]\nCAT1=Spiele\nCAT2=Musik\nCAT3=Fotos\n");
  const DiskIndexSettings loaded = loadSettingsFile(m_file, m_env).settings;
  DiskIndexSettings current = loaded;
  current.categories = {"Spiele", "Fotos"};
  current.expCSep = " ";
  ASSERT_EQ(saveSettingsFile(m_file, loaded, current).code, ResultCode::Ok);
  const DiskIndexSettings again = loadSettingsFile(m_file, m_env).settings;
  EXPECT_EQ(again.categories, (std::vector<std::string>{"Spiele", "Fotos"}));
  EXPECT_EQ(again.expCSep, " ");
}

TEST_F(SettingsFile, ANewFileGetsEveryKey) {
  const DiskIndexSettings loaded = loadSettingsFile(m_file, m_env).settings;
  ASSERT_EQ(saveSettingsFile(m_file, loaded, loaded).code, ResultCode::Ok);
  const platform::IniFile result(m_file);
  EXPECT_TRUE(result.hasKey("Inits", "DATA_PATH"));
  EXPECT_TRUE(result.hasKey("Fonts", "NAME_F"));
}

TEST_F(SettingsFile, ADamagedFileIsReportedAndKeptBeforeItIsWritten) {
  const std::string damaged = std::string("[Inits]\nWIN_X=42\n\0\0\0garbage\n", 28);
  writeText(m_file, damaged);
  const SettingsLoad load = loadSettingsFile(m_file, m_env);
  EXPECT_EQ(load.code, ResultCode::BadFormat);
  EXPECT_EQ(load.settings.winX, 42);  // what could be read is used
  DiskIndexSettings current = load.settings;
  current.winY = 5;
  const SettingsSaveResult saved = saveSettingsFile(m_file, load.settings, current);
  ASSERT_EQ(saved.code, ResultCode::Ok);
  EXPECT_EQ(saved.damagedCopy, m_tmp / "DISKINDX.INI.defekt");
  EXPECT_EQ(readText(m_tmp / "DISKINDX.INI.defekt"), damaged);
  EXPECT_EQ(readText(m_file).find('\0'), std::string::npos);
  // A later save does not touch the copy.
  current.winY = 6;
  ASSERT_EQ(saveSettingsFile(m_file, load.settings, current).code, ResultCode::Ok);
  EXPECT_EQ(readText(m_tmp / "DISKINDX.INI.defekt"), damaged);
}

TEST_F(SettingsFile, AFileThatCannotBeReadIsNeverReplaced) {
  fs::create_directory(m_file);  // something that is there but no file
  const SettingsLoad load = loadSettingsFile(m_file, m_env);
  EXPECT_NE(load.code, ResultCode::Ok);
  DiskIndexSettings current = load.settings;
  current.winX = 1;
  EXPECT_NE(saveSettingsFile(m_file, load.settings, current).code, ResultCode::Ok);
  EXPECT_TRUE(fs::is_directory(m_file));
}

// A folder's letter goes into the file at once, onto what is on disk then,
// and the window's save at shutdown keeps it.
TEST_F(SettingsFile, AnUpdateWritesOnlyItsChangeAndSurvivesTheShutdownSave) {
  writeText(m_file, "; eigene Notiz\n[Inits]\nWIN_X=10\n");
  const DiskIndexSettings loaded = loadSettingsFile(m_file, m_env).settings;
  ASSERT_EQ(updateSettingsFile(m_file,
                               [](platform::IniFile& ini) {
                                 EXPECT_EQ(ini.readInt("Inits", "WIN_X", 0), 10);
                                 ini.writeString("Drives", "D", "/home/anna/Archiv");
                               }),
            ResultCode::Ok);
  EXPECT_EQ(readText(m_file),
            "; eigene Notiz\n[Inits]\nWIN_X=10\n\n[Drives]\nD=/home/anna/Archiv\n");
  DiskIndexSettings current = loaded;
  current.winX = 70;
  ASSERT_EQ(saveSettingsFile(m_file, loaded, current).code, ResultCode::Ok);
  const platform::IniFile result(m_file);
  EXPECT_EQ(result.readString("Drives", "D"), "/home/anna/Archiv");
  EXPECT_EQ(result.readInt("Inits", "WIN_X", 0), 70);
}

TEST_F(SettingsFile, AnUpdateCreatesAMissingFileAndLeavesADamagedOrUnreadableOneAlone) {
  const fs::path fresh = m_tmp / "neu" / "DISKINDX.INI";
  ASSERT_EQ(updateSettingsFile(
                fresh, [](platform::IniFile& ini) { ini.writeString("Drives", "D", "/x"); }),
            ResultCode::Ok);
  EXPECT_EQ(platform::IniFile(fresh).readString("Drives", "D"), "/x");

  const std::string damaged = std::string("[Inits]\n\0\0x\n", 13);
  writeText(m_file, damaged);
  bool called = false;
  EXPECT_EQ(updateSettingsFile(m_file, [&](platform::IniFile&) { called = true; }),
            ResultCode::BadFormat);
  EXPECT_FALSE(called);
  EXPECT_EQ(readText(m_file), damaged);

  const fs::path directory = m_tmp / "ordner.ini";
  fs::create_directory(directory);
  EXPECT_NE(updateSettingsFile(directory, [&](platform::IniFile&) { called = true; }),
            ResultCode::Ok);
  EXPECT_FALSE(called);
  EXPECT_TRUE(fs::is_directory(directory));
}

}  // namespace
}  // namespace diskindex
