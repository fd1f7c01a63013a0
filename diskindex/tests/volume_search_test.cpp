#include "diskindex/core/search/volume_search.h"

#include <gtest/gtest.h>

namespace diskindex::search {
namespace {

// \ (1)
//   Readme.txt, Brief.doc
//   Brief (2): Brief.doc, Briefe.txt
//     Alt (3): Brief.bak
//   Spiele (4): Doom.exe
//     Brief (5): Notiz.txt
class VolumeSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dirs.addDirectory(0, "\\");
    m_dirs.addFile("Readme.txt", 10, 0, 0);
    m_dirs.addFile("Brief.doc", 20, 0, 0);
    m_dirs.addDirectory(1, "Brief");
    m_dirs.addFile("Brief.doc", 30, 0, 0);
    m_dirs.addFile("Briefe.txt", 40, 0, 0);
    m_dirs.addDirectory(2, "Alt");
    m_dirs.addFile("Brief.bak", 50, 0, 0);
    m_dirs.addDirectory(1, "Spiele");
    m_dirs.addFile("Doom.exe", 60, 0, 0);
    m_dirs.addDirectory(2, "Brief");
    m_dirs.addFile("Notiz.txt", 70, 0, 0);
  }

  std::vector<TDirFileNo> all(SearchParams params, std::size_t selected = 0) {
    std::vector<TDirFileNo> hits;
    VolumeSearch search;
    search.start(params, m_dirs, selected);
    while (auto hit = search.findNext(m_dirs, m_remarks)) {
      hits.push_back(hit->key);
      if (hits.size() > 50) break;
    }
    EXPECT_FALSE(search.active()) << "the position is cleared at the end";
    EXPECT_EQ(search.position(), SearchPosition{});
    return hits;
  }

  static SearchParams names(std::string text, bool dirs = true, bool files = true) {
    SearchParams p;
    p.text = std::move(text);
    p.dirNames = dirs;
    p.fileNames = files;
    return p;
  }

  TOutlineDirList m_dirs;
  TFileCommentList m_remarks;
};

using Keys = std::vector<TDirFileNo>;

TEST_F(VolumeSearchTest, DirectoryNameHitComesBeforeTheFilesInsideIt) {
  EXPECT_EQ(all(names("brief")), (Keys{{1, 1}, {2, -1}, {2, 0}, {2, 1}, {3, 0}, {5, -1}}));
  EXPECT_EQ(all(names("brief", true, false)), (Keys{{2, -1}, {5, -1}}));
  EXPECT_EQ(all(names("brief", false, true)), (Keys{{1, 1}, {2, 0}, {2, 1}, {3, 0}}));
}

TEST_F(VolumeSearchTest, PositionsFollowEachKindOfHit) {
  VolumeSearch search;
  search.start(names("brief"), m_dirs, 0);
  EXPECT_EQ(search.position(), (SearchPosition{1, -1}));
  ASSERT_TRUE(search.findNext(m_dirs, m_remarks));
  EXPECT_EQ(search.position(), (SearchPosition{1, 2})) << "next file of the same directory";
  ASSERT_TRUE(search.findNext(m_dirs, m_remarks));
  EXPECT_EQ(search.position(), (SearchPosition{2, -2})) << "its files are next";
  search.start(names("brief", true, false), m_dirs, 0);
  ASSERT_TRUE(search.findNext(m_dirs, m_remarks));
  EXPECT_EQ(search.position(), (SearchPosition{3, -1})) << "only names: the next directory";
}

TEST_F(VolumeSearchTest, SubtreeLimitNeverLeavesTheSelectedDirectory) {
  SearchParams p = names("brief");
  p.onlySelectedDir = true;
  EXPECT_EQ(all(p, 1), (Keys{{2, -1}, {2, 0}, {2, 1}, {3, 0}}));
  EXPECT_EQ(all(p, 2), (Keys{{3, 0}}));
  EXPECT_EQ(all(p, 3), (Keys{{5, -1}}));
  EXPECT_EQ(subtreeEnd(m_dirs, 1), 3u);
  EXPECT_EQ(subtreeEnd(m_dirs, 0), 5u);
  p.onlySelectedDir = false;
  EXPECT_EQ(all(p, 3).size(), 6u) << "without the option the selection does not matter";
}

TEST_F(VolumeSearchTest, NoWrapAroundAndTheRootNameIsNoHit) {
  VolumeSearch search;
  search.start(names("*"), m_dirs, 0);
  std::vector<TDirFileNo> hits;
  while (auto hit = search.findNext(m_dirs, m_remarks)) hits.push_back(hit->key);
  ASSERT_EQ(hits.size(), 11u) << "four directories and seven files, the root not among them";
  EXPECT_EQ(hits.front(), (TDirFileNo{1, 0}));
  EXPECT_FALSE(search.findNext(m_dirs, m_remarks)) << "a finished search stays finished";
}

TEST_F(VolumeSearchTest, RemarksInKeyOrderWithMatchBytesAndSubtree) {
  m_remarks.set({1, -1}, "Sammlung");
  m_remarks.set({2, -1}, "Größere Übersicht");
  m_remarks.set({2, 1}, "zweite übersicht");
  m_remarks.set({3, 0}, "alte Übersicht");
  m_remarks.set({4, 7}, "Übersicht eines Eintrags, den es nicht gibt");
  m_remarks.set({5, 0}, "Übersicht");
  SearchParams p;
  p.text = "übersicht";
  p.remarks = true;
  EXPECT_EQ(all(p), (Keys{{2, -1}, {2, 1}, {3, 0}, {5, 0}}));
  VolumeSearch search;
  search.start(p, m_dirs, 0);
  const auto hit = search.findNext(m_dirs, m_remarks);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->matchStart, std::string("Größere ").size()) << "bytes, not characters";
  EXPECT_EQ(hit->matchLength, std::string("Übersicht").size());
  EXPECT_EQ(search.position(), (SearchPosition{2, 0})) << "the directory's file remarks next";
  p.caseSensitive = true;
  EXPECT_EQ(all(p), (Keys{{2, 1}}));
  p.caseSensitive = false;
  p.onlySelectedDir = true;
  EXPECT_EQ(all(p, 1), (Keys{{2, -1}, {2, 1}, {3, 0}}));
}

TEST_F(VolumeSearchTest, EmptyTextOrNoVolumeFindsNothing) {
  EXPECT_TRUE(all(names(" ; ,")).empty());
  VolumeSearch search;
  TOutlineDirList none;
  search.start(names("brief"), none, 0);
  EXPECT_FALSE(search.active());
  EXPECT_FALSE(search.findNext(none, m_remarks));
}

}  // namespace
}  // namespace diskindex::search
