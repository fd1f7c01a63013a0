#pragma once
// The copy engine: copies a copy list from a volume's folder (the drive's
// root, or any folder that holds the volume's root) into a target
// directory. When the list starts with a directory, each path is kept below
// the target from that directory's name on, so the copied tree starts with
// the chosen directory; otherwise every file lands in the target under its
// own name. Files go in blocks of 32,000 bytes and get the source's
// last-write time.
//
// No failure leaves a partial target: each file is written under a
// temporary name in its target folder and renamed over the target only when
// it is complete, so an existing file being overwritten stays whole until
// then. Files copied before a failure stay. A list with an unsafe name
// (copy_list.h) is refused before anything is touched.
//
// Questions (overwrite?), progress and the cancel button go through
// CopyObserver; the engine shows nothing.

#include <cstdint>
#include <filesystem>
#include <string>

#include "diskindex/core/files/copy_list.h"
#include "diskindex/core/result_code.h"

namespace diskindex::files {

inline constexpr std::size_t kCopyBlockSize = 32000;
// Lists of more bytes than this get the progress window; smaller ones only
// the busy cursor.
inline constexpr std::uint64_t kProgressThreshold = 100000;

enum class OverwriteAnswer { Yes, No, Cancel, All };

class CopyObserver {
 public:
  virtual ~CopyObserver() = default;
  // Before the first entry: the bytes to copy and whether a progress window
  // stands (more than kProgressThreshold bytes).
  virtual void begin(std::uint64_t /*totalBytes*/, bool /*progressWindow*/) {}
  // The target file now being written.
  virtual void file(const std::filesystem::path& /*target*/) {}
  // After each block and each skipped file: bytes done of the total.
  virtual void progress(std::uint64_t /*done*/, std::uint64_t /*total*/) {}
  // Polled after each block; true ends the copy with Cancelled.
  virtual bool cancelRequested() { return false; }
  // The target exists: overwrite it, skip it, end the copy, or overwrite it
  // and every later one without asking.
  virtual OverwriteAnswer askOverwrite(const std::filesystem::path& /*target*/) {
    return OverwriteAnswer::Cancel;
  }
  // After the last entry or the failure (the progress window closes).
  virtual void end() {}
};

struct CopyOptions {
  bool overwriteAll = false;  // never ask, overwrite
  bool skipExisting = false;  // never ask, skip
};

struct CopyOutcome {
  // Ok, NotWritable (-7), NotFound (-8), CannotOpen (-2), CannotCreate
  // (-1), CannotRead (-3), CannotWrite (-4), CannotCreateDirectory (-9),
  // Cancelled (-11), UnsafeName (-13).
  ResultCode code = ResultCode::Ok;
  std::string file;  // the file or directory concerned (a real path, or the unsafe name)
  int filesCopied = 0;
  int filesSkipped = 0;
};

CopyOutcome copyFiles(const CopyList& list, const std::filesystem::path& sourceRoot,
                      const std::filesystem::path& targetDir, CopyObserver& observer,
                      CopyOptions options = {});

// The writability test of a target directory: a new file is created there
// (never one that exists) and deleted again.
bool directoryWritable(const std::filesystem::path& dir);

}  // namespace diskindex::files
