#include "diskindex/core/catalogue_session.h"

#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/core/comment_file.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using test::dir;
using test::file;

struct Reported {
  ResultCode code;
  fs::path path;
};

class FakeConversion : public ConversionObserver {
 public:
  bool confirmConversion() override {
    ++asked;
    return false;
  }
  int asked = 0;
};

class FakeSessionObserver : public SessionObserver {
 public:
  void fileFailed(ResultCode code, const fs::path& file) override {
    failed.push_back({code, file});
  }
  void dataDirectoryFailed(ResultCode code, const fs::path& folder) override {
    folderFailed.push_back({code, folder});
  }
  ConversionObserver* conversion() override {
    ++conversionsOffered;
    return &converter;
  }
  MissingFolderAnswer dataDirectoryMissing(const fs::path& folder) override {
    missingAsked.push_back(folder);
    if (missingAnswers.empty()) return {};
    const MissingFolderAnswer answer = missingAnswers.front();
    missingAnswers.erase(missingAnswers.begin());
    return answer;
  }
  std::vector<fs::path> missingAsked;
  std::vector<MissingFolderAnswer> missingAnswers;  // go on without when empty
  std::vector<Reported> failed;
  std::vector<Reported> folderFailed;
  int conversionsOffered = 0;
  FakeConversion converter;
};

class FakeScan : public scan::ScanObserver {
 public:
  void volumeFailed(ResultCode code, const fs::path& dataFile) override {
    failed.push_back({code, dataFile});
  }
  std::vector<Reported> failed;
};

class CatalogueSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_data = m_tmp / "data";
    fs::create_directories(m_data);
    m_env.settingsFile = m_tmp / "config" / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
  }
  void writeSettings(const std::string& text) {
    fs::create_directories(m_env.settingsFile.parent_path());
    std::ofstream(m_env.settingsFile) << "[Inits]\n" << text;
  }
  void addVolumeFile(const std::string& name, const std::string& category) {
    VolumeHeader header = test::sampleHeader(name);
    header.category = category;
    const fs::path path = m_data / ("CD00000" + std::to_string(++m_files) + ".DAT");
    const std::vector<EntryRecord> entries{dir(1, "GAMES"), file(2, "A.EXE")};
    ASSERT_EQ(createVolume(path, header, entries), ResultCode::Ok);
  }
  CatalogueSession& started() {
    m_session = std::make_unique<CatalogueSession>(m_env);
    m_lastStart = m_session->start(m_observer);
    return *m_session;
  }

  test::TempDir m_tmp;
  fs::path m_data;
  SessionEnvironment m_env;
  FakeSessionObserver m_observer;
  std::unique_ptr<CatalogueSession> m_session;
  ResultCode m_lastStart = ResultCode::Ok;
  int m_files = 0;
};

TEST_F(CatalogueSessionTest, StartUpReadsDataPathAndCollectsTheCategories) {
  addVolumeFile("Doom", "Spiele");
  addVolumeFile("Briefe", "");
  writeSettings("DATA_PATH=" + m_data.string() + "\n[Categories]\nCAT1=Archiv\n");
  const CatalogueSession& session = started();
  EXPECT_EQ(m_lastStart, ResultCode::Ok);
  EXPECT_EQ(session.state().catalogue.dataDirectory(), fs::path(m_data.string() + "/"));
  ASSERT_EQ(session.volumes().size(), 2u);
  EXPECT_EQ(session.volumes()[0].name, "Briefe");
  EXPECT_EQ(session.state().categories.names(), (std::vector<std::string>{"Archiv", "Spiele"}));
  EXPECT_TRUE(m_observer.failed.empty());
  EXPECT_EQ(m_observer.conversionsOffered, 0);
}

TEST_F(CatalogueSessionTest, DamagedAndOldFilesGoToTheObserver) {
  addVolumeFile("Doom", "");
  test::writeAll(m_data / "CD000008.DAT", {'J', 'U', 'N', 'K'});
  std::vector<std::uint8_t> old(300, 0);
  old[0] = 'K';
  old[1] = 'T';
  test::writeAll(m_data / "CD000009.DAT", old);
  m_env.dataDirectory = m_data;  // as diskindx-cli --data gives it
  const CatalogueSession& session = started();
  ASSERT_EQ(m_observer.failed.size(), 1u);
  EXPECT_EQ(m_observer.failed[0].path.filename(), "CD000008.DAT");
  EXPECT_EQ(m_observer.conversionsOffered, 1);
  EXPECT_EQ(m_observer.converter.asked, 1);
  // Declined: the old file stays as it was and listed for later.
  ASSERT_EQ(session.state().catalogue.oldFormatFiles().size(), 1u);
  EXPECT_EQ(test::readAll(m_data / "CD000009.DAT"), old);
  EXPECT_EQ(session.volumes().size(), 1u);
}

