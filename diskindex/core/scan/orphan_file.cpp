#include "diskindex/core/scan/orphan_file.h"

#include <cstdio>

#include "diskindex/core/file_io.h"
#include "diskindex/core/scan/rescan_messages.h"
#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

bool hasNonAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// Indents every line of a remark; its line breaks become CR LF.
void appendIndented(std::string& out, std::string_view text) {
  out += "    ";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text[i] == '\n') {
      out += "\r\n    ";
    } else {
      out += text[i];
    }
  }
  out += "\r\n";
}

ResultCode readWhole(const std::filesystem::path& file, std::string& bytes) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return ResultCode::Ok;
  FileHandle in = FileHandle::openRead(file);
  if (!in.valid()) return ResultCode::CannotRead;
  char buffer[16384];
  for (;;) {
    const std::ptrdiff_t got = in.read(buffer, sizeof buffer);
    if (got < 0) return ResultCode::CannotRead;
    if (got == 0) return ResultCode::Ok;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

std::filesystem::path orphanFileFor(const std::filesystem::path& dataFile) {
  return dataFile.parent_path() / (dataFile.stem().string() + "-verwaiste-Bemerkungen.txt");
}

std::string orphanBlock(std::string_view volumeName, std::span<const OrphanRemark> orphans,
                        const platform::CivilTime& when) {
  char date[48];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d um %02d:%02d", when.day, when.month, when.year,
                when.hour, when.minute);
  std::string block = messages::orphanHeading(date, volumeName) + "\r\n";
  block += std::string(messages::kOrphansTitle) + ":\r\n\r\n";
  for (const OrphanRemark& orphan : orphans) {
    block += orphan.path + "\r\n";
    appendIndented(block, orphan.text);
    block += "\r\n";
  }
  return block;
}

ResultCode appendOrphans(const std::filesystem::path& file, std::string_view volumeName,
                         std::span<const OrphanRemark> orphans, const platform::CivilTime& when) {
  std::string old;
  if (const ResultCode code = readWhole(file, old); code != ResultCode::Ok) return code;
  const std::string block = orphanBlock(volumeName, orphans, when);
  // Old text that is not UTF-8 is Windows-1252 (this file's own other form).
  const bool oldUtf8 = hasNonAscii(old) && platform::isValidUtf8(old);
  const std::string oldText = oldUtf8 ? old : platform::cp1252ToUtf8(old);
  const bool utf8 = oldUtf8 || !platform::fitsCp1252(block);
  const std::string all = oldText + (old.empty() ? "" : "\r\n") + block;
  const std::string bytes = utf8 ? all : platform::utf8ToCp1252(all).value_or(all);

  std::filesystem::path temp = file;
  temp += ".tmp";
  FileHandle out = FileHandle::create(temp);
  if (!out.valid()) return ResultCode::CannotCreate;
  const bool written = out.write(bytes.data(), bytes.size()) && out.sync();
  if (!out.close() || !written || !renameFile(temp, file)) {
    removeFile(temp);
    return ResultCode::CannotWrite;
  }
  return ResultCode::Ok;
}

}  // namespace diskindex::scan
