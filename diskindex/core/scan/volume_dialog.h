#pragma once
// What the add/change dialog decides, without its widgets: the values it
// opens with, the checks made on "OK" (drive type, series count, unique
// name, known label) in their fixed order with the questions they ask, and
// the header filled from the confirmed values. Changing a volume's
// information (header rewritten in place, and on request the drive change
// on all volumes) lives here too. The dialog class only shows fields and
// message boxes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/walk.h"
#include "diskindex/core/volume_header.h"
#include "platform/drives.h"

namespace diskindex::scan {

struct DialogValues {
  char driveLetter = 'C';
  std::string name;
  std::string remark;
  std::string location;
  std::string category;  // "<keine Zuordnung>" or empty = none
  bool serial = false;   // adding only
  std::string countText = "1";
  bool changeAllDrives = false;  // changing only
  // Adding from a disc image or archive file instead of the drive (no
  // series then; the label check takes the image's label).
  std::filesystem::path imageFile;
  // Reading (adding) or moving the volume to (changing) a folder chosen with
  // "&Ordner ..." instead of a drive of the list: it gets a letter of its
  // own when the volume service records it. A folder has no label of its
  // own, so the label check is skipped.
  std::filesystem::path folder;
  // Adding: file systems mounted below the drive's root are read too.
  NestedMounts nestedMounts = NestedMounts::Skip;
};

// The questions the checks ask; the dialog answers them with message boxes.
class DialogQuestions {
 public:
  virtual ~DialogQuestions() = default;
  // The chosen drive's type differs from the volume's drive (Yes/No).
  virtual bool confirmOtherDriveType() = 0;
  // The name is taken by another volume (warning, OK).
  virtual void nameTaken(const std::string& name) = 0;
  // The drive's label is already in the catalogue (Yes/No).
  virtual bool confirmSameLabel(const std::string& label) = 0;
};

enum class DialogCheck {
  Accepted,
  KeepOpen,              // a check failed; the dialog stays
  KeepOpenRestoreDrive,  // as KeepOpen, with the volume's drive chosen again
};

struct DialogContext {
  const VolumeList* volumes = nullptr;
  const platform::DriveTable* drives = nullptr;
  // Changing: the volume being edited (excluded from the name check).
  std::optional<std::size_t> editedIndex;
};

// The values of a new volume: empty fields, the category filter unless it is
// "<ALLE>", the drive proposed and its label as the name.
DialogValues valuesForAdding(const platform::DriveTable& drives, char driveLetter,
                             const std::string& categoryFilter);
// The values of an existing volume's header.
DialogValues valuesForChanging(const VolumeHeader& header);

// The drive type code a folder read as a drive gets: the type of the drive
// that holds it (the longest root of the table that contains it).
std::uint8_t folderTypeCode(const platform::DriveTable& drives,
                            const std::filesystem::path& folder);

// Runs the checks in order. When accepted, count receives 0 for one volume
// or the series count.
DialogCheck checkDialog(const DialogValues& values, const DialogContext& context,
                        DialogQuestions& questions, int* count = nullptr);

// Fills the header from confirmed values: drive letter and its type code,
// name, remark, location and category (empty for "<keine Zuordnung>").
void fillHeader(VolumeHeader& header, const DialogValues& values, std::uint8_t driveType);

// Rewrites the header of the volume at index (header: as read from its data
// file) with the confirmed values and, when asked and the letter changed,
// moves every volume of the old letter to the new one. newIndex receives the
// volume's new place in the list.
ResultCode changeVolumeInformation(Catalogue& catalogue, const platform::DriveTable& drives,
                                   std::size_t index, VolumeHeader header,
                                   const DialogValues& values, std::size_t* newIndex = nullptr);

}  // namespace diskindex::scan