TEST_F(CatalogueSessionTest, DefaultDataFolderIsCreatedButANamedOneIsNot) {
  started();
  EXPECT_EQ(m_lastStart, ResultCode::Ok);
  EXPECT_TRUE(fs::is_directory(m_tmp / "home" / "diskindx"));
  EXPECT_TRUE(m_observer.folderFailed.empty());

  writeSettings("DATA_PATH=" + (m_tmp / "unplugged" / "disk").string() + "\n");
  const CatalogueSession& named = started();
  EXPECT_EQ(m_lastStart, ResultCode::CannotOpen);
  EXPECT_FALSE(fs::exists(m_tmp / "unplugged"));
  EXPECT_TRUE(named.volumes().empty());
  EXPECT_TRUE(m_observer.folderFailed.empty());
}

TEST_F(CatalogueSessionTest, AMissingNamedFolderIsAskedAndEachAnswerIsFollowed) {
  using Choice = MissingFolderAnswer::Choice;
  const fs::path unplugged = m_tmp / "usb" / "katalog";
  writeSettings("DATA_PATH=" + unplugged.string() + "\n");
  {  // going on without: read-only, and said so instead of "write-protected"
    CatalogueSession& session = started();
    EXPECT_EQ(m_lastStart, ResultCode::CannotOpen);
    ASSERT_EQ(m_observer.missingAsked.size(), 1u);
    EXPECT_EQ(m_observer.missingAsked[0], fs::path(unplugged.string() + "/"));
    EXPECT_FALSE(fs::exists(unplugged));
    EXPECT_TRUE(session.volumeService().dataDirectoryMissing());
    const std::optional<std::string> refusal = session.volumeService().writeRefusal();
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("ist nicht vorhanden."), std::string::npos) << *refusal;
    EXPECT_EQ(refusal->find("schreibgeschützt"), std::string::npos);
    ASSERT_EQ(session.shutdown(), ResultCode::Ok);
    EXPECT_EQ(platform::IniFile(m_env.settingsFile).readString("Inits", "DATA_PATH"),
              unplugged.string() + "/")
        << "the folder is looked for again next time";
  }
  {  // another folder, first a missing one (asked again), then one with a volume
    addVolumeFile("Doom", "");
    m_observer.missingAsked.clear();
    m_observer.missingAnswers = {{Choice::ChooseOther, m_tmp / "auch-nicht"},
                                 {Choice::ChooseOther, m_data}};
    CatalogueSession& session = started();
    EXPECT_EQ(m_lastStart, ResultCode::Ok);
    EXPECT_EQ(m_observer.missingAsked.size(), 2u);
    ASSERT_EQ(session.volumes().size(), 1u);
    EXPECT_EQ(session.settings().dataPath, m_data.string() + "/");
    EXPECT_FALSE(session.volumeService().writeRefusal());
  }
  {  // created: an empty catalogue that can be written
    m_observer.missingAsked.clear();
    m_observer.missingAnswers = {{Choice::Create, {}}};
    CatalogueSession& session = started();
    EXPECT_EQ(m_lastStart, ResultCode::Ok);
    EXPECT_EQ(m_observer.missingAsked.size(), 1u);
    EXPECT_TRUE(fs::is_directory(unplugged));
    EXPECT_TRUE(session.volumes().empty());
    EXPECT_FALSE(session.volumeService().writeRefusal());
  }
}

