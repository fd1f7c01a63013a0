#include "diskindex/core/search/results_file.h"

#include <sys/stat.h>

#include "diskindex/core/file_io.h"
#include "platform/codepage.h"

namespace diskindex::search {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

// Only a regular file this save created or truncated is removed after a
// failure, never a device or anything else the name may point to.
bool isRegularFile(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::vector<std::string> resultLines(std::span<const ResultRow> rows) {
  std::vector<std::string> lines;
  lines.reserve(rows.size());
  for (const ResultRow& row : rows) lines.push_back(listLine(row));
  return lines;
}

SaveResult saveResultList(const std::filesystem::path& file, std::span<const ResultRow> rows) {
  bool utf8 = false;
  for (const ResultRow& row : rows) {
    utf8 = utf8 || !platform::fitsCp1252(row.volumeName) || !platform::fitsCp1252(row.path);
  }
  FileHandle handle = FileHandle::create(file);
  if (!handle.valid()) return SaveResult::CannotCreate;
  const bool regular = isRegularFile(handle.fd());
  std::string chunk;
  bool written = true;
  for (std::size_t i = 0; i < rows.size() && written; ++i) {
    const std::string line = listLine(rows[i]);
    chunk += utf8 ? line : platform::utf8ToCp1252(line).value_or(line);
    chunk += "\r\n";
    if (chunk.size() >= kChunkBytes || i + 1 == rows.size()) {
      written = handle.write(chunk.data(), chunk.size());
      chunk.clear();
    }
  }
  written = handle.close() && written;
  if (written) return SaveResult::Ok;
  if (regular) removeFile(file);
  return SaveResult::CannotWrite;
}

}  // namespace diskindex::search
