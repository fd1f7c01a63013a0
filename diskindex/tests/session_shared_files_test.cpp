// A catalogue session on files another program shares or that are damaged:
// the open volume's remarks (read-only behind a damaged comment file, saves
// merged with another program's edits, conflicts returned for a decision)
// and DISKINDX.INI (a damaged file reported, shutdown writing only what
// changed here and saying when it could not write).

#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using test::dir;
using test::file;

class SettingsObserver : public SessionObserver {
 public:
  void settingsDamaged(const fs::path& file) override { damaged.push_back(file); }
  std::vector<fs::path> damaged;
};

class SessionSharedFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_data = m_tmp / "data";
    fs::create_directories(m_data);
    m_env.settingsFile = m_tmp / "config" / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
    m_env.settings.screen = {1280, 1024};
    m_env.dataDirectory = m_data;
  }
  void addVolume() {
    const std::vector<EntryRecord> entries{dir(1, "GAMES"), file(2, "A.EXE")};
    VolumeHeader header = test::sampleHeader("Doom");
    ASSERT_EQ(createVolume(m_data / "CD000001.DAT", header, entries), ResultCode::Ok);
  }
  void writeRemarks(std::initializer_list<Remark> remarks) {
    TFileCommentList list;
    for (const Remark& remark : remarks) list.set(remark.key, remark.text);
    ASSERT_EQ(saveRemarks(commentFile(), list), ResultCode::Ok);
  }
  // Another program's edit of one remark, saved as that program saves it.
  void otherProgramSets(TDirFileNo key, const std::string& text) {
    RemarksLoad load = loadRemarksForEdit(commentFile());
    load.remarks.set(key, text);
    ASSERT_NE(saveRemarksMerged({commentFile(), load.base, load.remarks.records()}).status,
              RemarkSaveStatus::Failed);
  }
  std::string onDisk(TDirFileNo key) {
    TFileCommentList list;
    EXPECT_EQ(loadRemarks(commentFile(), list), ResultCode::Ok);
    return std::string(list.find(key).value_or(""));
  }
  fs::path commentFile() const { return m_data / "CD000001.CMT"; }
  CatalogueSession& started() {
    m_session = std::make_unique<CatalogueSession>(m_env);
    m_session->start(m_observer);
    return *m_session;
  }

  test::TempDir m_tmp;
  fs::path m_data;
  SessionEnvironment m_env;
  SettingsObserver m_observer;
  std::unique_ptr<CatalogueSession> m_session;
};

TEST_F(SessionSharedFilesTest, DamagedCommentFileShowsWhatWasReadAndRefusesEveryChange) {
  addVolume();
  writeRemarks({{{1, -1}, "Spiele"}, {{2, 1}, "Start"}});
  auto bytes = test::readAll(commentFile());
  bytes[0] = 'X';  // the magic damaged, the records intact
  test::writeAll(commentFile(), bytes);

  CatalogueSession& session = started();
  const OpenResult opened = session.volumeService().open(0);
  EXPECT_EQ(opened.contents, ResultCode::Ok);
  EXPECT_EQ(opened.remarks, ResultCode::BadFormat);
  EXPECT_TRUE(opened.remarksDamaged);
  EXPECT_TRUE(session.remarkService().readOnly());
  EXPECT_EQ(session.state().opened->remarks.find({1, -1}).value_or(""), "Spiele");
  EXPECT_EQ(session.state().opened->remarks.find({2, 1}).value_or(""), "Start");

  EXPECT_FALSE(session.remarkService().set({1, -1}, ""));
  EXPECT_FALSE(session.remarkService().set({2, -1}, "neu"));
  EXPECT_FALSE(session.state().opened->remarks.modified());
  EXPECT_EQ(session.remarkService().save().code, ResultCode::Ok);  // nothing to write
  EXPECT_EQ(test::readAll(commentFile()), bytes);

  // The next volume opened with a sound file can be edited again.
  session.volumeService().close();
  writeRemarks({{{1, -1}, "Spiele"}});
  EXPECT_FALSE(session.volumeService().open(0).remarksDamaged);
  EXPECT_TRUE(session.remarkService().set({2, -1}, "neu"));
}

