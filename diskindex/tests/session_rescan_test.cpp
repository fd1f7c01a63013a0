#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/scan/orphan_file.h"
#include "diskindex/tests/fake_drives.h"
#include "platform/ini_file.h"
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

// Answers the remark conflict as scripted and counts the questions.
class ScriptedConflicts : public RemarkConflictObserver {
 public:
  explicit ScriptedConflicts(RemarkConflictDecision answer) : m_answer(std::move(answer)) {}
  RemarkConflictDecision remarkConflict(const fs::path& file, int entries) override {
    asked.push_back({file, entries});
    return m_answer;
  }
  std::vector<std::pair<fs::path, int>> asked;

 private:
  RemarkConflictDecision m_answer;
};

TEST_F(SessionRescanTest, ARemarkConflictDuringARescanIsAskedAndEachAnswerIsKept) {
  using Choice = RemarkConflictDecision::Choice;
  struct Case {
    Choice choice;
    ResultCode code;
    const char* inCommentFile;  // the remark of A.TXT after the rescan
    const char* elsewhere;      // what the other file holds, if any
  };
  const Case cases[] = {{Choice::KeepMine, ResultCode::Ok, "meine", nullptr},
                        {Choice::KeepTheirs, ResultCode::Ok, "andere", nullptr},
                        {Choice::SaveMineElsewhere, ResultCode::Ok, "andere", "meine"},
                        {Choice::Stop, ResultCode::Cancelled, "andere", nullptr}};
  const fs::path commentFile = m_session->volumes()[0].commentFile();
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.choice));
    {
      TFileCommentList start;
      start.set({1, 0}, "alt");
      ASSERT_EQ(saveRemarks(commentFile, start), ResultCode::Ok);
    }
    CatalogueSession& session = *m_session;
    ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
    session.remarkService().set({1, 0}, "meine");
    {  // another program saves the same entry meanwhile
      TFileCommentList theirs;
      theirs.set({1, 0}, "andere");
      ASSERT_EQ(saveRemarks(commentFile, theirs), ResultCode::Ok);
    }
    const fs::path other = m_tmp / "meine.CMT";
    fs::remove(other);
    ScriptedConflicts conflicts({c.choice, other});
    QuietScan observer;
    const RescanResult result = session.rescanService().rescan(
        0, RescanFromDrive{m_drives, 'E'}, observer, &conflicts);
    ASSERT_EQ(conflicts.asked.size(), 1u);
    EXPECT_EQ(conflicts.asked[0], std::make_pair(commentFile, 1));
    EXPECT_EQ(result.outcome.code, c.code);
    TFileCommentList onDisk;
    ASSERT_EQ(loadRemarks(commentFile, onDisk), ResultCode::Ok);
    EXPECT_EQ(onDisk.find({1, 0}), std::optional<std::string_view>(c.inCommentFile));
    TFileCommentList saved;
    if (c.elsewhere != nullptr) {
      ASSERT_EQ(loadRemarks(other, saved), ResultCode::Ok);
      EXPECT_EQ(saved.find({1, 0}), std::optional<std::string_view>(c.elsewhere));
    } else {
      EXPECT_FALSE(fs::exists(other));
    }
    if (c.code == ResultCode::Cancelled) {
      ASSERT_TRUE(session.state().opened);
      EXPECT_TRUE(session.state().opened->remarks.modified()) << "nothing typed is lost";
    }
    session.volumeService().close();
  }
  QuietScan observer;
  EXPECT_EQ(m_session->rescanService().rescan(0, RescanFromDrive{m_drives, 'E'}, observer).outcome.code,
            ResultCode::Ok) << "nothing open, nothing to ask";
}

TEST_F(SessionRescanTest, AFolderGetsARecordedLetterAndANonFolderChangesNothing) {
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
  ASSERT_TRUE(result.folder);
  EXPECT_EQ(result.folder->status, scan::FolderDriveStatus::Assigned);
  // The volume takes the folder's letter, which [Drives] now records, so it
  // names the folder after a restart as an added folder's does.
  const char letter = session.volumes()[0].driveLetter;
  EXPECT_EQ(letter, result.folder->letter);
  const auto recorded = scan::driveOverrides(platform::IniFile(m_env.settingsFile));
  ASSERT_TRUE(recorded.contains(letter));
  EXPECT_EQ(fs::weakly_canonical(recorded.at(letter)), fs::weakly_canonical(other.path()));
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