TEST_F(CatalogueSessionTest, AReloadFollowsAnotherProgramAndMarksARemovedOpenVolume) {
  addVolumeFile("Mitte", "");
  addVolumeFile("Zuletzt", "");
  m_env.dataDirectory = m_data;
  CatalogueSession& session = started();
  session.searchService().setChosenVolumes({1});  // Zuletzt
  ASSERT_EQ(session.volumeService().open(1).contents, ResultCode::Ok);
  EXPECT_FALSE(session.reloadVolumeList().changed) << "nothing changed on disk";

  addVolumeFile("Anfang", "Neu");  // another program adds one that sorts first
  ReloadResult reload = session.reloadVolumeList();
  EXPECT_TRUE(reload.changed);
  EXPECT_FALSE(reload.openVolumeRemoved);
  ASSERT_EQ(session.volumes().size(), 3u);
  EXPECT_EQ(session.state().opened->volumeIndex, 2u) << "the open volume moved down one";
  EXPECT_EQ(session.searchService().chosenVolumes(), (std::vector<std::size_t>{2}));
  EXPECT_TRUE(session.state().categories.contains("Neu"));

  session.remarkService().set({1, -1}, "getippt");
  fs::remove(m_data / "CD000002.DAT");  // another program deletes the open volume
  reload = session.reloadVolumeList();
  EXPECT_TRUE(reload.changed);
  EXPECT_TRUE(reload.openVolumeRemoved);
  ASSERT_TRUE(session.state().opened);
  EXPECT_TRUE(session.state().opened->removed);
  EXPECT_FALSE(session.remarkService().set({1, -1}, "mehr")) << "read-only now";
  EXPECT_NE(session.remarkService().save().status, RemarkSaveStatus::Saved);
  EXPECT_FALSE(fs::exists(m_data / "CD000002.CMT")) << "no comment file without its volume";
  const fs::path elsewhere = m_tmp / "gerettet.CMT";
  EXPECT_EQ(session.remarkService().saveTo(elsewhere), ResultCode::Ok);
  EXPECT_TRUE(fs::exists(elsewhere));
}

TEST_F(CatalogueSessionTest, DefaultDataFolderThatCannotBeCreatedIsReportedOnce) {
  std::ofstream(m_tmp / "home") << "a file where the folder should be";
  started();
  EXPECT_EQ(m_lastStart, ResultCode::CannotOpen);
  ASSERT_EQ(m_observer.folderFailed.size(), 1u);
  EXPECT_EQ(m_observer.folderFailed[0].code, ResultCode::CannotCreate);
  EXPECT_EQ(m_observer.folderFailed[0].path,
            fs::path((m_tmp / "home" / "diskindx").string() + "/"));
}

TEST(DataFolderRule, TheDefaultIsRecognisedWithOrWithoutItsSlash) {
  test::TempDir tmp;
  EXPECT_EQ(prepareDataDirectory(tmp / "a", (tmp / "a").string() + "/"), ResultCode::Ok);
  EXPECT_TRUE(fs::is_directory(tmp / "a"));
  EXPECT_EQ(prepareDataDirectory(tmp / "b", tmp / "a"), ResultCode::CannotOpen);
  EXPECT_FALSE(fs::exists(tmp / "b"));
  EXPECT_EQ(prepareDataDirectory(tmp / "a", tmp / "other"), ResultCode::Ok);
}

TEST_F(CatalogueSessionTest, ShutdownWritesTheSettingsTheNextStartReads) {
  addVolumeFile("Doom", "Spiele");
  writeSettings("DATA_PATH=" + m_data.string() + "\nUNKNOWN=bleibt\n");
  CatalogueSession& session = started();
  session.settings().winW = 700;
  session.settings().drive = 'E';
  ASSERT_EQ(session.shutdown(), ResultCode::Ok);
  const platform::IniFile ini(m_env.settingsFile);
  EXPECT_EQ(ini.readString("Inits", "DATA_PATH"), m_data.string() + "/");
  EXPECT_EQ(ini.readString("Categories", "CAT1"), "Spiele");
  EXPECT_EQ(ini.readString("Inits", "UNKNOWN"), "bleibt");
  const CatalogueSession& again = started();
  EXPECT_EQ(again.state().settings.winW, 700);
  EXPECT_EQ(again.state().settings.drive, 'E');
}

TEST_F(CatalogueSessionTest, RemarksAreSavedOnRequestAndKeptWhenSavingFails) {
  addVolumeFile("Doom", "");
  m_env.dataDirectory = m_data;
  CatalogueSession& session = started();
  const OpenResult opened = session.volumeService().open(0);
  EXPECT_EQ(opened.contents, ResultCode::Ok);
  EXPECT_EQ(opened.remarks, ResultCode::CannotOpen);  // none yet
  ASSERT_TRUE(session.state().opened);
  EXPECT_EQ(session.state().opened->directories.directoryCount(), 2u);
  EXPECT_EQ(session.remarkService().save().code, ResultCode::Ok);  // nothing changed, nothing written
  EXPECT_FALSE(fs::exists(session.remarkService().file()));

  // A folder in the comment file's place: the save fails, the text stays.
  fs::create_directories(session.remarkService().file());
  session.remarkService().set({2, -1}, "Spiele");
  EXPECT_NE(session.remarkService().save().code, ResultCode::Ok);
  ASSERT_TRUE(session.state().opened);
  EXPECT_TRUE(session.state().opened->remarks.modified());
  EXPECT_EQ(session.state().opened->remarks.find({2, -1}).value_or(""), "Spiele");

  fs::remove(session.remarkService().file());
  EXPECT_EQ(session.remarkService().save().code, ResultCode::Ok);
  session.volumeService().close();
  EXPECT_FALSE(session.state().opened);
  EXPECT_EQ(session.volumeService().open(0).remarks, ResultCode::Ok);
  EXPECT_EQ(session.state().opened->remarks.find({2, -1}).value_or(""), "Spiele");
}

