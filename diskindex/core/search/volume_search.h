#pragma once
// The search on the one opened volume ("Auf aktuellem Datenträger", then
// "Weitersuchen"): a position that walks the directory list in tree order or
// the remark list in key order and stops at each hit.
//
// Position: the current directory number (1-based) and file position, where
// -1 means the directory's own name or remark is next and -2 that its name
// was the last hit and its files are next; both -1 when no search is active.
// After a file hit the next file of the same directory follows; after a
// directory-name hit its first file (-2) when file names are matched, else
// the next directory; after a directory's own remark that directory's file
// remarks. With "only the selected directory" the search ends before the
// first directory outside the selected one's subtree. Nothing more found (or
// a hit that would lie before the last one) clears the position: there is no
// wrap-around. The root's placeholder name "\" is never a hit; remarks whose
// key names no directory or file of the volume are passed over. The
// parameters' mode chooses how the text is read (modern_pattern.h) and
// their filters which entries may be hits (search_filters.h); a remark hit
// is filtered by the entry it belongs to.
//
// It does not show anything (the window goes to the hit) and does not own
// the volume's lists.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/dir_list.h"
#include "diskindex/core/remark_list.h"
#include "diskindex/core/search/modern_pattern.h"
#include "diskindex/core/search/name_prefilter.h"
#include "diskindex/core/search/search_params.h"
#include "diskindex/core/search/search_pattern.h"

namespace diskindex::search {

struct SearchPosition {
  std::int32_t dirNo = -1;
  std::int32_t filePos = -1;
  bool active() const { return dirNo >= 1; }
  bool operator==(const SearchPosition&) const = default;
};

// A hit: the directory number and file number (-1: the directory itself);
// for remark hits the match as UTF-8 byte offset and length in the remark.
struct SearchHit {
  TDirFileNo key;
  std::size_t matchStart = 0;
  std::size_t matchLength = 0;
  bool operator==(const SearchHit&) const = default;
};

// One search text compiled for names or for remark text in the chosen mode,
// matching UTF-8 subjects. Reuses its buffers, so one matcher serves a whole
// search (in one thread). A text that is invalid in its mode matches nothing
// (check it first with checkSearchText).
class SubjectMatcher {
 public:
  explicit SubjectMatcher(const SearchParams& params);
  // A copy compiles the same text again (it shares no buffers).
  SubjectMatcher(const SubjectMatcher& other);
  SubjectMatcher& operator=(const SubjectMatcher& other);
  SubjectMatcher(SubjectMatcher&&) noexcept;
  SubjectMatcher& operator=(SubjectMatcher&&) noexcept;
  ~SubjectMatcher();

  bool empty() const { return m_modern ? m_modern->empty() : m_patterns.empty(); }
  // A name as the window shows it (display case applied).
  bool matchName(std::string_view utf8Name);
  // False when a name stored as these bytes cannot match (see
  // PatternList::mayMatchStored); lets a walk skip converting the name.
  bool mayMatchStored(std::string_view stored) const;
  // The same, and also false when the name lacks every piece of literal
  // text a match needs (see name_prefilter.h): the test a walk over
  // millions of stored names makes before anything else. readableAfter:
  // bytes that may be read after the name (none needed).
  bool mayMatchStored(std::string_view stored, bool utf8Volume, std::size_t readableAfter) const {
    return m_prefilter.mayMatch(stored, utf8Volume, readableAfter) && mayMatchStored(stored);
  }
  // The quick test of mayMatchStored that concerns literal text, to judge a
  // whole volume's names at once (NameCandidates); inactive for remarks.
  const NamePrefilter& namePrefilter() const { return m_prefilter; }
  // The match in a remark, as byte offset and length of the UTF-8 text.
  std::optional<Match> matchText(std::string_view utf8Text);

 private:
  SearchParams m_params;
  PatternList m_patterns;
  std::unique_ptr<ModernPattern> m_modern;  // the modern modes
  NamePrefilter m_prefilter;  // names only
  bool m_wholeWord;
  bool m_case;
  std::u32string m_chars;
  std::vector<std::uint32_t> m_offsets;
};

class VolumeSearch {
 public:
  // Starts a new search at the root or, with onlySelectedDir, at the
  // selected directory (0-based index into the list).
  void start(const SearchParams& params, const TOutlineDirList& dirs, std::size_t selectedDir);
  // The next hit from the position, which then advances; nothing when no
  // more is found (the position is cleared) or no search is active.
  std::optional<SearchHit> findNext(const TOutlineDirList& dirs, const TFileCommentList& remarks);

  bool active() const { return m_position.active() && m_matcher.has_value(); }
  void reset();
  const SearchPosition& position() const { return m_position; }
  const SearchParams& params() const { return m_params; }

 private:
  std::optional<SearchHit> nextName(const TOutlineDirList& dirs);
  std::optional<SearchHit> nextRemark(const TOutlineDirList& dirs, const TFileCommentList& remarks);
  std::optional<SearchHit> accept(std::optional<SearchHit> hit);
  // Whether the entry a remark belongs to passes the filters.
  bool remarkPasses(const TOutlineDirList& dirs, TDirFileNo key) const;

  SearchParams m_params;
  std::optional<SubjectMatcher> m_matcher;
  SearchPosition m_position;
  std::size_t m_endDir = 0;  // first directory index not searched
  std::optional<TDirFileNo> m_lastHit;
  std::optional<FilterCheck> m_filter;
};

// The first directory index after dir's subtree (directories of a greater
// level directly following it).
std::size_t subtreeEnd(const TOutlineDirList& dirs, std::size_t dir);

}  // namespace diskindex::search
