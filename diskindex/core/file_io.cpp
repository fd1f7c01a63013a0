#include "diskindex/core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

namespace diskindex {
namespace {

int systemOpen(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

int systemLock(int fd, bool exclusive) {
  struct flock range {};
  range.l_type = static_cast<short>(exclusive ? F_WRLCK : F_RDLCK);
  range.l_whence = SEEK_SET;
  range.l_start = 0;
  range.l_len = 0;  // the whole file
  int result;
#ifdef F_OFD_SETLKW
  // Locks of the open file, not of the process: a second lock in the same
  // program waits as it should, and closing another descriptor of the file
  // does not drop it.
  do {
    result = ::fcntl(fd, F_OFD_SETLKW, &range);
  } while (result < 0 && errno == EINTR);
  if (result == 0 || errno != EINVAL) return result;
#endif
  do {
    result = ::fcntl(fd, F_SETLKW, &range);
  } while (result < 0 && errno == EINTR);
  return result;
}

int systemRename(const char* from, const char* to) {
  return std::rename(from, to);
}

constexpr FileOps kSystemOps{systemOpen, ::read,   ::write,  ::fsync,   ::close,
                             systemRename, ::link, ::unlink, systemLock};

FileOps g_ops = kSystemOps;

std::atomic<unsigned> g_tempCounter{0};

}  // namespace

const FileOps& fileOps() {
  return g_ops;
}

const FileOps& systemFileOps() {
  return kSystemOps;
}

void setFileOps(const FileOps& ops) {
  g_ops = ops;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    close();
    m_fd = other.m_fd;
    other.m_fd = -1;
  }
  return *this;
}

FileHandle::~FileHandle() {
  close();
}

FileHandle FileHandle::openRead(const std::filesystem::path& path) {
  return FileHandle(g_ops.open(path.c_str(), O_RDONLY | O_CLOEXEC, 0));
}

FileHandle FileHandle::openReadWrite(const std::filesystem::path& path) {
  return FileHandle(g_ops.open(path.c_str(), O_RDWR | O_CLOEXEC, 0));
}

FileHandle FileHandle::create(const std::filesystem::path& path) {
  return FileHandle(g_ops.open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
}

FileHandle FileHandle::createExclusive(const std::filesystem::path& path) {
  return FileHandle(g_ops.open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
}

std::ptrdiff_t FileHandle::read(void* buffer, std::size_t size) {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = g_ops.read(m_fd, out + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<std::ptrdiff_t>(done);
}

bool FileHandle::write(const void* buffer, std::size_t size) {
  const auto* in = static_cast<const char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = g_ops.write(m_fd, in + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool FileHandle::seek(std::int64_t offset) {
  return ::lseek(m_fd, offset, SEEK_SET) == offset;
}

bool FileHandle::seekRelative(std::int64_t delta) {
  return ::lseek(m_fd, delta, SEEK_CUR) >= 0;
}

std::int64_t FileHandle::size() const {
  struct stat info {};
  if (::fstat(m_fd, &info) != 0) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

bool FileHandle::sync() {
  return g_ops.fsync(m_fd) == 0;
}

bool FileHandle::close() {
  if (m_fd < 0) return true;
  const int result = g_ops.close(m_fd);
  m_fd = -1;
  return result == 0;
}

bool removeFile(const std::filesystem::path& path) {
  return g_ops.unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  return g_ops.rename(from.c_str(), to.c_str()) == 0;
}

bool syncDirectory(const std::filesystem::path& dir) {
  const std::filesystem::path folder = dir.empty() ? std::filesystem::path(".") : dir;
  FileHandle handle(g_ops.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
  if (!handle.valid()) return false;
  // Some file systems cannot flush a folder; that is no failure of the write.
  const bool synced = handle.sync() || errno == EINVAL || errno == EROFS;
  return handle.close() && synced;
}

ResultCode readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  FileHandle file = FileHandle::openRead(path);
  if (!file.valid()) return errno == ENOENT ? ResultCode::NotFound : ResultCode::CannotOpen;
  const std::int64_t size = file.size();
  // The size is a hint: a file that grows while read is read to its end.
  bytes.resize(size > 0 ? static_cast<std::size_t>(size) + 1 : 4096);
  std::size_t done = 0;
  for (;;) {
    const std::ptrdiff_t got = file.read(bytes.data() + done, bytes.size() - done);
    if (got < 0) return ResultCode::CannotRead;
    done += static_cast<std::size_t>(got);
    if (done < bytes.size()) break;
    bytes.resize(bytes.size() * 2);
  }
  bytes.resize(done);
  return ResultCode::Ok;
}

FileHandle createTempBeside(const std::filesystem::path& target, std::filesystem::path& temp) {
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = target;
    temp += "." + std::to_string(::getpid()) + "-" + std::to_string(g_tempCounter++) + ".tmp";
    FileHandle file = FileHandle::createExclusive(temp);
    if (file.valid()) {
      if (exists) ::fchmod(file.fd(), old.st_mode & 07777);
      return file;
    }
    if (errno != EEXIST) break;
  }
  return FileHandle();
}

ResultCode commitTemp(const std::filesystem::path& temp, const std::filesystem::path& target) {
  if (!renameFile(temp, target)) {
    removeFile(temp);
    return ResultCode::CannotWrite;
  }
  // The rename is only durable once the folder is; the file's data already is.
  return syncDirectory(target.parent_path()) ? ResultCode::Ok : ResultCode::CannotWrite;
}

namespace {

// Writes and flushes bytes into a new temporary file beside target.
ResultCode writeTemp(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                     std::filesystem::path& temp) {
  FileHandle file = createTempBeside(target, temp);
  if (!file.valid()) return ResultCode::CannotCreate;
  const bool written = file.write(bytes.data(), bytes.size()) && file.sync();
  if (!file.close() || !written) {
    removeFile(temp);
    return ResultCode::CannotWrite;
  }
  return ResultCode::Ok;
}

}  // namespace

ResultCode writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes) {
  std::filesystem::path temp;
  const ResultCode code = writeTemp(target, bytes, temp);
  return code == ResultCode::Ok ? commitTemp(temp, target) : code;
}

ResultCode writeFileIfAbsent(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes) {
  std::filesystem::path temp;
  const ResultCode code = writeTemp(target, bytes, temp);
  if (code != ResultCode::Ok) return code;
  const bool linked = g_ops.link(temp.c_str(), target.c_str()) == 0;
  const bool existed = !linked && errno == EEXIST;
  removeFile(temp);
  if (!linked) return existed ? ResultCode::NotWritable : ResultCode::CannotWrite;
  return syncDirectory(target.parent_path()) ? ResultCode::Ok : ResultCode::CannotWrite;
}

std::filesystem::path damagedCopyName(const std::filesystem::path& file, int attempt) {
  std::filesystem::path copy = file;
  copy += ".defekt";
  if (attempt > 1) copy += std::to_string(attempt);
  return copy;
}

std::filesystem::path damagedOriginalName(const std::filesystem::path& copy) {
  return copy.parent_path() / copy.stem();
}

std::filesystem::path keepDamagedCopy(const std::filesystem::path& file,
                                      std::span<const std::uint8_t> bytes) {
  for (int attempt = 1; attempt <= 99; ++attempt) {
    const std::filesystem::path copy = damagedCopyName(file, attempt);
    const ResultCode code = writeFileIfAbsent(copy, bytes);
    if (code == ResultCode::Ok) return copy;
    if (code != ResultCode::NotWritable) return {};
    // The name is taken: by this very damage (kept by an earlier save) or
    // by another one, which stays as it is.
    std::vector<std::uint8_t> existing;
    if (readWholeFile(copy, existing) == ResultCode::Ok &&
        std::equal(existing.begin(), existing.end(), bytes.begin(), bytes.end())) {
      return copy;
    }
  }
  return {};
}

FolderLock::FolderLock(const std::filesystem::path& dir, Mode mode, Creation creation) {
  const std::filesystem::path file = dir / kLockFileName;
  // A shared lock needs a descriptor open for reading, an exclusive one for
  // writing; read-write serves both.
  const int create = creation == Creation::IfMissing ? O_CREAT : 0;
  m_fd = g_ops.open(file.c_str(), O_RDWR | create | O_CLOEXEC, 0666);
  if (m_fd < 0 && mode == Mode::Shared) m_fd = g_ops.open(file.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (m_fd < 0) return;
  m_held = g_ops.lock(m_fd, mode == Mode::Exclusive) == 0;
}

FolderLock::~FolderLock() {
  // Closing the only descriptor of the lock file releases the lock.
  if (m_fd >= 0) g_ops.close(m_fd);
}

}  // namespace diskindex
