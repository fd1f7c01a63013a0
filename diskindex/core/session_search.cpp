// The search workflows of a catalogue session: the parameters and history,
// the volumes chosen for the multi-volume search, the search on the open
// volume and the search over the chosen volumes.

#include "diskindex/core/catalogue_session.h"

namespace diskindex {

void CatalogueSession::loadSearchChoice() {
  const DiskIndexSettings& s = m_state.settings;
  m_search.params = search::paramsFromSettings(
      s, s.searchTexts.empty() ? std::string() : search::limitSearchText(s.searchTexts.front()));
  m_search.chosen.setPositions(m_state.catalogue.volumes(), s.searchVolumes);
}

void CatalogueSession::setSearchParams(const search::SearchParams& params) {
  m_search.params = params;
  m_search.params.text = search::limitSearchText(params.text);
  search::addToHistory(m_state.settings.searchTexts, m_search.params.text);
  search::paramsToSettings(m_search.params, m_state.settings);
  m_search.single.reset();
}

std::vector<std::size_t> CatalogueSession::chosenVolumes() const {
  return m_search.chosen.indices(m_state.catalogue.volumes());
}

void CatalogueSession::setChosenVolumes(const std::vector<std::size_t>& indices) {
  m_search.chosen.setIndices(m_state.catalogue.volumes(), indices);
}

std::optional<search::SearchHit> CatalogueSession::findFirst(std::size_t selectedDir) {
  if (!m_state.opened) return std::nullopt;
  m_search.single.start(m_search.params, m_state.opened->directories, selectedDir);
  return findNext();
}

std::optional<search::SearchHit> CatalogueSession::findNext() {
  if (!m_state.opened) return std::nullopt;
  return m_search.single.findNext(m_state.opened->directories, m_state.opened->remarks);
}

namespace {

// Keeps every row before the caller's observer sees it.
class KeepRows : public search::MultiSearchObserver {
 public:
  KeepRows(std::vector<search::ResultRow>& rows, search::MultiSearchObserver& next)
      : m_rows(rows), m_next(next) {}
  void row(const search::ResultRow& row) override {
    m_rows.push_back(row);
    m_next.row(row);
  }
  bool cancelRequested() override { return m_next.cancelRequested(); }

 private:
  std::vector<search::ResultRow>& m_rows;
  search::MultiSearchObserver& m_next;
};

}  // namespace

search::MultiSearchSummary CatalogueSession::searchChosenVolumes(
    search::MultiSearchObserver& observer) {
  m_search.results.clear();
  KeepRows keep(m_search.results, observer);
  return searchVolumes(m_search.params, chosenVolumes(), keep);
}

search::MultiSearchSummary CatalogueSession::searchVolumes(
    const search::SearchParams& params, const std::vector<std::size_t>& indices,
    search::MultiSearchObserver& observer) const {
  std::vector<VolumeRecord> volumes;
  for (std::size_t index : indices) {
    if (index < m_state.catalogue.volumes().size()) {
      volumes.push_back(m_state.catalogue.volumes()[index]);
    }
  }
  return search::searchVolumes(params, volumes, observer);
}

}  // namespace diskindex
