// The search workflows of a catalogue session.

#include "diskindex/core/search_service.h"

namespace diskindex {

void SearchService::loadChoice() {
  const DiskIndexSettings& s = m_data.state.settings;
  m_data.search.params = search::paramsFromSettings(
      s, s.searchTexts.empty() ? std::string() : search::limitSearchText(s.searchTexts.front()));
  if (!s.searchVolumeFiles.empty()) {
    m_data.search.chosen.setFileNumbers(m_data.state.catalogue.volumes(), s.searchVolumeFiles);
  } else {
    m_data.search.chosen.setPositions(m_data.state.catalogue.volumes(), s.searchVolumes);
  }
}

void SearchService::setParams(const search::SearchParams& params) {
  search::SearchState& state = m_data.search;
  state.params = params;
  state.params.text = search::limitSearchText(params.text);
  search::addToHistory(m_data.state.settings.searchTexts, state.params.text);
  search::paramsToSettings(state.params, m_data.state.settings);
  state.single.reset();
}

std::vector<std::size_t> SearchService::chosenVolumes() const {
  return m_data.search.chosen.indices(m_data.state.catalogue.volumes());
}

void SearchService::setChosenVolumes(const std::vector<std::size_t>& indices) {
  m_data.search.chosen.setIndices(m_data.state.catalogue.volumes(), indices);
}

std::optional<search::SearchHit> SearchService::findFirst(std::size_t selectedDir) {
  if (!m_data.state.opened) return std::nullopt;
  m_data.search.single.start(m_data.search.params, m_data.state.opened->directories, selectedDir);
  return findNext();
}

std::optional<search::SearchHit> SearchService::findNext() {
  if (!m_data.state.opened) return std::nullopt;
  return m_data.search.single.findNext(m_data.state.opened->directories,
                                       m_data.state.opened->remarks);
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

search::MultiSearchSummary SearchService::searchChosen(search::MultiSearchObserver& observer) {
  m_data.search.results.clear();
  KeepRows keep(m_data.search.results, observer);
  return searchVolumes(m_data.search.params, chosenVolumes(), keep);
}

search::MultiSearchSummary SearchService::searchVolumes(
    const search::SearchParams& params, const std::vector<std::size_t>& indices,
    search::MultiSearchObserver& observer) const {
  const VolumeList& list = m_data.state.catalogue.volumes();
  std::vector<VolumeRecord> volumes;
  for (std::size_t index : indices) {
    if (index < list.size()) volumes.push_back(list[index]);
  }
  // The open volume is searched with the remarks typed and not saved yet.
  search::RemarksInMemory typed;
  if (m_data.state.opened) {
    typed.dataFile = m_data.state.opened->record.dataFile;
    typed.remarks = &m_data.state.opened->remarks;
  }
  return search::searchVolumes(params, volumes, observer, typed);
}

}  // namespace diskindex
