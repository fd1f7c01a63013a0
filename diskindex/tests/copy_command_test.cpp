#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "diskindex/cli/commands.h"
#include "diskindex/core/volume_root.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/tests/cli_run.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using scan::testing::TempTree;
using test::dir;
using test::file;

using test::CliRun;

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class CopyCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_env.settingsFile = m_tmp / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
    m_env.dataDirectory = m_tmp.path();
    fs::create_directories(m_target);
    test::writeVolume(m_tmp / "CD000001.DAT", test::sampleHeader("Werkzeuge"),
                      {file(1, "README.TXT", 6), dir(1, "TOOLS"), file(2, "A.EXE", 1),
                       dir(2, "BIN"), file(3, "B.COM", 1)});
    m_folder.file("README.TXT", "readme");
    m_folder.file("TOOLS/A.EXE", "a");
    m_folder.file("TOOLS/BIN/B.COM", "b");
  }
  CliRun run(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(args, m_env, out, err);
    return {status, out.str(), err.str()};
  }
  std::vector<std::string> copy(std::vector<std::string> extra) {
    std::vector<std::string> args{"copy", "werkzeuge"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }

  test::TempDir m_tmp;
  TempTree m_folder;
  fs::path m_target = m_tmp / "ziel";
  SessionEnvironment m_env;
};

TEST_F(CopyCommandTest, FilesAndTreesComeFromTheFolderByTheirStoredNames) {
  CliRun r = run(copy({"readme.txt", "\\Tools\\Bin\\b.com", "--to", m_target.string(),
                       "--from-folder", m_folder.root().string()}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2 Datei(en) kopiert\n");
  EXPECT_EQ(readText(m_target / "README.TXT"), "readme");
  EXPECT_EQ(readText(m_target / "B.COM"), "b");

  r = run(copy(
      {"tools", "--tree", "--to", m_target.string(), "--from-folder", m_folder.root().string()}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(m_target / "TOOLS" / "A.EXE"), "a");
  EXPECT_EQ(readText(m_target / "TOOLS" / "BIN" / "B.COM"), "b");
}

TEST_F(CopyCommandTest, AnExistingTargetStopsUnlessTheOptionsSayOtherwise) {
  test::writeAll(m_target / "README.TXT", {'o', 'l', 'd'});
  const std::vector<std::string> base{"README.TXT", "--to", m_target.string(), "--from-folder",
                                      m_folder.root().string()};
  CliRun r = run(copy(base));
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Dateien kopieren: Vorgang wurde abgebrochen!\n");
  EXPECT_EQ(readText(m_target / "README.TXT"), "old");

  auto with = [&](const char* option) {
    std::vector<std::string> args = base;
    args.push_back(option);
    return run(copy(args));
  };
  r = with("--skip-existing");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "0 Datei(en) kopiert, 1 übersprungen\n");
  EXPECT_EQ(readText(m_target / "README.TXT"), "old");
  r = with("--overwrite");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(m_target / "README.TXT"), "readme");
}

TEST_F(CopyCommandTest, BadUsageAndCopyErrorsHaveTheirOwnStatus) {
  const std::string folder = m_folder.root().string();
  const std::string to = m_target.string();
  EXPECT_EQ(run(copy({"README.TXT", "--from-folder", folder})).status, 2);  // no --to
  EXPECT_EQ(run(copy({"--to", to})).status, 2);                             // no path
  EXPECT_EQ(run(copy({"A", "B", "--tree", "--to", to})).status, 2);
  EXPECT_EQ(run(copy({"README.TXT", "--to", to, "--overwrite", "--skip-existing"})).status, 2);
  CliRun r = run({"copy", "Unbekannt", "README.TXT", "--to", to});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Datenträger \"Unbekannt\" ist nicht erfaßt.\n");
  r = run(copy({"NICHTDA.TXT", "--to", to, "--from-folder", folder}));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("NICHTDA.TXT"), std::string::npos);

  // A missing target is said as missing, not as write-protected, and not made.
  const fs::path missing = m_tmp / "fehlt";
  r = run(copy({"README.TXT", "--to", missing.string(), "--from-folder", folder}));
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Dateien kopieren: Das Zielverzeichnis\n\"" + missing.string() +
                       "\"\nist nicht vorhanden!\n");
  EXPECT_FALSE(fs::exists(missing));
  r = run(copy({"README.TXT", "--to", "", "--from-folder", folder}));
  EXPECT_EQ(r.status, 2) << "an empty target is no target";
  EXPECT_TRUE(fs::is_empty(m_target));
  fs::remove(m_folder.root() / "README.TXT");
  r = run(copy({"README.TXT", "--to", to, "--from-folder", folder}));
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("Datei- bzw. Verzeichnisname ist ungültig"), std::string::npos) << r.err;
}

TEST_F(CopyCommandTest, TheDriveGoesThroughTheVolumeCheck) {
  // Drive E is the folder; the folder's file system carries no label "DISC".
  std::ofstream(m_env.settingsFile) << "[Drives]\nE=" << m_folder.root().string() << "\n";
  CliRun r = run(copy({"README.TXT", "--to", m_target.string()}));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("gespeicherte Volume-Label (\"DISC\") ist ein anderes"), std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(m_target / "README.TXT"));
  r = run(copy({"README.TXT", "--to", m_target.string(), "--yes"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(m_target / "README.TXT"), "readme");
}

// A volume that keeps its folder (no letter was free) prints its paths from
// that folder ("search", "duplicates", "export tree --paths"). Such a path
// names the entry, as "E:\TOOLS\A.EXE" does on a drive.
TEST_F(CopyCommandTest, APathPrintedFromAKeptFolderNamesTheEntry) {
  VolumeHeader header = test::sampleHeader("Ordner");
  header.driveLetter = platform::DriveTable::kFolderKey;
  header.label.clear();
  const fs::path data = m_tmp / "CD000002.DAT";
  test::writeVolume(data, header,
                    {file(1, "README.TXT", 6), dir(1, "TOOLS"), file(2, "A.EXE", 1),
                     dir(2, "BIN"), file(3, "B.COM", 1)});
  const std::string root = m_folder.root().string();
  ASSERT_EQ(writeFolderFile(data, root), ResultCode::Ok);
  CliRun r = run({"copy", "ordner", root + "/TOOLS/A.EXE", "--to", m_target.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(m_target / "A.EXE"), "a");
  r = run({"copy", "ordner", root + "/Tools/Bin/", "--tree", "--to", m_target.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(m_target / "BIN" / "B.COM"), "b");
  // A path from the volume's root still means that.
  r = run({"copy", "ordner", "/README.TXT", "--to", m_target.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(m_target / "README.TXT"), "readme");
}

}  // namespace
}  // namespace diskindex
