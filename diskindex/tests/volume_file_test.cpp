#include "diskindex/core/volume_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "diskindex/tests/test_files.h"
#include "platform/little_endian.h"

namespace diskindex {
namespace {

using test::dir;
using test::file;

struct ProgressLog : ProgressObserver {
  std::vector<int> values;
  void progress(int percent) override { values.push_back(percent); }
};

// What the directory list must hold for a walk, derived independently: one
// directory per directory entry, each with the files that follow it.
struct ExpectedDir {
  std::uint8_t level;
  std::string name;
  std::vector<std::string> files;
};

std::vector<ExpectedDir> expectedTree(const std::vector<EntryRecord>& walk) {
  std::vector<ExpectedDir> dirs{{0, "\\", {}}};
  for (const EntryRecord& e : walk) {
    if (e.isDirectory()) {
      dirs.push_back({e.level, displayName(e.name, e.attributes), {}});
    } else {
      dirs.back().files.push_back(displayName(e.name, e.attributes));
    }
  }
  return dirs;
}

void expectTree(const TOutlineDirList& list, const std::vector<EntryRecord>& walk) {
  const std::vector<ExpectedDir> expected = expectedTree(walk);
  ASSERT_EQ(list.directoryCount(), expected.size());
  for (std::size_t d = 0; d < expected.size(); ++d) {
    EXPECT_EQ(list.level(d), expected[d].level) << "directory " << d;
    EXPECT_EQ(list.directoryName(d), expected[d].name) << "directory " << d;
    const auto files = list.files(d);
    ASSERT_EQ(files.size(), expected[d].files.size()) << "directory " << d;
    for (std::size_t f = 0; f < files.size(); ++f) {
      EXPECT_EQ(list.name(files[f]), expected[d].files[f]);
    }
  }
}

TEST(VolumeFile, RoundTripKeepsTreeAcrossManyLoadBlocks) {
  test::TempDir tmp;
  const auto walk = test::generatedWalk(1200, 8);  // well over five 32,000-byte blocks
  VolumeHeader header = test::sampleHeader("Big");
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk), ResultCode::Ok);
  EXPECT_EQ(header.directoryCount, 1200);
  EXPECT_EQ(header.fileCount, 1200 * 8 + 3);
  ASSERT_GT(std::filesystem::file_size(tmp / "CD000001.DAT"), 5 * kLoadBlockSize);

  TOutlineDirList list;
  VolumeHeader loaded;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list, loaded), ResultCode::Ok);
  expectTree(list, walk);
  EXPECT_EQ(loaded, header);
  // The in-memory reader takes the same blocks from the same bytes.
  TOutlineDirList fromMemory;
  VolumeHeader memoryHeader;
  const auto bytes = test::readAll(tmp / "CD000001.DAT");
  ASSERT_EQ(parseVolumeContents(bytes, fromMemory, memoryHeader), ResultCode::Ok);
  expectTree(fromMemory, walk);
  const FileItem& last = list.files(1200).back();
  EXPECT_EQ(last.size, 1199u * 1000 + 7);
  EXPECT_EQ(last.dosDateTime, 0x5A214C00u + 7);
  EXPECT_EQ(last.attributes, attributes::kArchive);
}

TEST(VolumeFile, RootWithFilesOnlyGivesRootAlone) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Flat");
  const std::vector<EntryRecord> walk{file(1, "A.TXT"), file(1, "B.TXT")};
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk), ResultCode::Ok);
  EXPECT_EQ(header.directoryCount, 0);
  TOutlineDirList list;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list), ResultCode::Ok);
  ASSERT_EQ(list.directoryCount(), 1u);
  EXPECT_EQ(list.directoryName(0), "\\");
  EXPECT_EQ(list.files(0).size(), 2u);
  EXPECT_EQ(list.name(list.files(0)[1]), "B.txt");
}

// A directory whose contents could not be read keeps its mark through the
// file; the record layout is the same, so older readers see an empty one.
TEST(VolumeFile, UnreadableDirectoryMarkSurvivesTheFile) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Teilweise");
  EntryRecord locked{1, "PRIVAT", 0, 0, attributes::kDirectory | attributes::kUnreadable};
  const std::vector<EntryRecord> walk{file(1, "A.TXT"), locked,
                                      EntryRecord{1, "OFFEN", 0, 0, attributes::kDirectory},
                                      file(2, "B.TXT")};
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk), ResultCode::Ok);
  TOutlineDirList list;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list), ResultCode::Ok);
  ASSERT_EQ(list.directoryCount(), 3u);
  EXPECT_FALSE(list.directory(0).unreadable);
  EXPECT_TRUE(list.directory(1).unreadable);
  EXPECT_EQ(list.directoryName(1), "Privat");
  EXPECT_FALSE(list.directory(2).unreadable);
  EXPECT_EQ(list.files(2).size(), 1u);
}

