#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/session_fixture.h"
#include "diskindex/tests/test_files.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using test::dir;
using test::file;

class Rows : public MultiSearchProgress {
 public:
  void row(const search::ResultRow& r) override { volumes.push_back(r.volumeName); }
  std::vector<std::string> volumes;
};

class SessionSearchTest : public test::SessionFixture {
 protected:
  void addVolumeFile(const std::string& name) {
    const fs::path path = nextDataFile();
    VolumeHeader header = test::sampleHeader(name);
    const std::vector<EntryRecord> entries{file(1, "BRIEF.TXT"), dir(1, "BRIEFE"),
                                           file(2, "BRIEF.DOC"), dir(1, "SPIELE"),
                                           file(2, "BRIEF.BAK")};
    ASSERT_EQ(createVolume(path, header, entries), ResultCode::Ok);
  }
  void writeIni(const std::string& text) { std::ofstream(m_env.settingsFile) << text; }

};

TEST_F(SessionSearchTest, ChosenVolumesFollowDeletionsAndAreWrittenByFileNumber) {
  for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta"}) addVolumeFile(name);
  writeIni("[SearchCDs]\nG1=000100020003\n[SearchTexts]\nSTR1=brief\n");
  auto session = startSession();
  EXPECT_EQ(session->searchService().chosenVolumes(), (std::vector<std::size_t>{1, 2, 3}))
      << "positions of an old settings file are still read";
  EXPECT_EQ(session->searchService().params().text, "brief")
      << "the newest history text is offered";
  ASSERT_EQ(session->volumeService().remove(0), ResultCode::Ok);  // Alpha
  EXPECT_EQ(session->searchService().chosenVolumes(), (std::vector<std::size_t>{0, 1, 2}))
      << "still Bravo, Charlie and Delta";
  ASSERT_EQ(session->volumeService().remove(1), ResultCode::Ok);  // Charlie
  Rows rows;
  SearchService& service = session->searchService();
  ASSERT_EQ(service.searchMulti({service.params(), service.chosenVolumes()}, rows).status,
            MultiSearchStatus::Searched);
  EXPECT_EQ(rows.volumes.front(), "Bravo");
  EXPECT_EQ(rows.volumes.back(), "Delta");
  EXPECT_EQ(session->shutdown(), ResultCode::Ok);
  const platform::IniFile ini(m_env.settingsFile);
  EXPECT_EQ(ini.readString("SearchFiles", "F1", ""), "000002,000004");
  EXPECT_FALSE(ini.hasKey("SearchCDs", "G1")) << "the positions would name other volumes";
}

TEST_F(SessionSearchTest, ChoiceByFileNumberKeepsItsVolumesWhenAnotherProgramAddsOnes) {
  for (const char* name : {"Bravo", "Charlie", "Delta"}) addVolumeFile(name);
  {
    auto session = startSession();
    session->searchService().setChosenVolumes({1});  // Charlie, CD000002
    ASSERT_EQ(session->shutdown(), ResultCode::Ok);
  }
  // Two volumes that sort before Charlie arrive from another program.
  addVolumeFile("Alpha");
  addVolumeFile("Aachen");
  auto session = startSession();
  ASSERT_EQ(session->searchService().chosenVolumes(), (std::vector<std::size_t>{3}));
  EXPECT_EQ(session->volumes()[3].name, "Charlie");
  search::SearchParams p;
  p.text = "brief";
  Rows rows;
  session->searchService().searchMulti({p, session->searchService().chosenVolumes()}, rows);
  ASSERT_FALSE(rows.volumes.empty());
  EXPECT_EQ(std::set<std::string>(rows.volumes.begin(), rows.volumes.end()),
            std::set<std::string>{"Charlie"});
}

TEST_F(SessionSearchTest, RemarkSearchOverManyVolumesSeesTheOpenVolumesUnsavedRemarks) {
  for (const char* name : {"Alpha", "Bravo"}) addVolumeFile(name);
  {
    TFileCommentList saved;
    saved.set({1, -1}, "Gespeicherte Notiz");
    ASSERT_EQ(saveRemarks(m_data / "CD000002.CMT", saved), ResultCode::Ok);
  }
  auto session = startSession();
  ASSERT_EQ(session->volumeService().open(0).contents, ResultCode::Ok);  // Alpha
  ASSERT_TRUE(session->remarkService().set({2, -1}, "eben getippte Notiz"));
  search::SearchParams p;
  p.text = "notiz";
  p.fileNames = p.dirNames = false;
  p.remarks = true;
  Rows rows;
  session->searchService().searchMulti({p, {0, 1}}, rows);
  EXPECT_EQ(rows.volumes, (std::vector<std::string>{"Alpha", "Bravo"}))
      << "the typed remark of the open volume and the saved one of the other";
  ASSERT_EQ(session->searchService().results().size(), 2u);
  EXPECT_EQ(session->searchService().results()[0].hit.key, (TDirFileNo{2, -1}));
  EXPECT_FALSE(std::filesystem::exists(m_data / "CD000001.CMT")) << "searching saved nothing";
}

TEST_F(SessionSearchTest, ParametersGoToHistoryAndSettingsAndRestartThePosition) {
  addVolumeFile("Alpha");
  auto session = startSession();
  for (int i = 1; i <= 26; ++i) {
    search::SearchParams p;
    p.text = "text" + std::to_string(i);
    p.dirNames = false;
    session->searchService().setParams(p);
  }
  EXPECT_EQ(session->settings().searchTexts.size(), 25u);
  EXPECT_EQ(session->settings().searchTexts.back(), "text2");
  EXPECT_EQ(session->settings().searchWhere, 1);

  search::SearchParams p;
  p.text = "brief";
  session->searchService().setParams(p);
  EXPECT_FALSE(session->searchService().findFirst(0)) << "no volume open";
  ASSERT_TRUE(session->volumeService().open(0).contents == ResultCode::Ok);
  auto hit = session->searchService().findFirst(0);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->key, (TDirFileNo{1, 0}));
  hit = session->searchService().findNext();
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->key, (TDirFileNo{2, -1}));
  EXPECT_TRUE(session->searchService().active());
  session->searchService().setParams(p);
  EXPECT_FALSE(session->searchService().active()) << "new parameters start a new position";
  session->searchService().findFirst(0);
  session->volumeService().close();
  EXPECT_FALSE(session->searchService().active()) << "leaving the volume ends its search";
}

}  // namespace
}  // namespace diskindex
