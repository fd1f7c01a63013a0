// Start-up, shutdown and the change of data folder of a catalogue session.

#include "diskindex/core/catalogue_session.h"

#include <algorithm>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/data_folder.h"
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
  std::filesystem::path dataDir(m_data.state.settings.dataPath);
  const std::filesystem::path defaultDir = defaultSettings(m_data.env.settings).dataPath;
  for (ResultCode prepared = prepareDataDirectory(dataDir, defaultDir);
       prepared != ResultCode::Ok; prepared = prepareDataDirectory(dataDir, defaultDir)) {
    if (prepared == ResultCode::CannotCreate) {
      observer.dataDirectoryFailed(prepared, dataDir);
      break;
    }
    // A named folder that is missing: created, replaced or gone on without,
    // never taken as an empty catalogue unasked.
    const MissingFolderAnswer answer = observer.dataDirectoryMissing(dataDir);
    using Choice = MissingFolderAnswer::Choice;
    if (answer.choice == Choice::Create) {
      if (createFolder(dataDir)) continue;
      observer.dataDirectoryFailed(ResultCode::CannotCreate, dataDir);
      break;
    }
    if (answer.choice != Choice::ChooseOther || answer.other.empty()) break;
    m_data.state.settings.dataPath = withTrailingSlash(answer.other.string());
    dataDir = m_data.state.settings.dataPath;
  }
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

namespace {

bool sameVolume(const VolumeRecord& a, const VolumeRecord& b) {
  return a.dataFile == b.dataFile && a.name == b.name && a.category == b.category &&
         a.remark == b.remark && a.location == b.location && a.label == b.label &&
         a.driveLetter == b.driveLetter && a.driveType == b.driveType &&
         a.captureDate == b.captureDate && a.directoryCount == b.directoryCount &&
         a.fileCount == b.fileCount && a.capacity == b.capacity && a.freeSpace == b.freeSpace;
}

}  // namespace

ReloadResult CatalogueSession::reloadVolumeList(ListLoadObserver* observer) {
  ReloadResult result;
  const std::vector<VolumeRecord> before = m_data.state.catalogue.volumes().records();
  result.code = m_data.state.catalogue.loadVolumeList(observer);
  const VolumeList& now = m_data.state.catalogue.volumes();
  result.changed = !std::equal(before.begin(), before.end(), now.records().begin(),
                               now.records().end(), sameVolume);
  m_data.state.categories.addFromVolumes(now);
  if (m_data.state.opened && !m_data.state.opened->removed) {
    OpenedVolume& opened = *m_data.state.opened;
    if (const auto index = now.findByDataFile(opened.record.dataFile)) {
      opened.volumeIndex = *index;
    } else {
      opened.removed = true;
      opened.remarksReadOnly = true;
      opened.volumeIndex = now.size();
      result.openVolumeRemoved = true;
    }
  }
  result.remarksReloaded = reloadRemarksIfChanged();
  return result;
}

std::optional<ReloadResult> CatalogueSession::reloadIfChangedByOthers(ListLoadObserver* observer) {
  if (!changedByOthers()) return std::nullopt;
  return reloadVolumeList(observer);
}

bool CatalogueSession::changedByOthers() const {
  if (m_data.state.catalogue.changedSinceLoad()) return true;
  const std::optional<OpenedVolume>& opened = m_data.state.opened;
  return opened && !opened->removed &&
         FileStamp::ofPath(opened->record.commentFile()) != opened->remarksStamp;
}

bool CatalogueSession::reloadRemarksIfChanged() {
  if (!m_data.state.opened || m_data.state.opened->removed) return false;
  OpenedVolume& opened = *m_data.state.opened;
  const std::filesystem::path file = opened.record.commentFile();
  const FileStamp now = FileStamp::ofPath(file);
  if (now == opened.remarksStamp) return false;
  // Noticed once: typed remarks are merged with the file when saved.
  opened.remarksStamp = now;
  if (opened.remarks.modified() || opened.remarksReadOnly) return false;
  RemarksLoad remarks = loadRemarksForEdit(file);
  opened.remarks = std::move(remarks.remarks);
  opened.remarksBase = std::move(remarks.base);
  opened.remarksReadOnly = remarks.damaged;
  return true;
}

ResultCode CatalogueSession::shutdown() {
  DiskIndexSettings& s = m_data.state.settings;
  s.dataPath = withTrailingSlash(m_data.state.catalogue.dataDirectory().string());
  s.categories = m_data.state.categories.names();
  // The choice is written by file number; positions of an old file go.
  s.searchVolumeFiles = m_data.search.chosen.fileNumbers(m_data.state.catalogue.volumes());
  s.searchVolumes.clear();
  platform::ensureDirectory(m_data.env.settingsFile.parent_path());
  return saveSettingsFile(m_data.env.settingsFile, m_loadedSettings, s).code;
}

}  // namespace diskindex