TEST(VolumeFile, DisplayCaseLowersShortNamesOnly) {
  EXPECT_EQ(displayName("README.TXT", 0), "Readme.txt");
  EXPECT_EQ(displayName("My Pictures", attributes::kLongName), "My Pictures");
  EXPECT_EQ(displayName("ÄRGER.TXT", 0), "Ärger.txt");
  EXPECT_EQ(displayName("GRÖSSE.DOC", 0), "Grösse.doc");
  EXPECT_EQ(displayName("X", 0), "X");

  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Case");
  const std::vector<EntryRecord> walk{file(1, "README.TXT"), dir(1, "ÜBUNGEN"),
                                      file(2, "Mixed Case.txt", 1, 0, attributes::kLongName)};
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk), ResultCode::Ok);
  EXPECT_FALSE(header.utf8);
  TOutlineDirList list;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list), ResultCode::Ok);
  EXPECT_EQ(list.name(list.files(0)[0]), "Readme.txt");
  EXPECT_EQ(list.directoryName(1), "Übungen");
  EXPECT_EQ(list.name(list.files(1)[0]), "Mixed Case.txt");
}

TEST(VolumeFile, DamagedFilesGiveTheirCodesAndAnEmptyList) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Damaged");
  const auto path = tmp / "CD000001.DAT";
  ASSERT_EQ(createVolume(path, header, test::generatedWalk(30, 3)), ResultCode::Ok);
  const std::vector<std::uint8_t> good = test::readAll(path);
  TOutlineDirList list;

  test::writeAll(path, std::vector<std::uint8_t>(good.begin(), good.end() - 3));  // entry cut off
  EXPECT_EQ(loadVolumeContents(path, list), ResultCode::CannotRead);
  EXPECT_TRUE(list.empty());

  test::writeAll(path, std::vector<std::uint8_t>(good.begin(), good.begin() + 500));
  EXPECT_EQ(loadVolumeContents(path, list), ResultCode::CannotRead);

  std::vector<std::uint8_t> badMagic = good;
  badMagic[1] = 'X';
  test::writeAll(path, badMagic);
  EXPECT_EQ(loadVolumeContents(path, list), ResultCode::BadFormat);

  std::vector<std::uint8_t> oldMagic = good;
  oldMagic[1] = 'T';
  test::writeAll(path, oldMagic);
  EXPECT_EQ(loadVolumeContents(path, list), ResultCode::BadFormat);

  EXPECT_EQ(loadVolumeContents(tmp / "CD000099.DAT", list), ResultCode::CannotOpen);
  VolumeHeader ignored;
  EXPECT_EQ(readHeader(tmp / "CD000099.DAT", ignored), ResultCode::CannotOpen);
}

TEST(VolumeFile, HeaderClaimingHugeCountsDoesNotMatter) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Liar");
  header.directoryCount = 0x7FFFFFFF;
  header.fileCount = 0x7FFFFFFF;
  test::writeVolume(tmp / "CD000001.DAT", header, {dir(1, "A"), file(2, "B.TXT")});
  TOutlineDirList list;
  ProgressLog progress;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list, &progress), ResultCode::Ok);
  EXPECT_EQ(list.directoryCount(), 2u);
  EXPECT_EQ(progress.values, std::vector<int>{100});
}

TEST(VolumeFile, TextsOutsideWindows1252MakeTheVolumeUtf8) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Ωmega 東京");
  const std::vector<EntryRecord> walk{file(1, "Größe.txt", 1, 0, attributes::kLongName),
                                      file(1, "README.TXT"), file(1, "ÜBER.TXT"),
                                      dir(1, "Ελληνικά", attributes::kLongName)};
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk), ResultCode::Ok);
  EXPECT_TRUE(header.utf8);
  const auto bytes = test::readAll(tmp / "CD000001.DAT");
  EXPECT_EQ(std::string(bytes.begin() + 452, bytes.begin() + 456), "UTF8");
  TOutlineDirList list;
  VolumeHeader loaded;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list, loaded), ResultCode::Ok);
  EXPECT_EQ(loaded.name, "Ωmega 東京");
  EXPECT_EQ(list.name(list.files(0)[0]), "Größe.txt");
  EXPECT_EQ(list.name(list.files(0)[1]), "Readme.txt");
  EXPECT_EQ(list.name(list.files(0)[2]), "Über.txt");
  EXPECT_EQ(list.directoryName(1), "Ελληνικά");
}

