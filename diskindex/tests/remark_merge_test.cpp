#include "diskindex/core/remark_merge.h"

#include <gtest/gtest.h>

namespace diskindex {
namespace {

std::vector<Remark> list(std::initializer_list<Remark> records) {
  return records;
}

const std::vector<Remark> kBase = list({{{1, -1}, "Wurzel"}, {{2, 0}, "Datei"}, {{3, 4}, "Bild"}});

TEST(RemarkMerge, EditsOfDifferentEntriesAreBothTaken) {
  // Mine changes (1,-1) and adds (5,0); theirs changes (3,4) and removes (2,0).
  const auto mine = list({{{1, -1}, "Wurzel neu"}, {{2, 0}, "Datei"}, {{3, 4}, "Bild"},
                          {{5, 0}, "Neu"}});
  const auto theirs = list({{{1, -1}, "Wurzel"}, {{3, 4}, "Bild anders"}});
  const RemarkMerge merge = mergeRemarks(kBase, mine, theirs, ConflictChoice::Ask);
  EXPECT_TRUE(merge.conflicts.empty());
  EXPECT_EQ(merge.merged,
            list({{{1, -1}, "Wurzel neu"}, {{3, 4}, "Bild anders"}, {{5, 0}, "Neu"}}));
}

TEST(RemarkMerge, TheSameChangeOnBothSidesIsNoConflict) {
  const auto both = list({{{1, -1}, "Gleich"}, {{2, 0}, "Datei"}, {{3, 4}, "Bild"}});
  const RemarkMerge merge = mergeRemarks(kBase, both, both, ConflictChoice::Ask);
  EXPECT_TRUE(merge.conflicts.empty());
  EXPECT_EQ(merge.merged, both);
}

TEST(RemarkMerge, DifferentChangesOfOneEntryAreAConflictDecidedByTheChoice) {
  const auto mine = list({{{1, -1}, "Wurzel"}, {{2, 0}, "meine"}, {{3, 4}, "Bild"}});
  // Theirs removed the entry mine changed, and added one mine added otherwise.
  const auto theirs = list({{{1, -1}, "Wurzel"}, {{3, 4}, "Bild"}, {{9, 9}, "ihre"}});
  auto mineWithNew = mine;
  mineWithNew.push_back({{9, 9}, "meine neue"});

  const RemarkMerge asked = mergeRemarks(kBase, mineWithNew, theirs, ConflictChoice::Ask);
  ASSERT_EQ(asked.conflicts.size(), 2u);
  EXPECT_EQ(asked.conflicts[0],
            (RemarkConflict{{2, 0}, std::string("Datei"), std::string("meine"), std::nullopt}));
  EXPECT_EQ(asked.conflicts[1], (RemarkConflict{{9, 9}, std::nullopt, std::string("meine neue"),
                                                std::string("ihre")}));

  const RemarkMerge mineWins = mergeRemarks(kBase, mineWithNew, theirs, ConflictChoice::KeepMine);
  EXPECT_TRUE(mineWins.conflicts.empty());
  EXPECT_EQ(mineWins.merged, mineWithNew);

  const RemarkMerge theirsWin =
      mergeRemarks(kBase, mineWithNew, theirs, ConflictChoice::KeepTheirs);
  EXPECT_TRUE(theirsWin.conflicts.empty());
  EXPECT_EQ(theirsWin.merged, theirs);
}

}  // namespace
}  // namespace diskindex
