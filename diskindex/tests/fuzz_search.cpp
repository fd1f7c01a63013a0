// Fuzzes the search engine with what it takes from outside: a search text
// (typed, or from the history in DISKINDX.INI) matched in both modes against
// arbitrary subjects, and the multi-volume search's walk over arbitrary
// volume file bytes. Input: text, NUL, subject, NUL, volume file bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "diskindex/core/search/multi_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace diskindex;
  using namespace diskindex::search;
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t firstNul = all.find('\0');
  const std::string_view text = all.substr(0, firstNul);
  const std::string_view rest = firstNul == std::string_view::npos ? "" : all.substr(firstNul + 1);
  const std::size_t secondNul = rest.find('\0');
  const std::string_view subject = rest.substr(0, secondNul);
  const std::string_view volume =
      secondNul == std::string_view::npos ? "" : rest.substr(secondNul + 1);

  for (bool remarks : {false, true}) {
    SearchParams params;
    params.text = std::string(text);
    params.remarks = remarks;
    params.wholeWord = subject.size() % 2 == 1;
    params.caseSensitive = true;
    SubjectMatcher matcher(params);
    matcher.matchName(subject);
    if (const auto found = matcher.matchText(subject)) {
      if (found->start + found->length > subject.size()) __builtin_trap();
    }
    TFileCommentList comments;
    comments.set({1, -1}, subject);
    comments.set({2, 0}, subject);
    MultiVolumeSearch search(params);
    VolumeRecord record;
    record.name = "Fuzz";
    record.driveLetter = 'E';
    std::vector<ResultRow> rows;
    search.searchVolumeBytes(
        record, std::span(reinterpret_cast<const std::uint8_t*>(volume.data()), volume.size()),
        comments, rows);
  }
  return 0;
}