TEST(VolumeFile, Windows1252VolumeStoresSingleBytesAndNoMark) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Bücher");
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, std::vector<EntryRecord>{file(1, "Ä.TXT")}),
            ResultCode::Ok);
  EXPECT_FALSE(header.utf8);
  const auto bytes = test::readAll(tmp / "CD000001.DAT");
  EXPECT_EQ(bytes[header_layout::kName + 1], 0xFC);  // ü
  EXPECT_EQ(std::string(bytes.begin() + 452, bytes.begin() + 456), std::string(4, '\0'));
  EXPECT_EQ(bytes[512 + 1], 5);  // "Ä.TXT" is five bytes
  EXPECT_EQ(bytes[512 + 11], 0xC4);
}

TEST(VolumeFile, LargeSizesAreClampedAndKeptIn64Bits) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Large");
  header.capacity = 5'000'000'000'000;
  header.freeSpace = 3'000'000'000;
  const std::vector<EntryRecord> walk{file(1, "HUGE.ISO", (std::uint64_t{4} << 30) + 5),
                                      file(1, "EXACT.ISO", std::uint64_t{4} << 30),
                                      file(1, "BELOW.ISO", 0xFFFFFFFEu)};
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk), ResultCode::Ok);
  const auto bytes = test::readAll(tmp / "CD000001.DAT");
  EXPECT_EQ(platform::le::readI32(bytes, header_layout::kCapacity), 2147483647);
  EXPECT_EQ(platform::le::readI32(bytes, header_layout::kFreeSpace), 2147483647);
  EXPECT_EQ(platform::le::readU64(bytes, header_layout::kCapacity64), 5'000'000'000'000u);
  EXPECT_EQ(platform::le::readU64(bytes, header_layout::kFreeSpace64), 3'000'000'000u);

  TOutlineDirList list;
  VolumeHeader loaded;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list, loaded), ResultCode::Ok);
  EXPECT_EQ(loaded.capacity, 5'000'000'000'000);
  EXPECT_EQ(loaded.freeSpace, 3'000'000'000);
  EXPECT_EQ(list.files(0)[0].size, 0xFFFFFFFFu);
  EXPECT_EQ(list.files(0)[1].size, 0xFFFFFFFFu);
  EXPECT_EQ(list.files(0)[2].size, 0xFFFFFFFEu);
}

TEST(VolumeFile, TheFolderMarkRoundTripsAndIsAbsentForDrives) {
  VolumeHeader header = test::sampleHeader("Ordner");
  header.spaceOf = SpaceOf::Folder;
  const HeaderBytes folder = encodeHeader(header, false);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&folder[header_layout::kFolderMark]), 4),
            "FOLD");
  EXPECT_EQ(decodeHeader(folder).spaceOf, SpaceOf::Folder);
  header.spaceOf = SpaceOf::Drive;
  const HeaderBytes drive = encodeHeader(header, true);
  for (std::size_t i = header_layout::kFolderMark; i < header_layout::kSize; ++i) {
    EXPECT_EQ(drive[i], 0) << "byte " << i << " of the tail stays zero";
  }
  EXPECT_EQ(decodeHeader(drive).spaceOf, SpaceOf::Drive);
}

TEST(VolumeFile, SmallAndUnknownSizesLeaveThe64BitFieldsZero) {
  VolumeHeader header = test::sampleHeader("Small");
  header.capacity = -1;
  header.freeSpace = 1474560;
  const HeaderBytes bytes = encodeHeader(header, false);
  EXPECT_EQ(platform::le::readI32(bytes, header_layout::kCapacity), -1);
  EXPECT_EQ(platform::le::readU64(bytes, header_layout::kCapacity64), 0u);
  EXPECT_EQ(platform::le::readU64(bytes, header_layout::kFreeSpace64), 0u);
  const VolumeHeader decoded = decodeHeader(bytes);
  EXPECT_EQ(decoded.capacity, -1);
  EXPECT_EQ(decoded.freeSpace, 1474560);
  EXPECT_EQ(bytes[header_layout::kByteOne], 1);
  EXPECT_EQ(bytes[header_layout::kByteEleven], 11);
}

