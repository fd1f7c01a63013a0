#pragma once
// CategoryController: "&Kategorien verwalten ...": the dialog, its changes
// carried into the volume files by one CategoryService call, and the
// filter list, the overview and the filter following them. It remembers
// "&Selektierte Kategorie auswählen" while the program runs.

#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/form_view.h"

namespace diskindex {
class CatalogueSession;
}

namespace diskindex::ui {

class CategoryController {
 public:
  CategoryController(CatalogueSession& session, FormPrompts& prompts, FormView& view)
      : m_session(session), m_prompts(prompts), m_view(view) {}

  void manageCategories();

 private:
  CatalogueSession& m_session;
  FormPrompts& m_prompts;
  FormView& m_view;
  bool m_selectCategory = false;
};

}  // namespace diskindex::ui
