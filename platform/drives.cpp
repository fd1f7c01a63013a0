#include "platform/drives.h"

#include <sys/statfs.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr char kFirstAutomatic = 'D';
constexpr std::array<std::string_view, 3> kMediaRoots = {"/media", "/run/media", "/mnt"};

constexpr std::array<std::string_view, 28> kPseudoFileSystems = {
    "proc",       "sysfs",   "cgroup",    "cgroup2",         "devpts",      "devtmpfs",
    "securityfs", "debugfs", "tracefs",   "pstore",          "bpf",         "configfs",
    "fusectl",    "mqueue",  "hugetlbfs", "autofs",          "binfmt_misc", "efivarfs",
    "rpc_pipefs", "nsfs",    "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal", "none",
    "nfsd",       "rootfs",  "usbfs",     "cpuset",
};

constexpr std::array<std::string_view, 20> kNetworkFileSystems = {
    "nfs",   "nfs4", "cifs",        "smb3",      "smbfs",          "sshfs",  "fuse.sshfs",
    "9p",    "afs",  "ceph",        "glusterfs", "fuse.glusterfs", "davfs",  "fuse.davfs2",
    "ncpfs", "coda", "fuse.rclone", "fuse.s3fs", "fuse.curlftpfs", "lustre",
};

// /proc/mounts writes space, tab, line feed and backslash as \040, \011,
// \012 and \134.
std::string decodeOctalEscapes(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && s.size() - i >= 4) {
      const auto octal = [&](std::size_t k) { return s[k] >= '0' && s[k] <= '7'; };
      if (octal(i + 1) && octal(i + 2) && octal(i + 3)) {
        const int value = (s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0');
        if (value < 256) {
          out += static_cast<char>(value);
          i += 3;
          continue;
        }
      }
    }
    out += s[i];
  }
  return out;
}

// udev names label links with "\x20" style escapes for unsafe bytes.
std::string decodeHexEscapes(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  const auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && s.size() - i >= 4 && s[i + 1] == 'x' && hex(s[i + 2]) >= 0 &&
        hex(s[i + 3]) >= 0) {
      out += static_cast<char>(hex(s[i + 2]) * 16 + hex(s[i + 3]));
      i += 3;
      continue;
    }
    out += s[i];
  }
  return out;
}

std::string withTrailingSlash(std::string s) {
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

// True when path lies in or is the directory root (both end with "/").
bool holds(const std::string& root, const std::string& path) {
  return path.compare(0, root.size(), root) == 0;
}

bool underMediaRoot(const std::string& mountPoint) {
  const std::string mp = withTrailingSlash(mountPoint);
  return std::any_of(kMediaRoots.begin(), kMediaRoots.end(), [&](std::string_view r) {
    return holds(withTrailingSlash(std::string(r)), mp);
  });
}

std::string readSmallFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text;
  std::getline(in, text);
  return text;
}

// Some network and FUSE file systems report absurd block counts; a size
// beyond what 64 bits hold is held at the largest value.
std::int64_t bytesOf(std::uint64_t blocks, std::uint64_t blockSize) {
  std::int64_t bytes = 0;
  if (__builtin_mul_overflow(blocks, blockSize, &bytes)) return INT64_MAX;
  return bytes;
}

// The name of the link in folder (by-label, by-uuid) that points at device,
// its \x escapes decoded; empty when none does.
std::string linkNameFor(const fs::path& folder, const std::string& device) {
  std::error_code ec;
  const fs::path real = fs::canonical(device, ec);
  if (ec) return {};
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code linkError;
    if (fs::canonical(it->path(), linkError) == real && !linkError) {
      return decodeHexEscapes(it->path().filename().string());
    }
  }
  return {};
}

class SystemMountSource : public MountSource {
 public:
  explicit SystemMountSource(SystemPaths paths) : m_paths(std::move(paths)) {}

  std::vector<MountEntry> mounts() const override {
    std::ifstream in(m_paths.mountTable, std::ios::binary);
    std::ostringstream text;
    if (in.is_open()) text << in.rdbuf();  // a read error ends the text, never throws
    return parseMountTable(text.str());
  }

  bool isRemovable(const std::string& device) const override {
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    if (ec) return false;
    fs::path block = fs::canonical(m_paths.sysBlock / real.filename(), ec);
    if (ec) return false;
    // A partition's sysfs directory sits inside its disk's directory.
    if (fs::exists(block / "partition", ec)) block = block.parent_path();
    return readSmallFile(block / "removable") == "1";
  }

