#pragma once
// The volume check before a volume's files are touched: is the volume in
// the drive the catalogued one? A drive that cannot be read is refused with
// its message. When both the volume and the drive know the identity of their
// file system, equal identities pass whatever the labels say and different
// ones lead to the wrong-volume question. Otherwise a label that equals the
// stored one (letter case aside) passes, and anything else leads to the
// question; a volume catalogued without label (stored empty, or "[leer]" by
// older versions) passes in a drive that has none. "Ja" with "Volume-Label aktualisieren" takes label, capacity,
// free space and (when the drive knows it) the file system's identity anew
// from the drive into the volume's header (rewritten in place) and record.
//
// A volume that keeps a folder instead of a letter is checked in that folder.
//
// The question is the observer's; the check shows nothing itself.

#include <cstddef>
#include <string>
#include <vector>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/volume_root.h"
#include "platform/drives.h"

namespace diskindex::files {

// The texts of the wrong-volume dialog.
struct OtherVolumeQuestion {
  std::string volumeName;
  std::string storedLabel;
  std::string currentLabel;  // as the drive reports it, empty when none
  VolumeRoot root;           // the drive (upper case letter) or the kept folder
  // The labels agree but the file systems do not: the lines say so instead
  // of naming two equal labels as different.
  bool differentFileSystem = false;

  // The four lines of the question, with the names filled in.
  std::vector<std::string> lines() const;
};

struct OtherVolumeAnswer {
  bool proceed = false;      // "&Ja"
  bool updateLabel = false;  // "&Volume-Label aktualisieren" was checked
};

class VolumeCheckObserver {
 public:
  virtual ~VolumeCheckObserver() = default;
  // The drive cannot be read: show driveUnreadableMessage (error box,
  // caption kVolumeAccessCaption).
  virtual void driveUnreadable(const VolumeRoot& /*root*/) {}
  virtual OtherVolumeAnswer askOtherVolume(const OtherVolumeQuestion& /*question*/) { return {}; }
  // The label update was asked for but the header could not be rewritten.
  virtual void updateFailed(ResultCode /*code*/, const std::filesystem::path& /*dataFile*/) {}
};

// True when the volume at index may be used through its drive.
bool checkVolume(Catalogue& catalogue, std::size_t index, const platform::DriveTable& drives,
                 VolumeCheckObserver& observer);
// The same for the volume in another drive than its stored one (a rescan
// from a drive the user chose).
bool checkVolumeIn(Catalogue& catalogue, std::size_t index, const platform::DriveTable& drives,
                   char letter, VolumeCheckObserver& observer);

// "Auf das Laufwerk E: kann nicht\r\nzugegriffen werden!", for a kept folder
// "Auf den Ordner /home/anna/Fotos kann nicht\r\nzugegriffen werden!".
std::string driveUnreadableMessage(const VolumeRoot& root);

// The notes "&Hinweise >>" shows, line by line.
const std::vector<std::string>& otherVolumeNotes();

}  // namespace diskindex::files
