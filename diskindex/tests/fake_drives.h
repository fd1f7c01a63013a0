#pragma once
// Test helper: a drive table whose letters are temporary directories, each
// mounted (for the table) from its own device with a chosen file system,
// label and size, and where asked for with a UUID.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/drives.h"

namespace diskindex::scan::testing {

struct FakeDrive {
  std::filesystem::path root;
  std::string fsType = "vfat";
  std::string label;
  platform::SpaceInfo space{1474560, 1024};
};

class FakeMountSource : public platform::MountSource {
 public:
  explicit FakeMountSource(std::map<char, FakeDrive> drives, std::map<char, std::string> uuids = {})
      : m_drives(std::move(drives)), m_uuids(std::move(uuids)) {}
  std::vector<platform::MountEntry> mounts() const override {
    std::vector<platform::MountEntry> list;
    for (const auto& [letter, drive] : m_drives) {
      list.push_back({device(letter), drive.root.string(), drive.fsType});
    }
    return list;
  }
  bool isRemovable(const std::string&) const override { return true; }
  std::string labelOf(const std::string& dev) const override {
    for (const auto& [letter, drive] : m_drives) {
      if (device(letter) == dev) return drive.label;
    }
    return {};
  }
  std::string uuidOf(const std::string& dev) const override {
    for (const auto& [letter, uuid] : m_uuids) {
      if (device(letter) == dev) return uuid;
    }
    return {};
  }
  platform::SpaceInfo space(const std::filesystem::path& root) const override {
    for (const auto& [letter, drive] : m_drives) {
      if (std::filesystem::path(drive.root.string() + "/").lexically_normal() ==
          root.lexically_normal()) {
        return drive.space;
      }
    }
    return {};
  }

 private:
  static std::string device(char letter) { return std::string("/dev/fake") + letter; }
  std::map<char, FakeDrive> m_drives;
  std::map<char, std::string> m_uuids;  // as /dev/disk/by-uuid names them
};

inline platform::DriveTable fakeDriveTable(const std::map<char, FakeDrive>& drives,
                                           const std::map<char, std::string>& uuids = {}) {
  std::map<char, std::filesystem::path> overrides;
  for (const auto& [letter, drive] : drives) overrides[letter] = drive.root;
  return platform::DriveTable(std::make_shared<FakeMountSource>(drives, uuids), overrides);
}

}  // namespace diskindex::scan::testing
