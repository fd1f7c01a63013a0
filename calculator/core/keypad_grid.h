#pragma once
// The keypad grid: 12 rows by 10 columns, rows of keys with rows of function
// labels above and below them. Each cell holds a key code and the control
// id of its button (10000 + 10 * row + column); empty cells hold the no-key
// code 106 and no control. The grid is the only link between a button and its
// key: the window asks KeyFromControl which code a click presses and
// ControlFromKey which button a typed key draws. It also holds the rules of
// moving the keypad focus with the arrows, Home and End, the characters the
// keyboard types, and the help topic of every key. It draws nothing.

#include <array>
#include <optional>

#include "calculator/core/key_codes.h"

namespace finova {

inline constexpr int kKeypadRows = 12;
inline constexpr int kKeypadColumns = 10;
inline constexpr int kFirstControlId = 10000;

struct KeypadCell {
  KeyCode code = key::kNoKey;
  int control = 0;  // 0: no button
};

using KeypadGrid = std::array<std::array<KeypadCell, kKeypadColumns>, kKeypadRows>;
extern const KeypadGrid kKeypadGrid;

struct GridPos {
  int row = 0;
  int column = 0;
  bool operator==(const GridPos&) const = default;
};

// Rows 1, 4, 7 and 10 hold keys; the others hold the function labels.
inline bool isKeyRow(int row) {
  return row % 3 == 1;
}
// The ENTER key occupies rows 7 to 10 of its column.
inline constexpr GridPos kEnterPos{7, 5};
inline constexpr int kEnterLastRow = 10;

// 106 when the control is not in the grid.
KeyCode KeyFromControl(int control);
// 0 when the key has no button.
int ControlFromKey(KeyCode code);
// The cell of a key's button.
std::optional<GridPos> positionOfKey(KeyCode code);
const KeypadCell& cellAt(GridPos pos);

enum class FocusMove { Left, Right, Up, Down, Home, End };
// Home: column 0 of the row; End: its last non-empty column; Left and Right:
// the nearest non-empty cell that way in the row; Up and Down: the nearest
// row that way whose cell in the same column is not empty. The focus stays
// where it is when there is no such cell.
GridPos moveFocus(GridPos from, FocusMove move);

// The key a typed character presses (upper-cased first): digits, ".", the
// four operations, "C" CLX, "N" CHS, "%" and "P" percent, CR ENTER and
// backspace "<--". None for other characters.
std::optional<KeyCode> keyFromCharacter(char c);

// The help topic (30000..30017) explaining a key; 0 for codes without one.
int helpTopic(KeyCode code);
inline constexpr int kFirstHelpTopic = 30000;
inline constexpr int kLastHelpTopic = 30017;

}  // namespace finova
