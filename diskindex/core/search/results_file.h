#pragma once
// The results list as text: one line per row, the volume name, TAB and the
// full path, each line ended by CR LF, for the saved file and the printout.
// The file is Windows-1252 like the catalogue's other files, or UTF-8 when a
// name cannot be written in Windows-1252. A file that cannot be written to
// the end is removed again, so no cut-off list is left behind.

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "diskindex/core/search/multi_search.h"

namespace diskindex::search {

enum class SaveResult {
  Ok,
  CannotCreate,  // show messages::saveCreateFailed
  CannotWrite,   // show messages::saveWriteFailed; the partial file is gone
};

SaveResult saveResultList(const std::filesystem::path& file, std::span<const ResultRow> rows);

// The lines as UTF-8, without line ends (for printing).
std::vector<std::string> resultLines(std::span<const ResultRow> rows);

}  // namespace diskindex::search
