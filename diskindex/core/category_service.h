#pragma once
// CategoryService: what the categories dialog left (renames, deletions)
// carried into every volume header and record of a catalogue session, and
// the session's category list replaced by the dialog's. The dialog itself
// is the caller's.

#include "diskindex/core/category_changes.h"
#include "diskindex/core/category_editor.h"
#include "diskindex/core/session_data.h"

namespace diskindex {

class CategoryService {
 public:
  explicit CategoryService(SessionData& data) : m_data(data) {}

  // The list becomes the dialog's list, completed by the categories of
  // volumes whose file could not be changed, so that every volume stays
  // reachable by the filter.
  CategoryApplyResult apply(const CategoryEditResult& edit);

 private:
  SessionData& m_data;
};

}  // namespace diskindex
