#include "calculator/core/window_texts.h"

#include <algorithm>

namespace finova {
namespace {

bool isContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string captionWithName(std::string_view caption, std::string_view name, std::size_t limit) {
  std::string result(caption);
  if (name.empty()) return result;
  // Walk back `limit` code points from the end.
  std::size_t start = name.size();
  std::size_t points = 0;
  while (start > 0 && points < limit) {
    --start;
    while (start > 0 && isContinuationByte(name[start])) --start;
    ++points;
  }
  result += " - ";
  if (start > 0) result += "...";
  result += name.substr(start);
  return result;
}

std::string clipboardTextOfX(std::string_view xDisplayText, SeparatorStyle style) {
  const std::string english =
      ToDisplayStyle(xDisplayText, style);  // the exchange is its own inverse
  std::string text;
  bool exponent = false;
  for (char c : english) {
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') {
      text += c;
    } else if (c == 'E' && !exponent && text.find_first_of("0123456789") != std::string::npos) {
      // Keeping the exponent keeps the number: "1.5 E+11" copies as 1.5E+11.
      // An "E" before any digit is no exponent ("Error0" copies as "0 ").
      exponent = true;
      text += 'E';
    } else if (c == '+' && exponent && text.back() == 'E') {
      text += '+';
    }
  }
  // A European display copies with its decimal comma, as a European
  // program reads it back.
  if (style == SeparatorStyle::European) std::replace(text.begin(), text.end(), '.', ',');
  text += ' ';
  return text;
}

namespace {

// Digits and the decimal mark of a text as keys; true when it holds a "-".
bool appendNumberKeys(std::string_view text, char decimalMark, std::vector<KeyCode>& keys) {
  bool negative = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      keys.push_back(key::kDigit0 + (c - '0'));
    } else if (c == decimalMark) {
      keys.push_back(key::kPoint);
    } else if (c == '-') {
      negative = true;
    }
  }
  return negative;
}

}  // namespace

std::vector<KeyCode> pasteKeys(std::string_view text, SeparatorStyle style) {
  const char mark = style == SeparatorStyle::European ? ',' : '.';
  std::vector<KeyCode> keys;
  const std::size_t e = text.find_first_of("Ee");
  if (appendNumberKeys(text.substr(0, e), mark, keys)) keys.push_back(key::kChs);
  if (e == std::string_view::npos) return keys;
  // An exponent: EEX, its digits, and CHS (which then changes the exponent's
  // sign) when it is negative.
  keys.push_back(key::kEex);
  if (appendNumberKeys(text.substr(e + 1), mark, keys)) keys.push_back(key::kChs);
  return keys;
}

TapeLineLook tapeLineLook(const TapeLine& line, SeparatorStyle style) {
  TapeLineLook look;
  const bool annotation = !line.text.empty() && line.text.front() == '[';
  look.number = annotation ? line.text : ToDisplayStyle(line.text, style);
  look.mnemonic = line.mnemonic;
  look.negative = (!line.text.empty() && line.text.front() == '-') ||
                  (!line.mnemonic.empty() && line.mnemonic.front() == '-');
  return look;
}

std::string withDefaultExtension(std::string_view name, std::string_view extension) {
  const std::size_t slash = name.find_last_of('/');
  const std::string_view file = slash == std::string_view::npos ? name : name.substr(slash + 1);
  std::string result(name);
  if (file.find('.') == std::string_view::npos) result += extension;
  return result;
}

}  // namespace finova
