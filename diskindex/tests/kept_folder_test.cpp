// A folder read when D: to Z: are all taken keeps the folder itself instead
// of a letter: adding, listing after a restart, contents paths, searching,
// copying, reading again, moving to a letter and deleting all go through it.

#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/dir_tree_index.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/scan/volume_dialog.h"
#include "diskindex/core/volume_root.h"
#include "diskindex/tests/session_fixture.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/tests/test_files.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using scan::testing::TempTree;
constexpr char kFolderKey = platform::DriveTable::kFolderKey;

class QuietScan : public scan::ScanObserver {};

class Unreadable : public files::FilesObserver {
 public:
  void driveUnreadable(const VolumeRoot& root) override { said.push_back(root.text()); }
  std::vector<std::string> said;
};

// The names unlinked while recordingUnlink is in the file table, in order.
std::vector<std::string> g_unlinked;
int recordingUnlink(const char* path) {
  g_unlinked.push_back(fs::path(path).filename().string());
  return systemFileOps().unlink(path);
}

class CountingQuestions : public scan::DialogQuestions {
 public:
  bool confirmOtherDriveType() override { return ++asked, true; }
  void nameTaken(const std::string&) override { ++asked; }
  bool confirmSameLabel(const std::string&) override { return ++asked, true; }
  int asked = 0;
};

class KeptFolderTest : public test::SessionFixture {
 protected:
  void SetUp() override {
    SessionFixture::SetUp();
    m_folder.file("A.TXT", "a");
    m_folder.file("Urlaub 2019/Brief.txt", "bb");
    // Every letter from D on names another folder already.
    std::string drives = "[Drives]\n";
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
      drives += std::string(1, letter) + "=" + (m_tmp / "belegt").string() + letter + "\n";
    }
    std::ofstream(m_env.settingsFile) << drives;
    restart();
  }
  void restart() {
    m_session = std::make_unique<CatalogueSession>(m_env);
    SessionObserver quiet;
    ASSERT_EQ(m_session->start(quiet), ResultCode::Ok);
  }
  std::string folderPath() const { return fs::weakly_canonical(m_folder.root()).string(); }
  // Adds the folder; the list position of the new volume.
  std::size_t addFolder() {
    scan::DialogValues values;
    values.name = "Fotos";
    QuietScan observer;
    const AddResult added =
        m_session->volumeService().add(AddRequest{values, AddFromFolder{m_folder.root()}}, observer);
    EXPECT_TRUE(added.folder);
    if (added.folder) {
      EXPECT_EQ(added.folder->status, scan::FolderDriveStatus::LettersRanOut);
    }
    EXPECT_TRUE(added.lastAdded);
    return added.lastAdded.value_or(0);
  }
  const VolumeRecord& volume(std::size_t index = 0) { return m_session->volumes()[index]; }
  std::size_t drivesRecorded() const {
    return platform::IniFile(m_env.settingsFile).keys("Drives").size();
  }

  TempTree m_folder;
  std::unique_ptr<CatalogueSession> m_session;
};

TEST_F(KeptFolderTest, WhenLettersRunOutTheVolumeKeepsTheFolderAcrossARestart) {
  const char rememberedDrive = m_session->state().settings.drive;
  const std::size_t index = addFolder();
  EXPECT_EQ(volume(index).driveLetter, kFolderKey);
  EXPECT_EQ(volume(index).folder, folderPath());
  EXPECT_EQ(volume(index).fileCount, 2);
  EXPECT_EQ(volume(index).spaceOf, SpaceOf::Folder);
  EXPECT_EQ(drivesRecorded(), 23u) << "no letter was taken from another folder";
  EXPECT_EQ(m_session->state().settings.drive, rememberedDrive);
  const fs::path folderFile = folderFileFor(volume(index).dataFile);
  EXPECT_EQ(readFolderFile(volume(index).dataFile), folderPath());

  restart();
  ASSERT_EQ(m_session->volumes().size(), 1u);
  EXPECT_EQ(volume().folder, folderPath());
  ASSERT_EQ(m_session->volumeService().open(0).contents, ResultCode::Ok);
  const OpenedVolume& opened = *m_session->state().opened;
  const DirTreeIndex tree(opened.directories);
  EXPECT_EQ(fullPath(opened.directories, tree, 1, rootOf(opened.record), "Brief.txt"),
            folderPath() + "/Urlaub 2019/Brief.txt");

  ASSERT_EQ(m_session->volumeService().remove(0), ResultCode::Ok);
  EXPECT_FALSE(fs::exists(folderFile)) << "deleting the volume removes the kept folder";
}

