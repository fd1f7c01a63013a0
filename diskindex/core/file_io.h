#pragma once
// Plain POSIX file access for the catalogue's formats: a file descriptor
// that closes itself, and reads and writes that loop over partial transfers
// so that "short" always means end of file or a real error.

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace diskindex {

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

}  // namespace diskindex
