#include "diskindex/core/scan/image_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "diskindex/tests/image_files.h"
#include "diskindex/tests/temp_tree.h"

namespace diskindex::scan {
namespace {

using testing::ArchiveKind;
using testing::ArchiveWriter;
using testing::TempTree;

struct CancelAfter : ScanObserver {
  int polls = 0;
  int cancelAt = -1;
  int directories = 0;
  void directoryFound(int total) override { directories = total; }
  bool cancelRequested() override { return ++polls == cancelAt; }
};

std::string describe(const WalkEntry& e) {
  return std::to_string(e.level) + " " + e.name + " " + std::to_string(e.size) + " " +
         std::to_string(e.dosDateTime) + " " + std::to_string(e.attributes);
}

// The image must hold exactly what walking the tree itself gives.
void expectSameAsWalk(const WalkResult& image, const std::filesystem::path& tree) {
  WalkResult walked;
  ScanObserver quiet;
  ASSERT_EQ(walkTree(tree, walked, quiet), WalkStatus::Completed);
  ASSERT_FALSE(walked.entries.empty());
  std::vector<std::string> expected;
  std::vector<std::string> actual;
  for (const WalkEntry& e : walked.entries) expected.push_back(describe(e));
  for (const WalkEntry& e : image.entries) actual.push_back(describe(e));
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(image.directoryCount, walked.directoryCount);
  EXPECT_EQ(image.fileCount, walked.fileCount);
}

class ImageReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::makeSampleTree(m_tree); }
  std::filesystem::path file(const std::string& name) { return m_out.root() / name; }

  TempTree m_tree;
  TempTree m_out;
  CancelAfter m_observer;
};

TEST_F(ImageReaderTest, IsoImageRoundTripsIntoTheWalksEntriesWithItsLabel) {
  if (!testing::haveXorriso()) GTEST_SKIP() << "xorriso is not installed";
  ASSERT_TRUE(testing::makeIso(m_tree.root(), file("probe.iso"), "Sommer_2024_Fotos"));
  const ImageReadResult read = readImageFile(file("probe.iso"), m_observer);
  ASSERT_EQ(read.code, ResultCode::Ok) << read.member;
  expectSameAsWalk(read.contents.walk, m_tree.root());
  EXPECT_EQ(read.contents.label, "Sommer_2024");  // cut to 11 characters
  EXPECT_EQ(read.contents.driveType, kDiscImageDriveType);
  EXPECT_EQ(read.contents.imageSize,
            static_cast<std::int64_t>(std::filesystem::file_size(file("probe.iso"))));
  EXPECT_EQ(m_observer.directories, read.contents.walk.directoryCount + 1);  // .verborgen too
}

TEST_F(ImageReaderTest, ZipAndTarXzRoundTripWithoutALabel) {
  for (const auto& [name, kind] :
       {std::pair{"probe.zip", ArchiveKind::Zip}, std::pair{"probe.tar.xz", ArchiveKind::TarXz}}) {
    testing::archiveTree(m_tree.root(), file(name), kind);
    const ImageReadResult read = readImageFile(file(name), m_observer);
    ASSERT_EQ(read.code, ResultCode::Ok) << name << " " << read.member;
    SCOPED_TRACE(name);
    expectSameAsWalk(read.contents.walk, m_tree.root());
    EXPECT_EQ(read.contents.label, "");
    EXPECT_EQ(read.contents.driveType, kArchiveDriveType);
  }
}

TEST_F(ImageReaderTest, SevenZipCpioAndCompressedTarsRoundTripToo) {
  for (const auto& [name, kind] :
       {std::pair{"probe.7z", ArchiveKind::SevenZip}, std::pair{"probe.cpio", ArchiveKind::Cpio},
        std::pair{"probe.tar.gz", ArchiveKind::TarGz},
        std::pair{"probe.tar.bz2", ArchiveKind::TarBz2},
        std::pair{"probe.tar.zst", ArchiveKind::TarZstd}}) {
    testing::archiveTree(m_tree.root(), file(name), kind);
    const ImageReadResult read = readImageFile(file(name), m_observer);
    ASSERT_EQ(read.code, ResultCode::Ok) << name << " " << read.member;
    SCOPED_TRACE(name);
    expectSameAsWalk(read.contents.walk, m_tree.root());
    EXPECT_EQ(read.contents.descriptionFiles.size(), 2u);
  }
}

TEST_F(ImageReaderTest, DescriptionFilesAreKeptByTheirPathInTheImage) {
  testing::archiveTree(m_tree.root(), file("probe.zip"), ArchiveKind::Zip);
  const ImageReadResult read = readImageFile(file("probe.zip"), m_observer);
  ASSERT_EQ(read.code, ResultCode::Ok);
  const auto& files = read.contents.descriptionFiles;
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files.at("DIRINFO.TXT"), "Die Wurzel der Probe");
  EXPECT_EQ(files.at("Überordner mit einem sehr langen Namen/Unterordner/FILES.BBS"),
            "A.TXT  Die erste Datei\r\nB.DAT  Daten in Menge\r\n");
}

