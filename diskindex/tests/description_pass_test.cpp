#include "diskindex/core/scan/description_pass.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "diskindex/core/scan/description_text.h"
#include "diskindex/tests/temp_tree.h"

namespace diskindex::scan {
namespace {

using testing::TempTree;

struct PassObserver : ScanObserver {
  std::vector<int> progress;
  int polls = 0;
  int cancelAtPoll = -1;
  void descriptionProgress(int percent) override { progress.push_back(percent); }
  bool cancelRequested() override { return ++polls == cancelAtPoll; }
};

WalkResult walkOf(const TempTree& t) {
  WalkResult result;
  ScanObserver quiet;
  walkTree(t.root(), result, quiet);
  return result;
}

RemarkMap remarksOf(const TempTree& t, const WalkResult& walk) {
  PassObserver observer;
  return readDescriptions(walk, t.root(), observer).remarks;
}

RemarkMap remarksOf(const TempTree& t) {
  return remarksOf(t, walkOf(t));
}

WalkEntry fileEntry(const std::string& name, int level) {
  WalkEntry e;
  e.name = name;
  e.level = level;
  e.attributes = kAttrArchive;
  return e;
}

WalkEntry dirEntry(const std::string& name, int level) {
  WalkEntry e;
  e.name = name;
  e.level = level;
  e.attributes = kAttrDirectory;
  return e;
}

TEST(DescriptionPass, ListFileOfARootWithoutDirectoriesDescribesFilesOfDirectoryOne) {
  TempTree t;
  t.file("PROG.EXE");
  t.file("README.TXT");
  // Root files in walk order: FILES.BBS 0, PROG.EXE 1, README.TXT 2.
  t.file("FILES.BBS",
         "README.TXT  Hinweise\r\n"
         "PROG.EXE\tmit Tabulator\r\n"
         "  prog.exe   Das Programm\r\n"
         "MISSING.TXT  nicht da\r\n");
  EXPECT_EQ(remarksOf(t), (RemarkMap{{{1, 1}, "Das Programm"}, {{1, 2}, "Hinweise"}}));
}

TEST(DescriptionPass, ListFileNamesOnlyFilesOfItsOwnDirectory) {
  TempTree t;
  t.file("ROOT.TXT");
  t.file("SUB/INNER.TXT");
  t.file("FILES.BBS", "INNER.TXT  falsch\nSUB\\INNER.TXT  auch falsch\nROOT.TXT  richtig\n");
  t.file("SUB/DESCRIPT.ION", "inner.txt \"Titel\"  Text\n");
  // Directory SUB is number 2; its files: DESCRIPT.ION 0, INNER.TXT 1.
  EXPECT_EQ(remarksOf(t), (RemarkMap{{{1, 1}, "richtig"}, {{2, 1}, "\"Titel\"\r\nText"}}));
}

TEST(DescriptionPass, LaterLineForTheSameFileReplacesTheEarlierOne) {
  TempTree t;
  t.file("A.TXT");
  t.file("FILES.BBS", "A.TXT  erste\nA.TXT  zweite\n");
  EXPECT_EQ(remarksOf(t), (RemarkMap{{{1, 0}, "zweite"}}));
}

TEST(DescriptionPass, DirectoryTextBecomesTheDirectoryRemarkWithLineBreaks) {
  TempTree t;
  t.file("DOCS/DIRINFO.TXT", "Zeile 1\r\nZeile 2\r\n");
  t.file("DIZ/FILE_ID.DIZ", "Aus der DIZ");
  EXPECT_EQ(remarksOf(t),
            (RemarkMap{{{2, -1}, "Aus der DIZ"}, {{3, -1}, "Zeile 1\r\nZeile 2\r\n"}}));
}

TEST(DescriptionPass, DirinfoAlwaysWinsOverFileIdDizInEitherOrder) {
  TempTree t;
  t.file("DIRINFO.TXT", "aus DIRINFO");
  t.file("FILE_ID.DIZ", "aus FILE_ID");
  const RemarkMap expected = {{{1, -1}, "aus DIRINFO"}};
  WalkResult dizFirst;
  dizFirst.entries = {fileEntry("FILE_ID.DIZ", 1), fileEntry("DIRINFO.TXT", 1)};
  EXPECT_EQ(remarksOf(t, dizFirst), expected);
  WalkResult dirinfoFirst;
  dirinfoFirst.entries = {fileEntry("DIRINFO.TXT", 1), fileEntry("FILE_ID.DIZ", 1)};
  EXPECT_EQ(remarksOf(t, dirinfoFirst), expected);
}

TEST(DescriptionPass, FileIdDizCountsAgainInTheNextDirectory) {
  TempTree t;
  t.file("A/DIRINFO.TXT", "A");
  t.file("A/FILE_ID.DIZ", "nicht A");
  t.file("B/FILE_ID.DIZ", "B");
  WalkResult walk;
  walk.entries = {dirEntry("A", 1), fileEntry("DIRINFO.TXT", 2), fileEntry("FILE_ID.DIZ", 2),
                  dirEntry("B", 1), fileEntry("FILE_ID.DIZ", 2)};
  EXPECT_EQ(remarksOf(t, walk), (RemarkMap{{{2, -1}, "A"}, {{3, -1}, "B"}}));
}

TEST(DescriptionPass, DosDescriptionsAreConvertedAndWindowsOnesKept) {
  TempTree t;
  t.file("DOS/A.TXT");
  t.file("DOS/FILES.BBS",
         "A.TXT  Sch\x94ne Gr\x81\xE1"
         "e\n");
  t.file("WIN/A.TXT");
  t.file("WIN/FILES.BBS",
         "A.TXT  Sch\xF6ne Gr\xFC\xDF"
         "e\n");
  const std::string utf8 =
      "Sch\xC3\xB6ne Gr\xC3\xBC\xC3\x9F"
      "e";
  EXPECT_EQ(remarksOf(t), (RemarkMap{{{2, 0}, utf8}, {{3, 0}, utf8}}));
}

TEST(DescriptionPass, FilesInDirectoriesWithNonUtf8NamesAreFound) {
  TempTree t;
  t.file("caf\xE9/DIRINFO.TXT", "Kaffee");
  t.file("caf\xE9/N\xE4me.txt");
  t.file("caf\xE9/FILES.BBS", "N\xE4me.txt  mit Umlaut\n");
  // Files: DIRINFO.TXT 0, FILES.BBS 1, Näme.txt 2.
  EXPECT_EQ(remarksOf(t), (RemarkMap{{{2, -1}, "Kaffee"}, {{2, 2}, "mit Umlaut"}}));
}

TEST(DescriptionPass, TestModeFindsAnyDescriptionFile) {
  TempTree t;
  t.file("A.TXT");
  t.file("SUB/B.TXT");
  EXPECT_FALSE(hasDescriptionFiles(walkOf(t)));
  t.file("SUB/descript.ion");
  EXPECT_TRUE(hasDescriptionFiles(walkOf(t)));
}

TEST(DescriptionPass, ReportsNoRemarksWhenNothingMatches) {
  TempTree t;
  t.file("FILES.BBS", "NOTHERE.TXT  weg\n");
  PassObserver observer;
  const auto outcome = readDescriptions(walkOf(t), t.root(), observer);
  EXPECT_EQ(outcome.status, DescriptionStatus::NoRemarks);
  EXPECT_EQ(observer.progress.front(), 0);
  EXPECT_EQ(observer.progress.back(), 100);
}

TEST(DescriptionPass, CancelDropsEverythingCollected) {
  TempTree t;
  t.file("A/DIRINFO.TXT", "A");
  t.file("B/DIRINFO.TXT", "B");
  PassObserver observer;
  observer.cancelAtPoll = 3;  // after the first directory text
  const auto outcome = readDescriptions(walkOf(t), t.root(), observer);
  EXPECT_EQ(outcome.status, DescriptionStatus::Cancelled);
  EXPECT_TRUE(outcome.remarks.empty());
}

TEST(DescriptionPass, DescriptionFileThatCannotBeOpenedIsSkipped) {
  TempTree t;
  t.file("A/DIRINFO.TXT", "weg");
  t.file("B/DIRINFO.TXT", "B");
  const WalkResult walk = walkOf(t);
  std::filesystem::remove(t.root() / "A" / "DIRINFO.TXT");
  EXPECT_EQ(remarksOf(t, walk), (RemarkMap{{{3, -1}, "B"}}));
}

TEST(DescriptionPass, HostileFilesStayWithinTheirLimits) {
  TempTree t;
  std::mt19937 random(7);
  std::string noise(10 * 1024 * 1024, '\0');
  for (char& c : noise) c = static_cast<char>(random() % 7 == 0 ? 0 : random());
  t.file("A.TXT");
  t.file("FILES.BBS", "A.TXT " + std::string(100000, 'y') + "\n" + noise);
  t.file("DIRINFO.TXT", std::string(100000, 'z'));
  const RemarkMap remarks = remarksOf(t);
  ASSERT_TRUE(remarks.count({1, -1}));
  EXPECT_EQ(remarks.at({1, -1}).size(), kMaxRemarkChars);
  for (const auto& [key, text] : remarks) {
    if (key.second >= 0) {
      EXPECT_LE(text.size(), 2 * 500u) << key.first << "/" << key.second;
    }
  }
}

}  // namespace
}  // namespace diskindex::scan
