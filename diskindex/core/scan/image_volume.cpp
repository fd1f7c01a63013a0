#include "diskindex/core/scan/image_volume.h"

#include <sstream>

#include "diskindex/core/messages.h"
#include "diskindex/core/scan/description_pass.h"
#include "diskindex/core/scan/image_reader.h"
#include "diskindex/core/scan/scan_messages.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::scan {
namespace {

// The description files the image reader kept, found by their path.
class ImageSource : public DescriptionSource {
 public:
  explicit ImageSource(const std::map<std::string, std::string>& files) : m_files(files) {}
  std::unique_ptr<std::istream> open(const std::vector<std::string>& directory,
                                     const std::string& name) const override {
    std::string path;
    for (const std::string& part : directory) path += part + '/';
    path += name;
    const auto found = m_files.find(path);
    if (found == m_files.end()) return nullptr;
    return std::make_unique<std::istringstream>(found->second, std::ios::binary);
  }

 private:
  const std::map<std::string, std::string>& m_files;
};

}  // namespace

bool isImageFailure(ResultCode code) {
  switch (code) {
    case ResultCode::CannotOpen:
    case ResultCode::BadFormat:
    case ResultCode::CannotRead:
    case ResultCode::UnsafeName:
    case ResultCode::OutOfMemory:
      return true;
    default:
      return false;
  }
}

ErrorMessage imageErrorMessage(ResultCode code, const std::filesystem::path& image,
                               const std::string& member) {
  ErrorMessage message = errorMessage(code, OperationTitle::CreateData, image.string());
  const std::string text = messages::imageFailure(code, image.string(), member);
  if (!text.empty()) message.text = text;
  return message;
}

ReadDriveOutcome readImage(const std::filesystem::path& image, VolumeHeader& header,
                           const std::filesystem::path& dataFile, ScanObserver& observer) {
  ImageReadResult read = readImageFile(image, observer);
  if (read.code != ResultCode::Ok) {
    ReadDriveOutcome outcome;
    outcome.code = read.code;
    outcome.detail = std::move(read.member);
    return outcome;
  }
  const ImageContents& contents = read.contents;
  header.capacity = contents.imageSize;
  header.freeSpace = 0;
  header.label = contents.label;  // empty when the image has none
  header.driveType = contents.driveType;
  return writeVolume(contents.walk, ImageSource(contents.descriptionFiles), header, dataFile,
                     observer);
}

AddOutcome addImage(Catalogue& catalogue, const std::filesystem::path& image,
                    const VolumeHeader& header, ScanObserver& observer) {
  AddOutcome outcome;
  VolumeHeader volume = header;
  observer.volumeStarted(volume.name);
  ResultCode claimCode = ResultCode::Ok;
  const std::optional<std::filesystem::path> claimed =
      catalogue.volumes().claimNextDataFile(catalogue.dataDirectory(), &claimCode);
  if (!claimed) {
    outcome.lastRead.code = outcome.lastCode = claimCode;
    observer.volumeFailed(claimCode, catalogue.dataDirectory() /
                                         volumeFileName(catalogue.volumes().maxFileNumber() + 1));
    return outcome;
  }
  const std::filesystem::path& dataFile = *claimed;
  outcome.lastRead = readImage(image, volume, dataFile, observer);
  outcome.lastCode = outcome.lastRead.code;
  if (outcome.lastCode != ResultCode::Ok) {
    // An image that could not be read never wrote the file.
    releaseDataFile(dataFile);
    if (isImageFailure(outcome.lastCode)) {
      observer.imageFailed(imageErrorMessage(outcome.lastCode, image, outcome.lastRead.detail));
    } else {
      observer.volumeFailed(outcome.lastCode, dataFile);
    }
    return outcome;
  }
  const std::size_t index = catalogue.volumes().insert(VolumeRecord::fromHeader(volume, dataFile));
  outcome.added.push_back(dataFile);
  observer.volumeAdded(index);
  return outcome;
}

}  // namespace diskindex::scan