TEST_F(ImageReaderTest, TruncatedIsoIsRefusedAsDamaged) {
  if (!testing::haveXorriso()) GTEST_SKIP() << "xorriso is not installed";
  ASSERT_TRUE(testing::makeIso(m_tree.root(), file("probe.iso"), "PROBE"));
  const auto size = std::filesystem::file_size(file("probe.iso"));
  for (const std::uintmax_t cut : {size - 2048, size / 2, std::uintmax_t{40000}}) {
    std::filesystem::copy_file(file("probe.iso"), file("cut.iso"),
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(file("cut.iso"), cut);
    const ImageReadResult read = readImageFile(file("cut.iso"), m_observer);
    EXPECT_EQ(read.code, ResultCode::CannotRead) << "cut at " << cut;
    EXPECT_TRUE(read.contents.walk.entries.empty());
  }
}

TEST_F(ImageReaderTest, MemberLeadingOutOfTheImageRefusesTheWholeImage) {
  for (const std::string bad : {"../aussen.txt", "a/../../b.txt", "/etc/passwd"}) {
    {
      ArchiveWriter writer(file("bad.zip"), ArchiveKind::Zip);
      writer.add("gut.txt", "x");
      writer.add(bad, "y");
    }
    const ImageReadResult read = readImageFile(file("bad.zip"), m_observer);
    EXPECT_EQ(read.code, ResultCode::UnsafeName) << bad;
    EXPECT_EQ(read.member, bad);
    EXPECT_TRUE(read.contents.walk.entries.empty());
  }
}

TEST_F(ImageReaderTest, RandomAndEmptyBytesAreNoArchive) {
  std::mt19937 random(19);
  std::vector<std::uint8_t> bytes(100000);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  std::ofstream(file("zufall.bin"), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  EXPECT_EQ(readImageFile(file("zufall.bin"), m_observer).code, ResultCode::BadFormat);
  EXPECT_EQ(readImageMemory(bytes, m_observer).code, ResultCode::BadFormat);
  std::ofstream(file("text.txt")) << "#mtree\n./etc/passwd type=file\n";
  EXPECT_EQ(readImageFile(file("text.txt"), m_observer).code, ResultCode::BadFormat);
  std::ofstream(file("leer.bin")).flush();
  EXPECT_NE(readImageFile(file("leer.bin"), m_observer).code, ResultCode::Ok);
  EXPECT_EQ(readImageFile(file("fehlt.iso"), m_observer).code, ResultCode::CannotOpen);
  EXPECT_EQ(readImageFile(m_out.root(), m_observer).code, ResultCode::CannotOpen);
}

TEST_F(ImageReaderTest, MemoryAndFileReadsAgreeAndCancelStopsTheRead) {
  {
    ArchiveWriter writer(file("viele.zip"), ArchiveKind::Zip);
    for (int i = 0; i < 300; ++i)
      writer.add("d" + std::to_string(i % 7) + "/f" + std::to_string(i), "z");
  }
  std::ifstream in(file("viele.zip"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const std::span<const std::uint8_t> span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                           bytes.size());
  const ImageReadResult fromFile = readImageFile(file("viele.zip"), m_observer);
  const ImageReadResult fromMemory = readImageMemory(span, m_observer);
  ASSERT_EQ(fromFile.code, ResultCode::Ok);
  ASSERT_EQ(fromMemory.code, ResultCode::Ok);
  EXPECT_EQ(fromFile.contents.walk.fileCount, 300);
  EXPECT_EQ(fromMemory.contents.walk.fileCount, 300);
  EXPECT_EQ(fromFile.contents.walk.directoryCount, 7);
  CancelAfter cancelling;
  cancelling.cancelAt = 2;
  EXPECT_EQ(readImageFile(file("viele.zip"), cancelling).code, ResultCode::Cancelled);
}

TEST_F(ImageReaderTest, ImageLabelReadsOnlyIsoImages) {
  testing::archiveTree(m_tree.root(), file("probe.zip"), ArchiveKind::Zip);
  EXPECT_EQ(imageLabel(file("probe.zip")), "");
  EXPECT_EQ(imageLabel(file("fehlt.iso")), "");
  if (!testing::haveXorriso()) GTEST_SKIP() << "xorriso is not installed";
  ASSERT_TRUE(testing::makeIso(m_tree.root(), file("probe.iso"), "FOTOS"));
  EXPECT_EQ(imageLabel(file("probe.iso")), "FOTOS");
}

}  // namespace
}  // namespace diskindex::scan
