#pragma once
// The description pass over a walk result: finds the list files
// ("FILES.BBS", "DESCRIPT.ION") and directory texts ("DIRINFO.TXT", and
// "FILE_ID.DIZ" while the directory has no text yet), reads them from the
// drive and collects remarks keyed by directory number (root = 1) and file
// number (0-based within the directory; -1 = the directory itself). The test
// mode only says whether any such file exists. Writing the comment file is
// the caller's business; a file that cannot be opened is skipped.

#include <cstdint>
#include <filesystem>
#include <istream>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "diskindex/core/scan/scan_observer.h"
#include "diskindex/core/scan/walk.h"

namespace diskindex::scan {

using RemarkKey = std::pair<std::int32_t, std::int32_t>;  // directory number, file number
using RemarkMap = std::map<RemarkKey, std::string>;       // UTF-8 texts, never empty

enum class DescriptionKind { None, ListFile, DirectoryText, FileIdDiz };
DescriptionKind descriptionKindOf(std::string_view name);

// Test mode: true as soon as one list file or directory text is found.
bool hasDescriptionFiles(const WalkResult& walk);

enum class DescriptionStatus { Collected, NoRemarks, Cancelled };

struct DescriptionOutcome {
  DescriptionStatus status = DescriptionStatus::NoRemarks;
  RemarkMap remarks;  // empty unless status is Collected
};

// Where the pass reads the description files from: the drive's directories,
// or the contents a disc image reader kept.
class DescriptionSource {
 public:
  virtual ~DescriptionSource() = default;
  // The file name in the directory given by its file system names from the
  // root down; null when it cannot be opened.
  virtual std::unique_ptr<std::istream> open(const std::vector<std::string>& directory,
                                             const std::string& name) const = 0;
};

// Files below a directory of the local file system.
class FolderSource : public DescriptionSource {
 public:
  explicit FolderSource(std::filesystem::path root) : m_root(std::move(root)) {}
  std::unique_ptr<std::istream> open(const std::vector<std::string>& directory,
                                     const std::string& name) const override;

 private:
  std::filesystem::path m_root;
};

// Reading mode. root is the directory the walk started from. Reports 0, the
// percentage after each description file and 100 at the end, and polls the
// observer for cancelling after every entry.
DescriptionOutcome readDescriptions(const WalkResult& walk, const std::filesystem::path& root,
                                    ScanObserver& observer);
// The same over any source of the files' contents.
DescriptionOutcome readDescriptions(const WalkResult& walk, const DescriptionSource& source,
                                    ScanObserver& observer);

}  // namespace diskindex::scan
