#include "diskindex/core/file_service.h"

#include <gtest/gtest.h>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using scan::testing::TempTree;
using test::dir;
using test::file;

// Says yes to every question and counts them.
class YesToAll : public files::FilesObserver {
 public:
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion&) override {
    ++questions;
    return {true, false};
  }
  files::InsertVolumeAnswer askInsertVolume(const std::string&) override {
    ++questions;
    return files::InsertVolumeAnswer::Ok;
  }
  int questions = 0;
};

class RecordingStarter : public files::ProgramStarter {
 public:
  platform::StartResult startProgram(const fs::path& program,
                                     const std::vector<std::string>&) override {
    programs.push_back(program.string());
    return platform::StartResult::Ok;
  }
  platform::StartResult openDocument(const fs::path& document) override {
    documents.push_back(document.filename().string());
    return platform::StartResult::Ok;
  }
  std::vector<std::string> programs;
  std::vector<std::string> documents;
};

std::size_t entriesIn(const fs::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& e : fs::recursive_directory_iterator(folder)) ++count;
  return count;
}

class FileServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_tmp / "data");
    m_target = m_outside.dir("target");
    m_volume = m_outside.dir("volume");
    m_outside.file("secret.txt", "secret");
    m_outside.file("volume/OK.TXT", "ok");
    m_env.settingsFile = m_tmp / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
    m_env.dataDirectory = m_tmp / "data";
    // OK.TXT in the root, and a directory ".." holding secret.txt: a stored
    // name that would leave the target.
    test::writeVolume(m_tmp / "data" / "CD000001.DAT", test::sampleHeader("Evil"),
                      {file(1, "OK.TXT", 2), dir(1, ".."), file(2, "secret.txt", 6)});
    m_session = std::make_unique<CatalogueSession>(m_env);
    SessionObserver quiet;
    m_session->start(quiet);
  }
  platform::DriveTable drives() const {
    return scan::testing::fakeDriveTable(
        {{'E', scan::testing::FakeDrive{m_volume, "iso9660", "DISC"}}});
  }
  FileService& files() { return m_session->fileService(); }

  test::TempDir m_tmp;
  TempTree m_outside;
  fs::path m_target;
  fs::path m_volume;
  SessionEnvironment m_env;
  std::unique_ptr<CatalogueSession> m_session;
};

TEST_F(FileServiceTest, EveryCopySourceRefusesABadNameListBeforeWritingAnything) {
  CopySelection both;
  both.files = {{1, 0}, {2, 0}};  // OK.TXT and ..\secret.txt
  YesToAll answers;
  const FileCopyResult fromFolder =
      files().copy(CopyRequest{CopyFromVolume{0, both, m_volume}, m_target, drives(), {}}, answers);
  EXPECT_EQ(fromFolder.copy.code, ResultCode::UnsafeName);
  EXPECT_EQ(fromFolder.copy.file, "..");

  ASSERT_EQ(m_session->volumeService().open(0).contents, ResultCode::Ok);
  const FileCopyResult fromOpen =
      files().copy(CopyRequest{CopyFromOpenVolume{both}, m_target, drives(), {}}, answers);
  EXPECT_EQ(fromOpen.copy.code, ResultCode::UnsafeName);
  EXPECT_EQ(entriesIn(m_target), 0u) << "not even OK.TXT was copied";
}

TEST_F(FileServiceTest, AGoodListFromAFolderCopiesWithoutTheVolumeCheck) {
  CopySelection ok;
  ok.files = {{1, 0}};
  YesToAll answers;
  const FileCopyResult result =
      files().copy(CopyRequest{CopyFromVolume{0, ok, m_volume}, m_target, drives(), {}}, answers);
  ASSERT_EQ(result.status, FileRunStatus::Done);
  EXPECT_EQ(result.copy.code, ResultCode::Ok);
  EXPECT_EQ(result.copy.filesCopied, 1);
  EXPECT_TRUE(fs::exists(m_target / "OK.TXT"));
  EXPECT_EQ(answers.questions, 0);
  EXPECT_EQ(files()
                .copy(CopyRequest{CopyFromVolume{5, ok, m_volume}, m_target, drives(), {}}, answers)
                .status,
            FileRunStatus::NothingSelected);
}

TEST_F(FileServiceTest, WithoutAnOpenVolumeOpenVolumeRequestsSelectNothing) {
  CopySelection ok;
  ok.files = {{1, 0}};
  YesToAll answers;
  EXPECT_EQ(
      files().copy(CopyRequest{CopyFromOpenVolume{ok}, m_target, drives(), {}}, answers).status,
      FileRunStatus::NothingSelected);
  RecordingStarter starter;
  EXPECT_EQ(files().start({0, 0}, StartMode::Run, drives(), answers, starter).status,
            FileRunStatus::NothingSelected);
}

TEST_F(FileServiceTest, TheStartModeChoosesBetweenTheEditorAndTheDesktopsOpener) {
  ASSERT_EQ(m_session->volumeService().open(0).contents, ResultCode::Ok);
  files().chooseEditor("/usr/bin/mein-editor");
  YesToAll answers;
  RecordingStarter starter;
  EXPECT_TRUE(files().start({0, 0}, StartMode::Edit, drives(), answers, starter).started);
  EXPECT_TRUE(files().start({0, 0}, StartMode::Run, drives(), answers, starter).started);
  EXPECT_EQ(starter.programs, (std::vector<std::string>{"/usr/bin/mein-editor"}));
  EXPECT_EQ(starter.documents, (std::vector<std::string>{"OK.TXT"}));
}

}  // namespace
}  // namespace diskindex
