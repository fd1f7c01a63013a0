#pragma once
// SessionData: everything the workflow services of one catalogue session
// share, owned by CatalogueSession and borrowed by every service: the
// environment it was started in, the catalogue state the views read, and the
// search's memory (parameters, chosen volumes, last results).
//
// The free functions below are the few steps more than one service takes
// (opening and leaving a volume, saving its remarks); they live here so that
// no service has to call another.

#include <cstddef>
#include <filesystem>

#include "diskindex/core/catalogue_state.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/observers.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/search/search_choice.h"
#include "diskindex/core/session_environment.h"

namespace diskindex {

struct SessionData {
  SessionEnvironment env;
  CatalogueState state;
  search::SearchState search;
};

// Opening a volume: the contents' code (Ok, or the data file's failure) and
// the remarks' code (CannotOpen is the normal case of a volume without any).
// remarksDamaged: the comment file is there but damaged; the remarks that
// could be read are open read-only (show messages::damagedRemarksFile).
struct OpenResult {
  ResultCode contents = ResultCode::Ok;
  ResultCode remarks = ResultCode::Ok;
  bool remarksDamaged = false;
};

namespace session {

// Opens the volume at this list position; on failure nothing is open.
OpenResult openVolume(SessionData& data, std::size_t volumeIndex, ProgressObserver* progress);
// Forgets the open volume (unsaved remarks included) and the position of
// the single-volume search in it.
void closeVolume(SessionData& data);
// Writes the open volume's remarks when they changed, merged with what
// another program saved meanwhile (Saved with code Ok when there was nothing
// to write). Saved and Merged make what was written the open remarks and
// their base; Conflict and Failed leave them as they were, still changed.
RemarkSaveResult saveRemarks(SessionData& data, ConflictChoice choice = ConflictChoice::Ask);
// The open volume's comment file, empty when none is open.
std::filesystem::path remarksFile(const SessionData& data);

}  // namespace session
}  // namespace diskindex
