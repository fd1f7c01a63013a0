#pragma once
// Plain POSIX file access for the catalogue's formats: a file descriptor
// that closes itself, reads and writes that loop over partial transfers so
// that "short" always means end of file or a real error, and the safe way to
// replace a file (a uniquely named temporary file beside it, flushed to the
// device, renamed over the target, the folder flushed too).
//
// Every system call that reads or changes a catalogue file goes through one
// table of functions (FileOps). The program uses the system's; the tests put
// in functions that fail or stop the process at a chosen call, the benchmarks
// functions that skip flushing and locking. Nothing else in the catalogue
// calls open/write/fsync/rename directly.
//
// Locking (FolderLock) is advisory: it only keeps out programs that lock the
// same file the same way, which every program of this catalogue does.

#include <fcntl.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "diskindex/core/result_code.h"

namespace diskindex {

// The system calls the catalogue's file access is made of. Each behaves like
// the POSIX call of the same name (-1 and errno on failure). lock takes or
// waits for a record lock on the whole of an open file (exclusive or shared)
// and returns 0, or -1 with errno.
struct FileOps {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*read)(int fd, void* buffer, std::size_t size);
  ssize_t (*write)(int fd, const void* buffer, std::size_t size);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*link)(const char* from, const char* to);
  int (*unlink)(const char* path);
  int (*lock)(int fd, bool exclusive);
};

// The table in use, and the system's own.
const FileOps& fileOps();
const FileOps& systemFileOps();
// Replaces the table for the whole process (tests and benchmarks only).
void setFileOps(const FileOps& ops);

// Puts a table in place for its lifetime and the previous one back after.
class ScopedFileOps {
 public:
  explicit ScopedFileOps(const FileOps& ops) : m_previous(fileOps()) { setFileOps(ops); }
  ~ScopedFileOps() { setFileOps(m_previous); }
  ScopedFileOps(const ScopedFileOps&) = delete;
  ScopedFileOps& operator=(const ScopedFileOps&) = delete;

 private:
  FileOps m_previous;
};

class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : m_fd(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle(FileHandle&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
  FileHandle& operator=(FileHandle&& other) noexcept;
  ~FileHandle();

  static FileHandle openRead(const std::filesystem::path& path);
  static FileHandle openReadWrite(const std::filesystem::path& path);
  // Creates or truncates.
  static FileHandle create(const std::filesystem::path& path);
  // Creates a file that must not exist yet (O_EXCL): invalid with errno
  // EEXIST when another program was first.
  static FileHandle createExclusive(const std::filesystem::path& path);

  bool valid() const { return m_fd >= 0; }
  int fd() const { return m_fd; }
  // Bytes read (less than size only at end of file), or -1 on an error.
  std::ptrdiff_t read(void* buffer, std::size_t size);
  // True when every byte was written.
  bool write(const void* buffer, std::size_t size);
  bool seek(std::int64_t offset);
  bool seekRelative(std::int64_t delta);
  std::int64_t size() const;  // -1 when unknown
  // Flushes the data to the device (before a rename makes it the real file).
  bool sync();
  // Closes and reports whether the close succeeded (a late write error).
  bool close();

 private:
  int m_fd = -1;
};

// Removes a file; true when it is gone afterwards (also when it never was).
bool removeFile(const std::filesystem::path& path);
bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Flushes a folder's entries (a rename or a new file in it) to the device.
bool syncDirectory(const std::filesystem::path& dir);

// The whole file: Ok, NotFound (no such file), CannotOpen, CannotRead.
ResultCode readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

// A new temporary file beside target, named "<target name>.<pid>-<n>.tmp"
// and created exclusively, so two programs saving the same file never write
// into one temporary file. It takes the permissions of target when that
// exists. Invalid handle when it cannot be created.
FileHandle createTempBeside(const std::filesystem::path& target, std::filesystem::path& temp);

// Makes a fully written and flushed temporary file the target: rename, then
// flush the folder. On failure the temporary file is removed: CannotWrite.
ResultCode commitTemp(const std::filesystem::path& temp, const std::filesystem::path& target);

// Replaces (or creates) target with bytes: temporary file, write, fsync,
// close, rename, folder fsync. The old file stays whole until the rename; a
// failure removes the temporary file. CannotCreate, CannotWrite, Ok. Takes no
// lock: the caller holds the folder's lock.
ResultCode writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes);

// Stores bytes as target only when target does not exist yet (a link of a
// flushed temporary file, which cannot replace anything). Ok; NotWritable
// when target exists; CannotCreate/CannotWrite.
ResultCode writeFileIfAbsent(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes);

// The name a damaged file is kept under: "<name>.defekt", and
// "<name>.defekt2", ... when that name holds another damaged file already.
std::filesystem::path damagedCopyName(const std::filesystem::path& file, int attempt = 1);
// The file a damagedCopyName names a copy of: "CD000001.CMT.defekt2" gives
// "CD000001.CMT".
std::filesystem::path damagedOriginalName(const std::filesystem::path& copy);

// Keeps the bytes of a damaged file before it is replaced, as the first free
// damagedCopyName(file), or the name that already holds these very bytes (an
// earlier save kept them). An existing copy is never replaced. Empty path
// when no copy could be made (then the damaged file must not be replaced).
std::filesystem::path keepDamagedCopy(const std::filesystem::path& file,
                                      std::span<const std::uint8_t> bytes);

// An advisory record lock on the file "DISKINDX.LCK" in a folder, held while
// the object lives. Exclusive for a write, shared for reading the volume
// list. The lock is per open file (Linux open file description locks where
// available), so two threads of one program exclude each other too. A folder
// where the lock file cannot be made (read-only, say) or whose file system
// has no locks gives an object that holds nothing: reading goes on, and a
// write there fails on its own or is still made safely by its rename.
//
// A comment file may also be saved into a folder of the user's choosing;
// there the lock is taken only when the folder has a lock file already
// (Creation::ExistingOnly), so that no lock file is left in it.
class FolderLock {
 public:
  enum class Mode { Shared, Exclusive };
  enum class Creation { IfMissing, ExistingOnly };
  FolderLock(const std::filesystem::path& dir, Mode mode,
             Creation creation = Creation::IfMissing);
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();
  bool held() const { return m_held; }

 private:
  int m_fd = -1;
  bool m_held = false;
};

inline constexpr const char* kLockFileName = "DISKINDX.LCK";

}  // namespace diskindex
