#include "diskindex/core/remark_list.h"

#include <algorithm>

namespace diskindex {
namespace {

auto lowerBound(std::vector<Remark>& records, TDirFileNo key) {
  return std::lower_bound(records.begin(), records.end(), key,
                          [](const Remark& r, TDirFileNo k) { return r.key < k; });
}

}  // namespace

void TFileCommentList::set(TDirFileNo key, std::string_view text) {
  auto it = lowerBound(m_records, key);
  const bool found = it != m_records.end() && it->key == key;
  if (text.empty()) {
    if (found) m_records.erase(it);
  } else if (found) {
    it->text.assign(text);
  } else {
    m_records.insert(it, Remark{key, std::string(text)});
  }
  m_modified = true;
}

std::optional<std::string_view> TFileCommentList::find(TDirFileNo key) const {
  auto it = std::lower_bound(m_records.begin(), m_records.end(), key,
                             [](const Remark& r, TDirFileNo k) { return r.key < k; });
  if (it == m_records.end() || it->key != key) return std::nullopt;
  return std::string_view(it->text);
}

void TFileCommentList::clear() {
  m_records.clear();
  m_modified = false;
  m_needsSort = false;
}

void TFileCommentList::appendLoaded(TDirFileNo key, std::string text) {
  if (text.empty()) return;
  if (!m_records.empty() && !(m_records.back().key < key)) m_needsSort = true;
  m_records.push_back(Remark{key, std::move(text)});
}

void TFileCommentList::finishLoading() {
  if (!m_needsSort) return;
  std::stable_sort(m_records.begin(), m_records.end(),
                   [](const Remark& a, const Remark& b) { return a.key < b.key; });
  auto last = std::unique(m_records.begin(), m_records.end(),
                          [](const Remark& a, const Remark& b) { return a.key == b.key; });
  m_records.erase(last, m_records.end());
  m_needsSort = false;
}

}  // namespace diskindex