  std::string labelOf(const std::string& device) const override {
    return linkNameFor(m_paths.byLabel, device);
  }

  std::string uuidOf(const std::string& device) const override {
    return linkNameFor(m_paths.byUuid, device);
  }

  FileSystemId statfsIdOf(const fs::path& root) const override {
    struct statfs st {};
    if (statfs(root.c_str(), &st) != 0) return {};
    int words[2];
    static_assert(sizeof words == sizeof st.f_fsid);
    std::memcpy(words, &st.f_fsid, sizeof words);
    return FileSystemId::fromStatfs(static_cast<std::uint32_t>(words[0]),
                                    static_cast<std::uint32_t>(words[1]));
  }

  bool isDirectory(const fs::path& root) const override {
    std::error_code ec;
    return fs::is_directory(root, ec);
  }

  SpaceInfo space(const fs::path& root) const override {
    struct statvfs st {};
    if (statvfs(root.c_str(), &st) != 0) return {};
    SpaceInfo info;
    info.capacity = bytesOf(st.f_blocks, st.f_frsize);
    info.freeSpace = bytesOf(st.f_bavail, st.f_frsize);
    return info;
  }

 private:
  SystemPaths m_paths;
};

}  // namespace

std::vector<MountEntry> parseMountTable(std::string_view text) {
  std::vector<MountEntry> result;
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string device;
    std::string mountPoint;
    std::string fsType;
    if (!(fields >> device >> mountPoint >> fsType)) continue;
    if (mountPoint.empty() || mountPoint.front() != '/') continue;
    result.push_back({decodeOctalEscapes(device), decodeOctalEscapes(mountPoint), fsType});
  }
  return result;
}

bool isPseudoFileSystem(std::string_view fsType) {
  return std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), fsType) !=
         kPseudoFileSystems.end();
}

DriveType driveTypeFor(const MountEntry& mount, bool removableBlockDevice) {
  const std::string_view type = mount.fsType;
  if (type == "iso9660" || type == "udf" || mount.device.rfind("/dev/sr", 0) == 0) {
    return DriveType::CdRom;
  }
  if (std::find(kNetworkFileSystems.begin(), kNetworkFileSystems.end(), type) !=
      kNetworkFileSystems.end()) {
    return DriveType::Remote;
  }
  if (type == "tmpfs" || type == "ramfs") return DriveType::RamDisk;
  if (removableBlockDevice) return DriveType::Removable;
  return DriveType::Fixed;
}

bool MountSource::isDirectory(const std::filesystem::path&) const {
  return true;
}

std::string MountSource::uuidOf(const std::string&) const {
  return {};
}

FileSystemId MountSource::statfsIdOf(const std::filesystem::path&) const {
  return {};
}

std::unique_ptr<MountSource> systemMountSource() {
  return systemMountSource(SystemPaths{});
}

std::unique_ptr<MountSource> systemMountSource(SystemPaths paths) {
  return std::make_unique<SystemMountSource>(std::move(paths));
}

namespace {

// The mount whose mount point holds root; the longest wins, and of equal
// ones the last, because a later mount hides an earlier one.
std::optional<MountEntry> mountHolding(const std::string& root,
                                       const std::vector<MountEntry>& mounts) {
  const MountEntry* best = nullptr;
  std::size_t bestLength = 0;
  for (const MountEntry& m : mounts) {
    const std::string mp = withTrailingSlash(m.mountPoint);
    if (holds(mp, root) && (best == nullptr || mp.size() >= bestLength)) {
      best = &m;
      bestLength = mp.size();
    }
  }
  if (best == nullptr) return std::nullopt;
  return *best;
}

std::string normalRoot(const fs::path& path) {
  return withTrailingSlash(path.lexically_normal().string());
}

}  // namespace

DriveTable::DriveTable(std::shared_ptr<const MountSource> source,
                       std::map<char, std::filesystem::path> overrides)
    : m_source(std::move(source)) {
  const std::vector<MountEntry> mounts = m_source ? m_source->mounts() : std::vector<MountEntry>{};
  m_entries['C'] = Entry{"/", mountHolding("/", mounts)};

  // Real file systems under the media roots, one letter per mount point (a
  // later mount on the same point hides the earlier one).
  std::map<std::string, MountEntry> media;
  for (const MountEntry& m : mounts) {
    if (!isPseudoFileSystem(m.fsType) && underMediaRoot(m.mountPoint)) {
      media[normalRoot(m.mountPoint)] = m;
    }
  }
  char letter = kFirstAutomatic;
  for (const auto& [root, mount] : media) {
    if (letter > 'Z') break;
    m_entries[letter++] = Entry{root, mount};
  }

  for (const auto& [rawLetter, path] : overrides) {
    const char upper =
        static_cast<char>(rawLetter >= 'a' && rawLetter <= 'z' ? rawLetter - 32 : rawLetter);
    if (upper < 'A' || upper > 'Z' || path.empty()) continue;
    const std::string root = normalRoot(path);
    m_entries[upper] = Entry{root, mountHolding(root, mounts)};
  }
}

