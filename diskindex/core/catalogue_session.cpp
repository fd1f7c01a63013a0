// Start-up, shutdown and the change of data folder of a catalogue session.

#include "diskindex/core/catalogue_session.h"

#include "diskindex/core/settings_file.h"
#include "platform/ini_file.h"
#include "platform/settings_location.h"

namespace diskindex {

CatalogueSession::CatalogueSession(SessionEnvironment environment)
    : m_data{std::move(environment), {}, {}} {}

ResultCode CatalogueSession::start(SessionObserver& observer) {
  const SettingsLoad loaded = loadSettingsFile(m_data.env.settingsFile, m_data.env.settings);
  if (loaded.code == ResultCode::BadFormat) observer.settingsDamaged(m_data.env.settingsFile);
  m_loadedSettings = loaded.settings;
  // A data path stored without its trailing slash is written back in the
  // form the program uses, as if it had been changed here.
  const platform::IniFile ini(m_data.env.settingsFile);
  if (ini.readString("Inits", "DATA_PATH") != loaded.settings.dataPath) {
    m_loadedSettings.dataPath.clear();
  }
  m_data.state.settings = loaded.settings;
  if (!m_data.env.dataDirectory.empty()) {
    m_data.state.settings.dataPath = withTrailingSlash(m_data.env.dataDirectory.string());
  }
  const ResultCode code = loadCatalogue(observer);
  m_data.state.categories = CategoryList(m_data.state.settings.categories);
  m_data.state.categories.addFromVolumes(m_data.state.catalogue.volumes());
  m_search.loadChoice();
  return code;
}

ResultCode CatalogueSession::loadCatalogue(SessionObserver& observer) {
  const std::filesystem::path dataDir(m_data.state.settings.dataPath);
  const ResultCode prepared =
      prepareDataDirectory(dataDir, defaultSettings(m_data.env.settings).dataPath);
  if (prepared == ResultCode::CannotCreate) observer.dataDirectoryFailed(prepared, dataDir);
  m_data.state.catalogue.setDataDirectory(dataDir);
  const ResultCode code = m_data.state.catalogue.loadVolumeList(&observer);
  if (!m_data.state.catalogue.oldFormatFiles().empty()) {
    if (ConversionObserver* conversion = observer.conversion()) {
      m_data.state.catalogue.convertOldFiles(*conversion, &observer);
    }
  }
  return code;
}

ResultCode CatalogueSession::changeDataDirectory(const std::filesystem::path& folder,
                                                 SessionObserver& observer) {
  session::closeVolume(m_data);
  m_data.search.chosen.clear();  // its positions belonged to the other folder's list
  m_data.state.settings.dataPath = withTrailingSlash(folder.string());
  const ResultCode code = loadCatalogue(observer);
  m_data.state.categories.addFromVolumes(m_data.state.catalogue.volumes());
  return code;
}

ResultCode CatalogueSession::shutdown() {
  DiskIndexSettings& s = m_data.state.settings;
  s.dataPath = withTrailingSlash(m_data.state.catalogue.dataDirectory().string());
  s.categories = m_data.state.categories.names();
  s.searchVolumes = m_data.search.chosen.positions(m_data.state.catalogue.volumes());
  platform::ensureDirectory(m_data.env.settingsFile.parent_path());
  return saveSettingsFile(m_data.env.settingsFile, m_loadedSettings, s).code;
}

}  // namespace diskindex
