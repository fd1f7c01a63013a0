#include "diskindex/cli/scan_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/tests/image_files.h"
#include "diskindex/tests/temp_tree.h"
#include "platform/ini_file.h"

namespace diskindex::cli {
namespace {

using scan::testing::holdsForOrdinaryUser;
using scan::testing::TempTree;

class ScanCommandTest : public ::testing::Test {
 protected:
  int run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--path", m_disc.root().string()});
    return runBare(std::move(args));
  }
  int runBare(const std::vector<std::string>& args) {
    m_out.str("");
    m_err.str("");
    SessionEnvironment environment;
    environment.settingsFile = m_data.root() / "none.ini";
    environment.dataDirectory = m_data.root();
    return scanCommand(environment, args, ScanStreams{m_in, m_out, m_err, false, false});
  }
  Catalogue loaded() {
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data.root());
    catalogue.loadVolumeList();
    return catalogue;
  }

  TempTree m_disc;
  TempTree m_data;
  std::istringstream m_in;
  std::ostringstream m_out;
  std::ostringstream m_err;
};

TEST_F(ScanCommandTest, ReadsADirectoryAsADriveIntoANewVolume) {
  m_disc.file("A.TXT");
  m_disc.file("SUB/B.TXT");
  ASSERT_EQ(run({"--name", "Archiv", "--location", "Regal 3", "--category", "Sicherung"}), 0)
      << m_err.str();
  EXPECT_NE(m_out.str().find("1 Verzeichnisse, 2 Dateien"), std::string::npos) << m_out.str();
  const Catalogue catalogue = loaded();
  ASSERT_EQ(catalogue.volumes().size(), 1u);
  const VolumeRecord& v = catalogue.volumes()[0];
  EXPECT_EQ(v.name, "Archiv");
  EXPECT_EQ(v.location.value_or(""), "Regal 3");
  EXPECT_EQ(v.category.value_or(""), "Sicherung");
  EXPECT_EQ(v.dataFile.filename(), "CD000001.DAT");
}

TEST_F(ScanCommandTest, RefusesATakenNameAndWrongArguments) {
  m_disc.file("A.TXT");
  ASSERT_EQ(run({"--name", "Archiv"}), 0);
  EXPECT_EQ(run({"--name", "ARCHIV"}), 2);
  EXPECT_NE(m_err.str().find("wurde bereits für einen anderen"), std::string::npos) << m_err.str();
  EXPECT_EQ(run({"--remark", "ohne Namen"}), 2);
  EXPECT_NE(m_err.str().find("--name fehlt"), std::string::npos);
  EXPECT_EQ(run({"--name", "X", "--descriptions", "vielleicht"}), 2);
  EXPECT_EQ(run({"--name", std::string(51, 'n')}), 2);
  EXPECT_EQ(loaded().volumes().size(), 1u);
}

TEST_F(ScanCommandTest, EmptyOrMissingDirectoryIsNotReady) {
  EXPECT_EQ(run({"--name", "Leer"}), 2);
  EXPECT_NE(m_err.str().find("nicht bereit"), std::string::npos) << m_err.str();
  EXPECT_TRUE(loaded().volumes().empty());
}

TEST_F(ScanCommandTest, DescriptionsFollowTheOption) {
  m_disc.file("A.TXT");
  m_disc.file("FILES.BBS", "A.TXT  Beschreibung\r\n");
  ASSERT_EQ(run({"--name", "Mit", "--descriptions", "yes"}), 0);
  ASSERT_EQ(run({"--name", "Ohne", "--descriptions", "no"}), 0);
  ASSERT_EQ(run({"--name", "Gefragt"}), 0);  // no terminal: the answer is No
  const Catalogue catalogue = loaded();
  TFileCommentList remarks;
  const auto with = catalogue.volumes()[*catalogue.volumes().findByName("Mit")].commentFile();
  ASSERT_EQ(loadRemarks(with, remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({1, 0}).value_or(""), "Beschreibung");
  for (const char* name : {"Ohne", "Gefragt"}) {
    const auto file = catalogue.volumes()[*catalogue.volumes().findByName(name)].commentFile();
    EXPECT_FALSE(std::filesystem::exists(file)) << name;
  }
}

TEST_F(ScanCommandTest, ImageIsReadAsANewVolumeWithItsDescriptions) {
  scan::testing::makeSampleTree(m_disc);
  TempTree images;
  const std::filesystem::path zip = images.root() / "probe.zip";
  scan::testing::archiveTree(m_disc.root(), zip, scan::testing::ArchiveKind::Zip);
  ASSERT_EQ(runBare({"--image", zip.string(), "--name", "Probe", "--descriptions", "yes"}), 0)
      << m_err.str();
  EXPECT_NE(m_out.str().find("4 Verzeichnisse, 9 Dateien"), std::string::npos) << m_out.str();
  const Catalogue catalogue = loaded();
  ASSERT_EQ(catalogue.volumes().size(), 1u);
  EXPECT_EQ(catalogue.volumes()[0].label, "") << "an archive has no label";
  EXPECT_EQ(catalogue.volumes()[0].capacity,
            static_cast<std::int64_t>(std::filesystem::file_size(zip)));
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(catalogue.volumes()[0].dataFile), remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({1, -1}).value_or(""), "Die Wurzel der Probe");
}

