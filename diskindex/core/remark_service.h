#pragma once
// RemarkService: the remarks of the open volume of a catalogue session: the
// text of one field handed back, and writing them to the volume's comment
// file or, when that fails, to another file. It neither opens volumes nor
// asks what to do when saving fails or conflicts; that is the caller's prompt.

#include <filesystem>
#include <string>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/session_data.h"

namespace diskindex {

class RemarkService {
 public:
  explicit RemarkService(SessionData& data) : m_data(data) {}

  // Hands the text of one remark field back (empty text removes the remark).
  // False, and nothing changed, when no volume is open or its remarks are
  // read-only (a damaged comment file).
  bool set(TDirFileNo key, const std::string& text);
  // The open volume's remarks cannot be changed (their file is damaged).
  bool readOnly() const;
  // Writes the open volume's remarks when they changed (Saved, code Ok, when
  // there was nothing to write), merged by entry with what another program
  // saved meanwhile. Conflict: both changed the same entries, nothing was
  // written; the caller asks and calls again with KeepMine or KeepTheirs, or
  // uses saveTo. On Conflict and Failed the remarks stay open and changed,
  // so the caller can try again or keep them. damagedCopy is set when a
  // damaged file on disk was kept first (messages::keptDamagedCopy).
  RemarkSaveResult save(ConflictChoice choice = ConflictChoice::Ask);
  // Writes the open volume's remarks, changed or not, in the comment file
  // format to another file: the way out when the comment file cannot be
  // written, so nothing typed is lost.
  ResultCode saveTo(const std::filesystem::path& file);
  // The open volume's comment file (for messages), empty when none is open.
  std::filesystem::path file() const { return session::remarksFile(m_data); }

 private:
  SessionData& m_data;
};

}  // namespace diskindex
