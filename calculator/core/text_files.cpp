#include "calculator/core/text_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "platform/codepage.h"

namespace finova {
namespace {

bool isContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The byte length of the character starting at `at` (1 for a stray byte).
std::size_t characterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  for (std::size_t k = 1; k < length; ++k) {
    if (at + k >= text.size() || !isContinuation(static_cast<unsigned char>(text[at + k]))) {
      return 1;
    }
  }
  return length;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  while (bytes.size() < limit && in.read(buffer, sizeof buffer).gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  if (bytes.size() > limit) bytes.resize(limit);
  return bytes;
}

std::string decodeFileText(std::string_view bytes) {
  return platform::utf8OrCp1252ToUtf8(bytes);
}

bool replaceFile(const std::filesystem::path& path, std::string_view bytes) {
  const std::string temp = path.string() + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

std::size_t characterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < utf8.size(); at += characterLength(utf8, at)) ++count;
  return count;
}

std::string firstCharacters(std::string_view utf8, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t k = 0; k < count && at < utf8.size(); ++k) at += characterLength(utf8, at);
  return std::string(utf8.substr(0, at));
}

bool hasBinaryBytes(std::string_view bytes) {
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) return true;
  }
  return false;
}

}  // namespace finova
