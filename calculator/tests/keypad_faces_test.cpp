#include "calculator/core/keypad_faces.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "calculator/core/keypad_grid.h"

namespace finova {
namespace {

TEST(KeypadFacesTest, EveryButtonHasItsOwnBitmapNameAndAText) {
  std::set<std::string> names;
  for (int row = 0; row < kKeypadRows; ++row) {
    for (int column = 0; column < kKeypadColumns; ++column) {
      const KeypadCell& cell = kKeypadGrid[row][column];
      if (cell.control == 0) continue;
      const KeyFace face = keyFace(cell.code, row);
      EXPECT_FALSE(face.text.empty()) << face.name;
      // Bitmap names are resource names: capitals and digits only.
      EXPECT_EQ(face.name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"),
                std::string::npos)
          << face.name;
      EXPECT_TRUE(names.insert(face.name).second) << "two buttons named " << face.name;
    }
  }
  EXPECT_EQ(names.size(), 100u);
}

TEST(KeypadFacesTest, TheFaceKindFollowsTheRow) {
  EXPECT_EQ(keyFace(key::kAmrt, 0).kind, FaceKind::LabelAbove);
  EXPECT_EQ(keyFace(key::kN, 1).kind, FaceKind::Key);
  EXPECT_EQ(keyFace(key::kTimes12, 2).kind, FaceKind::LabelBelow);
  EXPECT_EQ(keyFace(key::kEnter, 7).kind, FaceKind::Key);
  EXPECT_EQ(keyFace(key::kSumMinus, 11).kind, FaceKind::LabelBelow);
}

TEST(KeypadFacesTest, FacesAreNumberedNormalPressedFocused) {
  const KeyFace seven = keyFace(7, 1);
  EXPECT_EQ(faceBitmapName(seven, 1), "KEY71");
  EXPECT_EQ(faceBitmapName(seven, 2), "KEY72");
  EXPECT_EQ(faceBitmapName(seven, 3), "KEY73");
  EXPECT_EQ(faceBitmapName(keyFace(key::kPlus, 10), 2), "PLUS2");
  EXPECT_EQ(faceBitmapName(keyFace(key::kEnter, 7), 3), "ENTER3");
  EXPECT_EQ(faceBitmapName(keyFace(key::kSumMinus, 11), 1), "SUMMINUS1");
}

TEST(KeypadFacesTest, GroupCaptionsSpanFilledLabelsOfOneRowWithoutOverlapping) {
  std::set<std::string_view> names;
  for (const GroupCaption& caption : groupCaptions()) {
    names.insert(caption.name);
    EXPECT_FALSE(caption.text.empty()) << caption.name;
    EXPECT_EQ(caption.row % 3, 0) << caption.name << ": captions sit above a label row";
    ASSERT_LE(caption.firstColumn, caption.lastColumn) << caption.name;
    for (int column = caption.firstColumn; column <= caption.lastColumn; ++column) {
      EXPECT_NE(cellAt({caption.row, column}).control, 0) << caption.name << " over an empty cell";
    }
    for (const GroupCaption& other : groupCaptions()) {
      if (&other == &caption || other.row != caption.row) continue;
      EXPECT_TRUE(other.lastColumn < caption.firstColumn || other.firstColumn > caption.lastColumn)
          << caption.name << " and " << other.name;
    }
  }
  EXPECT_EQ(names,
            (std::set<std::string_view>{"LBLBOND", "LBLCLEAR", "LBLDEPR", "LBLICONV", "LBLMRKUP"}));
}

TEST(KeypadFacesTest, CaptionsNameTheKeysBeneathThem) {
  const std::map<std::string_view, std::string> firstLabel = {
      {"LBLBOND", "PRICE"}, {"LBLDEPR", "SL"},      {"LBLICONV", "NOMPCT"},
      {"LBLCLEAR", "CSUM"}, {"LBLMRKUP", "MUPCTC"},
  };
  for (const GroupCaption& caption : groupCaptions()) {
    const KeyCode first = cellAt({caption.row, caption.firstColumn}).code;
    EXPECT_EQ(keyFace(first, caption.row).name, firstLabel.at(caption.name)) << caption.name;
  }
}

}  // namespace
}  // namespace finova
