// The open volume's remarks, and the session steps several services share:
// opening and leaving a volume and saving its remarks.

#include "diskindex/core/remark_service.h"

#include "diskindex/core/comment_file.h"
#include "diskindex/core/volume_file.h"

namespace diskindex {
namespace session {

OpenResult openVolume(SessionData& data, std::size_t volumeIndex, ProgressObserver* progress) {
  OpenResult result;
  if (volumeIndex >= data.state.catalogue.volumes().size()) {
    result.contents = ResultCode::CannotOpen;
    return result;
  }
  closeVolume(data);
  OpenedVolume opened;
  opened.volumeIndex = volumeIndex;
  opened.record = data.state.catalogue.volumes()[volumeIndex];
  result.contents = loadVolumeContents(opened.record.dataFile, opened.directories, progress);
  if (result.contents != ResultCode::Ok) return result;
  // Stamped before it is read: a write in between is noticed later.
  opened.remarksStamp = FileStamp::ofPath(opened.record.commentFile());
  RemarksLoad remarks = loadRemarksForEdit(opened.record.commentFile());
  result.remarks = remarks.code;
  result.remarksDamaged = remarks.damaged;
  opened.remarks = std::move(remarks.remarks);
  opened.remarksBase = std::move(remarks.base);
  opened.remarksReadOnly = remarks.damaged;
  data.state.opened = std::move(opened);
  return result;
}

void closeVolume(SessionData& data) {
  data.search.single.reset();
  data.state.opened.reset();
}

RemarkSaveResult saveRemarks(SessionData& data, ConflictChoice choice) {
  RemarkSaveResult result;
  if (!data.state.opened || !data.state.opened->remarks.modified()) {
    result.status = RemarkSaveStatus::Saved;
    return result;
  }
  OpenedVolume& opened = *data.state.opened;
  // A volume another program removed gets no comment file again.
  if (opened.removed) {
    result.status = RemarkSaveStatus::Failed;
    result.code = ResultCode::CannotCreate;
    return result;
  }
  RemarkSaveRequest request;
  request.commentFile = remarksFile(data);
  request.base = opened.remarksBase;
  request.mine = opened.remarks.records();
  request.choice = choice;
  result = saveRemarksMerged(request);
  if (result.status == RemarkSaveStatus::Saved || result.status == RemarkSaveStatus::Merged) {
    TFileCommentList saved;
    for (const Remark& remark : result.saved) saved.appendLoaded(remark.key, remark.text);
    saved.finishLoading();
    opened.remarks = std::move(saved);
    opened.remarksBase = result.saved;
    opened.remarksStamp = FileStamp::ofPath(request.commentFile);
  }
  return result;
}

std::filesystem::path remarksFile(const SessionData& data) {
  return data.state.opened ? data.state.opened->record.commentFile() : std::filesystem::path();
}

}  // namespace session

bool RemarkService::set(TDirFileNo key, const std::string& text) {
  if (!m_data.state.opened || m_data.state.opened->remarksReadOnly) return false;
  m_data.state.opened->remarks.set(key, text);
  return true;
}

bool RemarkService::readOnly() const {
  return m_data.state.opened && m_data.state.opened->remarksReadOnly;
}

RemarkSaveResult RemarkService::save(ConflictChoice choice) {
  return session::saveRemarks(m_data, choice);
}

ResultCode RemarkService::saveTo(const std::filesystem::path& file) {
  if (!m_data.state.opened) return ResultCode::Ok;
  return diskindex::saveRemarks(file, m_data.state.opened->remarks);
}

}  // namespace diskindex