TEST_F(SessionSharedFilesTest, SavedRemarksKeepAnotherProgramsEditsOfOtherEntries) {
  addVolume();
  writeRemarks({{{1, -1}, "alt"}, {{2, -1}, "alt"}});
  CatalogueSession& session = started();
  ASSERT_EQ(session.volumeService().open(0).remarks, ResultCode::Ok);

  otherProgramSets({2, -1}, "von dort");
  ASSERT_TRUE(session.remarkService().set({1, -1}, "von hier"));
  const RemarkSaveResult merged = session.remarkService().save();
  EXPECT_EQ(merged.status, RemarkSaveStatus::Merged);
  EXPECT_EQ(merged.code, ResultCode::Ok);
  EXPECT_EQ(onDisk({1, -1}), "von hier");
  EXPECT_EQ(onDisk({2, -1}), "von dort");
  // What the file holds now is what the session shows and compares against.
  const OpenedVolume& opened = *session.state().opened;
  EXPECT_FALSE(opened.remarks.modified());
  EXPECT_EQ(opened.remarks.find({2, -1}).value_or(""), "von dort");
  EXPECT_EQ(opened.remarksBase, opened.remarks.records());

  // With the new base a second edit is a plain save, not a merge.
  ASSERT_TRUE(session.remarkService().set({2, -1}, "wieder hier"));
  EXPECT_EQ(session.remarkService().save().status, RemarkSaveStatus::Saved);
  EXPECT_EQ(onDisk({2, -1}), "wieder hier");
}

TEST_F(SessionSharedFilesTest, EditsOfTheSameEntryAreReturnedAndDecidedByTheNextCall) {
  addVolume();
  writeRemarks({{{1, -1}, "alt"}});
  CatalogueSession& session = started();
  session.volumeService().open(0);

  otherProgramSets({1, -1}, "von dort");
  ASSERT_TRUE(session.remarkService().set({1, -1}, "von hier"));
  const RemarkSaveResult asked = session.remarkService().save();
  EXPECT_EQ(asked.status, RemarkSaveStatus::Conflict);
  EXPECT_EQ(asked.conflicts.size(), 1u);
  EXPECT_EQ(onDisk({1, -1}), "von dort");  // nothing written before the decision
  EXPECT_TRUE(session.state().opened->remarks.modified());
  EXPECT_EQ(session.state().opened->remarks.find({1, -1}).value_or(""), "von hier");

  const RemarkSaveResult theirs = session.remarkService().save(ConflictChoice::KeepTheirs);
  EXPECT_NE(theirs.status, RemarkSaveStatus::Conflict);
  EXPECT_NE(theirs.status, RemarkSaveStatus::Failed);
  EXPECT_EQ(onDisk({1, -1}), "von dort");
  EXPECT_EQ(session.state().opened->remarks.find({1, -1}).value_or(""), "von dort");

  otherProgramSets({1, -1}, "noch einmal dort");
  ASSERT_TRUE(session.remarkService().set({1, -1}, "doch von hier"));
  ASSERT_EQ(session.remarkService().save().status, RemarkSaveStatus::Conflict);
  EXPECT_NE(session.remarkService().save(ConflictChoice::KeepMine).status,
            RemarkSaveStatus::Conflict);
  EXPECT_EQ(onDisk({1, -1}), "doch von hier");
}

TEST_F(SessionSharedFilesTest, DamagedSettingsFileIsReportedAndItsReadableLinesUsed) {
  fs::create_directories(m_env.settingsFile.parent_path());
  std::ofstream(m_env.settingsFile) << "[Inits]\nWIN_W=700\n" << std::string(1, '\0') << "x\n";
  CatalogueSession& session = started();
  ASSERT_EQ(m_observer.damaged.size(), 1u);
  EXPECT_EQ(m_observer.damaged[0], m_env.settingsFile);
  EXPECT_EQ(session.state().settings.winW, 700);
}

TEST_F(SessionSharedFilesTest, ShutdownWritesOnlyItsChangesAndReturnsAFailedWrite) {
  fs::create_directories(m_env.settingsFile.parent_path());
  std::ofstream(m_env.settingsFile) << "[Inits]\nWIN_W=700\nWIN_H=500\n";
  CatalogueSession& session = started();
  EXPECT_TRUE(m_observer.damaged.empty());
  {
    // Another program changes the height while this one runs.
    platform::IniFile other(m_env.settingsFile);
    other.writeString("Inits", "WIN_H", "321");
    ASSERT_TRUE(other.flush());
  }
  session.settings().winW = 640;
  ASSERT_EQ(session.shutdown(), ResultCode::Ok);
  const platform::IniFile ini(m_env.settingsFile);
  EXPECT_EQ(ini.readString("Inits", "WIN_W"), "640");
  EXPECT_EQ(ini.readString("Inits", "WIN_H"), "321");

  // A file in the place of the settings folder: the code says so.
  m_env.settingsFile = m_tmp / "blocked" / "DISKINDX.INI";
  std::ofstream(m_tmp / "blocked") << "a file";
  CatalogueSession& blocked = started();
  blocked.settings().winW = 800;
  EXPECT_NE(blocked.shutdown(), ResultCode::Ok);
}

}  // namespace
}  // namespace diskindex