TEST_F(KeptFolderTest, SearchHitsAndCopiesReachTheKeptFolder) {
  addFolder();
  search::SearchParams params;
  params.text = "brief";
  MultiSearchProgress quiet;
  m_session->searchService().searchMulti({params, {0}}, quiet);
  const auto& rows = m_session->searchService().results();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].path, folderPath() + "/Urlaub 2019/Brief.txt");

  const fs::path target = m_tmp / "ziel";
  fs::create_directories(target);
  Unreadable answers;
  const platform::DriveTable drives = m_session->volumeService().driveTable();
  CopySelection hit;
  hit.files = {rows[0].hit.key};
  FileCopyResult copied = m_session->fileService().copy(
      CopyRequest{CopyFromVolume{0, hit, {}}, target, drives, {}}, answers);
  EXPECT_EQ(copied.status, FileRunStatus::Done);
  EXPECT_EQ(copied.copy.code, ResultCode::Ok);
  EXPECT_TRUE(answers.said.empty());
  EXPECT_EQ(test::readAll(target / "Brief.txt"), (std::vector<std::uint8_t>{'b', 'b'}));

  // With the folder gone the copy is refused, naming the folder.
  fs::remove_all(m_folder.root());
  copied = m_session->fileService().copy(
      CopyRequest{CopyFromVolume{0, hit, {}}, m_tmp / "ziel2", drives, {}}, answers);
  EXPECT_EQ(copied.status, FileRunStatus::VolumeRefused);
  ASSERT_EQ(answers.said.size(), 1u);
  EXPECT_EQ(answers.said[0], folderPath());
}

TEST_F(KeptFolderTest, ReadingAgainFromItsOwnFolderKeepsTheFolder) {
  addFolder();
  m_folder.file("NEU.TXT", "neu");
  QuietScan observer;
  const RescanResult again =
      m_session->rescanService().rescan(0, RescanFromDrive{}, observer);
  ASSERT_EQ(again.outcome.code, ResultCode::Ok);
  ASSERT_TRUE(again.index);
  EXPECT_EQ(volume(*again.index).fileCount, 3);
  EXPECT_EQ(volume(*again.index).driveLetter, kFolderKey);
  EXPECT_EQ(volume(*again.index).folder, folderPath());
  restart();
  EXPECT_EQ(volume().folder, folderPath()) << "the kept folder outlives the rescan";
  EXPECT_EQ(volume().fileCount, 3);
  // Chosen with "&Ordner ..." the folder still gets no letter and is kept.
  m_folder.file("NOCH.TXT", "x");
  const RescanResult chosen =
      m_session->rescanService().rescan(0, RescanFromFolder{m_folder.root()}, observer);
  ASSERT_EQ(chosen.outcome.code, ResultCode::Ok);
  EXPECT_EQ(volume().driveLetter, kFolderKey);
  EXPECT_EQ(volume().fileCount, 4);
  EXPECT_EQ(readFolderFile(volume().dataFile), folderPath());
  EXPECT_EQ(drivesRecorded(), 23u);
}

TEST_F(KeptFolderTest, AFreedLetterIsTakenAtTheNextChangeAndTheFolderFileGoes) {
  addFolder();
  const fs::path folderFile = folderFileFor(volume().dataFile);
  platform::IniFile settings(m_env.settingsFile);
  settings.eraseKey("Drives", "Q");
  ASSERT_TRUE(settings.flush());
  const HeaderResult read = m_session->volumeService().readHeader(0);
  ASSERT_EQ(read.code, ResultCode::Ok);
  EXPECT_EQ(read.header.folder, folderPath());
  const scan::DialogValues values = scan::valuesForChanging(read.header);
  EXPECT_EQ(values.folder, folderPath()) << "the change dialog starts with the kept folder";
  const ChangeResult changed = m_session->volumeService().change(
      ChangeRequest{0, read.header, values, m_session->volumeService().driveTable()});
  ASSERT_EQ(changed.code, ResultCode::Ok);
  EXPECT_EQ(volume(changed.index).driveLetter, 'Q');
  EXPECT_TRUE(volume(changed.index).folder.empty());
  EXPECT_FALSE(fs::exists(folderFile));
  restart();
  EXPECT_EQ(volume().driveLetter, 'Q');
}

