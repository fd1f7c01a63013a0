#pragma once
// VolumeController: "Datenträger &hinzufügen ..." and "Datenträger-Infos
// &ändern ..." of the overview: the writability test, the add/change
// dialog, the progress window around one VolumeService call, and the
// overview refreshed on the volume concerned. The dialogs' prompts come
// from scanPromptsFactory (tests replace it).

#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/form_view.h"

namespace diskindex {
class CatalogueSession;
}

namespace diskindex::ui {

class VolumeController {
 public:
  VolumeController(CatalogueSession& session, FormView& view) : m_session(session), m_view(view) {}

  void addVolume();
  void changeVolume();

 private:
  CatalogueSession& m_session;
  FormView& m_view;
};

}  // namespace diskindex::ui
