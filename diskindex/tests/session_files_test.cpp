#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/files/file_messages.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using scan::testing::FakeDrive;
using scan::testing::fakeDriveTable;
using scan::testing::TempTree;
using test::dir;
using test::file;

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    names.push_back(fs::relative(e.path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Answers : public files::FilesObserver {
 public:
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion&) override {
    ++otherVolumeQuestions;
    return {otherVolumeYes, false};
  }
  files::InsertVolumeAnswer askInsertVolume(const std::string& text) override {
    insertTexts.push_back(text);
    if (insertAnswers.empty()) return files::InsertVolumeAnswer::Cancel;
    const auto a = insertAnswers.front();
    insertAnswers.erase(insertAnswers.begin());
    return a;
  }
  int otherVolumeQuestions = 0;
  bool otherVolumeYes = false;
  std::vector<std::string> insertTexts;
  std::vector<files::InsertVolumeAnswer> insertAnswers;
};

class FakeStarter : public files::ProgramStarter {
 public:
  platform::StartResult startProgram(const fs::path& program,
                                     const std::vector<std::string>& arguments) override {
    started.push_back(program.string());
    for (const auto& a : arguments) started.push_back(a);
    return result;
  }
  platform::StartResult openDocument(const fs::path& document) override {
    opened.push_back(document.string());
    return result;
  }
  std::vector<std::string> started;
  std::vector<std::string> opened;
  platform::StartResult result = platform::StartResult::Ok;
};

class SessionFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_data = m_tmp / "data";
    m_target = m_tmp / "target";
    fs::create_directories(m_data);
    fs::create_directories(m_target);
    m_env.settingsFile = m_tmp / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
    m_env.dataDirectory = m_data;
  }
  void addVolume(const std::string& name, const std::vector<EntryRecord>& entries) {
    test::writeVolume(m_data / ("CD00000" + std::to_string(++m_files) + ".DAT"),
                      test::sampleHeader(name), entries);
  }
  std::unique_ptr<CatalogueSession> started() {
    auto session = std::make_unique<CatalogueSession>(m_env);
    SessionObserver quiet;
    session->start(quiet);
    return session;
  }
  platform::DriveTable drive(const std::string& label = "DISC") const {
    return fakeDriveTable({{'E', FakeDrive{m_drive.root(), "iso9660", label}}});
  }

  test::TempDir m_tmp;
  TempTree m_drive;
  fs::path m_data;
  fs::path m_target;
  SessionEnvironment m_env;
  int m_files = 0;
};

TEST_F(SessionFilesTest, OpenVolumeCopiesByStoredNamesAndRemembersTheTarget) {
  addVolume("Alpha", {file(1, "README.TXT", 5), dir(1, "TOOLS"), file(2, "A.EXE", 1), dir(2, "BIN"),
                      file(3, "B.COM", 1)});
  m_drive.file("README.TXT", "hello");
  m_drive.file("TOOLS/A.EXE", "a");
  m_drive.file("TOOLS/BIN/B.COM", "b");
  auto session = started();
  ASSERT_EQ(session->volumeService().open(0).contents, ResultCode::Ok);
  // The window shows "Readme.txt"; the copy must find README.TXT.
  ASSERT_EQ(
      session->state().opened->directories.name(session->state().opened->directories.files(0)[0]),
      "Readme.txt");
  Answers answers;
  CopySelection readme;
  readme.files = {{1, 0}};
  FileCopyResult r = session->fileService().copy(
      CopyRequest{CopyFromOpenVolume{readme}, m_target, drive(), {}}, answers);
  ASSERT_EQ(r.copy.code, ResultCode::Ok) << r.copy.file;
  EXPECT_EQ(namesIn(m_target), (std::vector<std::string>{"README.TXT"}));
  EXPECT_EQ(session->state().settings.copyPath, m_target.string() + "/");

  CopySelection tools;
  tools.wholeDirectory = true;
  tools.directory = 1;
  r = session->fileService().copy(CopyRequest{CopyFromOpenVolume{tools}, m_target, drive(), {}},
                                  answers);
  ASSERT_EQ(r.copy.code, ResultCode::Ok) << r.copy.file;
  EXPECT_EQ(namesIn(m_target), (std::vector<std::string>{"README.TXT", "TOOLS", "TOOLS/A.EXE",
                                                         "TOOLS/BIN", "TOOLS/BIN/B.COM"}));
  EXPECT_EQ(answers.otherVolumeQuestions, 0);

  // Nothing chosen: nothing happens.
  r = session->fileService().copy(
      CopyRequest{CopyFromOpenVolume{CopySelection{}}, m_target, drive(), {}}, answers);
  EXPECT_EQ(r.status, FileRunStatus::NothingSelected);
}

