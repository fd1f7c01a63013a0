#include "diskindex/cli/rescan_command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "diskindex/cli/terminal_scan.h"
#include "diskindex/core/catalogue.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/scan/orphan_file.h"
#include "diskindex/tests/image_files.h"
#include "diskindex/tests/temp_tree.h"

namespace diskindex::cli {
namespace {

using scan::testing::TempTree;

std::string bytesOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RescanCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_disc.file("A.TXT", "a");
    m_disc.file("SUB/B.TXT", "b");
    ASSERT_EQ(scanCommand(environment(), {"--path", m_disc.root().string(), "--name", "Archiv"},
                          streams()),
              0)
        << m_err.str();
    TFileCommentList remarks;
    remarks.set({1, 0}, "über A");
    remarks.set({2, 0}, "über B\r\nzweite Zeile");
    ASSERT_EQ(saveRemarks(commentFileFor(dataFile()), remarks), ResultCode::Ok);
  }
  SessionEnvironment environment() {
    SessionEnvironment e;
    e.settingsFile = m_data.root() / "none.ini";
    e.dataDirectory = m_data.root();
    return e;
  }
  ScanStreams streams() {
    m_out.str("");
    m_err.str("");
    return ScanStreams{m_in, m_out, m_err, false, false};
  }
  int rescan(const std::vector<std::string>& args) {
    return rescanCommand(environment(), args, streams());
  }
  std::filesystem::path dataFile() const { return m_data.root() / "CD000001.DAT"; }

  TempTree m_disc;
  TempTree m_data;
  std::istringstream m_in;
  std::ostringstream m_out;
  std::ostringstream m_err;
};

TEST_F(RescanCommandTest, ReadsTheVolumeAgainAndPrintsTheOrphanedRemarksAndTheirFile) {
  std::filesystem::remove(m_disc.root() / "SUB" / "B.TXT");
  m_disc.file("SUB/C.TXT", "c");
  ASSERT_EQ(rescan({"archiv", "--path", m_disc.root().string()}), 0) << m_err.str();
  const std::string out = m_out.str();
  EXPECT_NE(out.find("Datenträger \"Archiv\" erneut eingelesen: 1 Verzeichnisse, 2 Dateien"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Bemerkungen zu nicht mehr vorhandenen Einträgen:\n"
                     "\\SUB\\B.TXT\n    über B\n    zweite Zeile\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find(scan::orphanFileFor(dataFile()).string()), std::string::npos) << out;
  EXPECT_TRUE(std::filesystem::exists(scan::orphanFileFor(dataFile())));
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(dataFile()), remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({1, 0}), std::optional<std::string_view>("über A"));
  EXPECT_EQ(remarks.size(), 1u);
}

TEST_F(RescanCommandTest, AnUnknownVolumeIsNotFoundAndWrongArgumentsShowTheUsage) {
  EXPECT_EQ(rescan({"Fehlt", "--path", m_disc.root().string()}), 1);
  EXPECT_NE(m_err.str().find("\"Fehlt\" ist nicht erfaßt"), std::string::npos) << m_err.str();
  EXPECT_EQ(rescan({}), 2);
  EXPECT_NE(m_err.str().find("Aufruf: diskindx-cli"), std::string::npos);
  EXPECT_EQ(rescan({"Archiv", "--drive", "E", "--path", "/tmp"}), 2);
  EXPECT_EQ(rescan({"Archiv", "--descriptions", "vielleicht"}), 2);
  EXPECT_EQ(rescan({"Archiv", "--drive"}), 2);
}

TEST_F(RescanCommandTest, AMissingFolderFailsWithTheMessageAndChangesNothing) {
  const auto before = bytesOf(dataFile());
  const auto remarksBefore = bytesOf(commentFileFor(dataFile()));
  EXPECT_EQ(rescan({"Archiv", "--path", (m_disc.root() / "fehlt").string()}), 2);
  EXPECT_EQ(m_err.str().rfind("Datenträger erneut einlesen: Datenträger ist nicht bereit", 0), 0u)
      << m_err.str();
  EXPECT_EQ(bytesOf(dataFile()), before);
  EXPECT_EQ(bytesOf(commentFileFor(dataFile())), remarksBefore);
}

TEST_F(RescanCommandTest, AnImageOfTheChangedTreeIsReadAgainKeepingTheRemarks) {
  std::filesystem::rename(m_disc.root() / "SUB" / "B.TXT", m_disc.root() / "SUB" / "B2.TXT");
  TempTree images;
  const auto zip = images.root() / "archiv.zip";
  scan::testing::archiveTree(m_disc.root(), zip, scan::testing::ArchiveKind::Zip);
  ASSERT_EQ(rescan({"Archiv", "--image", zip.string()}), 0) << m_err.str();
  EXPECT_NE(m_out.str().find("\\SUB\\B.TXT\n    über B"), std::string::npos) << m_out.str();
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(dataFile()), remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({1, 0}), std::optional<std::string_view>("über A"));
  EXPECT_EQ(remarks.size(), 1u);
  Catalogue catalogue;
  catalogue.setDataDirectory(m_data.root());
  catalogue.loadVolumeList();
  ASSERT_EQ(catalogue.volumes().size(), 1u);
  EXPECT_EQ(catalogue.volumes()[0].name, "Archiv");
  EXPECT_EQ(catalogue.volumes()[0].capacity,
            static_cast<std::int64_t>(std::filesystem::file_size(zip)));
  EXPECT_EQ(catalogue.volumes()[0].freeSpace, 0);
}

