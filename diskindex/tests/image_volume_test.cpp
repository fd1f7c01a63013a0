#include "diskindex/core/scan/image_volume.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/scan/description_pass.h"
#include "diskindex/core/scan/image_reader.h"
#include "diskindex/tests/image_files.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::scan {
namespace {

using testing::ArchiveKind;
using testing::ArchiveWriter;
using testing::TempTree;

struct ImageObserver : ScanObserver {
  bool readDescriptions = true;
  std::vector<ErrorMessage> imageFailures;
  std::vector<ResultCode> volumeFailures;
  std::vector<std::size_t> added;
  bool askReadDescriptions() override { return readDescriptions; }
  void imageFailed(const ErrorMessage& message) override { imageFailures.push_back(message); }
  void volumeFailed(ResultCode code, const std::filesystem::path&) override {
    volumeFailures.push_back(code);
  }
  void volumeAdded(std::size_t index) override { added.push_back(index); }
};

class ImageVolumeTest : public ::testing::Test {
 protected:
  ImageVolumeTest() {
    testing::makeSampleTree(m_tree);
    m_catalogue.setDataDirectory(m_data.root());
  }
  VolumeHeader header(const std::string& name) {
    VolumeHeader h = freshHeader();
    h.driveLetter = 'E';
    h.name = name;
    return h;
  }
  std::filesystem::path image(const std::string& name) { return m_images.root() / name; }
  std::vector<std::filesystem::path> dataFolder() const {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(m_data.root())) files.push_back(e);
    return files;
  }

  TempTree m_tree;
  TempTree m_images;
  TempTree m_data;
  Catalogue m_catalogue;
  ImageObserver m_observer;
};

TEST_F(ImageVolumeTest, IsoBecomesACdRomVolumeWithItsLabelAndTheImageSize) {
  if (!testing::haveXorriso()) GTEST_SKIP() << "xorriso is not installed";
  ASSERT_TRUE(testing::makeIso(m_tree.root(), image("probe.iso"), "PROBE_CD"));
  VolumeHeader h = header("Probe");
  const ReadDriveOutcome outcome =
      readImage(image("probe.iso"), h, m_data.root() / "CD000001.DAT", m_observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  VolumeHeader stored;
  ASSERT_EQ(readHeader(m_data.root() / "CD000001.DAT", stored), ResultCode::Ok);
  EXPECT_EQ(stored.label, "PROBE_CD");
  EXPECT_EQ(stored.driveType, kDiscImageDriveType);
  EXPECT_EQ(stored.capacity,
            static_cast<std::int64_t>(std::filesystem::file_size(image("probe.iso"))));
  EXPECT_EQ(stored.freeSpace, 0);
  EXPECT_EQ(stored.directoryCount, 4);
  EXPECT_EQ(stored.fileCount, 9);
}

TEST_F(ImageVolumeTest, ArchiveHasNoLabelAndNoDriveType) {
  testing::archiveTree(m_tree.root(), image("probe.tar.xz"), ArchiveKind::TarXz);
  VolumeHeader h = header("Archiv");
  ASSERT_EQ(readImage(image("probe.tar.xz"), h, m_data.root() / "CD000001.DAT", m_observer).code,
            ResultCode::Ok);
  EXPECT_EQ(h.label, "");
  EXPECT_EQ(driveTypeWord(h.driveType), "Unbekannt");
}

TEST_F(ImageVolumeTest, DescriptionFilesInTheImageBecomeTheSameRemarksAsFromTheDrive) {
  testing::archiveTree(m_tree.root(), image("probe.zip"), ArchiveKind::Zip);
  const AddOutcome outcome = addImage(m_catalogue, image("probe.zip"), header("Mit"), m_observer);
  ASSERT_EQ(outcome.added.size(), 1u);
  EXPECT_TRUE(outcome.lastRead.descriptionsRead);
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(outcome.added[0]), remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({1, -1}).value_or(""), "Die Wurzel der Probe");
  EXPECT_EQ(remarks.find({5, 0}).value_or(""), "Die erste Datei");
  EXPECT_EQ(remarks.find({5, 1}).value_or(""), "Daten in Menge");

  WalkResult walked;
  ScanObserver quiet;
  walkTree(m_tree.root(), walked, quiet);
  const DescriptionOutcome fromDrive = readDescriptions(walked, m_tree.root(), quiet);
  EXPECT_EQ(remarks.size(), fromDrive.remarks.size());
  for (const auto& [key, text] : fromDrive.remarks) {
    EXPECT_EQ(remarks.find({key.first, key.second}).value_or(""), text);
  }
}