TEST_F(ScanCommandTest, BadImageGivesTheGermanErrorAndNoVolume) {
  TempTree images;
  const std::filesystem::path bad = images.root() / "boese.zip";
  {
    scan::testing::ArchiveWriter writer(bad, scan::testing::ArchiveKind::Zip);
    writer.add("../raus.txt", "x");
  }
  EXPECT_EQ(runBare({"--image", bad.string(), "--name", "Boese"}), 2);
  EXPECT_NE(m_err.str().find("\"../raus.txt\""), std::string::npos) << m_err.str();
  EXPECT_NE(m_err.str().find("Daten erzeugen - Fehler:"), std::string::npos) << m_err.str();
  std::ofstream(images.root() / "text.iso") << "kein Abbild";
  EXPECT_EQ(runBare({"--image", (images.root() / "text.iso").string(), "--name", "Text"}), 2);
  EXPECT_NE(m_err.str().find("kein bekanntes Abbild- oder Archivformat"), std::string::npos)
      << m_err.str();
  EXPECT_EQ(runBare({"--image", bad.string(), "--path", "/tmp", "--name", "Beides"}), 2);
  EXPECT_NE(m_err.str().find("schließen sich aus"), std::string::npos) << m_err.str();
  EXPECT_TRUE(loaded().volumes().empty());
  for (const auto& e : std::filesystem::directory_iterator(m_data.root())) {
    EXPECT_NE(e.path().extension(), ".DAT") << e.path();
  }
}

// A folder read with --path keeps its letter after this run: it is written
// into [Drives] of the settings file, and a second reading uses it again.
TEST_F(ScanCommandTest, PathRecordsTheFoldersLetterInDrives) {
  m_disc.file("A.TXT");
  ASSERT_EQ(run({"--name", "Erster"}), 0) << m_err.str();
  const Catalogue first = loaded();
  ASSERT_EQ(first.volumes().size(), 1u);
  const char letter = first.volumes()[0].driveLetter;
  const std::string key(1, letter);
  const platform::IniFile settings(m_data.root() / "none.ini");
  EXPECT_EQ(settings.readString("Drives", key),
            std::filesystem::weakly_canonical(m_disc.root()).string());
  EXPECT_NE(m_out.str().find("ist jetzt Laufwerk " + key + ":"), std::string::npos) << m_out.str();

  ASSERT_EQ(run({"--name", "Zweiter"}), 0) << m_err.str();
  EXPECT_EQ(m_out.str().find("ist jetzt Laufwerk"), std::string::npos) << m_out.str();
  const Catalogue second = loaded();
  ASSERT_EQ(second.volumes().size(), 2u);
  EXPECT_EQ(second.volumes()[0].driveLetter, letter);
  EXPECT_EQ(second.volumes()[1].driveLetter, letter);
  EXPECT_EQ(platform::IniFile(m_data.root() / "none.ini").keys("Drives").size(), 1u);
}

TEST_F(ScanCommandTest, LinksPassedOverArePrintedAndTheVolumeIsAdded) {
  m_disc.file("A.TXT");
  m_disc.file("ZIEL/B.TXT");
  std::filesystem::create_directory_symlink(m_disc.root() / "ZIEL", m_disc.root() / "verweis");
  std::filesystem::create_symlink(m_disc.root() / "fehlt", m_disc.root() / "kaputt");
  ASSERT_EQ(run({"--name", "Links"}), 0) << m_err.str();
  EXPECT_NE(m_err.str().find("Beim Einlesen wurde übergangen:"), std::string::npos) << m_err.str();
  EXPECT_NE(m_err.str().find("1 Verknüpfung auf ein Verzeichnis"), std::string::npos);
  EXPECT_NE(m_err.str().find("1 Verknüpfung ohne Ziel"), std::string::npos);
  EXPECT_EQ(loaded().volumes().size(), 1u);
}

// Runs as an ordinary user (root reads every directory), in a child process;
// true when the scan exited with 4 and named the unreadable directory.
TEST_F(ScanCommandTest, UnreadableDirectoryIsNamedAndTheExitStatusIsFour) {
  m_disc.file("A.TXT");
  m_disc.file("offen/B.TXT");
  m_disc.file("privat/geheim.txt");
  const auto check = [this] {
    const int status = run({"--name", "Teilweise"});
    const std::string err = m_err.str();
    return status == 4 && err.find("1 Verzeichnis nicht lesbar") != std::string::npos &&
           err.find("\\privat") != std::string::npos && loaded().volumes().size() == 1;
  };
  chmod((m_disc.root() / "privat").c_str(), 0);
  if (geteuid() == 0) {  // the child's user must reach the folders it writes
    for (const auto& folder : {m_disc.root(), m_data.root(), m_disc.root() / "offen"}) {
      chmod(folder.c_str(), 0777);
    }
  }
  EXPECT_TRUE(holdsForOrdinaryUser(check)) << m_err.str();
}

}  // namespace
}  // namespace diskindex::cli
