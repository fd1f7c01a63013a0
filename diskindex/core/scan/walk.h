#pragma once
// Reading a directory tree into a walk result: the entry list of a volume in
// the order the volume data file keeps (the files of a directory first, then
// each subdirectory followed at once by its whole subtree), with sizes, DOS
// times in local time and DOS attributes as the old file systems reported
// them. On Linux these notions are decided here once:
//  - a name beginning with "." is hidden: hidden files are listed with the
//    hidden attribute, hidden directories are skipped with all they hold;
//  - read-only means the owner has no write permission; regular files carry
//    the archive attribute; there are no system files;
//  - the long-name flag is set unless the name is a valid upper-case 8.3 name;
//  - entries are listed in a stable order, names compared without regard to
//    case (ties by their bytes), not in the order the kernel returns them;
//  - a symbolic link to a directory is listed as a directory entry without
//    contents (never followed, so links cannot make the walk loop); a link to
//    a file is listed as that file (target size and time); a dangling link is
//    left out;
//  - the walk stays on the root's file system unless asked to read nested
//    mount points; a directory that is one of its own ancestors (a bind
//    mount) is never entered again;
//  - a directory that cannot be opened is listed but its contents are not,
//    and its entry carries kAttrUnreadable;
//  - what was passed over (links to directories, mount points, dangling
//    links, unreadable directories by name) is counted in the summary;
//  - names that are not UTF-8 are decoded byte by byte as Windows-1252;
//  - levels come from the walk depth (a name may hold a "\"), and since the
//    data file keeps the level in one byte, directories at level 255 are
//    listed without their contents.
// It does not write anything and knows nothing of the catalogue files.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/scan/scan_observer.h"

namespace diskindex::scan {

inline constexpr std::uint8_t kAttrReadOnly = 0x01;
inline constexpr std::uint8_t kAttrHidden = 0x02;
inline constexpr std::uint8_t kAttrSystem = 0x04;
inline constexpr std::uint8_t kAttrDirectory = 0x10;
inline constexpr std::uint8_t kAttrArchive = 0x20;
inline constexpr std::uint8_t kAttrUnreadable =
    0x40;  // a directory whose contents could not be read
inline constexpr std::uint8_t kAttrLongName = 0x80;
inline constexpr int kMaxLevel = 255;

struct WalkEntry {
  std::string name;               // last path component, UTF-8
  std::string nativeName;         // the file system's bytes when they differ from name, else empty
  std::uint64_t size = 0;         // bytes (the data file clamps); 0 for directories
  std::uint32_t dosDateTime = 0;  // last-write time, local: date in the high word
  int level = 1;                  // files of the root have level 1
  std::uint8_t attributes = 0;

  bool isDirectory() const { return (attributes & kAttrDirectory) != 0; }
  // The name as the file system knows it (to open the entry again).
  const std::string& fileSystemName() const { return nativeName.empty() ? name : nativeName; }
};

// What the walk passed over, for the message after it.
struct WalkSummary {
  int directoryLinks = 0;  // links to directories, listed without contents
  int mountPoints = 0;     // nested mount points left out with all they hold
  int brokenLinks = 0;     // links whose target is gone, left out
  // Directories listed without contents because they could not be opened,
  // as paths from the root with "\" between names ("Privat\Briefe").
  std::vector<std::string> unreadableDirectories;

  bool empty() const {
    return directoryLinks == 0 && mountPoints == 0 && brokenLinks == 0 &&
           unreadableDirectories.empty();
  }
};

struct WalkResult {
  std::vector<WalkEntry> entries;
  int directoryCount = 0;  // the root is not counted
  int fileCount = 0;
  WalkSummary summary;
};

// Whether file systems mounted below the root are read too.
enum class NestedMounts { Skip, Read };
struct WalkOptions {
  NestedMounts nestedMounts = NestedMounts::Skip;
};

enum class WalkStatus { Completed, Cancelled };

// True for names such as "README.TXT" or "A1_B": one to eight characters, an
// optional extension of one to three, upper case and DOS-valid characters only.
bool isShortUpperName(std::string_view name);

// The order of the entries of one directory (files and subdirectories apart):
// by walkSortKey of the UTF-8 name (upper-cased), ties by the file system's
// bytes. Readers of other sources (disc images) sort with the same rule.
std::string walkSortKey(const std::string& utf8);
bool walkOrderBefore(const std::string& keyA, const std::string& nativeA, const std::string& keyB,
                     const std::string& nativeB);

// Walks root (a directory) into result, which is cleared first. A root that
// cannot be opened yields an empty result. The observer hears of every
// directory found and is polled for cancelling after the files of each
// directory; a cancelled walk leaves a partial result that callers discard.
// Out of memory surfaces as std::bad_alloc.
WalkStatus walkTree(const std::filesystem::path& root, WalkResult& result, ScanObserver& observer,
                    const WalkOptions& options = {});

}  // namespace diskindex::scan
