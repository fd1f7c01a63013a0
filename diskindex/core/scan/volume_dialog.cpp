#include "diskindex/core/scan/volume_dialog.h"

#include <cctype>
#include <system_error>
#include <vector>

#include "diskindex/core/messages.h"
#include "diskindex/core/scan/image_reader.h"
#include "diskindex/core/scan/volume_checks.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_list.h"
#include "diskindex/core/volume_root.h"
#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

// The volume's own kept folder, lost ("?") and not chosen anew: no drive
// answers for it, so there is no type to compare or take.
bool keepsLostFolder(const DialogValues& values) {
  return values.folder.empty() && VolumeRoot(values.driveLetter).isFolder();
}

char upperLetter(char letter) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

bool isNoCategory(const std::string& category) {
  return category.empty() || category == diskindex::messages::kNoCategory;
}

std::vector<std::string> otherNames(const VolumeList& volumes, std::optional<std::size_t> skip) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    if (i != skip) names.push_back(volumes[i].name);
  }
  return names;
}

// The encodings the volume's texts may be stored in: a changed volume keeps
// its own unless the new texts need UTF-8; a new one is UTF-8 when its texts
// need it and may still become so through its entry names otherwise.
std::vector<bool> possibleEncodings(const DialogValues& values, const VolumeList& volumes,
                                    std::optional<std::size_t> edited) {
  bool needsUtf8 = false;
  for (const std::string* text : {&values.name, &values.remark, &values.location, &values.category})
    needsUtf8 = needsUtf8 || !platform::fitsCp1252(*text);
  if (edited) {
    const VolumeRecord& record = volumes[*edited];
    return {needsUtf8 || record.utf8 || !platform::fitsCp1252(record.label)};
  }
  if (needsUtf8) return {true};
  return {false, true};
}

std::vector<std::string> storedLabels(const VolumeList& volumes) {
  std::vector<std::string> labels;
  for (const VolumeRecord& record : volumes.records()) labels.push_back(record.label);
  return labels;
}

}  // namespace

DialogValues valuesForAdding(const platform::DriveTable& drives, char driveLetter,
                             const std::string& categoryFilter) {
  DialogValues values;
  values.driveLetter = upperLetter(driveLetter);
  values.name = currentLabel(drives, values.driveLetter);
  values.category =
      (categoryFilter.empty() || categoryFilter == diskindex::messages::kAllCategories)
          ? std::string(diskindex::messages::kNoCategory)
          : categoryFilter;
  return values;
}

DialogValues valuesForChanging(const VolumeHeader& header) {
  DialogValues values;
  values.driveLetter = upperLetter(header.driveLetter);
  // A volume that keeps its folder is changed as if that folder were chosen.
  if (VolumeRoot(header.driveLetter).isFolder()) values.folder = header.folder;
  values.name = header.name;
  values.remark = header.remark;
  values.location = header.location;
  values.category =
      header.category.empty() ? std::string(diskindex::messages::kNoCategory) : header.category;
  return values;
}

DialogCheck checkDialog(const DialogValues& values, const DialogContext& context,
                        DialogQuestions& questions, int* count) {
  const VolumeList& volumes = *context.volumes;
  const bool changing = context.editedIndex.has_value();
  const bool folder = !values.folder.empty();
  if (changing && !keepsLostFolder(values)) {
    const VolumeRecord& edited = volumes[*context.editedIndex];
    const std::uint8_t originalType = rootOf(edited).isFolder()
                                          ? folderTypeCode(*context.drives, edited.folder)
                                          : driveTypeCode(*context.drives, edited.driveLetter);
    const std::uint8_t chosenType = folder ? folderTypeCode(*context.drives, values.folder)
                                           : driveTypeCode(*context.drives, values.driveLetter);
    if (chosenType != originalType &&
        !questions.confirmOtherDriveType()) {
      return DialogCheck::KeepOpenRestoreDrive;
    }
  }
  const bool image = !values.imageFile.empty();
  const int seriesSize =
      (!changing && !image && !folder && values.serial) ? seriesCount(values.countText) : 0;
  const std::vector<std::string> names = namesToCheck(values.name, seriesSize);
  const std::vector<std::string> others = otherNames(volumes, context.editedIndex);
  for (const bool utf8 : possibleEncodings(values, volumes, context.editedIndex)) {
    if (const auto conflict = findStoredNameConflict(names, others, utf8)) {
      questions.nameTaken(*conflict);
      return DialogCheck::KeepOpen;
    }
  }
  if (!changing && !folder) {
    const std::string label =
        image ? imageLabel(values.imageFile) : currentLabel(*context.drives, values.driveLetter);
    if (labelAlreadyCatalogued(label, storedLabels(volumes)) &&
        !questions.confirmSameLabel(label)) {
      return DialogCheck::KeepOpen;
    }
  }
  if (count != nullptr) *count = seriesSize;
  return DialogCheck::Accepted;
}

std::uint8_t folderTypeCode(const platform::DriveTable& drives,
                            const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::weakly_canonical(folder, error);
  const auto letter = drives.letterOf(error ? folder : real);
  return letter ? driveTypeCode(drives, *letter) : std::uint8_t{0};
}

void fillHeader(VolumeHeader& header, const DialogValues& values, std::uint8_t driveType) {
  header.driveLetter = upperLetter(values.driveLetter);
  header.folder = VolumeRoot(header.driveLetter).isFolder() ? values.folder.string() : std::string();
  header.driveType = driveType;
  header.name = values.name;
  header.remark = values.remark;
  header.location = values.location;
  header.category = isNoCategory(values.category) ? std::string() : values.category;
}

ResultCode changeVolumeInformation(Catalogue& catalogue, const platform::DriveTable& drives,
                                   std::size_t index, VolumeHeader header,
                                   const DialogValues& values, std::size_t* newIndex) {
  const char oldLetter = upperLetter(header.driveLetter);
  const std::uint8_t type =
      keepsLostFolder(values) ? header.driveType : driveTypeCode(drives, values.driveLetter);
  fillHeader(header, values, type);
  const ResultCode code = catalogue.changeVolumeInfo(index, header, newIndex);
  if (code != ResultCode::Ok) return code;
  if (values.changeAllDrives && header.driveLetter != oldLetter) {
    catalogue.changeDriveOfAll(oldLetter, header.driveLetter, type);
  }
  return code;
}

}  // namespace diskindex::scan
