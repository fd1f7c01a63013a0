// Start-up, shutdown, the data folder and the open volume of a catalogue
// session. Adding, changing and deleting volumes are in session_volumes.cpp.

#include "diskindex/core/catalogue_session.h"

#include "diskindex/core/comment_file.h"
#include "diskindex/core/volume_file.h"
#include "platform/ini_file.h"
#include "platform/settings_location.h"

namespace diskindex {

CatalogueSession::CatalogueSession(SessionEnvironment environment)
    : m_env(std::move(environment)) {}

ResultCode CatalogueSession::start(SessionObserver& observer) {
  const platform::IniFile ini(m_env.settingsFile);
  m_state.settings = readSettings(ini, m_env.settings);
  if (!m_env.dataDirectory.empty()) {
    m_state.settings.dataPath = withTrailingSlash(m_env.dataDirectory.string());
  }
  const ResultCode code = loadCatalogue(observer);
  m_state.categories = CategoryList(m_state.settings.categories);
  m_state.categories.addFromVolumes(m_state.catalogue.volumes());
  loadSearchChoice();
  return code;
}

ResultCode CatalogueSession::loadCatalogue(SessionObserver& observer) {
  const std::filesystem::path dataDir(m_state.settings.dataPath);
  const ResultCode prepared =
      prepareDataDirectory(dataDir, defaultSettings(m_env.settings).dataPath);
  if (prepared == ResultCode::CannotCreate) observer.dataDirectoryFailed(prepared, dataDir);
  m_state.catalogue.setDataDirectory(dataDir);
  const ResultCode code = m_state.catalogue.loadVolumeList(&observer);
  if (!m_state.catalogue.oldFormatFiles().empty()) {
    if (ConversionObserver* conversion = observer.conversion()) {
      m_state.catalogue.convertOldFiles(*conversion, &observer);
    }
  }
  return code;
}

ResultCode CatalogueSession::changeDataDirectory(const std::filesystem::path& folder,
                                                 SessionObserver& observer) {
  closeVolume();
  m_search.chosen.clear();  // its positions belonged to the other folder's list
  m_state.settings.dataPath = withTrailingSlash(folder.string());
  const ResultCode code = loadCatalogue(observer);
  m_state.categories.addFromVolumes(m_state.catalogue.volumes());
  return code;
}

ResultCode CatalogueSession::shutdown() {
  DiskIndexSettings& s = m_state.settings;
  s.dataPath = withTrailingSlash(m_state.catalogue.dataDirectory().string());
  s.categories = m_state.categories.names();
  s.searchVolumes = m_search.chosen.positions(m_state.catalogue.volumes());
  platform::IniFile ini(m_env.settingsFile);
  writeSettings(ini, s);
  platform::ensureDirectory(m_env.settingsFile.parent_path());
  return ini.flush() ? ResultCode::Ok : ResultCode::CannotWrite;
}

OpenResult CatalogueSession::openVolume(std::size_t volumeIndex, ProgressObserver* progress) {
  OpenResult result;
  if (volumeIndex >= m_state.catalogue.volumes().size()) {
    result.contents = ResultCode::CannotOpen;
    return result;
  }
  closeVolume();
  OpenedVolume opened;
  opened.volumeIndex = volumeIndex;
  opened.record = m_state.catalogue.volumes()[volumeIndex];
  result.contents = loadVolumeContents(opened.record.dataFile, opened.directories, progress);
  if (result.contents != ResultCode::Ok) return result;
  result.remarks = loadRemarks(opened.record.commentFile(), opened.remarks);
  m_state.opened = std::move(opened);
  return result;
}

void CatalogueSession::setRemark(TDirFileNo key, const std::string& text) {
  if (m_state.opened) m_state.opened->remarks.set(key, text);
}

ResultCode CatalogueSession::saveRemarks() {
  if (!m_state.opened || !m_state.opened->remarks.modified()) return ResultCode::Ok;
  return diskindex::saveRemarks(remarksFile(), m_state.opened->remarks);
}

ResultCode CatalogueSession::saveRemarksTo(const std::filesystem::path& file) {
  if (!m_state.opened) return ResultCode::Ok;
  return diskindex::saveRemarks(file, m_state.opened->remarks);
}

std::filesystem::path CatalogueSession::remarksFile() const {
  return m_state.opened ? m_state.opened->record.commentFile() : std::filesystem::path();
}

void CatalogueSession::closeVolume() {
  m_search.single.reset();
  m_state.opened.reset();
}

}  // namespace diskindex
