#pragma once
// SearchService: the search workflows of a catalogue session: the
// parameters and their history, the volumes chosen for the multi-volume
// search, the single-volume search on the open volume and the search over
// the chosen (or any) volumes. It keeps the rows of the last multi-volume
// search for the results window and the copy of search hits; it shows
// nothing.

#include <cstddef>
#include <optional>
#include <vector>

#include "diskindex/core/search/multi_search.h"
#include "diskindex/core/search/search_choice.h"
#include "diskindex/core/session_data.h"

namespace diskindex {

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
  // Multi-volume search over the chosen volumes in list order: the rows
  // replace results() as they are found and go to the observer too. The
  // open volume's remarks are searched as they are in memory (typed and not
  // saved yet included), here and in searchVolumes.
  search::MultiSearchSummary searchChosen(search::MultiSearchObserver& observer);
  const std::vector<search::ResultRow>& results() const { return m_data.search.results; }
  void clearResults() { m_data.search.results.clear(); }
  // With other parameters over the volumes at these list positions (no
  // rows kept).
  search::MultiSearchSummary searchVolumes(const search::SearchParams& params,
                                           const std::vector<std::size_t>& indices,
                                           search::MultiSearchObserver& observer) const;

 private:
  SessionData& m_data;
};

}  // namespace diskindex
