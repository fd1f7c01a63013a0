#include "diskindex/core/search/search_params.h"

#include <gtest/gtest.h>

#include "diskindex/core/search/search_choice.h"
#include "diskindex/core/settings.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::search {
namespace {

TEST(SearchHistoryTest, KeepsTwentyFiveNewestFirstAndMovesRepeatsToTheTop) {
  std::vector<std::string> history;
  for (int i = 1; i <= 25; ++i) addToHistory(history, "text" + std::to_string(i));
  ASSERT_EQ(history.size(), 25u);
  EXPECT_EQ(history.front(), "text25");
  EXPECT_EQ(history.back(), "text1");
  addToHistory(history, "text26");
  ASSERT_EQ(history.size(), 25u);
  EXPECT_EQ(history.front(), "text26");
  EXPECT_EQ(history.back(), "text2") << "the oldest is dropped";
  addToHistory(history, "text10");
  EXPECT_EQ(history.size(), 25u);
  EXPECT_EQ(history[0], "text10");
  EXPECT_EQ(history[1], "text26");
  EXPECT_EQ(std::count(history.begin(), history.end(), "text10"), 1);
  addToHistory(history, "");
  EXPECT_EQ(history[0], "text10") << "an empty text is no entry";
}

TEST(SearchHistoryTest, SearchTextIsCutToEightyCharacters) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "ä";
  const std::string cut = limitSearchText(text);
  EXPECT_EQ(cut.size(), 160u) << "80 characters of two bytes each";
  EXPECT_EQ(limitSearchText("kurz"), "kurz");
}

TEST(SearchParamsTest, SettingsBitsRoundTripAndRemarksExcludeNames) {
  DiskIndexSettings s;
  s.searchWhere = 4;
  s.searchCase = 1;
  SearchParams p = paramsFromSettings(s, "x");
  EXPECT_TRUE(p.remarks);
  EXPECT_FALSE(p.fileNames || p.dirNames);
  EXPECT_TRUE(p.effectiveCase());
  s.searchWhere = 2;
  p = paramsFromSettings(s);
  EXPECT_TRUE(p.dirNames);
  EXPECT_FALSE(p.fileNames);
  EXPECT_FALSE(p.effectiveCase()) << "case only counts for remark text";
  s.searchWhere = 0;
  p = paramsFromSettings(s);
  EXPECT_TRUE(p.dirNames && p.fileNames);
  p.fileNames = false;
  p.wholeWord = p.onlySelectedDir = true;
  DiskIndexSettings back;
  paramsToSettings(p, back);
  EXPECT_EQ(back.searchWhere, 2);
  EXPECT_EQ(back.searchWords, 1);
  EXPECT_EQ(back.searchFrom, 1);
  EXPECT_EQ(paramsFromSettings(back), (SearchParams{"", true, false, false, true, true, true, SearchMode::Dos, {}}));
}

VolumeRecord record(const std::string& name) {
  VolumeRecord r;
  r.name = name;
  r.dataFile = "/data/" + name + ".DAT";
  return r;
}

TEST(ChosenVolumesTest, TheChoiceFollowsItsVolumesWhenOthersComeAndGo) {
  VolumeList list;
  for (const char* name : {"Alpha", "Delta", "Kilo", "Zulu"}) list.insert(record(name));
  ChosenVolumes chosen;
  chosen.setPositions(list, {1, 3, 17});
  EXPECT_EQ(chosen.indices(list), (std::vector<std::size_t>{1, 3}));
  list.insert(record("Bravo"));  // before Delta: the positions shift
  EXPECT_EQ(chosen.positions(list), (std::vector<int>{2, 4}));
  list.remove(2);  // Delta deleted
  EXPECT_EQ(chosen.positions(list), (std::vector<int>{3}));
  EXPECT_EQ(list[3].name, "Zulu");
  chosen.setIndices(list, {0, 9});
  EXPECT_EQ(chosen.indices(list), (std::vector<std::size_t>{0}));
}

}  // namespace
}  // namespace diskindex::search