TEST_F(KeptFolderTest, AVolumeWhoseFolderFileIsLostIsStillListedAndShownAsUnknown) {
  addFolder();
  ASSERT_TRUE(removeFolderFile(volume().dataFile));
  restart();
  ASSERT_EQ(m_session->volumes().size(), 1u);
  EXPECT_EQ(volume().driveLetter, kFolderKey);
  EXPECT_EQ(rootOf(volume()).text(), "?");
  Unreadable answers;
  CopySelection all;
  all.wholeDirectory = true;
  const FileCopyResult copied = m_session->fileService().copy(
      CopyRequest{CopyFromVolume{0, all, {}}, m_tmp / "ziel", m_session->volumeService().driveTable(),
                  {}},
      answers);
  EXPECT_EQ(copied.status, FileRunStatus::VolumeRefused);
  EXPECT_EQ(answers.said, (std::vector<std::string>{"?"}));
}

// A folder that yields nothing is not added. Its .ORD file goes while the
// volume's number is still claimed: once the claim is given up, another
// program may take the number and keep its own folder in that .ORD file.
TEST_F(KeptFolderTest, AFailedAddRemovesTheFolderFileBeforeGivingUpTheNumber) {
  const fs::path empty = m_tmp / "leer";
  fs::create_directories(empty);
  FileOps recording = systemFileOps();
  recording.unlink = recordingUnlink;
  g_unlinked.clear();
  AddResult added;
  {
    const ScopedFileOps scoped(recording);
    scan::DialogValues values;
    values.name = "Leer";
    QuietScan observer;
    added = m_session->volumeService().add(AddRequest{values, AddFromFolder{empty}}, observer);
  }
  EXPECT_FALSE(added.lastAdded);
  std::vector<std::string> volumeFiles;
  for (const std::string& name : g_unlinked) {
    if (name.starts_with("CD000001.")) volumeFiles.push_back(name);
  }
  EXPECT_EQ(volumeFiles, (std::vector<std::string>{"CD000001.ORD", "CD000001.DAT"}));
  EXPECT_FALSE(fs::exists(m_env.dataDirectory / "CD000001.ORD"));
  EXPECT_FALSE(fs::exists(m_env.dataDirectory / "CD000001.DAT"));
}

// A .ORD file that does not read (damaged here; a read error or a file
// another program is writing look the same) loses the folder only for the
// time being: changing the volume's name asks nothing, keeps the folder mark
// and the drive type, and leaves the file that failed to load as it was.
TEST_F(KeptFolderTest, ChangingAVolumeWhoseFolderFileDoesNotReadKeepsItAsItIs) {
  addFolder();
  const fs::path folderFile = folderFileFor(volume().dataFile);
  const std::vector<std::uint8_t> damaged{'F', 'o', 't', 'o', 's'};
  test::writeAll(folderFile, damaged);
  restart();
  const std::uint8_t type = volume().driveType;
  const HeaderResult read = m_session->volumeService().readHeader(0);
  ASSERT_EQ(read.code, ResultCode::Ok);
  scan::DialogValues values = scan::valuesForChanging(read.header);
  values.name = "Fotos alt";
  const platform::DriveTable drives = m_session->volumeService().driveTable();
  CountingQuestions questions;
  EXPECT_EQ(scan::checkDialog(values,
                              scan::DialogContext{&m_session->volumes(), &drives, std::size_t{0}},
                              questions),
            scan::DialogCheck::Accepted);
  EXPECT_EQ(questions.asked, 0) << "no other drive type was chosen";
  const ChangeResult changed =
      m_session->volumeService().change(ChangeRequest{0, read.header, values, drives});
  ASSERT_EQ(changed.code, ResultCode::Ok);
  EXPECT_EQ(volume(changed.index).name, "Fotos alt");
  EXPECT_EQ(volume(changed.index).driveLetter, kFolderKey);
  EXPECT_EQ(volume(changed.index).driveType, type);
  EXPECT_EQ(test::readAll(folderFile), damaged);
}

}  // namespace
}  // namespace diskindex
