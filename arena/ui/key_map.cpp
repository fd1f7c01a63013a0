#include "arena/ui/key_map.h"

#include <Qt>
#include <algorithm>

#include "arena/core/keys.h"
#include "arena/core/pad_keys.h"

namespace arena::ui {

int32_t virtualKeyFor(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 0x41 + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 0x30 + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return key::kF1 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return key::kReturn;
    case Qt::Key_Escape:
      return key::kEscape;
    case Qt::Key_Space:
      return key::kSpace;
    default:
      return 0;
  }
}

std::optional<MoveKey> moveKeyFor(int qtKey, bool keypad, bool plain) {
  switch (qtKey) {
    case Qt::Key_Left:
      return MoveKey{-1, 0};
    case Qt::Key_Right:
      return MoveKey{1, 0};
    case Qt::Key_Up:
      return MoveKey{0, -1};
    case Qt::Key_Down:
      return MoveKey{0, 1};
    case Qt::Key_Home:
      return MoveKey{-1, -1};
    case Qt::Key_PageUp:
      return MoveKey{1, -1};
    case Qt::Key_End:
      return MoveKey{-1, 1};
    case Qt::Key_PageDown:
      return MoveKey{1, 1};
    default:
      break;
  }
  if (keypad) {
    // The keypad's digits with NumLock on, laid out as the arrows they carry.
    switch (qtKey) {
      case Qt::Key_8:
        return MoveKey{0, -1};
      case Qt::Key_2:
        return MoveKey{0, 1};
      case Qt::Key_4:
        return MoveKey{-1, 0};
      case Qt::Key_6:
        return MoveKey{1, 0};
      case Qt::Key_7:
        return MoveKey{-1, -1};
      case Qt::Key_9:
        return MoveKey{1, -1};
      case Qt::Key_1:
        return MoveKey{-1, 1};
      case Qt::Key_3:
        return MoveKey{1, 1};
      default:
        return std::nullopt;
    }
  }
  if (!plain) return std::nullopt;
  switch (qtKey) {
    case Qt::Key_W:
      return MoveKey{0, -1};
    case Qt::Key_S:
      return MoveKey{0, 1};
    case Qt::Key_A:
      return MoveKey{-1, 0};
    case Qt::Key_D:
      return MoveKey{1, 0};
    default:
      return std::nullopt;
  }
}

std::optional<Heading> headingOf(MoveKey sum) {
  PadState pad;
  pad.left = sum.dx < 0;
  pad.right = sum.dx > 0;
  pad.up = sum.dy < 0;
  pad.down = sum.dy > 0;
  return padHeading(pad);
}

}  // namespace arena::ui
