#pragma once
// Drive letters on a system that has none. A DriveTable maps the letters A..Z
// to directories: C is "/", then the mount points of real file systems under
// /media, /run/media and /mnt, sorted, from D on; the [Drives] section of a
// program's settings ("E=/home/anna/Archiv") adds letters and overrides
// automatic ones, so any folder can be read as a drive. For each letter it
// answers what the old volume calls answered: type code, label, capacity and
// free space.
//
// The system is reached through MountSource so that tests can feed a fake
// mount table, label directory and sizes; it never writes anything.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system_id.h"

namespace platform {

// The old drive type codes, kept as their numbers because files store them.
enum class DriveType : int {
  Unknown = 0,
  NoRootDir = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

struct MountEntry {
  std::string device;      // "/dev/sr0", "server:/share", "tmpfs"
  std::string mountPoint;  // "/media/anna/DISC" (octal escapes of /proc/mounts decoded)
  std::string fsType;      // "iso9660", "ext4", "nfs4", ...
};

// Parses /proc/self/mounts text; malformed lines are skipped.
std::vector<MountEntry> parseMountTable(std::string_view text);
// True for proc, sysfs, cgroup, devpts and the other pseudo file systems.
bool isPseudoFileSystem(std::string_view fsType);
DriveType driveTypeFor(const MountEntry& mount, bool removableBlockDevice);

struct SpaceInfo {
  std::int64_t capacity = -1;   // bytes; -1 when unknown
  std::int64_t freeSpace = -1;  // bytes; -1 when unknown
};

// What the drive table asks of the running system.
class MountSource {
 public:
  virtual ~MountSource() = default;
  virtual std::vector<MountEntry> mounts() const = 0;
  // True when the block device (e.g. "/dev/sdb1") is removable (sysfs).
  virtual bool isRemovable(const std::string& device) const = 0;
  // File system label of the device (via /dev/disk/by-label), empty when none.
  virtual std::string labelOf(const std::string& device) const = 0;
  virtual SpaceInfo space(const std::filesystem::path& root) const = 0;
  // File system UUID of the device (via /dev/disk/by-uuid), empty when none.
  virtual std::string uuidOf(const std::string& device) const;
  // The statfs id of the file system holding root; unknown when it has none.
  virtual FileSystemId statfsIdOf(const std::filesystem::path& root) const;
  // Whether the drive's root directory is there (a [Drives] folder may have
  // been removed). Fakes that do not model this keep the default.
  virtual bool isDirectory(const std::filesystem::path& root) const;
};

// Where the real system keeps what the drive table reads; tests point these
// at a directory of their own.
struct SystemPaths {
  std::filesystem::path mountTable = "/proc/self/mounts";
  std::filesystem::path sysBlock = "/sys/class/block";
  std::filesystem::path byLabel = "/dev/disk/by-label";
  std::filesystem::path byUuid = "/dev/disk/by-uuid";
};

// The real system: /proc/self/mounts, /sys/class/block, /dev/disk/by-label, statvfs.
std::unique_ptr<MountSource> systemMountSource();
std::unique_ptr<MountSource> systemMountSource(SystemPaths paths);

struct DriveInfo {
  char letter = 'C';
  std::filesystem::path root;  // always ends with "/"
  DriveType type = DriveType::Fixed;
  std::string label;
  SpaceInfo space;
};

class DriveTable {
 public:
  // The key under which lendFolder makes a folder readable like a drive when
  // it has no letter of its own (D: to Z: all taken). It is not a letter:
  // letters() never lists it and a [Drives] entry cannot name it.
  static constexpr char kFolderKey = '#';

  // overrides: letter -> directory, from the settings' [Drives] section.
  DriveTable(std::shared_ptr<const MountSource> source,
             std::map<char, std::filesystem::path> overrides = {});
  static DriveTable fromSystem(std::map<char, std::filesystem::path> overrides = {});

  // Letters may be given in either case. A letter exists when it is mapped,
  // whether or not its directory can be read right now.
  bool exists(char letter) const;
  std::vector<char> letters() const;  // in order A..Z
  std::optional<std::filesystem::path> root(char letter) const;
  // Type, label and space are read when asked, as the old calls did. A
  // mapped letter whose directory is gone answers NoRootDir with no label
  // and unknown space.
  std::optional<DriveInfo> info(char letter) const;
  // The identity of the file system mounted at the letter's root: its UUID,
  // or the statfs id when the device has none. Unknown when the root is not
  // itself a mount point (a folder mapped as a drive is not a volume of its
  // own), when the letter does not exist or its directory is gone.
  FileSystemId volumeId(char letter) const;
  // True for a letter whose root is a folder (from the [Drives] section)
  // rather than the mount point of a file system of its own.
  bool isFolder(char letter) const;
  // The identity of the file system that holds path, mount point or not.
  FileSystemId fileSystemIdOf(const std::filesystem::path& path) const;
  // The letter whose root holds path (longest root wins), if any.
  std::optional<char> letterOf(const std::filesystem::path& path) const;
  // Maps kFolderKey to folder for this table only, so that a folder without
  // a letter is read, checked and copied from through the same calls as a
  // drive. Nothing is recorded anywhere.
  void lendFolder(const std::filesystem::path& folder);

 private:
  struct Entry {
    std::filesystem::path root;
    std::optional<MountEntry> mount;  // the mount that holds root
  };
  const Entry* find(char letter) const;  // letters in either case
  FileSystemId idOfMount(const MountEntry& mount) const;

  std::shared_ptr<const MountSource> m_source;
  std::map<char, Entry> m_entries;
};

}  // namespace platform
