#include "diskindex/core/scan/volume_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diskindex/core/comment_file.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::scan {
namespace {

using testing::FakeDrive;
using testing::TempTree;

struct RecordingObserver : ScanObserver {
  bool readDescriptions = true;
  int cancelAtPoll = -1;
  int refuseInsertAt = -1;  // 1-based series prompt answered with Cancel
  int polls = 0;
  int prompts = 0;
  bool pollingDescriptions = false;
  bool cancelInDescriptions = false;
  std::vector<std::string> started;
  std::vector<ResultCode> failures;
  std::vector<int> writes;

  void writeProgress(int percent) override { writes.push_back(percent); }
  void descriptionProgress(int percent) override { pollingDescriptions = percent < 100; }
  bool askReadDescriptions() override { return readDescriptions; }
  bool cancelRequested() override {
    if (cancelInDescriptions) return pollingDescriptions;
    return ++polls == cancelAtPoll;
  }
  bool confirmInsertVolume(const std::string&) override { return ++prompts != refuseInsertAt; }
  void volumeStarted(const std::string& name) override { started.push_back(name); }
  void volumeFailed(ResultCode code, const std::filesystem::path&) override {
    failures.push_back(code);
  }
};

class VolumeScannerTest : public ::testing::Test {
 protected:
  VolumeScannerTest() : m_drives(testing::fakeDriveTable({{'E', drive()}})) {
    m_catalogue.setDataDirectory(m_data.root());
  }
  FakeDrive drive() {
    FakeDrive d;
    d.root = m_disc.root();
    d.label = "HANDBUCH_CD_1";
    d.space = {700000000, 0};
    return d;
  }
  VolumeHeader header(const std::string& name) {
    VolumeHeader h = freshHeader();
    h.driveLetter = 'E';
    h.driveType = 5;
    h.name = name;
    return h;
  }

