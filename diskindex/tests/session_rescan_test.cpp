#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/scan/orphan_file.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;

class QuietStart : public SessionObserver {};
class QuietScan : public scan::ScanObserver {};

class SessionRescanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_tmp / "data");
    m_env.settingsFile = m_tmp / "config" / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
    m_env.dataDirectory = m_tmp / "data";
    std::ofstream(m_disc / "A.TXT") << "a";
    std::ofstream(m_disc / "B.TXT") << "b";
    m_session = std::make_unique<CatalogueSession>(m_env);
    QuietStart start;
    m_session->start(start);
    scan::DialogValues values;
    values.driveLetter = 'E';
    values.name = "Sicherung";
    values.category = "Archiv";
    QuietScan observer;
    ASSERT_TRUE(
        m_session->volumeService()
            .add(AddRequest{values, AddFromDrive{m_drives, values.driveLetter, 0}}, observer)
            .lastAdded);
  }

  test::TempDir m_tmp;
  test::TempDir m_disc;
  platform::DriveTable m_drives =
      scan::testing::fakeDriveTable({{'E', scan::testing::FakeDrive{m_disc.path(), "vfat", "D"}}});
  SessionEnvironment m_env;
  std::unique_ptr<CatalogueSession> m_session;
};

TEST_F(SessionRescanTest, AnOpenVolumeSavesItsTypedRemarksFirstAndReopensUnderTheNewNumbers) {
  CatalogueSession& session = *m_session;
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  session.remarkService().set({1, 0}, "über A");
  session.remarkService().set({1, 1}, "über B");  // typed, not saved yet
  fs::remove(m_disc / "A.TXT");
  std::ofstream(m_disc / "C.TXT") << "c";
  QuietScan observer;
  const RescanResult result =
      session.rescanService().rescan(0, RescanFromDrive{m_drives, 'E'}, observer);
  ASSERT_EQ(result.outcome.code, ResultCode::Ok) << result.outcome.failedFile;
  ASSERT_EQ(result.index, std::optional<std::size_t>(0));
  EXPECT_EQ(session.volumes()[0].fileCount, 2);
  EXPECT_EQ(session.volumes()[0].category.value_or(""), "Archiv");
  ASSERT_TRUE(session.state().opened);
  EXPECT_EQ(session.state().opened->directories.totalFileCount(), 2u);
  EXPECT_EQ(session.state().opened->remarks.find({1, 0}),
            std::optional<std::string_view>("über B"));
  EXPECT_FALSE(session.state().opened->remarks.find({1, 1}));
  EXPECT_FALSE(session.state().opened->remarks.modified());
  ASSERT_EQ(result.outcome.orphans.size(), 1u);
  EXPECT_EQ(result.outcome.orphans[0].text, "über A");
  EXPECT_TRUE(fs::exists(scan::orphanFileFor(session.volumes()[0].dataFile)));
  EXPECT_EQ(session.state().settings.drive, 'E');
}

TEST_F(SessionRescanTest, AFolderKeepsTheVolumesDriveAndANonFolderChangesNothing) {
  CatalogueSession& session = *m_session;
  const VolumeRecord before = session.volumes()[0];
  const std::vector<std::uint8_t> bytes = test::readAll(before.dataFile);
  QuietScan observer;
  const RescanResult missing =
      session.rescanService().rescan(0, RescanFromFolder{m_tmp / "fehlt"}, observer);
  EXPECT_EQ(missing.outcome.code, ResultCode::DriveNotReady);
  EXPECT_FALSE(missing.index);
  EXPECT_EQ(test::readAll(before.dataFile), bytes);

  test::TempDir other;
  std::ofstream(other / "X.TXT") << "x";
  const RescanResult result =
      session.rescanService().rescan(0, RescanFromFolder{other.path()}, observer);
  ASSERT_EQ(result.outcome.code, ResultCode::Ok) << result.outcome.failedFile;
  EXPECT_EQ(session.volumes()[0].driveLetter, 'E');
  EXPECT_EQ(session.volumes()[0].driveType, before.driveType);
  EXPECT_EQ(session.volumes()[0].fileCount, 1);
  EXPECT_FALSE(session.state().opened) << "a volume that was not open stays closed";
}

TEST_F(SessionRescanTest, AnIndexBeyondTheListIsRefused) {
  QuietScan observer;
  EXPECT_EQ(
      m_session->rescanService().rescan(5, RescanFromDrive{m_drives, 'E'}, observer).outcome.code,
      ResultCode::CannotOpen);
}

}  // namespace
}  // namespace diskindex
