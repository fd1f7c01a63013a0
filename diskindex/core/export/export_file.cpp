#include "diskindex/core/export/export_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "diskindex/core/file_io.h"
#include "platform/codepage.h"

namespace diskindex::exporting {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

bool isRegularFile(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool needsUtf8(std::span<const std::string> lines) {
  for (const std::string& line : lines) {
    if (!platform::fitsCp1252(line)) return true;
  }
  return false;
}

bool writeAll(FileHandle& handle, std::span<const std::string> lines, bool utf8) {
  std::string chunk;
  chunk.reserve(kChunkBytes + 1024);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    chunk += utf8 ? lines[i] : platform::utf8ToCp1252(lines[i]).value_or(lines[i]);
    chunk += "\r\n";
    if (chunk.size() >= kChunkBytes || i + 1 == lines.size()) {
      if (!handle.write(chunk.data(), chunk.size())) return false;
      chunk.clear();
    }
  }
  return true;
}

// Opens for appending without truncating; oldSize receives the length the
// file had (0 when it was created).
FileHandle openAppend(const std::filesystem::path& file, std::int64_t& oldSize) {
  FileHandle handle(::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  oldSize = handle.valid() ? handle.size() : -1;
  if (handle.valid() && (oldSize < 0 || !handle.seek(oldSize))) return FileHandle();
  return handle;
}

bool isAscii(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (byte >= 0x80) return false;
  }
  return true;
}

// The encoding an existing file is in: its own text decides, the lines only
// when it holds nothing but ASCII (or nothing at all).
enum class FileText { Open, Utf8, Cp1252 };

FileText existingText(std::span<const std::uint8_t> bytes) {
  if (isAscii(bytes)) return FileText::Open;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return platform::isValidUtf8(text) ? FileText::Utf8 : FileText::Cp1252;
}

// A Windows-1252 file that must take lines only UTF-8 can hold: the whole
// file becomes UTF-8 at once (temp + fsync + rename), never half and half.
ExportResult convertAndAppend(const std::filesystem::path& file,
                              std::span<const std::uint8_t> old,
                              std::span<const std::string> lines) {
  std::string text = platform::cp1252ToUtf8(
      std::string_view(reinterpret_cast<const char*>(old.data()), old.size()));
  text += joinLines(lines);
  const ResultCode code = writeFileAtomically(
      file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  return code == ResultCode::Ok ? ExportResult::Ok : ExportResult::CannotWrite;
}

}  // namespace

ExportResult writeLines(const std::filesystem::path& file, std::span<const std::string> lines,
                        WriteMode mode) {
  bool utf8 = needsUtf8(lines);
  if (mode == WriteMode::Append && !lines.empty()) {
    // Appended text takes the encoding of the file it goes into.
    std::vector<std::uint8_t> old;
    if (readWholeFile(file, old) == ResultCode::Ok) {
      const FileText text = existingText(old);
      if (text == FileText::Utf8) utf8 = true;
      if (text == FileText::Cp1252 && utf8) return convertAndAppend(file, old, lines);
    }
  }
  std::int64_t oldSize = 0;
  FileHandle handle =
      mode == WriteMode::Append ? openAppend(file, oldSize) : FileHandle::create(file);
  if (!handle.valid()) return ExportResult::CannotCreate;
  const bool regular = isRegularFile(handle.fd());
  const bool keepOld = mode == WriteMode::Append && oldSize > 0;
  const bool written = writeAll(handle, lines, utf8);
  const bool closed = handle.close();
  if (written && closed) return ExportResult::Ok;
  if (regular && keepOld) {
    // Give the file back as it was before the export. When even that fails
    // the old text is still there, followed by part of the new one.
    if (::truncate(file.c_str(), static_cast<off_t>(oldSize)) != 0)
      return ExportResult::CannotWrite;
  } else if (regular) {
    removeFile(file);
  }
  return ExportResult::CannotWrite;
}

std::string joinLines(std::span<const std::string> lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> treeExportLines(std::span<const std::string> treeLines,
                                         std::string_view heading, bool append) {
  std::vector<std::string> lines;
  if (treeLines.empty()) return lines;
  if (append) lines.insert(lines.end(), 2, std::string());
  std::vector<std::string> printed = treePrintLines(treeLines, heading);
  lines.insert(lines.end(), std::make_move_iterator(printed.begin()),
               std::make_move_iterator(printed.end()));
  return lines;
}

std::vector<std::string> treePrintLines(std::span<const std::string> treeLines,
                                        std::string_view heading) {
  std::vector<std::string> lines;
  lines.reserve(treeLines.size() + 2);
  if (!heading.empty()) {
    lines.emplace_back(heading);
    lines.emplace_back();
  }
  lines.insert(lines.end(), treeLines.begin(), treeLines.end());
  return lines;
}

}  // namespace diskindex::exporting