DriveTable DriveTable::fromSystem(std::map<char, std::filesystem::path> overrides) {
  return DriveTable(std::shared_ptr<const MountSource>(systemMountSource()), std::move(overrides));
}

const DriveTable::Entry* DriveTable::find(char letter) const {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 32);
  const auto it = m_entries.find(letter);
  return it == m_entries.end() ? nullptr : &it->second;
}

bool DriveTable::exists(char letter) const {
  return find(letter) != nullptr;
}

std::vector<char> DriveTable::letters() const {
  std::vector<char> result;
  for (const auto& [letter, entry] : m_entries) {
    if (letter != kFolderKey) result.push_back(letter);
  }
  return result;
}

void DriveTable::lendFolder(const std::filesystem::path& folder) {
  const std::vector<MountEntry> mounts = m_source ? m_source->mounts() : std::vector<MountEntry>{};
  const std::string root = normalRoot(folder);
  m_entries[kFolderKey] = Entry{root, mountHolding(root, mounts)};
}

std::optional<std::filesystem::path> DriveTable::root(char letter) const {
  const Entry* entry = find(letter);
  if (entry == nullptr) return std::nullopt;
  return entry->root;
}

std::optional<DriveInfo> DriveTable::info(char letter) const {
  const Entry* entry = find(letter);
  if (entry == nullptr) return std::nullopt;
  DriveInfo info;
  info.letter = static_cast<char>(letter >= 'a' && letter <= 'z' ? letter - 32 : letter);
  info.root = entry->root;
  if (m_source && !m_source->isDirectory(entry->root)) {
    info.type = DriveType::NoRootDir;
    return info;
  }
  if (entry->mount) {
    const std::string& device = entry->mount->device;
    const bool blockDevice = device.rfind("/dev/", 0) == 0;
    const bool removable = blockDevice && m_source && m_source->isRemovable(device);
    info.type = driveTypeFor(*entry->mount, removable);
    if (blockDevice && m_source) info.label = m_source->labelOf(device);
  }
  if (m_source) info.space = m_source->space(entry->root);
  return info;
}

FileSystemId DriveTable::idOfMount(const MountEntry& mount) const {
  if (!m_source) return {};
  if (mount.device.rfind("/dev/", 0) == 0) {
    const FileSystemId id = FileSystemId::fromUuidText(m_source->uuidOf(mount.device));
    if (id.known()) return id;
  }
  return m_source->statfsIdOf(mount.mountPoint);
}

FileSystemId DriveTable::volumeId(char letter) const {
  const Entry* entry = find(letter);
  if (entry == nullptr || !entry->mount || !m_source || !m_source->isDirectory(entry->root)) {
    return {};
  }
  if (normalRoot(entry->mount->mountPoint) != entry->root.string()) return {};
  return idOfMount(*entry->mount);
}

bool DriveTable::isFolder(char letter) const {
  const Entry* entry = find(letter);
  if (entry == nullptr) return false;
  return !entry->mount || normalRoot(entry->mount->mountPoint) != entry->root.string();
}

FileSystemId DriveTable::fileSystemIdOf(const std::filesystem::path& path) const {
  if (!m_source) return {};
  std::error_code ec;
  fs::path real = fs::weakly_canonical(path, ec);
  if (ec) real = path;
  const auto mount = mountHolding(normalRoot(real), m_source->mounts());
  return mount ? idOfMount(*mount) : FileSystemId{};
}

std::optional<char> DriveTable::letterOf(const std::filesystem::path& path) const {
  const std::string target = normalRoot(path);
  std::optional<char> best;
  std::size_t bestLength = 0;
  for (const auto& [letter, entry] : m_entries) {
    if (letter == kFolderKey) continue;
    const std::string root = entry.root.string();
    if (holds(root, target) && (!best || root.size() > bestLength)) {
      best = letter;
      bestLength = root.size();
    }
  }
  return best;
}

}  // namespace platform
