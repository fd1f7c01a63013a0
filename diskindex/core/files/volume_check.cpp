#include "diskindex/core/files/volume_check.h"

#include <cctype>

#include "diskindex/core/messages.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_file.h"

namespace diskindex::files {
namespace {

char upper(char letter) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

// Labels are ASCII in practice; other bytes compare as they are. "[leer]",
// which older versions stored for a drive without label, is no label.
bool sameLabel(std::string_view a, std::string_view b) {
  if (a == diskindex::messages::kEmptyLabel) a = {};
  if (b == diskindex::messages::kEmptyLabel) b = {};
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool driveReadable(const platform::DriveTable& drives, char letter) {
  const auto info = drives.info(letter);
  return info && info->type != platform::DriveType::NoRootDir;
}

// Label, capacity and free space taken anew from the drive.
ResultCode updateVolume(Catalogue& catalogue, std::size_t index, const platform::DriveTable& drives,
                        char letter) {
  const VolumeRecord& record = catalogue.volumes()[index];
  VolumeHeader header;
  const ResultCode read = readHeader(record.dataFile, header);
  if (read != ResultCode::Ok) return read;
  const scan::VolumeInfo info = scan::readVolumeInfo(drives, letter);
  header.label = info.label;
  header.capacity = info.capacity;
  header.freeSpace = info.freeSpace;
  if (info.volumeId.known()) header.volumeId = info.volumeId;
  return catalogue.changeVolumeInfo(index, header);
}

// "im Laufwerk E:", or "im Ordner /home/anna/Fotos" for a kept folder.
std::string place(const VolumeRoot& root) {
  return (root.isFolder() ? "im Ordner " : "im Laufwerk ") + root.text();
}

}  // namespace

std::vector<std::string> OtherVolumeQuestion::lines() const {
  if (differentFileSystem) {
    return {
        "Der Datenträger " + place(root) + " (\"" + currentLabel +
            "\") trägt zwar das Volume-Label von \"" + volumeName + "\",",
        "aber nicht das bei der Erfassung gespeicherte Dateisystem.",
        "Es ist möglicherweise der falsche Datenträger eingelegt!",
        "Soll die gewünschte Aktion trotzdem fortgesetzt werden ?",
    };
  }
  return {
      "Das zum Datenträger \"" + volumeName + "\"",
      "gespeicherte Volume-Label (\"" + storedLabel + "\") ist ein anderes als das des " +
          "Datenträgers " + place(root) + " (\"" + currentLabel +
          "\").",
      "Es ist möglicherweise der falsche Datenträger eingelegt!",
      "Soll die gewünschte Aktion trotzdem fortgesetzt werden ?",
  };
}

const std::vector<std::string>& otherVolumeNotes() {
  static const std::vector<std::string> notes = {
      "Ursachen:",
      "1. Volume-Label wurde nach Erfassung geändert (bei Disketten usw.).",
      "2. Betreffender Datenträger wurde mit Version 1.0 erfaßt, hier wurde kein",
      "Volume-Label gespeichert --> Eintrag leer.",
      "3. Der Datenträger im betreffenden Laufwerk entspricht nicht dem, dessen",
      "Inhalt im Moment dargestellt wird.",
      "(In diesem Fall sollte mit \"NEIN\" abgebrochen werden!)",
  };
  return notes;
}

std::string driveUnreadableMessage(const VolumeRoot& root) {
  const std::string where = root.isFolder() ? "Auf den Ordner " + root.text()
                                            : "Auf das Laufwerk " + VolumeRoot(upper(root.letter())).text();
  return where + " kann nicht\r\nzugegriffen werden!";
}

bool checkVolume(Catalogue& catalogue, std::size_t index, const platform::DriveTable& drives,
                 VolumeCheckObserver& observer) {
  if (index >= catalogue.volumes().size()) return false;
  const VolumeRoot root = rootOf(catalogue.volumes()[index]);
  return checkVolumeIn(catalogue, index, root.lentTo(drives), root.letter(), observer);
}

bool checkVolumeIn(Catalogue& catalogue, std::size_t index, const platform::DriveTable& drives,
                   char driveLetter, VolumeCheckObserver& observer) {
  if (index >= catalogue.volumes().size()) return false;
  const VolumeRecord& record = catalogue.volumes()[index];
  const char letter = upper(driveLetter);
  const VolumeRoot root = VolumeRoot(letter).isFolder() ? rootOf(record) : VolumeRoot(letter);
  if (!driveReadable(drives, letter)) {
    observer.driveUnreadable(root);
    return false;
  }
  const std::string current = scan::currentLabel(drives, letter);
  // The file system's identity, where both sides know it, outranks the label:
  // a relabelled stick is still the same volume, and two discs that share a
  // label are not.
  const platform::FileSystemId currentId = drives.volumeId(letter);
  const bool idsKnown = record.volumeId.known() && currentId.known();
  if (idsKnown ? record.volumeId == currentId : sameLabel(current, record.label)) return true;
  OtherVolumeQuestion question{record.name, record.label, current, root};
  question.differentFileSystem = idsKnown && sameLabel(current, record.label);
  const OtherVolumeAnswer answer = observer.askOtherVolume(question);
  if (!answer.proceed) return false;
  if (!answer.updateLabel) return true;
  const std::filesystem::path dataFile = record.dataFile;
  const ResultCode code = updateVolume(catalogue, index, drives, letter);
  if (code != ResultCode::Ok) {
    observer.updateFailed(code, dataFile);
    return false;
  }
  return true;
}

}  // namespace diskindex::files
