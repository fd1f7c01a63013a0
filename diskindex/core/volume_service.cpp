// Opening, adding, changing, deleting and finding the volumes of a
// catalogue session.

#include "diskindex/core/volume_service.h"

#include <system_error>

#include "diskindex/core/data_folder.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/scan/folder_drive.h"
#include "diskindex/core/scan/image_reader.h"
#include "diskindex/core/scan/image_volume.h"
#include "diskindex/core/settings_file.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_root.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

// Where an add reads from once the source is resolved: the drive table and
// the letter (a folder gets the one recorded for it), or the image file.
struct ResolvedSource {
  platform::DriveTable drives;
  char letter = 0;
  int seriesCount = 0;
  std::filesystem::path image;
  std::optional<scan::FolderDrive> folder;  // a folder source
  ResultCode folderCode = ResultCode::Ok;   // of recording its letter
};

platform::DriveTable tableOf(const platform::IniFile& settings) {
  return platform::DriveTable::fromSystem(scan::driveOverrides(settings));
}

ResolvedSource resolveFolder(const std::filesystem::path& folder,
                             const std::filesystem::path& settingsFile) {
  RecordedFolder recorded = recordFolderDrive(folder, settingsFile);
  ResolvedSource resolved{recorded.drives ? *recorded.drives : tableOf(platform::IniFile(settingsFile)),
                          recorded.drives ? recorded.drive.letter : char{0},
                          0,
                          {},
                          recorded.drive,
                          recorded.code};
  return resolved;
}

ResolvedSource resolve(const AddSource& source, const std::filesystem::path& settingsFile,
                       char imageLetter) {
  if (const auto* drive = std::get_if<AddFromDrive>(&source)) {
    return ResolvedSource{drive->drives, drive->letter, drive->seriesCount, {},
                          std::nullopt,  ResultCode::Ok};
  }
  if (const auto* image = std::get_if<AddFromImage>(&source)) {
    return ResolvedSource{tableOf(platform::IniFile(settingsFile)),
                          imageLetter,
                          0,
                          image->image,
                          std::nullopt,
                          ResultCode::Ok};
  }
  return resolveFolder(std::get<AddFromFolder>(source).folder, settingsFile);
}

}  // namespace

RecordedFolder recordFolderDrive(const std::filesystem::path& folder,
                                 const std::filesystem::path& settingsFile) {
  RecordedFolder recorded;
  recorded.code = updateSettingsFile(settingsFile, [&](platform::IniFile& settings) {
    recorded.drive = scan::assignFolderDrive(settings, tableOf(settings), folder);
  });
  if (recorded.code != ResultCode::Ok) {
    recorded.drive.status = scan::FolderDriveStatus::NotRecorded;
  } else if (recorded.drive.status == scan::FolderDriveStatus::Assigned ||
             recorded.drive.status == scan::FolderDriveStatus::Existing) {
    recorded.drives = tableOf(platform::IniFile(settingsFile));
  } else if (recorded.drive.status == scan::FolderDriveStatus::LettersRanOut) {
    // The volume keeps the folder itself instead of a letter.
    recorded.drives = tableOf(platform::IniFile(settingsFile));
    recorded.drives->lendFolder(recorded.drive.folder);
    recorded.drive.letter = platform::DriveTable::kFolderKey;
  }
  if (recorded.drive.folder.empty()) recorded.drive.folder = folder;  // named as given
  return recorded;
}

OpenResult VolumeService::open(std::size_t volumeIndex, ProgressObserver* progress) {
  return session::openVolume(m_data, volumeIndex, progress);
}

void VolumeService::close() {
  session::closeVolume(m_data);
}

bool VolumeService::dataDirectoryWritable() const {
  return m_data.state.catalogue.dataDirectoryWritable();
}

bool VolumeService::dataDirectoryMissing() const {
  return folderState(m_data.state.catalogue.dataDirectory()) == FolderState::Missing;
}

std::optional<std::string> VolumeService::writeRefusal() const {
  if (dataDirectoryWritable()) return std::nullopt;
  if (dataDirectoryMissing()) {
    return messages::missingDataDirectoryRefusal(m_data.state.catalogue.dataDirectory().string());
  }
  return std::string(messages::kReadOnlyDataDir);
}

platform::DriveTable VolumeService::driveTable() const {
  return platform::DriveTable::fromSystem(
      scan::driveOverrides(platform::IniFile(m_data.env.settingsFile)));
}

AddSource VolumeService::sourceOf(const scan::DialogValues& values,
                                  const platform::DriveTable& drives, int seriesCount) {
  if (!values.imageFile.empty()) return AddFromImage{values.imageFile};
  if (!values.folder.empty()) return AddFromFolder{values.folder};
  return AddFromDrive{drives, values.driveLetter, seriesCount};
}

