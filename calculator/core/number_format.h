#pragma once
// The number formatter of the display: a double becomes the text the X line
// shows with a given number of decimals (1,234,567.00; 0.00001; 1.00;
// 1.23456789012E+11; 1.00000000E-20), digit grouping, the split of an
// exponent into its own display field, and the European separator style.
// Digits are the correctly rounded decimal digits of the double (half away
// from zero on its exact binary value), so a number typed is shown as typed.
// It keeps no state: the engine passes its current number of decimals.

#include <string>
#include <string_view>

namespace finova {

enum class SeparatorStyle { English, European };

// The display text before digit grouping (what RND reads back).
std::string formatUngrouped(double value, int decimals);
// The display text, grouped, in English/American form.
std::string FormatNumber(double value, int decimals);
// Groups the integer digits of a number text in threes with ","; adds "."
// after the integer digits when the text has none. Texts that already hold a
// "," are returned as they are.
std::string groupDigits(std::string_view text);
// European style exchanges every "," and "."; English keeps the text.
std::string ToDisplayStyle(std::string_view text, SeparatorStyle style);

// A display text split into the X line and the exponent field: the exponent
// field gets "E" and up to 3 following characters, the line what precedes.
struct DisplayParts {
  std::string line;
  std::string exponent;
};
DisplayParts splitExponent(std::string_view text);

}  // namespace finova
