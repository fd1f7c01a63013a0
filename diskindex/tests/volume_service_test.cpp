#include "diskindex/core/volume_service.h"

#include <gtest/gtest.h>


#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/scan/image_reader.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/image_files.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/tests/test_files.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using scan::testing::TempTree;

class QuietScan : public scan::ScanObserver {};

// Answers the add dialog's questions and remembers which were asked.
class DialogAnswers : public scan::DialogQuestions {
 public:
  bool confirmOtherDriveType() override { return true; }
  void nameTaken(const std::string& name) override { taken.push_back(name); }
  bool confirmSameLabel(const std::string& label) override {
    labels.push_back(label);
    return sameLabelYes;
  }
  std::vector<std::string> taken;
  std::vector<std::string> labels;
  bool sameLabelYes = true;
};

class VolumeServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_tmp / "data");
    m_env.settingsFile = m_tmp / "config" / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
    m_env.dataDirectory = m_tmp / "data";
    m_disc.file("A.TXT", "a");
    m_disc.file("SUB/B.TXT", "b");
    m_session = std::make_unique<CatalogueSession>(m_env);
    SessionObserver quiet;
    ASSERT_EQ(m_session->start(quiet), ResultCode::Ok);
  }
  VolumeService& volumes() { return m_session->volumeService(); }
  static scan::DialogValues values(const std::string& name, const std::string& category = {}) {
    scan::DialogValues v;
    v.driveLetter = 'C';
    v.name = name;
    v.category = category;
    return v;
  }
  platform::DriveTable drives() const {
    return scan::testing::fakeDriveTable(
        {{'E', scan::testing::FakeDrive{m_disc.root(), "iso9660", "DISC"}}});
  }

  test::TempDir m_tmp;
  TempTree m_disc;
  SessionEnvironment m_env;
  std::unique_ptr<CatalogueSession> m_session;
};

TEST_F(VolumeServiceTest, AddFromADriveTableReadsThatLetterAndRemembersDriveAndCategory) {
  QuietScan observer;
  const AddResult added = volumes().add(
      AddRequest{values("Sicherung", "Archiv"), AddFromDrive{drives(), 'E', 0}}, observer);
  ASSERT_TRUE(added.lastAdded);
  const VolumeRecord& volume = m_session->volumes()[*added.lastAdded];
  EXPECT_EQ(volume.name, "Sicherung");
  EXPECT_EQ(volume.driveLetter, 'E');
  EXPECT_EQ(volume.fileCount, 2);
  EXPECT_EQ(m_session->state().settings.drive, 'E');
  EXPECT_EQ(m_session->state().categories.names(), (std::vector<std::string>{"Archiv"}));
}

TEST_F(VolumeServiceTest, AddFromAFolderReadsItUnderALetterOfItsOwn) {
  QuietScan observer;
  const AddResult added =
      volumes().add(AddRequest{values("Ordner"), AddFromFolder{m_disc.root()}}, observer);
  ASSERT_TRUE(added.lastAdded);
  const VolumeRecord& volume = m_session->volumes()[*added.lastAdded];
  EXPECT_EQ(volume.fileCount, 2);
  EXPECT_EQ(volume.directoryCount, 1);
  EXPECT_GE(volume.driveLetter, 'D') << "a free letter was given to the folder";
  ASSERT_TRUE(added.folder);
  EXPECT_EQ(added.folder->status, scan::FolderDriveStatus::Assigned);
  EXPECT_EQ(added.folder->letter, volume.driveLetter);

  const AddResult missing =
      volumes().add(AddRequest{values("Fehlt"), AddFromFolder{m_tmp / "fehlt"}}, observer);
  EXPECT_FALSE(missing.lastAdded);
  EXPECT_EQ(missing.outcome.lastCode, ResultCode::DriveNotReady);
  ASSERT_TRUE(missing.folder);
  EXPECT_EQ(missing.folder->status, scan::FolderDriveStatus::NotAFolder);
  EXPECT_EQ(missing.folder->folder, m_tmp / "fehlt");
  EXPECT_EQ(m_session->volumes().size(), 1u);
}

// The letter is recorded in [Drives], so that another session (after a
// restart, or another program) finds the folder under it; the same folder
// read again keeps its letter.
TEST_F(VolumeServiceTest, AFolderLetterIsRecordedAndResolvesInTheNextSession) {
  QuietScan observer;
  const AddResult added =
      volumes().add(AddRequest{values("Ordner"), AddFromFolder{m_disc.root()}}, observer);
  ASSERT_TRUE(added.lastAdded);
  const char letter = m_session->volumes()[*added.lastAdded].driveLetter;
  const platform::IniFile settings(m_env.settingsFile);
  EXPECT_EQ(settings.readString("Drives", std::string(1, letter)),
            fs::weakly_canonical(m_disc.root()).string());

  m_session = std::make_unique<CatalogueSession>(m_env);
  SessionObserver quiet;
  ASSERT_EQ(m_session->start(quiet), ResultCode::Ok);
  const auto root = volumes().driveTable().root(letter);
  ASSERT_TRUE(root);
  EXPECT_EQ(fs::weakly_canonical(*root), fs::weakly_canonical(m_disc.root()));

  const AddResult again =
      volumes().add(AddRequest{values("Noch einmal"), AddFromFolder{m_disc.root()}}, observer);
  ASSERT_TRUE(again.lastAdded);
  EXPECT_EQ(again.folder->status, scan::FolderDriveStatus::Existing);
  EXPECT_EQ(m_session->volumes()[*again.lastAdded].driveLetter, letter);
  EXPECT_EQ(platform::IniFile(m_env.settingsFile).keys("Drives").size(), 1u);
}

