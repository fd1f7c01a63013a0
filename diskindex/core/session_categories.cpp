// The categories of a catalogue session: the dialog's changes carried into
// the volume files and the category list.

#include "diskindex/core/catalogue_session.h"

namespace diskindex {

CategoryApplyResult CatalogueSession::applyCategoryChanges(const CategoryEditResult& edit) {
  CategoryApplyResult result = diskindex::applyCategoryChanges(m_state.catalogue, edit.changes);
  m_state.categories = CategoryList(edit.names);
  m_state.categories.addFromVolumes(m_state.catalogue.volumes());
  return result;
}

}  // namespace diskindex