TEST_F(SessionFilesTest, AWrongVolumeAnsweredNoCopiesNothing) {
  addVolume("Alpha", {file(1, "A.TXT", 1)});
  m_drive.file("A.TXT", "a");
  auto session = started();
  session->volumeService().open(0);
  Answers answers;
  CopySelection all;
  all.wholeDirectory = true;
  const FileCopyResult r = session->fileService().copy(
      CopyRequest{CopyFromOpenVolume{all}, m_target, drive("OTHER"), {}}, answers);
  EXPECT_EQ(r.status, FileRunStatus::VolumeRefused);
  EXPECT_EQ(answers.otherVolumeQuestions, 1);
  EXPECT_TRUE(namesIn(m_target).empty());
}

TEST_F(SessionFilesTest, ACraftedVolumeFileCannotReachOutsideItsFolders) {
  // The drive is one folder of the temporary tree; beside it lie a secret
  // file and the target.
  TempTree outside;
  const fs::path volume = outside.dir("volume");
  const fs::path target = outside.dir("target");
  outside.file("secret.txt", "secret");
  outside.file("volume/OK.TXT", "ok");
  addVolume("Evil", {file(1, "OK.TXT", 2), dir(1, ".."), file(2, "secret.txt", 6), dir(1, "SUB"),
                     dir(2, ".."), dir(3, ".."), file(4, "x", 1)});
  auto session = started();
  Answers answers;
  const auto drives = fakeDriveTable({{'E', FakeDrive{volume, "iso9660", "DISC"}}});
  CopySelection whole;
  whole.wholeDirectory = true;
  FileCopyResult r = session->fileService().copy(
      CopyRequest{CopyFromVolume{0, whole, {}}, target, drives, {}}, answers);
  EXPECT_EQ(r.copy.code, ResultCode::UnsafeName);
  EXPECT_EQ(r.copy.file, "..");
  CopySelection secret;
  secret.files = {{1, 0}, {2, 0}};  // OK.TXT and ..\secret.txt
  r = session->fileService().copy(CopyRequest{CopyFromVolume{0, secret, {}}, target, drives, {}},
                                  answers);
  EXPECT_EQ(r.copy.code, ResultCode::UnsafeName);
  EXPECT_EQ(namesIn(outside.root()),
            (std::vector<std::string>{"secret.txt", "target", "volume", "volume/OK.TXT"}));
  EXPECT_NE(files::copyMessage(r.copy.code, r.copy.file).text.find("Es wurde nichts kopiert!"),
            std::string::npos);
}

TEST_F(SessionFilesTest, SearchHitsAreCopiedVolumeByVolumeWithTheInsertQuestions) {
  addVolume("Alpha", {file(1, "BRIEF.TXT", 1), dir(1, "BRIEFE"), file(2, "BRIEF.DOC", 1)});
  addVolume("Bravo", {file(1, "BRIEF.BAK", 1), file(1, "BRIEF.OLD", 1)});
  m_drive.file("BRIEF.BAK", "b");
  // BRIEF.OLD is missing on the drive: the first attempt fails.
  auto session = started();
  search::SearchParams params;
  params.text = "brief";
  params.fileNames = true;
  params.dirNames = true;
  MultiSearchProgress quiet;
  session->searchService().searchMulti({params, {0, 1}}, quiet);
  const auto& rows = session->searchService().results();
  ASSERT_EQ(rows.size(), 5u);  // the directory hit BRIEFE included
  Answers answers;
  answers.insertAnswers = {files::InsertVolumeAnswer::SkipVolume, files::InsertVolumeAnswer::Ok,
                           files::InsertVolumeAnswer::SkipVolume};
  const FileCopyResult r = session->fileService().copy(
      CopyRequest{CopyFromSearchHits{{0, 1, 2, 3, 4}}, m_target, drive(), {}}, answers);
  EXPECT_EQ(r.status, FileRunStatus::Done);
  ASSERT_EQ(answers.insertTexts.size(), 3u);
  EXPECT_EQ(answers.insertTexts[0], "Folgenden Datenträger einlegen:\r\n\"Alpha\"!");
  EXPECT_EQ(answers.insertTexts[1], "Folgenden Datenträger einlegen:\r\n\"Bravo\"!");
  EXPECT_EQ(answers.insertTexts[2], "Kann Datei nicht kopieren:\r\n\"" +
                                        (m_drive.root() / "BRIEF.OLD").string() +
                                        "\"!\r\n\r\nFolgenden Datenträger einlegen:\r\n\"Bravo\"!");
  EXPECT_EQ(namesIn(m_target), (std::vector<std::string>{"BRIEF.BAK"}));
  EXPECT_EQ(session->state().settings.copyPath, m_target.string() + "/");

  // Only the directory hit chosen: nothing to copy, nothing asked.
  Answers none;
  std::size_t dirRow = 0;
  while (!rows[dirRow].directory) ++dirRow;
  EXPECT_EQ(session->fileService()
                .copy(CopyRequest{CopyFromSearchHits{{dirRow}}, m_target, drive(), {}}, none)
                .status,
            FileRunStatus::NothingSelected);
  EXPECT_TRUE(none.insertTexts.empty());
}

