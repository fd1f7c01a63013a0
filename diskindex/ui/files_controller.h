#pragma once
// FilesController: the window's commands on the files of catalogued
// volumes: "&Kopieren ..." from the contents view and from the search
// results, "Datei edi&tieren", "Datei &ausführen" and "&Editor festlegen
// ...". It owns their prompts, the starter of programs and the choices the
// copy dialogs remember while the program runs; each command makes one
// FileService call and shows its result. The progress window and the
// questions come through its files observer.

#include <memory>
#include <optional>
#include <vector>

#include "diskindex/core/file_service.h"
#include "diskindex/ui/copy_prompts.h"
#include "diskindex/ui/form_prompts.h"
#include "diskindex/ui/form_view.h"

namespace diskindex {
class CatalogueSession;
}

namespace diskindex::ui {

class TDlgSearchResults;

class FilesController {
 public:
  FilesController(CatalogueSession& session, FormPrompts& prompts, FormView& view);
  ~FilesController();

  // Tests replace the dialogs' prompts and the starter.
  void setCopyPrompts(std::unique_ptr<CopyPrompts> prompts);
  void setProgramStarter(std::unique_ptr<files::ProgramStarter> starter);
  // The wrong-volume question is the copy dialogs' (a rescan asks it too).
  CopyPrompts& copyPrompts() { return *m_copyPrompts; }

  void copyFiles();
  // The file hits among the rows of the results window (all with "alle").
  void copySearchHits(TDlgSearchResults* results);
  void startFile(StartMode mode);
  void chooseEditor();

 private:
  void showCopyResult(const FileCopyResult& result);

  CatalogueSession& m_session;
  FormPrompts& m_prompts;
  FormView& m_view;
  std::unique_ptr<CopyPrompts> m_copyPrompts;
  std::unique_ptr<files::ProgramStarter> m_starter;
  // The copy dialogs' choices, kept while the program runs.
  bool m_copyWholeDirectory = false;
  bool m_copyAllHits = false;
};

}  // namespace diskindex::ui
