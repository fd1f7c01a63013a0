#include "diskindex/core/category_service.h"

namespace diskindex {

CategoryApplyResult CategoryService::apply(const CategoryEditResult& edit) {
  CatalogueState& state = m_data.state;
  CategoryApplyResult result = applyCategoryChanges(state.catalogue, edit.changes);
  state.categories = CategoryList(edit.names);
  state.categories.addFromVolumes(state.catalogue.volumes());
  return result;
}

}  // namespace diskindex