TEST_F(SessionFilesTest, AVolumeThatLostItsHitsSinceTheSearchIsPassedOver) {
  addVolume("Alpha", {file(1, "BRIEF.BAK", 1)});
  addVolume("Bravo", {dir(1, "BRIEFE"), file(2, "BRIEF.DOC", 1)});
  m_drive.file("BRIEF.BAK", "b");
  auto session = started();
  search::SearchParams params;
  params.text = "brief";
  params.fileNames = true;
  params.dirNames = false;
  MultiSearchProgress quiet;
  session->searchService().searchMulti({params, {0, 1}}, quiet);
  ASSERT_EQ(session->searchService().results().size(), 2u);
  // Bravo, the last volume, is read anew meanwhile: BRIEFE is gone.
  test::writeVolume(m_data / "CD000002.DAT", test::sampleHeader("Bravo"), {file(1, "X.TXT", 1)});
  Answers answers;
  answers.insertAnswers = {files::InsertVolumeAnswer::Ok, files::InsertVolumeAnswer::Ok};
  const FileCopyResult r = session->fileService().copy(
      CopyRequest{CopyFromSearchHits{{0, 1}}, m_target, drive(), {}}, answers);
  EXPECT_EQ(r.status, FileRunStatus::Done);
  EXPECT_EQ(r.copy.code, ResultCode::Ok);
  EXPECT_EQ(answers.insertTexts.size(), 2u);
  EXPECT_EQ(namesIn(m_target), (std::vector<std::string>{"BRIEF.BAK"}));
}

TEST_F(SessionFilesTest, EditAndRunStartTheStoredPathWithoutAShell) {
  addVolume("Alpha", {file(1, "NOTE; rm -rf ~.TXT", 1), file(1, "GONE.TXT", 1)});
  m_drive.file("NOTE; rm -rf ~.TXT", "n");
  auto session = started();
  session->volumeService().open(0);
  session->fileService().chooseEditor("/usr/bin/editor");
  session->fileService().chooseEditor("/usr/bin/editor");
  EXPECT_EQ(session->state().settings.editors, (std::vector<std::string>{"/usr/bin/editor"}));
  Answers answers;
  FakeStarter starter;
  const fs::path note = m_drive.root() / "NOTE; rm -rf ~.TXT";
  FileStartResult r =
      session->fileService().start({0, 0}, StartMode::Edit, drive(), answers, starter);
  EXPECT_TRUE(r.started);
  EXPECT_EQ(starter.started, (std::vector<std::string>{"/usr/bin/editor", note.string()}));
  r = session->fileService().start({0, 0}, StartMode::Run, drive(), answers, starter);
  EXPECT_EQ(starter.opened, (std::vector<std::string>{note.string()}));

  r = session->fileService().start({0, 1}, StartMode::Edit, drive(), answers, starter);
  EXPECT_FALSE(r.started);
  EXPECT_EQ(r.message, files::cannotOpenFile((m_drive.root() / "GONE.TXT").string()));

  starter.result = platform::StartResult::NotFound;
  r = session->fileService().start({0, 0}, StartMode::Edit, drive(), answers, starter);
  EXPECT_EQ(r.message, "Die Anwendung\r\n\"/usr/bin/editor\"\r\nkann nich gestartet werden!");
  r = session->fileService().start({0, 0}, StartMode::Run, drive(), answers, starter);
  EXPECT_EQ(r.message, files::cannotStart(note.string()));

  r = session->fileService().start({0, 7}, StartMode::Edit, drive(), answers, starter);
  EXPECT_EQ(r.status, FileRunStatus::NothingSelected);
  EXPECT_EQ(r.message, "Keine Datei(en) ausgewählt!");
}

}  // namespace
}  // namespace diskindex
