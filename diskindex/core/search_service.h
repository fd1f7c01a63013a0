#pragma once
// SearchService: the search workflows of a catalogue session: the
// parameters and their history, the volumes chosen for the multi-volume
// search, the single-volume search on the open volume and the search over
// the chosen (or any) volumes, the duplicate finder, and writing both
// lists to files. It keeps the rows of the last multi-volume search (for
// the results window and the copy of search hits) and the last duplicate
// groups; it shows nothing.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diskindex/core/export/export_file.h"
#include "diskindex/core/export/table_export.h"
#include "diskindex/core/search/duplicate_finder.h"
#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/search/search_choice.h"
#include "diskindex/core/session_data.h"

namespace diskindex {

// A multi-volume search as the search dialog confirms it: the parameters
// (text, mode, filters) and the chosen volumes (list positions).
struct MultiSearchRequest {
  search::SearchParams params;
  std::vector<std::size_t> volumes;
};

enum class MultiSearchStatus {
  Searched,
  NoVolumes,    // nothing chosen: the choice was stored, nothing searched
  InvalidText,  // the text is not valid in its mode: nothing stored
  InvalidFilters,
};

struct MultiSearchOutcome {
  MultiSearchStatus status = MultiSearchStatus::Searched;
  std::string problem;  // German, for InvalidText and InvalidFilters
  search::MultiSearchSummary summary;
};

// The progress of searchMulti: started() once the request was taken and
// before the first volume is read (the window opens its list then), then
// the rows and the cancel question of every multi-volume search.
class MultiSearchProgress : public search::MultiSearchObserver {
 public:
  virtual void started(const search::SearchParams& /*params*/) {}
};

// Writing a list (the search results or the duplicate groups) to a file.
struct ListExportRequest {
  std::filesystem::path file;
  exporting::ExportFormat format = exporting::ExportFormat::Csv;
  exporting::CsvOptions csv;
  // Search results: the rows in the order to write (indices into
  // results(), as the window sorted them); empty means the order found.
  std::vector<std::size_t> order;
};

// The duplicate finder over the volumes at these list positions.
struct DuplicateRequest {
  search::DuplicateOptions options;
  std::vector<std::size_t> volumes;
};

class SearchService {
 public:
  explicit SearchService(SessionData& data) : m_data(data) {}

  // Reads the settings' choices and the newest history text (start-up).
  void loadChoice();
  // The parameters last used.
  const search::SearchParams& params() const { return m_data.search.params; }
  // Takes the parameters of a confirmed search dialog: the text joins the
  // history, the choices the settings; the single-volume position restarts.
  void setParams(const search::SearchParams& params);
  // Volumes chosen for the multi-volume search: their list positions now.
  std::vector<std::size_t> chosenVolumes() const;
  void setChosenVolumes(const std::vector<std::size_t>& indices);
  // Single-volume search on the open volume from the root or (only the
  // selected directory) from selectedDir; nothing when no hit (the position
  // is then cleared).
  std::optional<search::SearchHit> findFirst(std::size_t selectedDir);
  std::optional<search::SearchHit> findNext();
  bool active() const { return m_data.search.single.active(); }
  const std::vector<search::ResultRow>& results() const { return m_data.search.results; }
  void clearResults() { m_data.search.results.clear(); }
  // The whole multi-volume search in one step: checks the text in its mode
  // and the filters, takes the parameters (history, settings) and the
  // choice, and searches the chosen volumes in list order; the rows replace
  // results() and go to the observer as they are found. The open volume's
  // remarks are searched as they are in memory (typed and not saved yet
  // included), here and in searchVolumes.
  MultiSearchOutcome searchMulti(const MultiSearchRequest& request, MultiSearchProgress& observer);
  // Writes results() as text (volume TAB path, the original list), CSV,
  // HTML or JSON.
  exporting::ExportResult exportResults(const ListExportRequest& request) const;

  // Duplicate files across the chosen volumes; the groups are kept until
  // the next call (cancelled: no groups).
  const search::DuplicateResult& findDuplicates(const DuplicateRequest& request,
                                                search::DuplicateObserver& observer);
  const search::DuplicateResult& duplicates() const { return m_duplicates; }
  // Writes the kept groups as text lines, CSV, HTML or JSON.
  exporting::ExportResult exportDuplicates(const ListExportRequest& request) const;

  // With other parameters over the volumes at these list positions (no
  // rows kept).
  search::MultiSearchSummary searchVolumes(const search::SearchParams& params,
                                           const std::vector<std::size_t>& indices,
                                           search::MultiSearchObserver& observer) const;

 private:
  SessionData& m_data;
  search::DuplicateResult m_duplicates;
};

}  // namespace diskindex
