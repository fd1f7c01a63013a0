#pragma once
// The static key table: one row per key code with its 8-character tape
// mnemonic (right-aligned with blanks), its kind and a help context number.
// The engine, the tape, program memory and program files all name keys
// through it. Rows 0..103 are indexed by their code; a lookup of any other
// code reaches the end row (code 106, kind NoKey).

#include <array>
#include <optional>
#include <string_view>

#include "calculator/core/key_codes.h"

namespace finova {

struct KeyInfo {
  KeyCode code;
  const char* mnemonic;  // exactly 8 characters
  KeyKind kind;
  int help;
};

inline constexpr int kKeyTableRows = 105;  // codes 0..103 and the end row
extern const std::array<KeyInfo, kKeyTableRows> kKeyTable;

// The row of `code`; the end row for codes outside 0..103.
const KeyInfo& keyInfo(KeyCode code);
inline KeyKind keyKind(KeyCode code) {
  return keyInfo(code).kind;
}
// The mnemonic without its blanks ("X<->Y", "12*"); empty for the unassigned
// codes and for codes outside the table.
std::string_view compactMnemonic(KeyCode code);
// The code whose compact mnemonic is `token` exactly; none for unknown or
// empty tokens.
std::optional<KeyCode> keyFromMnemonic(std::string_view token);

}  // namespace finova
