#pragma once
// RescanController: "Datenträger e&rneut einlesen ...": the volume (the
// overview's selected one, or the open one), the dialog that chooses where
// to read from, the progress window around one RescanService call, the
// views refreshed, and the remarks whose entries are gone shown afterwards.
// The session opens the volume again; the window only shows it.

#include <cstddef>
#include <optional>

#include "diskindex/core/rescan_service.h"
#include "diskindex/ui/form_view.h"

namespace diskindex {
class CatalogueSession;
}

namespace diskindex::ui {

class FilesController;
class FormPrompts;
class ScanPrompts;
struct RescanChoice;

class RescanController {
 public:
  // files: its copy prompts ask the wrong-volume question; prompts ask
  // whose remarks to keep when another program changed them meanwhile.
  RescanController(CatalogueSession& session, FormPrompts& prompts, FormView& view,
                   FilesController& files)
      : m_session(session), m_prompts(prompts), m_view(view), m_files(files) {}

  void rescanVolume();

 private:
  std::optional<std::size_t> target() const;
  RescanResult run(std::size_t volume, const RescanChoice& choice,
                   const platform::DriveTable& drives, ScanPrompts& prompts);
  void showResult(const RescanResult& result, ScanPrompts& prompts);

  CatalogueSession& m_session;
  FormPrompts& m_prompts;
  FormView& m_view;
  FilesController& m_files;
};

}  // namespace diskindex::ui
