#include "calculator/core/keypad_grid.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "calculator/core/key_table.h"

namespace finova {
namespace {

std::string nameAt(GridPos pos) {
  return std::string(compactMnemonic(cellAt(pos).code));
}

// Every button of the keypad: the mnemonic each row shows from column 0,
// with "" for an empty cell.
const char* const kExpectedRows[kKeypadRows][kKeypadColumns] = {
    {"AMRT", "INT", "NPV", "RND", "IRR", "NFV", "MIRR", "ADVP", "", ""},
    {"N", "I", "PV", "PMT", "FV", "CHS", "7", "8", "9", "/"},
    {"12*", "12/", "CF0", "CFJ", "NJ", "DATE", "BEG", "END", "", ""},
    {"PRICE", "YTM", "SL", "SOYD", "DB", "NOM%", "EFF%", "P", "", ""},
    {"Y^X", "1/X", "%TOT", "%DIFF", "%", "EEX", "4", "5", "6", "*"},
    {"SQRT", "E^X", "LN", "FRAC", "INTG", "DDYS", "D.MY", "M.DY", "WMEAN", ""},
    {"P/R", "C_SUM", "C_PGM", "C_FIN", "C_REG", "<--", "", "", "", ""},
    {"R/S", "SST", "RDOWN", "X<->Y", "CLX", "ENTER", "1", "2", "3", "-"},
    {"PSE", "BST", "GTO", "X<=Y", "X=0", "", "EST_X", "EST_Y", "N!", ""},
    {"MU%C", "MU%P", "PI", "SPPV", "SPFV", "", "", "", "", ""},
    {"CST", "PRC", "LOG", "STO", "RCL", "", "0", ".", "SUM+", "+"},
    {"RAN#", "X^2", "10^X", "USPV", "USFV", "LSTX", "MEAN", "STDEV", "SUM-", ""},
};

TEST(KeypadGridTest, EveryCellHoldsItsKeyAndTheControlIdOfItsPlace) {
  int buttons = 0;
  for (int row = 0; row < kKeypadRows; ++row) {
    for (int column = 0; column < kKeypadColumns; ++column) {
      const KeypadCell& cell = kKeypadGrid[row][column];
      const std::string expected = kExpectedRows[row][column];
      if (expected.empty()) {
        EXPECT_EQ(cell.code, key::kNoKey) << row << "," << column;
        EXPECT_EQ(cell.control, 0) << row << "," << column;
        continue;
      }
      ++buttons;
      EXPECT_EQ(nameAt({row, column}), expected) << row << "," << column;
      EXPECT_EQ(cell.control, 10000 + 10 * row + column) << expected;
    }
  }
  EXPECT_EQ(buttons, 100);
}

TEST(KeypadGridTest, ControlsAndKeysFindEachOtherBothWays) {
  std::set<KeyCode> seen;
  for (int row = 0; row < kKeypadRows; ++row) {
    for (int column = 0; column < kKeypadColumns; ++column) {
      const KeypadCell& cell = kKeypadGrid[row][column];
      if (cell.control == 0) continue;
      EXPECT_TRUE(seen.insert(cell.code).second) << "two buttons press " << cell.code;
      EXPECT_EQ(KeyFromControl(cell.control), cell.code) << cell.control;
      EXPECT_EQ(ControlFromKey(cell.code), cell.control) << nameAt({row, column});
      EXPECT_EQ(positionOfKey(cell.code), (GridPos{row, column}));
    }
  }
  // Ids that name no button: before the grid, an empty cell, past the grid.
  EXPECT_EQ(KeyFromControl(9999), key::kNoKey);
  EXPECT_EQ(KeyFromControl(10008), key::kNoKey);
  EXPECT_EQ(KeyFromControl(10085), key::kNoKey) << "below ENTER: the tall key's own rows";
  EXPECT_EQ(KeyFromControl(10120), key::kNoKey);
  EXPECT_EQ(KeyFromControl(0), key::kNoKey);
  // Codes without a button.
  EXPECT_EQ(ControlFromKey(key::kNoKey), 0);
  EXPECT_EQ(ControlFromKey(key::kPauseTick), 0);
  EXPECT_EQ(ControlFromKey(key::kClearProgramMemory), 0);
  EXPECT_EQ(ControlFromKey(key::kMem), 0);
  EXPECT_FALSE(positionOfKey(key::kNoKey).has_value());
}

TEST(KeypadGridTest, EnterIsOneTallKeyFromRowSevenToRowTen) {
  EXPECT_EQ(positionOfKey(key::kEnter), kEnterPos);
  EXPECT_EQ(kEnterPos, (GridPos{7, 5}));
  EXPECT_EQ(kEnterLastRow, 10);
  EXPECT_EQ(ControlFromKey(key::kEnter), 10075);
  // The rows it covers below its own have no button of their own there.
  for (int row = kEnterPos.row + 1; row <= kEnterLastRow; ++row) {
    EXPECT_EQ(cellAt({row, kEnterPos.column}).control, 0) << row;
  }
  EXPECT_TRUE(isKeyRow(7));
  EXPECT_TRUE(isKeyRow(10));
  EXPECT_FALSE(isKeyRow(8));
  EXPECT_FALSE(isKeyRow(11));
}

TEST(KeypadGridTest, HomeAndEndGoToTheEndsOfTheRow) {
  EXPECT_EQ(moveFocus({1, 5}, FocusMove::Home), (GridPos{1, 0}));
  EXPECT_EQ(moveFocus({1, 5}, FocusMove::End), (GridPos{1, 9}));
  // End stops at the last filled cell, not the last column.
  EXPECT_EQ(moveFocus({0, 2}, FocusMove::End), (GridPos{0, 7})) << "ADVP";
  EXPECT_EQ(moveFocus({5, 0}, FocusMove::End), (GridPos{5, 8})) << "WMEAN";
  EXPECT_EQ(moveFocus({9, 0}, FocusMove::End), (GridPos{9, 4})) << "SPFV";
  EXPECT_EQ(moveFocus({6, 5}, FocusMove::Home), (GridPos{6, 0}));
}

TEST(KeypadGridTest, LeftAndRightSkipEmptyCellsAndStopAtTheRowsEnds) {
  EXPECT_EQ(moveFocus({1, 6}, FocusMove::Right), (GridPos{1, 7}));
  EXPECT_EQ(moveFocus({1, 6}, FocusMove::Left), (GridPos{1, 5}));
  EXPECT_EQ(moveFocus({7, 6}, FocusMove::Left), (GridPos{7, 5})) << "from 1 to ENTER";
  // Across the cell below ENTER: from X=0 straight to EST_X.
  EXPECT_EQ(moveFocus({8, 4}, FocusMove::Right), (GridPos{8, 6}));
  EXPECT_EQ(moveFocus({8, 6}, FocusMove::Left), (GridPos{8, 4}));
  // Nothing further that way: the focus stays.
  EXPECT_EQ(moveFocus({1, 9}, FocusMove::Right), (GridPos{1, 9}));
  EXPECT_EQ(moveFocus({1, 0}, FocusMove::Left), (GridPos{1, 0}));
  EXPECT_EQ(moveFocus({0, 7}, FocusMove::Right), (GridPos{0, 7}));
  EXPECT_EQ(moveFocus({9, 4}, FocusMove::Right), (GridPos{9, 4}));
}

TEST(KeypadGridTest, UpAndDownGoToTheNearestRowWithACellInTheColumn) {
  EXPECT_EQ(moveFocus({1, 2}, FocusMove::Down), (GridPos{2, 2})) << "PV to CF0";
  EXPECT_EQ(moveFocus({1, 2}, FocusMove::Up), (GridPos{0, 2})) << "PV to NPV";
  // Column 9 has only keys: from / down past three empty labels to *.
  EXPECT_EQ(moveFocus({1, 9}, FocusMove::Down), (GridPos{4, 9}));
  EXPECT_EQ(moveFocus({4, 9}, FocusMove::Up), (GridPos{1, 9}));
  EXPECT_EQ(moveFocus({4, 8}, FocusMove::Up), (GridPos{1, 8})) << "6 to 9";
  // ENTER: below it comes LSTX, above it <--.
  EXPECT_EQ(moveFocus({7, 5}, FocusMove::Down), (GridPos{11, 5}));
  EXPECT_EQ(moveFocus({11, 5}, FocusMove::Up), (GridPos{7, 5}));
  EXPECT_EQ(moveFocus({7, 5}, FocusMove::Up), (GridPos{6, 5}));
  // Nothing that way: the focus stays.
  EXPECT_EQ(moveFocus({1, 8}, FocusMove::Up), (GridPos{1, 8}));
  EXPECT_EQ(moveFocus({10, 9}, FocusMove::Down), (GridPos{10, 9}));
  EXPECT_EQ(moveFocus({11, 0}, FocusMove::Down), (GridPos{11, 0}));
  EXPECT_EQ(moveFocus({0, 0}, FocusMove::Up), (GridPos{0, 0}));
}

TEST(KeypadGridTest, TypedCharactersPressTheirKeysCaseBlind) {
  for (char c = '0'; c <= '9'; ++c) EXPECT_EQ(keyFromCharacter(c), c - '0');
  EXPECT_EQ(keyFromCharacter('.'), key::kPoint);
  EXPECT_EQ(keyFromCharacter('+'), key::kPlus);
  EXPECT_EQ(keyFromCharacter('-'), key::kMinus);
  EXPECT_EQ(keyFromCharacter('*'), key::kTimes);
  EXPECT_EQ(keyFromCharacter('/'), key::kDivide);
  EXPECT_EQ(keyFromCharacter('\r'), key::kEnter);
  EXPECT_EQ(keyFromCharacter('\b'), key::kBackspace);
  EXPECT_EQ(keyFromCharacter('c'), key::kClx);
  EXPECT_EQ(keyFromCharacter('C'), key::kClx);
  EXPECT_EQ(keyFromCharacter('n'), key::kChs);
  EXPECT_EQ(keyFromCharacter('%'), key::kPercent);
  EXPECT_EQ(keyFromCharacter('p'), key::kPercent);
  for (char c : {'x', 'E', ',', ' ', '=', '\0'}) {
    EXPECT_FALSE(keyFromCharacter(c).has_value()) << static_cast<int>(c);
  }
  EXPECT_FALSE(keyFromCharacter(static_cast<char>(0xE4)).has_value()) << "a Latin-1 byte";
}

TEST(KeypadGridTest, EveryButtonHasAHelpTopicAndGroupsShareThem) {
  for (int row = 0; row < kKeypadRows; ++row) {
    for (int column = 0; column < kKeypadColumns; ++column) {
      const KeypadCell& cell = kKeypadGrid[row][column];
      if (cell.control == 0) continue;
      const int topic = helpTopic(cell.code);
      EXPECT_GE(topic, kFirstHelpTopic) << nameAt({row, column});
      EXPECT_LE(topic, kLastHelpTopic) << nameAt({row, column});
    }
  }
  EXPECT_EQ(helpTopic(key::kPV), 30006);
  EXPECT_EQ(helpTopic(key::kBeg), 30006);
  EXPECT_EQ(helpTopic(key::kDate), 30000);
  EXPECT_EQ(helpTopic(key::kAmrt), 30001);
  EXPECT_EQ(helpTopic(7), 30007);
  EXPECT_EQ(helpTopic(key::kDivide), 30007);
  EXPECT_EQ(helpTopic(key::kTimes), 30011) << "* is explained with the powers, / is not";
  EXPECT_EQ(helpTopic(key::kPercent), 30012);
  EXPECT_EQ(helpTopic(key::kPeriods), 30010) << "P, not %";
  EXPECT_EQ(helpTopic(key::kClearSum), 30013);
  EXPECT_EQ(helpTopic(key::kClearPgm), 30014);
  EXPECT_EQ(helpTopic(key::kRcl), 30017);
  EXPECT_EQ(helpTopic(key::kNoKey), 0);
  EXPECT_EQ(helpTopic(key::kPauseTick), 0);
}

}  // namespace
}  // namespace finova
