#include "diskindex/core/category_editor.h"

#include <gtest/gtest.h>

namespace diskindex {
namespace {

using Check = CategoryEditor::Check;
using Names = std::vector<std::string>;

std::string selectedName(const CategoryEditor& editor) {
  return editor.selection() ? editor.names()[*editor.selection()] : std::string("(none)");
}

TEST(CategoryEditor, StartsOnTheFilterCategoryOrTheFirstEntry) {
  EXPECT_EQ(selectedName(CategoryEditor({"Musik", "Archiv", "Spiele"}, "spiele")), "Spiele");
  EXPECT_EQ(selectedName(CategoryEditor({"Musik", "Archiv"}, "<ALLE>")), "Archiv");
  EXPECT_EQ(selectedName(CategoryEditor({"Musik", "Archiv"}, "<keine Zuordnung>")), "Archiv");
  const CategoryEditor empty({}, "<ALLE>");
  EXPECT_FALSE(empty.selection().has_value());
  EXPECT_FALSE(empty.canChangeSelected());
}

TEST(CategoryEditor, NewEntriesAreProposedNumberedAndInsertedSorted) {
  CategoryEditor editor({"Musik"}, "");
  EXPECT_EQ(editor.beginNewEntry(), "Kategorie1");
  EXPECT_EQ(editor.finishEdit("  Archiv"), Check::Accepted);
  EXPECT_EQ(editor.names(), (Names{"Archiv", "Musik"}));
  EXPECT_EQ(selectedName(editor), "Archiv");
  EXPECT_EQ(editor.edit(), CategoryEditor::Edit::None);
  EXPECT_EQ(editor.beginNewEntry(), "Kategorie2");
  EXPECT_EQ(editor.finishEdit("Kategorie2"), Check::Accepted);
  EXPECT_EQ(editor.names(), (Names{"Archiv", "Kategorie2", "Musik"}));
  EXPECT_TRUE(editor.changes().empty());
}

TEST(CategoryEditor, EmptyAndDuplicateNamesAreRefusedAndTheEditGoesOn) {
  CategoryEditor editor({"spiele"}, "");
  editor.beginNewEntry();
  EXPECT_EQ(editor.finishEdit(""), Check::Empty);
  EXPECT_EQ(editor.finishEdit("   "), Check::Empty);
  EXPECT_EQ(editor.finishEdit("Spiele"), Check::Exists);
  EXPECT_EQ(editor.finishEdit("<alle>"), Check::Exists);
  EXPECT_EQ(editor.finishEdit("<Keine Zuordnung>"), Check::Exists);
  EXPECT_EQ(editor.edit(), CategoryEditor::Edit::NewEntry);
  EXPECT_EQ(editor.names(), (Names{"spiele"}));
  // A trailing blank is kept, so this is another name.
  EXPECT_EQ(editor.finishEdit(" spiele "), Check::Accepted);
  EXPECT_EQ(editor.names(), (Names{"spiele", "spiele "}));
}

TEST(CategoryEditor, NamesAreCutToTheFiftyBytesTheyTakeAsUtf8) {
  const std::string longName = std::string(48, 'x') + "äöü";
  EXPECT_EQ(CategoryEditor::normalisedName("  " + longName), std::string(48, 'x') + "ä");
  const std::string greek = "Ωμέγα Ελληνικά Ωμέγα Ελληνικά Ωμέγα";  // 35 letters, 2 bytes each
  EXPECT_EQ(CategoryEditor::normalisedName(greek), "Ωμέγα Ελληνικά Ωμέγα Ελλην")
      << "cut at a character boundary within 50 bytes";
}

TEST(CategoryEditor, RenamesChainFromTheFirstOldNameToTheLastNewName) {
  CategoryEditor editor({"A", "Z"}, "A");
  ASSERT_EQ(editor.beginRename(), "A");
  ASSERT_EQ(editor.finishEdit("B"), Check::Accepted);
  EXPECT_EQ(selectedName(editor), "B");
  ASSERT_EQ(editor.beginRename(), "B");
  ASSERT_EQ(editor.finishEdit("C"), Check::Accepted);
  const CategoryChanges changes = editor.changes();
  EXPECT_EQ(changes.renames(), (std::vector<CategoryRename>{{"A", "C"}}));
  EXPECT_TRUE(changes.deletions().empty());
  EXPECT_EQ(editor.names(), (Names{"C", "Z"}));
}

TEST(CategoryEditor, RenamingMayChangeCaseButNotClashWithAnother) {
  CategoryEditor editor({"spiele", "Musik"}, "spiele");
  editor.beginRename();
  EXPECT_EQ(editor.finishEdit("musik"), Check::Exists);
  EXPECT_EQ(editor.finishEdit("Spiele"), Check::Accepted);
  EXPECT_EQ(editor.changes().renames(), (std::vector<CategoryRename>{{"spiele", "Spiele"}}));
  // Renaming back to the opening name is no change at all.
  editor.beginRename();
  EXPECT_EQ(editor.finishEdit("spiele"), Check::Accepted);
  EXPECT_TRUE(editor.changes().empty());
}

TEST(CategoryEditor, SwappedNamesAndANewEntryUnderAnOldNameStayApart) {
  CategoryEditor editor({"A", "B"}, "A");
  editor.beginRename();
  ASSERT_EQ(editor.finishEdit("X"), Check::Accepted);  // A -> X
  editor.select(0);                                    // B
  editor.beginRename();
  ASSERT_EQ(editor.finishEdit("A"), Check::Accepted);  // B -> A
  editor.select(1);                                    // X
  editor.beginRename();
  ASSERT_EQ(editor.finishEdit("B"), Check::Accepted);  // A -> B
  EXPECT_EQ(editor.changes().renames(), (std::vector<CategoryRename>{{"A", "B"}, {"B", "A"}}));

  CategoryEditor other({"A"}, "A");
  other.beginRename();
  ASSERT_EQ(other.finishEdit("B"), Check::Accepted);
  other.beginNewEntry();
  ASSERT_EQ(other.finishEdit("A"), Check::Accepted);  // a new, empty A
  other.beginRename();
  ASSERT_EQ(other.finishEdit("D"), Check::Accepted);
  EXPECT_EQ(other.changes().renames(), (std::vector<CategoryRename>{{"A", "B"}}));
  EXPECT_TRUE(other.changes().deletions().empty());
}

TEST(CategoryEditor, RemovingMovesTheSelectionAndCountsAsDeletion) {
  CategoryEditor editor({"A", "B", "C"}, "B");
  editor.removeSelected();
  EXPECT_EQ(selectedName(editor), "C");  // the same position
  editor.removeSelected();
  EXPECT_EQ(selectedName(editor), "A");  // the previous one at the end
  EXPECT_EQ(editor.changes().deletions(), (Names{"B", "C"}));
  EXPECT_TRUE(editor.deletesAny());
  editor.removeSelected();
  EXPECT_FALSE(editor.selection().has_value());
  EXPECT_FALSE(editor.beginRename().has_value());
}

TEST(CategoryEditor, RemovingARenamedEntryDeletesItsOpeningName) {
  CategoryEditor editor({"A", "B"}, "A");
  editor.beginRename();
  ASSERT_EQ(editor.finishEdit("Q"), Check::Accepted);
  editor.removeSelected();
  const CategoryChanges changes = editor.changes();
  EXPECT_TRUE(changes.renames().empty());
  EXPECT_EQ(changes.deletions(), (Names{"A"}));

  CategoryEditor fresh({"A"}, "A");
  fresh.beginNewEntry();
  ASSERT_EQ(fresh.finishEdit("Neu"), Check::Accepted);
  fresh.removeSelected();
  EXPECT_TRUE(fresh.changes().empty());  // a new entry removed again is no change
}

TEST(CategoryEditor, ResultHoldsTheListTheChangesAndTheSelection) {
  CategoryEditor editor({"A", "B"}, "B");
  editor.beginNewEntry();
  ASSERT_EQ(editor.finishEdit("C"), Check::Accepted);
  const CategoryEditResult result = editor.result();
  EXPECT_EQ(result.names, (Names{"A", "B", "C"}));
  EXPECT_EQ(result.selected, "C");
  EXPECT_TRUE(result.changes.empty());
}

}  // namespace
}  // namespace diskindex
