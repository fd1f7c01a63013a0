#pragma once
// Small text rules of the calculator's windows, kept apart from the widgets
// so they can be tested: window captions with a file name after " - " (a long
// name shortened to "..." and its last characters), the clipboard text of X
// and the keys a pasted text presses, and the default extension of a chosen
// file name.

#include <string>
#include <string_view>
#include <vector>

#include "calculator/core/key_codes.h"
#include "calculator/core/number_format.h"
#include "calculator/core/tape.h"

namespace finova {

inline constexpr const char* kMainCaption = "Finova 4.0";
inline constexpr std::size_t kMainCaptionNameLimit = 21;
inline constexpr const char* kTapeCaption = "FinovaTape";
inline constexpr std::size_t kTapeCaptionNameLimit = 16;

// "Finova 4.0 - RENT.PGM"; a name longer than `limit` characters (UTF-8
// code points) shows as "..." and its last `limit` characters; an empty name
// leaves the caption alone.
std::string captionWithName(std::string_view caption, std::string_view name, std::size_t limit);

// The X display text as the clipboard gets it: digits, "." and "-" (and an
// exponent's "E" and sign, so 1.5 E+11 copies as "1.5E+11 "),
// then a blank, without digit grouping: "1,234.50" copies as "1234.50 ",
// and a European display ("1.234,50") as "1234,50 ".
std::string clipboardTextOfX(std::string_view xDisplayText, SeparatorStyle style);
// The keys a pasted text presses: digits and the decimal mark of the style
// ("." English, "," European) as the point key, every other character (the
// grouping marks among them) ignored, CHS once at the end when the text
// holds a "-". An "E" presses EEX; the digits after it go to the exponent,
// with CHS after them when the exponent is negative.
std::vector<KeyCode> pasteKeys(std::string_view text,
                               SeparatorStyle style = SeparatorStyle::English);

// How the tape window and the tape printout show one tape line: the number
// (or annotation) right-aligned to end at column kTapeNumberEnd, in the
// separator style (annotations as typed); the mnemonic right-aligned in the
// kTapeMnemonicWidth columns from kTapeMnemonicColumn; red when the text or
// the mnemonic begins with "-".
inline constexpr int kTapeNumberEnd = 20;
inline constexpr int kTapeMnemonicColumn = 21;
inline constexpr int kTapeMnemonicWidth = 5;
struct TapeLineLook {
  std::string number;
  std::string mnemonic;
  bool negative = false;
};
TapeLineLook tapeLineLook(const TapeLine& line, SeparatorStyle style);

// `name` with `extension` (".pgm") appended when its file name has no ".".
std::string withDefaultExtension(std::string_view name, std::string_view extension);

}  // namespace finova
