#pragma once
// Saving the open volume's remarks when the user leaves the volume or the
// program ends, without losing what was typed: when the comment file cannot
// be written, its error is shown with the choice to try again, to save the
// remarks to another file (in the comment file format, to be put in place
// later), or to keep them and stay in the volume. It shows only boxes; the
// saving itself is the core's.

#include <filesystem>
#include <functional>

#include "diskindex/core/observers.h"
#include "diskindex/core/result_code.h"

namespace diskindex {
class RemarkService;
}

namespace diskindex::ui {

class FormPrompts;

// True when the remarks were saved, to their comment file or elsewhere;
// false when the user chose to keep them (the caller stays in the volume).
// `save` writes the remarks to the file it is given (the comment file or the
// one the user chose).
bool saveRemarksOrKeep(FormPrompts& prompts, const std::filesystem::path& commentFile,
                       const std::function<ResultCode(const std::filesystem::path&)>& save);

// The same for the open volume's remarks when leaving it: saved merged with
// what another program saved meanwhile; when both changed the same entries
// the user chooses (keep mine, keep theirs, save mine to another file); a
// damaged file on disk that had to be kept first is reported.
bool saveOpenRemarks(FormPrompts& prompts, RemarkService& remarks);

// The same question when a workflow meets the conflict on its way (a rescan
// of the open volume saves the typed remarks first): keep mine, keep theirs,
// or mine to a file the user chooses (a cancelled file dialog asks again).
class RemarkConflictBoxes : public RemarkConflictObserver {
 public:
  explicit RemarkConflictBoxes(FormPrompts& prompts) : m_prompts(prompts) {}
  RemarkConflictDecision remarkConflict(const std::filesystem::path& commentFile,
                                        int entries) override;

 private:
  FormPrompts& m_prompts;
};

}  // namespace diskindex::ui