TEST_F(CatalogueSessionTest, AVolumeThatCannotBeReadIsNotOpened) {
  addVolumeFile("Doom", "");
  m_env.dataDirectory = m_data;
  CatalogueSession& session = started();
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  auto bytes = test::readAll(m_data / "CD000001.DAT");
  bytes.pop_back();
  test::writeAll(m_data / "CD000001.DAT", bytes);
  EXPECT_NE(session.volumeService().open(0).contents, ResultCode::Ok);
  EXPECT_FALSE(session.state().opened);
  EXPECT_EQ(session.volumeService().open(5).contents, ResultCode::CannotOpen);
}

TEST_F(CatalogueSessionTest, AddChangeAndDeleteKeepListCategoriesAndDriveInStep) {
  test::TempDir disc;
  std::ofstream(disc / "README.TXT") << "text";
  const platform::DriveTable drives =
      scan::testing::fakeDriveTable({{'E', scan::testing::FakeDrive{disc.path(), "vfat", "DISC"}}});
  m_env.dataDirectory = m_data;
  CatalogueSession& session = started();
  ASSERT_TRUE(session.volumeService().dataDirectoryWritable());

  scan::DialogValues values;
  values.driveLetter = 'E';
  values.name = "Sicherung";
  values.category = "Archiv";
  FakeScan scanObserver;
  const AddResult added =
      session.volumeService().add(AddRequest{values, AddFromDrive{drives, 'E', 0}}, scanObserver);
  ASSERT_TRUE(added.lastAdded) << (scanObserver.failed.empty()
                                       ? 0
                                       : codeValue(scanObserver.failed[0].code));
  EXPECT_EQ(session.volumes()[*added.lastAdded].name, "Sicherung");
  EXPECT_EQ(session.volumes()[*added.lastAdded].fileCount, 1);
  EXPECT_EQ(session.state().settings.drive, 'E');
  EXPECT_EQ(session.state().categories.names(), (std::vector<std::string>{"Archiv"}));

  const HeaderResult read = session.volumeService().readHeader(0);
  ASSERT_EQ(read.code, ResultCode::Ok);
  scan::DialogValues changed = scan::valuesForChanging(read.header);
  changed.category = "Fotos";
  const ChangeResult change =
      session.volumeService().change(ChangeRequest{0, read.header, changed, drives});
  ASSERT_EQ(change.code, ResultCode::Ok);
  EXPECT_EQ(change.index, 0u);
  EXPECT_EQ(session.volumes()[0].category.value_or(""), "Fotos");
  EXPECT_EQ(session.state().categories.names(), (std::vector<std::string>{"Archiv", "Fotos"}));

  const fs::path dataFile = session.volumes()[0].dataFile;
  EXPECT_EQ(session.volumeService().remove(0), ResultCode::Ok);
  EXPECT_TRUE(session.volumes().empty());
  EXPECT_FALSE(fs::exists(dataFile));
  EXPECT_EQ(session.volumeService().remove(0), ResultCode::CannotWrite);
}

TEST_F(CatalogueSessionTest, ChangingTheDataFolderLeavesTheVolumeAndLoadsTheOtherList) {
  addVolumeFile("Doom", "Spiele");
  m_env.dataDirectory = m_data;
  CatalogueSession& session = started();
  ASSERT_EQ(session.volumeService().open(0).contents, ResultCode::Ok);
  const fs::path other = m_tmp / "other";
  fs::create_directories(other);
  EXPECT_EQ(session.changeDataDirectory(other, m_observer), ResultCode::Ok);
  EXPECT_FALSE(session.state().opened);
  EXPECT_TRUE(session.volumes().empty());
  EXPECT_EQ(session.state().settings.dataPath, other.string() + "/");
  // The categories of the folder left stay offered.
  EXPECT_EQ(session.state().categories.names(), (std::vector<std::string>{"Spiele"}));
}

}  // namespace
}  // namespace diskindex
