#include "diskindex/core/search/volume_search.h"

#include <algorithm>

namespace diskindex::search {

namespace {

PatternMode targetOf(const SearchParams& params) {
  return params.remarks ? PatternMode::Text : PatternMode::Name;
}

}  // namespace

SubjectMatcher::SubjectMatcher(const SearchParams& params)
    : m_params(params),
      m_patterns(params.mode == SearchMode::Dos ? PatternList(params.text, targetOf(params))
                                                : PatternList()),
      m_wholeWord(params.wholeWord),
      m_case(params.effectiveCase()) {
  if (params.mode != SearchMode::Dos) {
    m_modern = std::make_unique<ModernPattern>(params.text, params.mode, targetOf(params), m_case);
  }
  if (!params.remarks && !m_case) {
    std::optional<std::vector<NamePieces>> pieces =
        m_modern ? m_modern->asciiPieces() : m_patterns.asciiPieces();
    const NameFolding folding = params.mode == SearchMode::Dos       ? NameFolding::Original
                                : params.mode == SearchMode::AnyChar ? NameFolding::Unicode
                                                                     : NameFolding::Regex;
    if (pieces) m_prefilter = NamePrefilter(std::move(*pieces), folding);
  }
}

SubjectMatcher::SubjectMatcher(const SubjectMatcher& other) : SubjectMatcher(other.m_params) {}

SubjectMatcher& SubjectMatcher::operator=(const SubjectMatcher& other) {
  if (this != &other) *this = SubjectMatcher(other.m_params);
  return *this;
}

SubjectMatcher::SubjectMatcher(SubjectMatcher&&) noexcept = default;
SubjectMatcher& SubjectMatcher::operator=(SubjectMatcher&&) noexcept = default;
SubjectMatcher::~SubjectMatcher() = default;

bool SubjectMatcher::matchName(std::string_view utf8Name) {
  if (m_modern) return m_modern->matches(utf8Name, m_wholeWord);
  if (isAscii(utf8Name)) return m_patterns.match(utf8Name, m_wholeWord, m_case).has_value();
  decodeUtf8(utf8Name, m_chars, nullptr);
  return m_patterns.match(std::u32string_view(m_chars), m_wholeWord, m_case).has_value();
}

bool SubjectMatcher::mayMatchStored(std::string_view stored) const {
  if (m_modern) return m_modern->mayMatchStored(stored);
  return m_params.remarks || m_patterns.mayMatchStored(stored);
}

std::optional<Match> SubjectMatcher::matchText(std::string_view utf8Text) {
  if (m_modern) return m_modern->match(utf8Text, m_wholeWord);
  if (isAscii(utf8Text)) return m_patterns.match(utf8Text, m_wholeWord, m_case);
  decodeUtf8(utf8Text, m_chars, &m_offsets);
  const std::optional<Match> found =
      m_patterns.match(std::u32string_view(m_chars), m_wholeWord, m_case);
  if (!found) return std::nullopt;
  const std::uint32_t begin = m_offsets[found->start];
  return Match{begin, m_offsets[found->start + found->length] - begin};
}

std::size_t subtreeEnd(const TOutlineDirList& dirs, std::size_t dir) {
  if (dir == 0) return dirs.directoryCount();
  const std::uint8_t level = dirs.level(dir);
  std::size_t end = dir + 1;
  while (end < dirs.directoryCount() && dirs.level(end) > level) ++end;
  return end;
}

void VolumeSearch::start(const SearchParams& params, const TOutlineDirList& dirs,
                         std::size_t selectedDir) {
  reset();
  if (dirs.empty()) return;
  m_params = params;
  m_matcher.emplace(params);
  m_filter.emplace(params.filters);
  const std::size_t from =
      params.onlySelectedDir && selectedDir < dirs.directoryCount() ? selectedDir : 0;
  m_endDir = params.onlySelectedDir ? subtreeEnd(dirs, from) : dirs.directoryCount();
  m_position = {static_cast<std::int32_t>(from) + 1, -1};
}

void VolumeSearch::reset() {
  m_matcher.reset();
  m_position = {};
  m_lastHit.reset();
  m_endDir = 0;
  m_filter.reset();
}

std::optional<SearchHit> VolumeSearch::findNext(const TOutlineDirList& dirs,
                                                const TFileCommentList& remarks) {
  if (!active() || m_matcher->empty()) {
    m_position = {};
    return std::nullopt;
  }
  return accept(m_params.remarks ? nextRemark(dirs, remarks) : nextName(dirs));
}

std::optional<SearchHit> VolumeSearch::accept(std::optional<SearchHit> hit) {
  if (hit && m_lastHit && hit->key < *m_lastHit) hit.reset();
  if (!hit) {
    m_position = {};
    return std::nullopt;
  }
  m_lastHit = hit->key;
  return hit;
}

std::optional<SearchHit> VolumeSearch::nextName(const TOutlineDirList& dirs) {
  const std::size_t end = std::min(m_endDir, dirs.directoryCount());
  auto d = static_cast<std::size_t>(m_position.dirNo - 1);
  std::int32_t filePos = m_position.filePos;
  for (; d < end; ++d, filePos = -1) {
    const auto dirNo = static_cast<std::int32_t>(d) + 1;
    if (filePos == -1 && m_params.dirNames && d != 0 && m_filter->wantsDirectories() &&
        m_matcher->matchName(dirs.directoryName(d))) {
      m_position = m_params.fileNames ? SearchPosition{dirNo, -2} : SearchPosition{dirNo + 1, -1};
      return SearchHit{{dirNo, -1}};
    }
    if (!m_params.fileNames || !m_filter->wantsFiles()) continue;
    const auto files = dirs.files(d);
    for (auto i = static_cast<std::size_t>(std::max(filePos, 0)); i < files.size(); ++i) {
      const FileItem& file = files[i];
      if (m_filter->passes(false, file.size, file.dosDateTime) &&
          m_matcher->matchName(dirs.name(file))) {
        const auto fileNo = static_cast<std::int32_t>(i);
        m_position = {dirNo, fileNo + 1};
        return SearchHit{{dirNo, fileNo}};
      }
    }
  }
  return std::nullopt;
}

namespace {

bool keyExists(const TOutlineDirList& dirs, TDirFileNo key) {
  if (key.dirNo < 1 || static_cast<std::size_t>(key.dirNo) > dirs.directoryCount()) return false;
  return key.fileNo == -1 || (key.fileNo >= 0 && static_cast<std::size_t>(key.fileNo) <
                                                     dirs.files(key.dirNo - 1).size());
}

}  // namespace

bool VolumeSearch::remarkPasses(const TOutlineDirList& dirs, TDirFileNo key) const {
  if (!m_filter->active()) return true;
  if (key.fileNo == -1) return m_filter->passes(true, 0, 0);
  const FileItem& file = dirs.files(key.dirNo - 1)[static_cast<std::size_t>(key.fileNo)];
  return m_filter->passes(false, file.size, file.dosDateTime);
}

std::optional<SearchHit> VolumeSearch::nextRemark(const TOutlineDirList& dirs,
                                                  const TFileCommentList& remarks) {
  const std::vector<Remark>& records = remarks.records();
  const TDirFileNo from{m_position.dirNo, std::max(m_position.filePos, -1)};
  auto it = std::lower_bound(records.begin(), records.end(), from,
                             [](const Remark& r, const TDirFileNo& key) { return r.key < key; });
  for (; it != records.end(); ++it) {
    if (static_cast<std::size_t>(it->key.dirNo - 1) >= m_endDir) break;
    if (!keyExists(dirs, it->key) || !remarkPasses(dirs, it->key)) continue;
    if (const std::optional<Match> found = m_matcher->matchText(it->text)) {
      m_position = {it->key.dirNo, it->key.fileNo + 1};
      return SearchHit{it->key, found->start, found->length};
    }
  }
  return std::nullopt;
}

}  // namespace diskindex::search