TEST(VolumeFile, OverlongTextsAreCutToTheirFields) {
  VolumeHeader header = test::sampleHeader(std::string(60, 'N'));
  header.label = "ABCDEFGHIJKLMNOP";
  EXPECT_EQ(decodeHeader(encodeHeader(header, false)).name, std::string(50, 'N'));
  EXPECT_EQ(decodeHeader(encodeHeader(header, false)).label, "ABCDEFGHIJK");
  header.name = std::string(49, 'x') + "東";  // three bytes do not fit after 49
  EXPECT_EQ(decodeHeader(encodeHeader(header, true)).name, std::string(49, 'x'));
}

TEST(VolumeFile, CreatedHeaderHoldsItsTextsAsStored) {
  // Umlauts fit Windows-1252, but an entry name that does not makes the
  // volume UTF-8, where the 40 umlauts of the name take 80 bytes.
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Umlaute");
  header.name = std::string(10, 'n');
  for (int i = 0; i < 40; ++i) header.name += "ü";
  header.remark = std::string(254, 'r') + "é";
  const std::vector<EntryRecord> walk{file(1, "Ωmega.txt", 1, 0, attributes::kLongName)};
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk), ResultCode::Ok);
  ASSERT_TRUE(header.utf8);
  std::string expected(10, 'n');
  for (int i = 0; i < 20; ++i) expected += "ü";
  EXPECT_EQ(header.name, expected);
  EXPECT_EQ(header.remark, std::string(254, 'r'));
  VolumeHeader loaded;
  ASSERT_EQ(readHeader(tmp / "CD000001.DAT", loaded), ResultCode::Ok);
  EXPECT_EQ(loaded.name, header.name);
  EXPECT_EQ(loaded.remark, header.remark);
}

TEST(VolumeFile, EmptyWalkGivesNotReadyAndNoFile) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Empty");
  EXPECT_EQ(createVolume(tmp / "CD000001.DAT", header, {}), ResultCode::DriveNotReady);
  EXPECT_FALSE(std::filesystem::exists(tmp / "CD000001.DAT"));
}

TEST(VolumeFile, OldCommentFileIsRemovedOrTheNewDataFileGoes) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Stale");
  test::writeAll(tmp / "CD000001.CMT", {'K', 'T'});
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, std::vector<EntryRecord>{file(1, "A")}),
            ResultCode::Ok);
  EXPECT_FALSE(std::filesystem::exists(tmp / "CD000001.CMT"));

  std::filesystem::create_directories(tmp / "CD000002.CMT" / "inside");
  EXPECT_EQ(createVolume(tmp / "CD000002.DAT", header, std::vector<EntryRecord>{file(1, "A")}),
            ResultCode::CommentNotRemovable);
  EXPECT_FALSE(std::filesystem::exists(tmp / "CD000002.DAT"));
}

TEST(VolumeFile, ProgressIsReportedWhileWritingAndLoading) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Progress");
  const auto walk = test::generatedWalk(40, 0);  // 3 root files + 40 directories
  ProgressLog writing;
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk, &writing), ResultCode::Ok);
  EXPECT_EQ(writing.values, (std::vector<int>{0, 23, 47, 71, 95, 100}));
  ProgressLog loading;
  TOutlineDirList list;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list, &loading), ResultCode::Ok);
  EXPECT_EQ(loading.values, (std::vector<int>{25, 50, 75, 100, 100}));
}

TEST(VolumeFile, RewriteHeaderChangesOnlyTheHeader) {
  test::TempDir tmp;
  const auto path = tmp / "CD000001.DAT";
  VolumeHeader header = test::sampleHeader("Before");
  ASSERT_EQ(createVolume(path, header, test::generatedWalk(5, 2)), ResultCode::Ok);
  const auto before = test::readAll(path);
  header.name = "After";
  header.category = "Spiele";
  ASSERT_EQ(rewriteHeader(path, header), ResultCode::Ok);
  const auto after = test::readAll(path);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_TRUE(std::equal(before.begin() + 512, before.end(), after.begin() + 512));
  VolumeHeader read;
  ASSERT_EQ(readHeader(path, read), ResultCode::Ok);
  EXPECT_EQ(read.name, "After");
  EXPECT_EQ(read.category, "Spiele");
  EXPECT_EQ(rewriteHeader(tmp / "CD000002.DAT", header), ResultCode::CannotOpen);
}

