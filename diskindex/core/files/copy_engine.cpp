#include "diskindex/core/files/copy_engine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>
#include <vector>

#include "diskindex/core/file_io.h"

namespace diskindex::files {
namespace fs = std::filesystem;
namespace {

// A new file of a name no one else uses, created exclusively in dir (the
// umask applies to its mode as to any new file).
FileHandle createUnique(const fs::path& dir, fs::path& created) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[40];
    std::snprintf(name, sizeof name, ".~kt%05u%04x.tmp", static_cast<unsigned>(::getpid()) % 100000,
                  (counter++) & 0xFFFF);
    const fs::path path = dir / name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      created = path;
      return FileHandle(fd);
    }
    if (errno != EEXIST) return FileHandle();
  }
  return FileHandle();
}

bool pathExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

fs::path joined(const fs::path& base, const std::vector<std::string>& components,
                std::size_t from) {
  fs::path path = base;
  for (std::size_t i = from; i < components.size(); ++i) path /= components[i];
  return path;
}

class Copier {
 public:
  Copier(const CopyList& list, const fs::path& sourceRoot, const fs::path& targetDir,
         CopyObserver& observer, CopyOptions options)
      : m_list(list),
        m_source(sourceRoot),
        m_target(targetDir),
        m_observer(observer),
        m_options(options),
        m_buffer(kCopyBlockSize) {
    const CopyEntry& first = list.entries.front();
    m_treeMode = first.directory;
    m_keepFrom = first.components.empty() ? 0 : first.components.size() - 1;
  }

  CopyOutcome run() {
    m_observer.begin(m_list.totalSize, m_list.totalSize > kProgressThreshold);
    for (const CopyEntry& entry : m_list.entries) {
      const bool ok = entry.directory ? makeDirectory(entry) : copyFile(entry);
      if (!ok) break;
    }
    m_observer.end();
    return m_outcome;
  }

 private:
  fs::path targetOf(const CopyEntry& entry) const {
    if (!m_treeMode || entry.components.size() <= m_keepFrom) {
      return m_target / entry.components.back();
    }
    return joined(m_target, entry.components, m_keepFrom);
  }

  bool fail(ResultCode code, const fs::path& file) {
    m_outcome.code = code;
    m_outcome.file = file.string();
    return false;
  }

  bool makeDirectory(const CopyEntry& entry) {
    if (entry.components.empty()) return true;  // the root: its files go into the target
    const fs::path dir = targetOf(entry);
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(dir, ec))) return true;
    if (!fs::create_directory(dir, ec) || ec) return fail(ResultCode::CannotCreateDirectory, dir);
    return true;
  }

  // Existing target: true to go on writing it, false to skip (or stop when
  // the outcome was set to Cancelled).
  bool mayOverwrite(const fs::path& target) {
    if (m_overwriteAll || m_options.overwriteAll) return true;
    if (m_options.skipExisting) return false;
    switch (m_observer.askOverwrite(target)) {
      case OverwriteAnswer::Yes:
        return true;
      case OverwriteAnswer::All:
        m_overwriteAll = true;
        return true;
      case OverwriteAnswer::No:
        return false;
      case OverwriteAnswer::Cancel:
        break;
    }
    m_outcome.code = ResultCode::Cancelled;
    m_outcome.file = target.string();
    return false;
  }

  bool skip(const CopyEntry& entry) {
    ++m_outcome.filesSkipped;
    m_done += entry.size;
    m_observer.progress(m_done, m_list.totalSize);
    return true;
  }

  bool copyFile(const CopyEntry& entry) {
    const fs::path source = joined(m_source, entry.components, 0);
    const fs::path target = targetOf(entry);
    FileHandle in = FileHandle::openRead(source);
    if (!in.valid()) return fail(ResultCode::CannotOpen, source);
    if (pathExists(target) && !mayOverwrite(target)) {
      return m_outcome.code == ResultCode::Cancelled ? false : skip(entry);
    }
    m_observer.file(target);
    fs::path temporary;
    FileHandle out = createUnique(target.parent_path(), temporary);
    if (!out.valid()) return fail(ResultCode::CannotCreate, target);
    const ResultCode code = copyData(in, out, target);
    if (code == ResultCode::Ok && !renameFile(temporary, target)) {
      removeFile(temporary);
      return fail(ResultCode::CannotCreate, target);
    }
    if (code != ResultCode::Ok) {
      out.close();
      removeFile(temporary);
      return fail(code, code == ResultCode::CannotRead ? source : target);
    }
    ++m_outcome.filesCopied;
    return true;
  }

  // The blocks, then the source's times; closes out. Ok, CannotRead,
  // CannotWrite or Cancelled.
  ResultCode copyData(FileHandle& in, FileHandle& out, const fs::path& target) {
    for (;;) {
      const std::ptrdiff_t got = in.read(m_buffer.data(), m_buffer.size());
      if (got < 0) return ResultCode::CannotRead;
      if (got == 0) break;
      if (!out.write(m_buffer.data(), static_cast<std::size_t>(got)))
        return ResultCode::CannotWrite;
      m_done += static_cast<std::uint64_t>(got);
      m_observer.progress(m_done, m_list.totalSize);
      if (m_observer.cancelRequested()) {
        m_outcome.file = target.string();
        return ResultCode::Cancelled;
      }
      if (static_cast<std::size_t>(got) < m_buffer.size()) break;
    }
    struct stat info {};
    if (::fstat(in.fd(), &info) == 0) {
      const struct timespec times[2] = {info.st_atim, info.st_mtim};
      ::futimens(out.fd(), times);
    }
    return out.close() ? ResultCode::Ok : ResultCode::CannotWrite;
  }

  const CopyList& m_list;
  fs::path m_source;
  fs::path m_target;
  CopyObserver& m_observer;
  CopyOptions m_options;
  std::vector<std::uint8_t> m_buffer;
  bool m_treeMode = false;
  std::size_t m_keepFrom = 0;
  bool m_overwriteAll = false;
  std::uint64_t m_done = 0;
  CopyOutcome m_outcome;
};

}  // namespace

bool directoryWritable(const fs::path& dir) {
  // An empty target names no folder: the working folder is never meant.
  if (dir.empty()) return false;
  fs::path probe;
  FileHandle file = createUnique(dir, probe);
  if (!file.valid()) return false;
  const bool closed = file.close();
  return removeFile(probe) && closed;
}

CopyOutcome copyFiles(const CopyList& list, const fs::path& sourceRoot, const fs::path& targetDir,
                      CopyObserver& observer, CopyOptions options) {
  CopyOutcome outcome;
  const CopyListResult names = checkNames(list);
  if (names.code != ResultCode::Ok) {
    outcome.code = names.code;
    outcome.file = names.badName;
    return outcome;
  }
  if (list.empty()) return outcome;
  if (!directoryWritable(targetDir)) {
    outcome.code = ResultCode::NotWritable;
    outcome.file = targetDir.string();
    return outcome;
  }
  const fs::path first = joined(sourceRoot, list.entries.front().components, 0);
  if (!pathExists(first)) {
    outcome.code = ResultCode::NotFound;
    outcome.file = first.string();
    return outcome;
  }
  Copier copier(list, sourceRoot, targetDir, observer, options);
  return copier.run();
}

}  // namespace diskindex::files
