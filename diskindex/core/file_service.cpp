// The file workflows of a catalogue session: copying from the open volume,
// from any volume (diskindx-cli) and from the search results, editing and
// starting a file, and choosing the editor.

#include "diskindex/core/file_service.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "diskindex/core/file_io.h"
#include "diskindex/core/files/copy_list.h"
#include "diskindex/core/files/file_messages.h"
#include "diskindex/core/files/volume_check.h"
#include "diskindex/core/volume_file.h"

namespace diskindex {
namespace {

// The copy list of a selection, from the volume file's stored names.
FileCopyResult buildList(const VolumeRecord& volume, const CopySelection& selection,
                         files::CopyList& list) {
  FileCopyResult result;
  TOutlineDirList stored;
  VolumeHeader header;
  const ResultCode loaded = loadStoredNames(volume.dataFile, stored, header);
  if (loaded != ResultCode::Ok) {
    result.copy.code = loaded;
    result.copy.file = volume.dataFile.string();
    return result;
  }
  const files::CopyListResult built = selection.wholeDirectory
                                          ? files::treeCopyList(stored, selection.directory, list)
                                          : files::hitsCopyList(stored, selection.files, list);
  result.copy.code = built.code;
  result.copy.file = built.badName;
  if (built.code == ResultCode::Ok && list.empty()) result.status = FileRunStatus::NothingSelected;
  return result;
}

// The volume's root: the given folder, or its drive after the volume check.
std::optional<std::filesystem::path> sourceRoot(Catalogue& catalogue, std::size_t index,
                                                const std::filesystem::path& sourceFolder,
                                                const platform::DriveTable& drives,
                                                files::VolumeCheckObserver& observer) {
  if (!sourceFolder.empty()) return sourceFolder;
  if (!files::checkVolume(catalogue, index, drives, observer)) return std::nullopt;
  return rootOf(catalogue.volumes()[index]).resolve(drives);
}

}  // namespace

FileCopyResult FileService::copy(const CopyRequest& request, files::FilesObserver& observer) {
  if (const auto* volume = std::get_if<CopyFromVolume>(&request.source)) {
    return copyVolume(*volume, request, observer);
  }
  if (const auto* hits = std::get_if<CopyFromSearchHits>(&request.source)) {
    return copyHits(hits->rows, request, observer);
  }
  if (!m_data.state.opened) return FileCopyResult{FileRunStatus::NothingSelected, {}};
  m_data.state.settings.copyPath = withTrailingSlash(request.target.string());
  const CopyFromVolume open{
      m_data.state.opened->volumeIndex, std::get<CopyFromOpenVolume>(request.source).selection, {}};
  return copyVolume(open, request, observer);
}

FileCopyResult FileService::copyVolume(const CopyFromVolume& source, const CopyRequest& request,
                                       files::FilesObserver& observer) {
  FileCopyResult result;
  Catalogue& catalogue = m_data.state.catalogue;
  if (source.volume >= catalogue.volumes().size()) {
    result.status = FileRunStatus::NothingSelected;
    return result;
  }
  const auto root =
      sourceRoot(catalogue, source.volume, source.sourceFolder, request.drives, observer);
  if (!root) {
    result.status = FileRunStatus::VolumeRefused;
    return result;
  }
  files::CopyList list;
  result = buildList(catalogue.volumes()[source.volume], source.selection, list);
  if (result.copy.code != ResultCode::Ok || result.status != FileRunStatus::Done) return result;
  result.copy = files::copyFiles(list, *root, request.target, observer, request.options);
  return result;
}

FileCopyResult FileService::copyHits(const std::vector<std::size_t>& rows,
                                     const CopyRequest& request, files::FilesObserver& observer) {
  const std::filesystem::path& target = request.target;
  // The volumes in the order the rows name them, each with its file hits.
  std::vector<std::pair<std::string, CopySelection>> volumes;
  for (std::size_t r : rows) {
    if (r >= m_data.search.results.size() || m_data.search.results[r].directory) continue;
    const search::ResultRow& row = m_data.search.results[r];
    auto it = std::find_if(volumes.begin(), volumes.end(),
                           [&](const auto& v) { return v.first == row.volumeName; });
    if (it == volumes.end()) it = volumes.insert(volumes.end(), {row.volumeName, {}});
    it->second.files.push_back(row.hit.key);
  }
  if (volumes.empty()) return FileCopyResult{FileRunStatus::NothingSelected, {}};
  m_data.state.settings.copyPath = withTrailingSlash(target.string());
  FileCopyResult last;
  for (const auto& [name, selection] : volumes) {
    std::string failedFile;
    for (;;) {
      const auto answer = observer.askInsertVolume(files::insertVolumeQuestion(name, failedFile));
      if (answer == files::InsertVolumeAnswer::Cancel) {
        last.status = FileRunStatus::Cancelled;
        return last;
      }
      if (answer == files::InsertVolumeAnswer::SkipVolume) break;
      // The list may have changed since the search: look the volume up again.
      const auto index = m_data.state.catalogue.volumes().findByName(name);
      if (!index) break;
      last = copyVolume(CopyFromVolume{*index, selection, {}}, request, observer);
      if (last.status == FileRunStatus::VolumeRefused) continue;
      // The volume file changed since the search and holds none of the hits.
      if (last.status == FileRunStatus::NothingSelected) {
        last = FileCopyResult{};
        break;
      }
      if (last.copy.code == ResultCode::Ok || last.copy.code == ResultCode::Cancelled) break;
      if (last.copy.code == ResultCode::UnsafeName) return last;
      failedFile = last.copy.file;
    }
    if (last.copy.code == ResultCode::Cancelled) return last;
  }
  return last;
}

FileStartResult FileService::start(const OpenVolumeFile& target, StartMode mode,
                                   const platform::DriveTable& drives,
                                   files::FilesObserver& observer, files::ProgramStarter& starter) {
  const std::size_t dir = target.dir;
  const std::size_t position = target.position;
  const bool edit = mode == StartMode::Edit;
  FileStartResult result;
  if (!m_data.state.opened) {
    result.status = FileRunStatus::NothingSelected;
    return result;
  }
  files::CopyList list;
  const VolumeRecord& volume = m_data.state.catalogue.volumes()[m_data.state.opened->volumeIndex];
  CopySelection selection;
  selection.files.push_back(
      {static_cast<std::int32_t>(dir + 1), static_cast<std::int32_t>(position)});
  const FileCopyResult built = buildList(volume, selection, list);
  if (built.status == FileRunStatus::NothingSelected) {
    result.status = FileRunStatus::NothingSelected;
    result.message = std::string(files::kNothingSelected);
    return result;
  }
  if (built.copy.code != ResultCode::Ok) {
    result.message = files::copyMessage(built.copy.code, built.copy.file).text;
    return result;
  }
  const auto root =
      sourceRoot(m_data.state.catalogue, m_data.state.opened->volumeIndex, {}, drives, observer);
  if (!root) {
    result.status = FileRunStatus::VolumeRefused;
    return result;
  }
  std::filesystem::path file = *root;
  for (const std::string& name : list.entries.front().components) file /= name;
  if (!FileHandle::openRead(file).valid()) {
    result.message = files::cannotOpenFile(file.string());
    return result;
  }
  const std::string& editor = m_data.state.settings.editPath;
  const platform::StartResult started =
      edit ? starter.startProgram(editor, {file.string()}) : starter.openDocument(file);
  result.started = started == platform::StartResult::Ok;
  if (!result.started) result.message = files::cannotStart(edit ? editor : file.string());
  return result;
}

void FileService::chooseEditor(const std::string& program) {
  if (program.empty()) return;
  DiskIndexSettings& s = m_data.state.settings;
  s.editPath = program;
  if (std::find(s.editors.begin(), s.editors.end(), program) == s.editors.end()) {
    s.editors.push_back(program);
  }
}

}  // namespace diskindex
