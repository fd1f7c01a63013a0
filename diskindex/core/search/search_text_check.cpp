// checkSearchText (declared in modern_pattern.h): whether a typed search
// text is valid in its mode, and the German message naming the position of
// the first fault.

#include <re2/re2.h>

#include <algorithm>
#include <vector>

#include "diskindex/core/search/modern_pattern.h"
#include "diskindex/core/search/search_chars.h"

namespace diskindex::search {
namespace {

std::string_view regexProblem(RE2::ErrorCode code) {
  switch (code) {
    case RE2::ErrorBadEscape:
      return "ungültige Escape-Sequenz";
    case RE2::ErrorBadCharClass:
      return "ungültige Zeichenklasse";
    case RE2::ErrorBadCharRange:
      return "ungültiger Zeichenbereich";
    case RE2::ErrorMissingBracket:
      return "fehlende schließende eckige Klammer \"]\"";
    case RE2::ErrorMissingParen:
      return "fehlende schließende Klammer \")\"";
    case RE2::ErrorUnexpectedParen:
      return "schließende Klammer \")\" ohne öffnende";
    case RE2::ErrorTrailingBackslash:
      return "\"\\\" am Ende des Ausdrucks";
    case RE2::ErrorRepeatArgument:
      return "Wiederholung ohne vorangehendes Zeichen";
    case RE2::ErrorRepeatSize:
      return "ungültige Anzahl von Wiederholungen";
    case RE2::ErrorRepeatOp:
      return "ungültiger Wiederholungsoperator";
    case RE2::ErrorBadPerlOp:
      return "ungültiger Perl-Operator";
    case RE2::ErrorBadUTF8:
      return "ungültiges UTF-8";
    case RE2::ErrorBadNamedCapture:
      return "ungültiger Gruppenname";
    case RE2::ErrorPatternTooLarge:
      return "Ausdruck zu groß";
    default:
      return "ungültiger Ausdruck";
  }
}

// Byte position of an unbalanced parenthesis: the first ")" without an
// opening one, else the last "(" left open. Escapes and bracket classes
// are passed over. closing tells which of the two it is.
std::size_t unbalancedParen(std::string_view text, bool& closing) {
  closing = false;
  std::vector<std::size_t> open;
  bool inClass = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      ++i;
    } else if (inClass) {
      inClass = c != ']';
    } else if (c == '[') {
      inClass = true;
      if (i + 1 < text.size() && text[i + 1] == ']') ++i;  // "[]...]" holds a "]"
    } else if (c == '(') {
      open.push_back(i);
    } else if (c == ')') {
      if (open.empty()) {
        closing = true;
        return i;
      }
      open.pop_back();
    }
  }
  return open.empty() ? 0 : open.back();
}

std::size_t charactersBefore(std::string_view text, std::size_t byte) {
  std::u32string chars;
  decodeUtf8(text.substr(0, std::min(byte, text.size())), chars, nullptr);
  return chars.size();
}

}  // namespace

std::optional<PatternError> checkSearchText(std::string_view searchText, SearchMode mode) {
  if (mode == SearchMode::Dos) return std::nullopt;
  if (mode == SearchMode::AnyChar) return splitModernText(searchText, true).error;
  std::vector<std::uint32_t> offsets;
  const std::string normal = normalizeUtf8(searchText, false, &offsets);
  RE2::Options options;
  options.set_log_errors(false);
  const RE2 regex(normal, options);
  if (regex.ok()) return std::nullopt;
  std::size_t at = 0;
  RE2::ErrorCode code = regex.error_code();
  if (code == RE2::ErrorMissingParen || code == RE2::ErrorUnexpectedParen) {
    bool closing = false;
    at = unbalancedParen(normal, closing);
    code = closing ? RE2::ErrorUnexpectedParen : RE2::ErrorMissingParen;
  } else if (code == RE2::ErrorTrailingBackslash) {
    at = normal.empty() ? 0 : normal.size() - 1;
  } else if (!regex.error_arg().empty()) {
    const std::size_t found = normal.find(regex.error_arg());
    at = found == std::string::npos ? 0 : found;
  }
  const std::size_t position = charactersBefore(searchText, offsets[at]) + 1;
  return PatternError{position, "Der reguläre Ausdruck ist an Position " +
                                    std::to_string(position) + " ungültig: " +
                                    std::string(regexProblem(code)) + "."};
}

}  // namespace diskindex::search
