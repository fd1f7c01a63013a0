#pragma once
// What the keypad's buttons look like, as data: for every key and function
// label of the keypad grid its bitmap name (NAME, whose faces are NAME1
// normal, NAME2 pressed and NAME3 focused: KEY71, PLUS2, ENTER3), the text
// printed on it and its kind (a key, a label above a key, a label below one),
// and the group captions that bracket related labels (LBLBOND, LBLCLEAR,
// LBLDEPR, LBLICONV, LBLMRKUP). The window's art code draws the faces from
// these definitions at any device pixel ratio; nothing here draws.

#include <string>
#include <string_view>
#include <vector>

#include "calculator/core/key_codes.h"

namespace finova {

enum class FaceKind { Key, LabelAbove, LabelBelow };

struct KeyFace {
  std::string name;  // bitmap name without the face digit ("KEY7", "PLUS")
  std::string text;  // UTF-8 text printed on the face
  FaceKind kind = FaceKind::Key;
};

// The face of a key at its keypad row (the kind follows the row).
KeyFace keyFace(KeyCode code, int row);
// "KEY71" for face 1 (normal), 2 (pressed) or 3 (focused).
std::string faceBitmapName(const KeyFace& face, int faceNumber);

// A caption over a run of labels in one label row.
struct GroupCaption {
  std::string_view name;  // "LBLCLEAR"
  std::string_view text;  // "CLEAR"
  int row;
  int firstColumn;
  int lastColumn;
};
const std::vector<GroupCaption>& groupCaptions();

}  // namespace finova
