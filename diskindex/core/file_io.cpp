#include "diskindex/core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace diskindex {

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
  return FileHandle(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
}

FileHandle FileHandle::openReadWrite(const std::filesystem::path& path) {
  return FileHandle(::open(path.c_str(), O_RDWR | O_CLOEXEC));
}

FileHandle FileHandle::create(const std::filesystem::path& path) {
  return FileHandle(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
}

std::ptrdiff_t FileHandle::read(void* buffer, std::size_t size) {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(m_fd, out + done, size - done);
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
    const ssize_t n = ::write(m_fd, in + done, size - done);
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
  return ::fsync(m_fd) == 0;
}

bool FileHandle::close() {
  if (m_fd < 0) return true;
  const int result = ::close(m_fd);
  m_fd = -1;
  return result == 0;
}

bool removeFile(const std::filesystem::path& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace diskindex