TEST_F(ImageVolumeTest, DeclinedDescriptionsLeaveNoCommentFile) {
  testing::archiveTree(m_tree.root(), image("probe.zip"), ArchiveKind::Zip);
  m_observer.readDescriptions = false;
  const AddOutcome outcome = addImage(m_catalogue, image("probe.zip"), header("Ohne"), m_observer);
  ASSERT_EQ(outcome.added.size(), 1u);
  EXPECT_TRUE(outcome.lastRead.descriptionsFound);
  EXPECT_FALSE(std::filesystem::exists(commentFileFor(outcome.added[0])));
}

TEST_F(ImageVolumeTest, RefusedImagesLeaveNoFileAndTheVolumeListUnchanged) {
  {
    ArchiveWriter writer(image("boese.zip"), ArchiveKind::Zip);
    writer.add("harmlos.txt", "x");
    writer.add("../../.bashrc", "y");
  }
  testing::archiveTree(m_tree.root(), image("gut.tar.xz"), ArchiveKind::TarXz);
  std::filesystem::copy_file(image("gut.tar.xz"), image("kaputt.tar.xz"));
  std::filesystem::resize_file(image("kaputt.tar.xz"),
                               std::filesystem::file_size(image("gut.tar.xz")) / 2);
  for (const char* name : {"boese.zip", "kaputt.tar.xz", "fehlt.iso"}) {
    const AddOutcome outcome = addImage(m_catalogue, image(name), header(name), m_observer);
    EXPECT_TRUE(outcome.added.empty()) << name;
    EXPECT_TRUE(isImageFailure(outcome.lastCode)) << name << " " << codeValue(outcome.lastCode);
  }
  EXPECT_TRUE(m_catalogue.volumes().records().empty());
  EXPECT_TRUE(dataFolder().empty());
  ASSERT_EQ(m_observer.imageFailures.size(), 3u);
  EXPECT_TRUE(m_observer.volumeFailures.empty());
  const std::string& unsafe = m_observer.imageFailures[0].text;
  EXPECT_NE(unsafe.find("\"../../.bashrc\""), std::string::npos) << unsafe;
  EXPECT_NE(unsafe.find("Es wurde nichts eingelesen!"), std::string::npos) << unsafe;
  EXPECT_NE(m_observer.imageFailures[1].text.find("beschädigt oder unvollständig"),
            std::string::npos)
      << m_observer.imageFailures[1].text;
  EXPECT_EQ(m_observer.imageFailures[1].caption, "Daten erzeugen - Fehler:");
}

TEST_F(ImageVolumeTest, ImageMessagesNameTheImage) {
  const std::filesystem::path file = "/tmp/urlaub.iso";
  EXPECT_EQ(imageErrorMessage(ResultCode::BadFormat, file, "").text,
            "Die Abbilddatei\r\n\"/tmp/urlaub.iso\"\r\nist kein bekanntes Abbild- oder "
            "Archivformat!");
  EXPECT_EQ(imageErrorMessage(ResultCode::CannotOpen, file, "").text,
            "Die Datei\r\n\"/tmp/urlaub.iso\"\r\nkann nicht geöffnet werden!");
  EXPECT_FALSE(isImageFailure(ResultCode::CannotCreate));
  EXPECT_FALSE(isImageFailure(ResultCode::Cancelled));
}

}  // namespace
}  // namespace diskindex::scan
