#pragma once
// The change list of one session of the categories dialog and carrying it
// into the catalogue. A rename maps a category as it was when the dialog
// opened to its last new name (the dialog's editor turns renaming A to B and
// then B to C into one rename A -> C); a deletion names a category of the
// opening list that was removed and not renamed. Applying the changes reads every volume's header,
// gives a volume of a renamed category the new name and clears the category of a volume of a
// deleted one, rewrites only that field in place and updates the record.
//
// Categories are matched without regard to letter case, as the category list
// compares them: a volume filed as "spiele" belongs to the entry "Spiele".
// It does not decide what the dialog allows (category_editor.h).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/result_code.h"

namespace diskindex {

class Catalogue;

struct CategoryRename {
  std::string from;  // as it was when the dialog opened
  std::string to;

  bool operator==(const CategoryRename&) const = default;
};

class CategoryChanges {
 public:
  // Each category of the opening list appears at most once in either list.
  void rename(std::string_view from, std::string_view to);
  void remove(std::string_view name);

  const std::vector<CategoryRename>& renames() const { return m_renames; }
  const std::vector<std::string>& deletions() const { return m_deletions; }
  bool empty() const { return m_renames.empty() && m_deletions.empty(); }

  // What a volume of this category gets: nothing when it is not concerned,
  // an empty text when its category is deleted, else the new name.
  std::optional<std::string> newCategoryFor(std::string_view category) const;
  // The overview filter entry after the changes: a renamed category's new
  // name, "<ALLE>" for a deleted one, any other entry unchanged.
  std::string followFilter(const std::string& filter) const;

 private:
  std::vector<CategoryRename> m_renames;
  std::vector<std::string> m_deletions;
};

struct CategoryFailure {
  ResultCode code = ResultCode::Ok;
  std::filesystem::path dataFile;
  std::string volumeName;
};

struct CategoryApplyResult {
  int changed = 0;  // volumes whose header was rewritten
  std::vector<CategoryFailure> failures;
};

// Carries the changes into every volume of the catalogue. A volume whose
// header cannot be read or rewritten keeps its file and record as they were
// and is listed in failures; the others are still processed.
CategoryApplyResult applyCategoryChanges(Catalogue& catalogue, const CategoryChanges& changes);

// The error box text for volumes that kept their old category: each volume
// with its data file (at most ten, then how many more), captioned
// "Kategorien verwalten - Fehler:".
std::string categoryFailureText(const std::vector<CategoryFailure>& failures);
inline constexpr std::string_view kCategoryFailureCaption = "Kategorien verwalten - Fehler:";

}  // namespace diskindex
