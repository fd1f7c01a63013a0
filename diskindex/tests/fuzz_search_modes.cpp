// Fuzzes the search texts of the modern modes (wildcards for any character
// with quoted alternatives, and regular expressions) and the Unicode folding
// of subjects: a text from the user and a subject from a catalogue, matched
// in both modes, for names and remark text. A match must lie inside the
// subject; a refused text must name a position inside it; the folded
// characters must map back into the subject in order. The subject is also
// taken as a stored name on both kinds of volume: when the matcher finds
// it, the walk's quick test must not have passed over it. Input: text, NUL,
// subject.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "diskindex/core/search/modern_pattern.h"
#include "diskindex/core/search/search_chars.h"
#include "diskindex/core/search/stored_name.h"
#include "diskindex/core/search/unicode_fold.h"
#include "diskindex/core/search/volume_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace diskindex::search;
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = all.find('\0');
  const std::string_view text = all.substr(0, nul);
  const std::string_view subject = nul == std::string_view::npos ? "" : all.substr(nul + 1);
  if (text.size() > 400 || subject.size() > 4000) return 0;

  std::u32string typed;
  decodeUtf8(text, typed, nullptr);
  for (SearchMode mode : {SearchMode::AnyChar, SearchMode::Regex}) {
    if (const auto error = checkSearchText(text, mode)) {
      if (error->position < 1 || error->position > typed.size() + 1) __builtin_trap();
    }
    for (bool remarks : {false, true}) {
      SearchParams params;
      params.text = std::string(text);
      params.mode = mode;
      params.remarks = remarks;
      params.wholeWord = subject.size() % 2 == 1;
      params.caseSensitive = subject.size() % 3 == 0;
      SubjectMatcher matcher(params);
      matcher.matchName(subject);
      if (const auto found = matcher.matchText(subject)) {
        const std::size_t end = found->start + found->length;
        if (end > subject.size()) __builtin_trap();
      }
    }
  }
  if (subject.size() <= 255) {
    std::string shown, scratch;
    for (SearchMode mode : {SearchMode::Dos, SearchMode::AnyChar, SearchMode::Regex}) {
      SearchParams params;
      params.text = std::string(text);
      params.mode = mode;
      SubjectMatcher matcher(params);
      for (bool utf8 : {false, true}) {
        for (std::uint8_t attributes : {std::uint8_t{0x20}, std::uint8_t{0xA0}}) {
          displayForm(subject, attributes, utf8, shown, scratch);
          if (matcher.matchName(shown) && !matcher.mayMatchStored(subject, utf8, 0)) {
            __builtin_trap();
          }
        }
      }
    }
  }
  // Every folded character maps back into the subject, in order.
  FoldedText folded;
  foldText(subject, true, folded, true);
  if (folded.offsets.size() != folded.chars.size() + 1) __builtin_trap();
  for (std::size_t i = 0; i + 1 < folded.offsets.size(); ++i) {
    if (folded.offsets[i] > folded.offsets[i + 1] || folded.offsets[i] > subject.size()) {
      __builtin_trap();
    }
  }
  return 0;
}