TEST(VolumeFile, RewriteHeaderNeedingUtf8ConvertsTheEntriesToo) {
  test::TempDir tmp;
  const auto path = tmp / "CD000001.DAT";
  VolumeHeader header = test::sampleHeader("Plain");
  ASSERT_EQ(
      createVolume(path, header,
                   std::vector<EntryRecord>{dir(1, "MÜLL"), file(2, "Größe.txt", 7, 0, 0x80)}),
      ResultCode::Ok);
  ASSERT_FALSE(header.utf8);
  header.remark = "Заметка";
  ASSERT_EQ(rewriteHeader(path, header), ResultCode::Ok);
  TOutlineDirList list;
  VolumeHeader loaded;
  ASSERT_EQ(loadVolumeContents(path, list, loaded), ResultCode::Ok);
  EXPECT_TRUE(loaded.utf8);
  EXPECT_EQ(loaded.remark, "Заметка");
  EXPECT_EQ(list.directoryName(1), "Müll");
  EXPECT_EQ(list.name(list.files(1)[0]), "Größe.txt");
  EXPECT_EQ(list.files(1)[0].size, 7u);
}

TEST(VolumeFile, FileSystemIdSitsAtItsOffsetAndSurvivesEveryHeaderRewrite) {
  test::TempDir tmp;
  const auto path = tmp / "CD000001.DAT";
  VolumeHeader header = test::sampleHeader("Stick");
  header.volumeId = platform::FileSystemId::fromUuidText("9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12");
  ASSERT_EQ(createVolume(path, header, test::generatedWalk(3, 2)), ResultCode::Ok);
  const auto bytes = test::readAll(path);
  EXPECT_EQ(bytes[472], 0x9F);
  EXPECT_EQ(bytes[487], 0x12);
  EXPECT_EQ(bytes[488], 0);
  const auto idAfter = [&] {
    VolumeHeader read;
    EXPECT_EQ(readHeader(path, read), ResultCode::Ok);
    return read.volumeId;
  };
  header.name = "Stick neu";
  ASSERT_EQ(rewriteHeader(path, header), ResultCode::Ok);
  EXPECT_EQ(idAfter(), header.volumeId);
  ASSERT_EQ(rewriteCategory(path, "Fotos", nullptr), ResultCode::Ok);
  EXPECT_EQ(idAfter(), header.volumeId);
  ASSERT_EQ(rewriteCategory(path, "Фото", nullptr), ResultCode::Ok);  // converts to UTF-8
  EXPECT_EQ(idAfter(), header.volumeId);
  header.remark = "Заметка";
  ASSERT_EQ(rewriteHeader(path, header), ResultCode::Ok);
  EXPECT_EQ(idAfter(), header.volumeId);
}

TEST(VolumeFile, VolumeWithoutFileSystemIdKeepsTheHeaderTailZero) {
  test::TempDir tmp;
  const auto path = tmp / "CD000001.DAT";
  VolumeHeader header = test::sampleHeader("Ordner");
  ASSERT_EQ(createVolume(path, header, test::generatedWalk(2, 1)), ResultCode::Ok);
  const auto bytes = test::readAll(path);
  EXPECT_TRUE(std::all_of(bytes.begin() + 472, bytes.begin() + 512, [](auto b) { return b == 0; }));
  VolumeHeader read;
  ASSERT_EQ(readHeader(path, read), ResultCode::Ok);
  EXPECT_FALSE(read.volumeId.known());
}

TEST(VolumeFile, DirectoryPathsAndParentsFollowLevels) {
  test::TempDir tmp;
  VolumeHeader header = test::sampleHeader("Paths");
  const std::vector<EntryRecord> walk{dir(1, "A", 0x80), dir(2, "B", 0x80), dir(3, "C", 0x80),
                                      dir(2, "D", 0x80), dir(1, "E", 0x80), dir(3, "F", 0x80)};
  ASSERT_EQ(createVolume(tmp / "CD000001.DAT", header, walk), ResultCode::Ok);
  TOutlineDirList list;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list), ResultCode::Ok);
  EXPECT_EQ(list.path(0), "\\");
  EXPECT_EQ(list.path(3), "\\A\\B\\C");
  EXPECT_EQ(list.path(4), "\\A\\D");
  EXPECT_EQ(list.parent(4), 1u);
  EXPECT_EQ(list.parent(5), 0u);
  EXPECT_EQ(list.parent(0), TOutlineDirList::npos);
  EXPECT_EQ(list.parent(6), 5u);  // a level skipped below E still hangs under E
  EXPECT_EQ(list.path(6), "\\E\\F");
}

}  // namespace
}  // namespace diskindex
