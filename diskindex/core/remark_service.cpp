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
  result.remarks = loadRemarks(opened.record.commentFile(), opened.remarks);
  data.state.opened = std::move(opened);
  return result;
}

void closeVolume(SessionData& data) {
  data.search.single.reset();
  data.state.opened.reset();
}

ResultCode saveRemarks(SessionData& data) {
  if (!data.state.opened || !data.state.opened->remarks.modified()) return ResultCode::Ok;
  return diskindex::saveRemarks(remarksFile(data), data.state.opened->remarks);
}

std::filesystem::path remarksFile(const SessionData& data) {
  return data.state.opened ? data.state.opened->record.commentFile() : std::filesystem::path();
}

}  // namespace session

void RemarkService::set(TDirFileNo key, const std::string& text) {
  if (m_data.state.opened) m_data.state.opened->remarks.set(key, text);
}

ResultCode RemarkService::save() {
  return session::saveRemarks(m_data);
}

ResultCode RemarkService::saveTo(const std::filesystem::path& file) {
  if (!m_data.state.opened) return ResultCode::Ok;
  return diskindex::saveRemarks(file, m_data.state.opened->remarks);
}

}  // namespace diskindex
