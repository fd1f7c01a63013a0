// The directory walk: one open directory handle per level, entries read with
// readdir and fstatat relative to that handle, sorted per directory, appended
// in the volume data file's order.

#include "diskindex/core/scan/walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/codepage.h"
#include "platform/dates.h"

namespace diskindex::scan {
namespace {

bool isDosNameChar(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return std::strchr("!#$%&'()-@^_`{}~", c) != nullptr && c != 0;
}

// One entry of a directory while it is being listed.
struct Pending {
  WalkEntry entry;
  std::string key;     // upper-cased name, the sort key
  bool enter = false;  // a directory whose contents are walked
  dev_t device = 0;    // of a directory: its identity, to spot one that is
  ino_t inode = 0;     // its own ancestor
};

struct DirectoryId {
  dev_t device;
  ino_t inode;
  bool operator==(const DirectoryId&) const = default;
};

bool byKey(const Pending& a, const Pending& b) {
  return walkOrderBefore(a.key, a.entry.fileSystemName(), b.key, b.entry.fileSystemName());
}

bool isAscii(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

class Walker {
 public:
  Walker(WalkResult& result, ScanObserver& observer, const WalkOptions& options)
      : m_result(result), m_observer(observer), m_options(options) {}

  bool walk(int fd, const struct stat& root) {
    m_device = root.st_dev;
    m_ancestors.push_back({root.st_dev, root.st_ino});
    return walkDirectory(fd, 1, "", kNoEntry);
  }

 private:
  // Lists the directory behind fd (taking ownership of it) at the given level
  // of its entries; path is its own path from the root ("" for the root) and
  // entry the index of its own entry (none for the root). False when
  // cancelled.
  bool walkDirectory(int fd, int level, const std::string& path, std::size_t entry);
  // Counts and names a directory whose contents cannot be read and marks
  // its entry (the root has none).
  void passOverUnreadable(const std::string& path, std::size_t entry);
  bool describe(int dirFd, const char* name, Pending& out);
  // Whether a directory found in the listing is walked into.
  bool enters(const struct stat& st);
  void enterChild(int dirFd, Pending& child, int level, const std::string& childPath, bool& goOn);
  std::uint32_t dosTime(time_t t);

  WalkResult& m_result;
  ScanObserver& m_observer;
  const WalkOptions& m_options;
  std::vector<DirectoryId> m_ancestors;  // the directories being walked, root first
  dev_t m_device = 0;
  time_t m_lastTime = -1;
  std::uint32_t m_lastDos = 0;
};

std::uint32_t Walker::dosTime(time_t t) {
  // Files of one directory tend to share times; the local-time conversion is
  // the walk's costliest call after fstatat.
  if (t != m_lastTime) {
    const platform::DosDateTime dos = platform::dosFromUnixTime(t);
    m_lastTime = t;
    m_lastDos = (std::uint32_t{dos.date} << 16) | dos.time;
  }
  return m_lastDos;
}

bool Walker::enters(const struct stat& st) {
  if (st.st_dev != m_device && m_options.nestedMounts == NestedMounts::Skip) return false;
  const DirectoryId id{st.st_dev, st.st_ino};
  return std::find(m_ancestors.begin(), m_ancestors.end(), id) == m_ancestors.end();
}

// Fills out for one directory entry; false when the entry is not catalogued.
bool Walker::describe(int dirFd, const char* name, Pending& out) {
  struct stat st;
  if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  const bool hidden = name[0] == '.';
  if (S_ISLNK(st.st_mode)) {
    if (fstatat(dirFd, name, &st, 0) != 0) {
      ++m_result.summary.brokenLinks;
      return false;
    }
    if (S_ISDIR(st.st_mode)) {
      if (hidden) return false;
      ++m_result.summary.directoryLinks;
    }
  } else if (S_ISDIR(st.st_mode)) {
    if (hidden) return false;
    out.enter = enters(st);
    // A nested mount point that is not read is left out as before; one met
    // again through a bind mount is listed without its contents.
    if (!out.enter && st.st_dev != m_device) {
      ++m_result.summary.mountPoints;
      return false;
    }
    out.device = st.st_dev;
    out.inode = st.st_ino;
  }
  WalkEntry& e = out.entry;
  const std::string_view native(name);
  if (platform::isValidUtf8(native)) {
    e.name.assign(native);
  } else {
    e.name = platform::cp1252ToUtf8(native);
    e.nativeName.assign(native);
  }
  std::uint8_t attributes = 0;
  if (S_ISDIR(st.st_mode)) {
    attributes |= kAttrDirectory;
  } else {
    e.size = static_cast<std::uint64_t>(st.st_size);
    if (S_ISREG(st.st_mode)) attributes |= kAttrArchive;
  }
  if ((st.st_mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
  if (hidden) attributes |= kAttrHidden;
  if (!isShortUpperName(native)) attributes |= kAttrLongName;
  e.attributes = attributes;
  e.dosDateTime = dosTime(st.st_mtime);
  out.key = walkSortKey(e.name);
  return true;
}

void Walker::passOverUnreadable(const std::string& path, std::size_t entry) {
  m_result.summary.unreadableDirectories.push_back(path);
  if (entry != kNoEntry) m_result.entries[entry].attributes |= kAttrUnreadable;
}

bool Walker::walkDirectory(int fd, int level, const std::string& path, std::size_t entry) {
  DIR* opened = fdopendir(fd);
  if (opened == nullptr) {
    close(fd);
    passOverUnreadable(path, entry);
    return true;
  }
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opened, closedir);
  const int dirFd = ::dirfd(dir.get());
  std::vector<Pending> files;
  std::vector<Pending> dirs;
  while (const dirent* d = readdir(dir.get())) {
    const char* name = d->d_name;
    if (name[0] == '.' && (d->d_type == DT_DIR || name[1] == 0 || (name[1] == '.' && name[2] == 0)))
      continue;  // ".", ".." and hidden directories, without a stat call
    Pending p;
    if (!describe(dirFd, name, p)) continue;
    p.entry.level = level;
    (p.entry.isDirectory() ? dirs : files).push_back(std::move(p));
  }
  std::sort(files.begin(), files.end(), byKey);
  std::sort(dirs.begin(), dirs.end(), byKey);
  for (Pending& f : files) m_result.entries.push_back(std::move(f.entry));
  m_result.fileCount += static_cast<int>(files.size());
  bool goOn = !m_observer.cancelRequested();
  for (std::size_t i = 0; goOn && i < dirs.size(); ++i) {
    m_observer.directoryFound(++m_result.directoryCount);
    const std::string childPath =
        path.empty() ? dirs[i].entry.name : path + "\\" + dirs[i].entry.name;
    if (dirs[i].enter && level < kMaxLevel) {
      enterChild(dirFd, dirs[i], level, childPath, goOn);
    } else {
      m_result.entries.push_back(std::move(dirs[i].entry));
    }
  }
  return goOn;
}

void Walker::enterChild(int dirFd, Pending& child, int level, const std::string& childPath,
                        bool& goOn) {
  const std::string childName = child.entry.fileSystemName();
  const std::size_t entry = m_result.entries.size();
  m_result.entries.push_back(std::move(child.entry));
  const int fd = openat(dirFd, childName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    passOverUnreadable(childPath, entry);
    return;
  }
  m_ancestors.push_back({child.device, child.inode});
  goOn = walkDirectory(fd, level + 1, childPath, entry);
  m_ancestors.pop_back();
}

}  // namespace

std::string walkSortKey(const std::string& utf8) {
  if (!isAscii(utf8)) return platform::toUpperUtf8(utf8);
  std::string key = utf8;
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

bool walkOrderBefore(const std::string& keyA, const std::string& nativeA, const std::string& keyB,
                     const std::string& nativeB) {
  if (keyA != keyB) return keyA < keyB;
  return nativeA < nativeB;
}

bool isShortUpperName(std::string_view name) {
  const std::size_t dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  if (base.empty() || base.size() > 8) return false;
  if (!std::all_of(base.begin(), base.end(), [](char c) { return isDosNameChar(c); })) return false;
  if (dot == std::string_view::npos) return true;
  const std::string_view ext = name.substr(dot + 1);
  if (ext.empty() || ext.size() > 3) return false;
  return std::all_of(ext.begin(), ext.end(), [](char c) { return isDosNameChar(c); });
}

WalkStatus walkTree(const std::filesystem::path& root, WalkResult& result, ScanObserver& observer,
                    const WalkOptions& options) {
  result = WalkResult{};
  const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return WalkStatus::Completed;
  struct stat st;
  if (fstat(fd, &st) != 0) {
    close(fd);
    return WalkStatus::Completed;
  }
  Walker walker(result, observer, options);
  return walker.walk(fd, st) ? WalkStatus::Completed : WalkStatus::Cancelled;
}

}  // namespace diskindex::scan
