#include "diskindex/core/rescan_service.h"

#include <gtest/gtest.h>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/image_files.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using scan::testing::TempTree;

class QuietScan : public scan::ScanObserver {};

// Counts the volume checks and answers them.
class CheckAnswers : public files::VolumeCheckObserver {
 public:
  explicit CheckAnswers(bool yes) : m_yes(yes) {}
  void driveUnreadable(const VolumeRoot&) override { ++unreadable; }
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion&) override {
    ++asked;
    return {m_yes, false};
  }
  int unreadable = 0;
  int asked = 0;

 private:
  bool m_yes;
};

enum class Source { Drive, Folder, Image, Reader };

class RescanServiceTest : public ::testing::TestWithParam<Source> {
 protected:
  void SetUp() override {
    fs::create_directories(m_tmp / "data");
    m_env.settingsFile = m_tmp / "config" / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
    m_env.dataDirectory = m_tmp / "data";
    m_disc.file("A.TXT", "a");
    m_disc.file("B.TXT", "b");
    m_session = std::make_unique<CatalogueSession>(m_env);
    SessionObserver quiet;
    m_session->start(quiet);
    scan::DialogValues values;
    values.name = "Sicherung";
    QuietScan observer;
    ASSERT_TRUE(m_session->volumeService()
                    .add(AddRequest{values, AddFromDrive{m_drives, 'E', 0}}, observer)
                    .lastAdded);
  }
  RescanSource source(Source kind) {
    switch (kind) {
      case Source::Drive:
        return RescanFromDrive{m_drives, 'E', nullptr};
      case Source::Folder:
        return RescanFromFolder{m_disc.root()};
      case Source::Image:
        scan::testing::archiveTree(m_disc.root(), m_images.root() / "disc.zip",
                                   scan::testing::ArchiveKind::Zip);
        return RescanFromImage{m_images.root() / "disc.zip"};
      case Source::Reader:
        break;
    }
    return RescanWithReader{scan::driveReader(m_drives, 'E', scan::StoredDrive::Replace)};
  }

  test::TempDir m_tmp;
  TempTree m_disc;
  TempTree m_images;
  platform::DriveTable m_drives =
      scan::testing::fakeDriveTable({{'E', scan::testing::FakeDrive{m_disc.root(), "vfat", "D"}}});
  SessionEnvironment m_env;
  std::unique_ptr<CatalogueSession> m_session;
};

TEST_P(RescanServiceTest, AnOpenVolumeIsSavedFirstAndOpenedAgainWithTheNewTree) {
  CatalogueSession& session = *m_session;
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  session.remarkService().set({1, 1}, "über B");  // typed, not saved yet
  m_disc.file("C.TXT", "c");
  QuietScan observer;
  const RescanResult result = session.rescanService().rescan(0, source(GetParam()), observer);
  ASSERT_EQ(result.outcome.code, ResultCode::Ok) << result.outcome.failedFile;
  ASSERT_TRUE(result.reopened);
  EXPECT_EQ(result.reopened->contents, ResultCode::Ok);
  ASSERT_TRUE(session.state().opened);
  EXPECT_EQ(session.state().opened->volumeIndex, *result.index);
  EXPECT_EQ(session.state().opened->directories.totalFileCount(), 3u);
  EXPECT_EQ(session.state().opened->remarks.find({1, 1}),
            std::optional<std::string_view>("über B"));
  EXPECT_FALSE(session.state().opened->remarks.modified());
  EXPECT_EQ(session.volumes()[0].fileCount, 3);
}

TEST_P(RescanServiceTest, AVolumeThatWasNotOpenStaysClosed) {
  m_disc.file("C.TXT", "c");
  QuietScan observer;
  const RescanResult result = m_session->rescanService().rescan(0, source(GetParam()), observer);
  ASSERT_EQ(result.outcome.code, ResultCode::Ok) << result.outcome.failedFile;
  EXPECT_FALSE(result.reopened);
  EXPECT_FALSE(m_session->state().opened);
  EXPECT_EQ(m_session->volumes()[0].fileCount, 3);
}

INSTANTIATE_TEST_SUITE_P(EverySource, RescanServiceTest,
                         ::testing::Values(Source::Drive, Source::Folder, Source::Image,
                                           Source::Reader));

TEST(RescanServiceCheck, ARefusedVolumeCheckReadsNothingAndLeavesTheOpenVolumeOpen) {
  test::TempDir tmp;
  TempTree disc;
  disc.file("A.TXT", "a");
  SessionEnvironment env;
  fs::create_directories(tmp / "data");
  env.settingsFile = tmp / "DISKINDX.INI";
  env.settings.dataHome = tmp / "home";
  env.settings.tempDir = tmp.path();
  env.dataDirectory = tmp / "data";
  CatalogueSession session(env);
  SessionObserver quiet;
  session.start(quiet);
  QuietScan observer;
  const auto catalogued = scan::testing::fakeDriveTable(
      {{'E', scan::testing::FakeDrive{disc.root(), "vfat", "D"}}}, {{'E', "AAAA-1111"}});
  scan::DialogValues values;
  values.name = "Erste";
  ASSERT_TRUE(session.volumeService()
                  .add(AddRequest{values, AddFromDrive{catalogued, 'E', 0}}, observer)
                  .lastAdded);
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  disc.file("B.TXT", "b");
  // Another volume (another label) is in the drive now.
  const auto other = scan::testing::fakeDriveTable(
      {{'E', scan::testing::FakeDrive{disc.root(), "vfat", "X"}}}, {{'E', "BBBB-2222"}});
  CheckAnswers no(false);
  const RescanResult refused =
      session.rescanService().rescan(0, RescanFromDrive{other, 'E', &no}, observer);
  EXPECT_EQ(no.asked, 1);
  EXPECT_TRUE(refused.volumeRefused);
  EXPECT_FALSE(refused.index);
  EXPECT_EQ(session.volumes()[0].fileCount, 1);
  ASSERT_TRUE(session.state().opened);
  EXPECT_EQ(session.state().opened->directories.totalFileCount(), 1u);
}

}  // namespace
}  // namespace diskindex