  TempTree m_disc;
  TempTree m_data;
  Catalogue m_catalogue;
  platform::DriveTable m_drives;
};

TEST_F(VolumeScannerTest, ReadsADriveIntoADataFileWithItsVolumeInformation) {
  m_disc.file("A.TXT");
  m_disc.file("TOOLS/B.EXE");
  m_disc.file("TOOLS/SUB/C.DAT");
  RecordingObserver observer;
  VolumeHeader h = header("Werkzeuge");
  const auto dataFile = m_data.root() / "CD000001.DAT";
  const ReadDriveOutcome outcome = readDrive(m_drives, h, dataFile, observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_FALSE(outcome.descriptionsFound);
  VolumeHeader stored;
  ASSERT_EQ(readHeader(dataFile, stored), ResultCode::Ok);
  EXPECT_EQ(stored.directoryCount, 2);
  EXPECT_EQ(stored.fileCount, 3);
  EXPECT_EQ(stored.label, "HANDBUCH_CD");  // cut to 11 characters
  EXPECT_EQ(stored.capacity, 700000000);
  EXPECT_EQ(stored.freeSpace, 0);
  EXPECT_EQ(observer.writes.back(), 100);
  TOutlineDirList dirs;
  ASSERT_EQ(loadVolumeContents(dataFile, dirs), ResultCode::Ok);
  ASSERT_EQ(dirs.directoryCount(), 3u);
  EXPECT_EQ(dirs.path(2), "\\Tools\\Sub");  // display case of short names
  EXPECT_EQ(dirs.name(dirs.files(1)[0]), "B.exe");
}

TEST_F(VolumeScannerTest, StoresTheFileSystemIdOfAMountedDriveButNotOfAFolder) {
  m_disc.file("A.TXT");
  const FakeDrive stick = drive();
  const platform::DriveTable drives = testing::fakeDriveTable({{'E', stick}}, {{'E', "1C2B-7E0A"}});
  RecordingObserver observer;
  VolumeHeader h = header("Stick");
  const auto dataFile = m_data.root() / "CD000001.DAT";
  ASSERT_EQ(readDrive(drives, h, dataFile, observer).code, ResultCode::Ok);
  VolumeHeader stored;
  ASSERT_EQ(readHeader(dataFile, stored), ResultCode::Ok);
  EXPECT_EQ(stored.volumeId, platform::FileSystemId::fromUuidText("1C2B-7E0A"));
  // A folder inside that file system, mapped as a drive, is no volume of its own.
  m_disc.file("SUB/B.TXT");
  const platform::DriveTable folder(
      std::make_shared<testing::FakeMountSource>(std::map<char, FakeDrive>{{'E', stick}},
                                                 std::map<char, std::string>{{'E', "1C2B-7E0A"}}),
      {{'E', m_disc.root()}, {'F', m_disc.root() / "SUB"}});
  VolumeHeader f = header("Ordner");
  f.driveLetter = 'F';
  const auto folderFile = m_data.root() / "CD000002.DAT";
  ASSERT_EQ(readDrive(folder, f, folderFile, observer).code, ResultCode::Ok);
  ASSERT_EQ(readHeader(folderFile, stored), ResultCode::Ok);
  EXPECT_FALSE(stored.volumeId.known());
}

// The stick of drive(), answering for any folder on it with the stick's space.
class HostSpaceSource : public testing::FakeMountSource {
 public:
  using FakeMountSource::FakeMountSource;
  platform::SpaceInfo space(const std::filesystem::path&) const override {
    return {700000000, 123456};
  }
};

TEST_F(VolumeScannerTest, AFolderStoresItsOwnSizeAsCapacityAndTheHostsFreeSpace) {
  m_disc.file("A.TXT", "on the stick itself");
  m_disc.file("SUB/B.TXT", "12345");
  m_disc.file("SUB/DEEP/C.TXT", "1234567");
  const platform::DriveTable drives(
      std::make_shared<HostSpaceSource>(std::map<char, FakeDrive>{{'E', drive()}}),
      {{'E', m_disc.root()}, {'F', m_disc.root() / "SUB"}});
  RecordingObserver observer;
  VolumeHeader f = header("Ordner");
  f.driveLetter = 'F';
  const auto folderFile = m_data.root() / "CD000001.DAT";
  ASSERT_EQ(readDrive(drives, f, folderFile, observer).code, ResultCode::Ok);
  VolumeHeader stored;
  ASSERT_EQ(readHeader(folderFile, stored), ResultCode::Ok);
  EXPECT_EQ(stored.capacity, 12);
  EXPECT_EQ(stored.freeSpace, 123456);
  EXPECT_EQ(stored.spaceOf, SpaceOf::Folder);
  EXPECT_EQ(VolumeRecord::fromHeader(stored, folderFile).usedSpace(), 12);

  // The stick itself keeps the drive's own figures.
  VolumeHeader e = header("Stick");
  const auto stickFile = m_data.root() / "CD000002.DAT";
  ASSERT_EQ(readDrive(drives, e, stickFile, observer).code, ResultCode::Ok);
  ASSERT_EQ(readHeader(stickFile, stored), ResultCode::Ok);
  EXPECT_EQ(stored.capacity, 700000000);
  EXPECT_EQ(stored.spaceOf, SpaceOf::Drive);
  EXPECT_EQ(VolumeRecord::fromHeader(stored, stickFile).usedSpace(), 700000000 - 123456);
}

TEST(FolderSpace, SumsTheFullSizesOfTheFilesWalked) {
  WalkResult walk;
  walk.entries.push_back(WalkEntry{"BIG.ISO", {}, std::uint64_t{5} << 32, 0, 1, kAttrArchive});
  walk.entries.push_back(WalkEntry{"DIR", {}, 0, 0, 1, kAttrDirectory});
  walk.entries.push_back(WalkEntry{"A.TXT", {}, 10, 0, 2, kAttrArchive});
  VolumeHeader header = freshHeader();
  applyFolderSpace(header, walk, -1);
  EXPECT_EQ(header.capacity, (std::int64_t{5} << 32) + 10);
  EXPECT_EQ(header.freeSpace, -1);
  EXPECT_EQ(header.spaceOf, SpaceOf::Folder);
}

TEST_F(VolumeScannerTest, TheOutcomeCarriesWhatTheWalkPassedOver) {
  m_disc.file("A.TXT");
  m_disc.file("DIR/B.TXT");
  std::filesystem::create_directory_symlink("DIR", m_disc.root() / "LINK");
  RecordingObserver observer;
  VolumeHeader h = header("Links");
  const ReadDriveOutcome outcome = readDrive(m_drives, h, m_data.root() / "CD000001.DAT", observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_EQ(outcome.passedOver.directoryLinks, 1);
}

TEST_F(VolumeScannerTest, LongAndNonUtf8NamesAreStoredAndLoadedAgain) {
  const std::string longName = std::string(251, 'n') + ".txt";  // 255 bytes
  m_disc.file(longName);
  m_disc.file("caf\xE9.txt");
  m_disc.file(std::string(120, 'x') + "\xE3\x81\x82.txt");  // a character outside Windows-1252
  RecordingObserver observer;
  VolumeHeader h = header("Namen");
  const auto dataFile = m_data.root() / "CD000001.DAT";
  ASSERT_EQ(readDrive(m_drives, h, dataFile, observer).code, ResultCode::Ok);
  TOutlineDirList dirs;
  ASSERT_EQ(loadVolumeContents(dataFile, dirs), ResultCode::Ok);
  std::vector<std::string> names;
  for (const FileItem& f : dirs.files(0)) names.emplace_back(dirs.name(f));
  EXPECT_EQ(names, (std::vector<std::string>{"caf\xC3\xA9.txt", longName,
                                             std::string(120, 'x') + "\xE3\x81\x82.txt"}));
}

TEST_F(VolumeScannerTest, EmptyOrUnknownDriveIsNotReadyAndWritesNothing) {
  RecordingObserver observer;
  VolumeHeader h = header("Leer");
  const auto dataFile = m_data.root() / "CD000001.DAT";
  EXPECT_EQ(readDrive(m_drives, h, dataFile, observer).code, ResultCode::DriveNotReady);
  h.driveLetter = 'Q';
  EXPECT_EQ(readDrive(m_drives, h, dataFile, observer).code, ResultCode::DriveNotReady);
  EXPECT_EQ(h.label, "");
  EXPECT_EQ(h.capacity, -1);
  EXPECT_FALSE(std::filesystem::exists(dataFile));
}

TEST_F(VolumeScannerTest, CancelDuringTheWalkWritesNothing) {
  m_disc.file("A/X.TXT");
  m_disc.file("B/Y.TXT");
  RecordingObserver observer;
  observer.cancelAtPoll = 2;
  const AddOutcome outcome = addVolumes(m_catalogue, m_drives, header("Abbruch"), 0, observer);
  EXPECT_EQ(outcome.lastCode, ResultCode::Cancelled);
  EXPECT_TRUE(outcome.added.empty());
  EXPECT_EQ(observer.failures, std::vector<ResultCode>{ResultCode::Cancelled});
  EXPECT_TRUE(std::filesystem::is_empty(m_data.root()));
  EXPECT_TRUE(m_catalogue.volumes().empty());
}

TEST_F(VolumeScannerTest, DescriptionsBecomeTheCommentFileWhenWanted) {
  m_disc.file("README.TXT");
  m_disc.file("FILES.BBS", "README.TXT  Hinweise\r\n");
  RecordingObserver observer;
  const AddOutcome outcome = addVolumes(m_catalogue, m_drives, header("Mit Text"), 0, observer);
  ASSERT_EQ(outcome.added.size(), 1u);
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(outcome.added[0]), remarks), ResultCode::Ok);
  ASSERT_EQ(remarks.size(), 1u);
  EXPECT_EQ(remarks.find({1, 1}).value_or(""), "Hinweise");
}

TEST_F(VolumeScannerTest, DeclinedDescriptionsRemoveAnOldCommentFileOfTheSameStem) {
  m_disc.file("README.TXT");
  m_disc.file("FILES.BBS", "README.TXT  Hinweise\r\n");
  const auto dataFile = m_data.root() / "CD000001.DAT";
  m_data.file("CD000001.CMT", "KT old remarks");
  RecordingObserver observer;
  observer.readDescriptions = false;
  VolumeHeader h = header("Ohne Text");
  const ReadDriveOutcome outcome = readDrive(m_drives, h, dataFile, observer);
  EXPECT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_TRUE(outcome.descriptionsFound);
  EXPECT_FALSE(outcome.descriptionsRead);
  EXPECT_FALSE(std::filesystem::exists(commentFileFor(dataFile)));
}

TEST_F(VolumeScannerTest, CancelDuringDescriptionsKeepsTheVolumeWithoutRemarks) {
  m_disc.file("README.TXT");
  m_disc.file("FILES.BBS", "README.TXT  Hinweise\r\n");
  RecordingObserver observer;
  observer.cancelInDescriptions = true;
  VolumeHeader h = header("Halb");
  const auto dataFile = m_data.root() / "CD000001.DAT";
  const ReadDriveOutcome outcome = readDrive(m_drives, h, dataFile, observer);
  EXPECT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_EQ(outcome.remarksCode, ResultCode::Cancelled);
  EXPECT_TRUE(std::filesystem::exists(dataFile));
  EXPECT_FALSE(std::filesystem::exists(commentFileFor(dataFile)));
}

TEST_F(VolumeScannerTest, SeriesAsksForEachVolumeAndCancelKeepsTheOnesRead) {
  m_disc.file("KAPITEL.TXT");
  RecordingObserver observer;
  observer.refuseInsertAt = 2;
  const AddOutcome outcome =
      addVolumes(m_catalogue, m_drives, header("Handbuch %1 von %2"), 3, observer);
  EXPECT_TRUE(outcome.seriesEnded);
  ASSERT_EQ(outcome.added.size(), 1u);
  EXPECT_EQ(outcome.added[0].filename(), "CD000001.DAT");
  ASSERT_EQ(m_catalogue.volumes().size(), 1u);
  EXPECT_EQ(m_catalogue.volumes()[0].name, "Handbuch 1 von 3");
  EXPECT_EQ(observer.prompts, 2);
}

TEST_F(VolumeScannerTest, FullSeriesAddsEveryVolumeUnderItsOwnFile) {
  m_disc.file("KAPITEL.TXT");
  RecordingObserver observer;
  const AddOutcome outcome = addVolumes(m_catalogue, m_drives, header("Handbuch"), 3, observer);
  EXPECT_EQ(observer.started,
            (std::vector<std::string>{"Handbuch 1/3", "Handbuch 2/3", "Handbuch 3/3"}));
  ASSERT_EQ(outcome.added.size(), 3u);
  EXPECT_EQ(outcome.added[2].filename(), "CD000003.DAT");
  EXPECT_EQ(m_catalogue.volumes().size(), 3u);
  EXPECT_EQ(m_catalogue.volumes()[1].label, "HANDBUCH_CD");
}

}  // namespace
}  // namespace diskindex::scan