// A folder volume stores its own size as capacity, marked as a folder's.
TEST_F(VolumeServiceTest, AFolderVolumesCapacityIsTheSizeOfItsFiles) {
  QuietScan observer;
  const AddResult added =
      volumes().add(AddRequest{values("Ordner"), AddFromFolder{m_disc.root()}}, observer);
  ASSERT_TRUE(added.lastAdded);
  const VolumeRecord& volume = m_session->volumes()[*added.lastAdded];
  EXPECT_EQ(volume.spaceOf, SpaceOf::Folder);
  EXPECT_EQ(volume.capacity, 2);  // "a" and "b"
}

// "&Ordner ..." in the change dialog moves the volume to the folder's letter.
TEST_F(VolumeServiceTest, ChangingToAFolderGivesTheVolumeTheFoldersRecordedLetter) {
  QuietScan observer;
  ASSERT_TRUE(volumes()
                  .add(AddRequest{values("Beta"), AddFromDrive{drives(), 'E', 0}}, observer)
                  .lastAdded);
  const HeaderResult read = volumes().readHeader(0);
  ASSERT_EQ(read.code, ResultCode::Ok);
  scan::DialogValues changed = scan::valuesForChanging(read.header);
  TempTree other;
  changed.folder = other.root();
  const ChangeResult result = volumes().change(ChangeRequest{0, read.header, changed, drives()});
  ASSERT_EQ(result.code, ResultCode::Ok);
  ASSERT_TRUE(result.folder);
  const char letter = m_session->volumes()[0].driveLetter;
  EXPECT_EQ(letter, result.folder->letter);
  EXPECT_EQ(platform::IniFile(m_env.settingsFile).readString("Drives", std::string(1, letter)),
            fs::weakly_canonical(other.root()).string());
}

TEST_F(VolumeServiceTest, AddFromAnImageKeepsTheDialogsLetterAndTheArchiveType) {
  TempTree images;
  scan::testing::archiveTree(m_disc.root(), images.root() / "disc.zip",
                             scan::testing::ArchiveKind::Zip);
  QuietScan observer;
  scan::DialogValues v = values("Abbild");
  v.driveLetter = 'F';
  const AddResult added =
      volumes().add(AddRequest{v, AddFromImage{images.root() / "disc.zip"}}, observer);
  ASSERT_TRUE(added.lastAdded);
  const VolumeRecord& volume = m_session->volumes()[*added.lastAdded];
  EXPECT_EQ(volume.fileCount, 2);
  EXPECT_EQ(volume.driveLetter, 'F');
  EXPECT_EQ(volume.driveType, scan::kArchiveDriveType);
  EXPECT_NE(m_session->state().settings.drive, 'F') << "an image is no drive to remember";
}

TEST_F(VolumeServiceTest, TheSourceOfTheDialogsValuesIsTheImageWhenOneIsNamed) {
  scan::DialogValues v = values("X");
  v.driveLetter = 'E';
  const AddSource drive = VolumeService::sourceOf(v, drives(), 3);
  ASSERT_TRUE(std::holds_alternative<AddFromDrive>(drive));
  EXPECT_EQ(std::get<AddFromDrive>(drive).letter, 'E');
  EXPECT_EQ(std::get<AddFromDrive>(drive).seriesCount, 3);
  v.imageFile = "/tmp/disc.iso";
  const AddSource image = VolumeService::sourceOf(v, drives(), 3);
  ASSERT_TRUE(std::holds_alternative<AddFromImage>(image));
  EXPECT_EQ(std::get<AddFromImage>(image).image, fs::path("/tmp/disc.iso"));
}

TEST_F(VolumeServiceTest, TheRequestsQuestionsRefuseATakenNameBeforeAnythingIsRead) {
  QuietScan observer;
  ASSERT_TRUE(volumes()
                  .add(AddRequest{values("Archiv"), AddFromDrive{drives(), 'E', 0}}, observer)
                  .lastAdded);
  DialogAnswers answers;
  const AddResult again = volumes().add(
      AddRequest{values("archiv"), AddFromDrive{drives(), 'E', 0}, &answers}, observer);
  EXPECT_TRUE(again.checkRefused);
  EXPECT_FALSE(again.lastAdded);
  EXPECT_EQ(answers.taken, (std::vector<std::string>{"archiv"}));
  EXPECT_EQ(m_session->volumes().size(), 1u);
}

TEST_F(VolumeServiceTest, ChangeReturnsTheNewPositionAndReadHeaderRefusesAnUnknownIndex) {
  QuietScan observer;
  ASSERT_TRUE(volumes()
                  .add(AddRequest{values("Beta"), AddFromDrive{drives(), 'E', 0}}, observer)
                  .lastAdded);
  ASSERT_TRUE(volumes()
                  .add(AddRequest{values("Gamma"), AddFromDrive{drives(), 'E', 0}}, observer)
                  .lastAdded);
  const HeaderResult read = volumes().readHeader(1);
  ASSERT_EQ(read.code, ResultCode::Ok);
  EXPECT_EQ(read.header.name, "Gamma");
  scan::DialogValues changed = scan::valuesForChanging(read.header);
  changed.name = "Alpha";
  const ChangeResult result = volumes().change(ChangeRequest{1, read.header, changed, drives()});
  ASSERT_EQ(result.code, ResultCode::Ok);
  EXPECT_EQ(result.index, 0u) << "the list is sorted by name again";
  EXPECT_EQ(m_session->volumes()[0].name, "Alpha");
  EXPECT_EQ(volumes().readHeader(7).code, ResultCode::CannotOpen);
}

}  // namespace
}  // namespace diskindex