TEST_F(RescanCommandTest, ARefusedImageSaysWhyAndChangesNothing) {
  const auto before = bytesOf(dataFile());
  const auto remarksBefore = bytesOf(commentFileFor(dataFile()));
  TempTree images;
  images.file("kaputt.iso", std::string(70000, '\x5a'));
  EXPECT_EQ(rescan({"Archiv", "--image", (images.root() / "kaputt.iso").string()}), 2);
  EXPECT_NE(m_err.str().find("kein bekanntes Abbild- oder Archivformat"), std::string::npos)
      << m_err.str();
  EXPECT_EQ(bytesOf(dataFile()), before);
  EXPECT_EQ(bytesOf(commentFileFor(dataFile())), remarksBefore);
  EXPECT_EQ(rescan({"Archiv", "--image", "a.zip", "--path", "/tmp"}), 2);
}

TEST_F(RescanCommandTest, ADriveIsCheckedFirstAndTheQuestionIsAnsweredByYes) {
  // The folder as drive E, without label; the volume was catalogued under
  // another one, so the check asks whether the drive holds the right volume.
  {
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data.root());
    catalogue.loadVolumeList();
    VolumeHeader header;
    ASSERT_EQ(readHeader(dataFile(), header), ResultCode::Ok);
    header.label = "FRUEHER";
    ASSERT_EQ(catalogue.changeVolumeInfo(0, header), ResultCode::Ok);
  }
  std::ofstream(m_data.root() / "none.ini") << "[Drives]\nE=" << m_disc.root().string() << "\n";
  const auto before = bytesOf(dataFile());
  m_disc.file("NEU.TXT", "n");
  EXPECT_EQ(rescan({"Archiv", "--drive", "E"}), 1);
  EXPECT_NE(m_err.str().find("möglicherweise der falsche Datenträger"), std::string::npos)
      << m_err.str();
  EXPECT_EQ(bytesOf(dataFile()), before);
  ASSERT_EQ(rescan({"Archiv", "--drive", "E", "--yes"}), 0) << m_err.str();
  EXPECT_NE(m_out.str().find("3 Dateien"), std::string::npos) << m_out.str();
}

TEST_F(RescanCommandTest, ADamagedCommentFileIsKeptAndTheCopyIsNamed) {
  const std::filesystem::path comment = commentFileFor(dataFile());
  {
    std::fstream f(comment, std::ios::in | std::ios::out | std::ios::binary);
    f.put('X');  // the magic damaged, the records whole
  }
  const std::string damaged = bytesOf(comment);
  ASSERT_EQ(rescan({"Archiv", "--path", m_disc.root().string()}), 0) << m_err.str();
  const std::filesystem::path copy = m_data.root() / "CD000001.CMT.defekt";
  EXPECT_EQ(bytesOf(copy), damaged);
  EXPECT_NE(m_out.str().find(plainLines(messages::keptDamagedCopy(comment.string(),
                                                                  copy.string()))),
            std::string::npos)
      << m_out.str();
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(comment, remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({1, 0}), std::optional<std::string_view>("über A"));
}

}  // namespace
}  // namespace diskindex::cli
