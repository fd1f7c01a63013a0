// The search workflows of a catalogue session.

#include "diskindex/core/search_service.h"

#include "diskindex/core/search/modern_pattern.h"
#include "diskindex/core/search/result_tables.h"
#include "diskindex/core/search/results_file.h"
#include "diskindex/core/search/search_summary.h"

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

MultiSearchOutcome SearchService::searchMulti(const MultiSearchRequest& request,
                                              MultiSearchProgress& observer) {
  MultiSearchOutcome outcome;
  const std::string text = search::limitSearchText(request.params.text);
  if (const auto error = search::checkSearchText(text, request.params.mode)) {
    outcome.status = MultiSearchStatus::InvalidText;
    outcome.problem = error->message;
    return outcome;
  }
  if (const auto problem = search::filterProblem(request.params.filters)) {
    outcome.status = MultiSearchStatus::InvalidFilters;
    outcome.problem = *problem;
    return outcome;
  }
  setParams(request.params);
  setChosenVolumes(request.volumes);
  const std::vector<std::size_t> chosen = chosenVolumes();
  if (chosen.empty()) {
    outcome.status = MultiSearchStatus::NoVolumes;
    return outcome;
  }
  m_data.search.results.clear();
  observer.started(m_data.search.params);
  KeepRows keep(m_data.search.results, observer);
  outcome.summary = searchVolumes(m_data.search.params, chosen, keep);
  return outcome;
}

namespace {

exporting::ExportResult fromSaveResult(search::SaveResult result) {
  switch (result) {
    case search::SaveResult::Ok:
      return exporting::ExportResult::Ok;
    case search::SaveResult::CannotCreate:
      return exporting::ExportResult::CannotCreate;
    case search::SaveResult::CannotWrite:
      break;
  }
  return exporting::ExportResult::CannotWrite;
}

}  // namespace

exporting::ExportResult SearchService::exportResults(const ListExportRequest& request) const {
  const std::vector<search::ResultRow>& all = m_data.search.results;
  std::vector<search::ResultRow> ordered;
  if (request.order.empty()) {
    ordered = all;
  } else {
    ordered.reserve(request.order.size());
    for (std::size_t index : request.order) {
      if (index < all.size()) ordered.push_back(all[index]);
    }
  }
  if (request.format == exporting::ExportFormat::Text) {
    return fromSaveResult(search::saveResultList(request.file, ordered));
  }
  exporting::ExportTable table = search::searchResultTable(ordered, m_data.search.params.text);
  // A narrowed list says so on its page, as the window's caption does.
  const std::string summary = search::filterSummary(m_data.search.params);
  if (!summary.empty()) table.title += " [" + summary + "]";
  return exporting::writeExportFile(request.file,
                                    exporting::tableDocument(table, request.format, request.csv));
}

const search::DuplicateResult& SearchService::findDuplicates(const DuplicateRequest& request,
                                                             search::DuplicateObserver& observer) {
  const VolumeList& list = m_data.state.catalogue.volumes();
  std::vector<VolumeRecord> volumes;
  for (std::size_t index : request.volumes) {
    if (index < list.size()) volumes.push_back(list[index]);
  }
  m_duplicates = search::findDuplicates(volumes, request.options, observer);
  return m_duplicates;
}

exporting::ExportResult SearchService::exportDuplicates(const ListExportRequest& request) const {
  if (request.format == exporting::ExportFormat::Text) {
    return exporting::writeLines(request.file, search::duplicateTextLines(m_duplicates),
                                 exporting::WriteMode::Replace);
  }
  return exporting::writeExportFile(
      request.file,
      exporting::tableDocument(search::duplicateTable(m_duplicates), request.format, request.csv));
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