AddResult VolumeService::add(const AddRequest& request, scan::ScanObserver& observer) {
  CatalogueState& state = m_data.state;
  const ResolvedSource source =
      resolve(request.source, m_data.env.settingsFile, request.values.driveLetter);
  AddResult result;
  result.folder = source.folder;
  result.folderCode = source.folderCode;
  if (source.folder && source.letter == 0) {
    // No letter for the folder: a missing folder is not ready; the other
    // reasons (letters ran out, settings not writable) are the caller's to say.
    result.outcome.lastCode = ResultCode::DriveNotReady;
    result.outcome.lastRead.code = ResultCode::DriveNotReady;
    return result;
  }
  scan::DialogValues values = request.values;
  values.driveLetter = source.letter;
  values.imageFile = source.image;
  if (source.folder) values.folder = source.folder->folder;
  if (request.questions != nullptr) {
    const scan::DialogContext context{&state.catalogue.volumes(), &source.drives, std::nullopt};
    if (scan::checkDialog(values, context, *request.questions) != scan::DialogCheck::Accepted) {
      result.checkRefused = true;
      return result;
    }
  }
  VolumeHeader header = freshHeader();
  if (!source.image.empty()) {
    scan::fillHeader(header, values, scan::kArchiveDriveType);
    return finishAdd(header, scan::addImage(state.catalogue, source.image, header, observer),
                     std::move(result));
  }
  // The remembered drive is a letter; a folder kept instead is not one.
  if (!VolumeRoot(values.driveLetter).isFolder()) state.settings.drive = values.driveLetter;
  scan::fillHeader(header, values, scan::driveTypeCode(source.drives, values.driveLetter));
  const scan::WalkOptions options{values.nestedMounts};
  return finishAdd(header,
                   scan::addVolumes(state.catalogue, source.drives, header, source.seriesCount,
                                    observer, options),
                   std::move(result));
}

AddResult VolumeService::finishAdd(const VolumeHeader& header, scan::AddOutcome outcome,
                                   AddResult result) {
  result.outcome = std::move(outcome);
  if (result.outcome.added.empty()) return result;
  if (!header.category.empty()) m_data.state.categories.add(header.category);
  result.lastAdded = m_data.state.catalogue.volumes().findByDataFile(result.outcome.added.back());
  return result;
}

HeaderResult VolumeService::readHeader(std::size_t index) const {
  HeaderResult result;
  if (index >= m_data.state.catalogue.volumes().size()) {
    result.code = ResultCode::CannotOpen;
    return result;
  }
  result.code =
      diskindex::readHeader(m_data.state.catalogue.volumes()[index].dataFile, result.header);
  return result;
}

ChangeResult VolumeService::change(const ChangeRequest& request) {
  CatalogueState& state = m_data.state;
  ChangeResult result;
  result.index = request.index;
  scan::DialogValues values = request.values;
  platform::DriveTable drives = request.drives;
  if (!values.folder.empty()) {
    // The volume moves to the folder's letter (recorded like an added one's).
    const ResolvedSource source = resolveFolder(values.folder, m_data.env.settingsFile);
    result.folder = source.folder;
    result.folderCode = source.folderCode;
    if (source.letter == 0) {
      result.code = ResultCode::DriveNotReady;
      return result;
    }
    values.driveLetter = source.letter;
    values.folder = source.folder->folder;
    drives = source.drives;
  }
  result.code = scan::changeVolumeInformation(state.catalogue, drives, request.index,
                                              request.header, values, &result.index);
  if (result.code != ResultCode::Ok) return result;
  const std::string& category = state.catalogue.volumes()[result.index].category.value_or("");
  if (!category.empty()) state.categories.add(category);
  return result;
}

ResultCode VolumeService::remove(std::size_t index) {
  if (index >= m_data.state.catalogue.volumes().size()) return ResultCode::CannotWrite;
  return m_data.state.catalogue.deleteVolume(index);
}

std::vector<RecognisedVolume> VolumeService::recognise(const platform::DriveTable& drives) const {
  return recogniseVolumes(m_data.state.catalogue.volumes(), drives);
}

std::vector<std::size_t> VolumeService::onFileSystemOf(const std::filesystem::path& path,
                                                       const platform::DriveTable& drives) const {
  return volumesWithId(m_data.state.catalogue.volumes(), drives.fileSystemIdOf(path));
}

std::vector<std::size_t> VolumeService::withFreeSpace(std::int64_t bytes) const {
  const VolumeList& list = m_data.state.catalogue.volumes();
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (hasFreeSpace(list[i], bytes)) found.push_back(i);
  }
  return found;
}

OverviewOrder VolumeService::overviewOrder() const {
  return m_data.state.settings.sortFree == 1 ? OverviewOrder::FreeSpace : OverviewOrder::Name;
}

void VolumeService::setOverviewOrder(OverviewOrder order) {
  m_data.state.settings.sortFree = order == OverviewOrder::FreeSpace ? 1 : 0;
}

}  // namespace diskindex
