#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <unordered_set>

#include "platform/codepage.h"

namespace platform {
namespace {

// A carriage return counts as a blank: a lone one may end the last line.
constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

// Keys, sections and values are single-line by nature; a line break in one
// would smuggle a new line into the file, so it becomes a blank. Bytes that
// are not UTF-8 are taken as Windows-1252, so the file stays UTF-8.
std::string oneLine(std::string_view s) {
  std::string out = utf8OrCp1252ToUtf8(s);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// A section or key name as the file holds it: on one line, without
// surrounding blanks. Lookups clean their names the same way as writes.
std::string cleanName(std::string_view s) {
  return std::string(trim(oneLine(s)));
}

// RtlUnicodeStringToInteger as the profile integer read uses it: blanks,
// a sign, an optional 0x/0o/0b base prefix, then the digits up to the first
// character that is not one; the result wraps like a 32-bit unsigned value.
int parseProfileInt(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned base = 10;
  if (i + 1 < s.size() && s[i] == '0') {
    const char p = static_cast<char>(s[i + 1] | 0x20);
    if (p == 'x') base = 16;
    if (p == 'o') base = 8;
    if (p == 'b') base = 2;
    if (base != 10) i += 2;
  }
  std::uint32_t value = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    unsigned digit = 99;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    if (digit >= base) break;
    value = value * base + digit;
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

enum class FileRead { Missing, Ok, Failed };

// Plain POSIX reading: streams throw on a directory and hide read errors.
FileRead readWholeFile(const std::filesystem::path& path, std::string& content) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  char buffer[65536];
  while (ok) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    content.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ok ? FileRead::Ok : FileRead::Failed;
}

// The process's umask without changing it (umask() would, for a moment, for
// every thread); 022 when the kernel does not say.
mode_t currentUmask() {
  std::FILE* status = std::fopen("/proc/self/status", "re");
  if (status == nullptr) return 022;
  char line[256];
  unsigned mask = 022;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
  }
  std::fclose(status);
  return static_cast<mode_t>(mask & 0777);
}

bool writeAll(int fd, const std::string& content) {
  std::size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

IniFile::IniFile(std::filesystem::path path) : m_path(std::move(path)) {
  std::string content;
  switch (readWholeFile(m_path, content)) {
    case FileRead::Missing:
      return;  // an empty document
    case FileRead::Ok:
      parse(content);
      return;
    case FileRead::Failed:
      // A file that is there but cannot be read (permissions, a directory,
      // an I/O error) must not be replaced by what little the program
      // writes: flush refuses.
      m_unreadable = true;
      return;
  }
}

IniFile IniFile::fromText(std::string_view text, std::filesystem::path path) {
  IniFile ini;
  ini.m_path = std::move(path);
  ini.parse(text);
  return ini;
}

void IniFile::parse(std::string_view content) {
  if (content.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    m_bom = true;
    content.remove_prefix(kUtf8Bom.size());
  }
  const std::string text = utf8OrCp1252ToUtf8(content);
  bool inSection = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    Line line;
    if (nl == std::string::npos) {
      line.raw = text.substr(pos);
      pos = text.size();
    } else {
      line.raw = text.substr(pos, nl - pos);
      line.end = "\n";
      pos = nl + 1;
    }
    if (!line.raw.empty() && line.raw.back() == '\r') {
      line.raw.pop_back();
      line.end.insert(0, "\r");
    }
    classify(line, inSection);
    if (line.kind == LineKind::Section) inSection = true;
    m_lines.push_back(std::move(line));
  }
  if (!m_lines.empty() && m_lines.front().end.find('\n') != std::string::npos) {
    m_newline = m_lines.front().end;
  }
}

void IniFile::classify(Line& line, bool inSection) {
  const std::string_view t = trim(line.raw);
  line.kind = LineKind::Other;
  line.name.clear();
  if (!t.empty() && t.front() == '[') {
    const auto close = t.find(']');
    line.kind = LineKind::Section;
    line.name = cleanName(t.substr(1, close == std::string_view::npos ? close : close - 1));
    return;
  }
  if (!inSection || t.empty() || t.front() == ';') return;
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return;
  std::string key = cleanName(t.substr(0, eq));
  if (key.empty()) return;
  line.kind = LineKind::Key;
  line.name = std::move(key);
}

std::string IniFile::valueOf(const Line& line) {
  std::string_view v = trim(std::string_view(line.raw).substr(line.raw.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v);
}

// Index of the first key line named key in any section named section.
std::optional<std::size_t> IniFile::findKey(std::string_view rawSection,
                                            std::string_view rawKey) const {
  const std::string section = cleanName(rawSection);
  const std::string key = cleanName(rawKey);
  bool inside = false;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.kind == LineKind::Section) {
      inside = equalsNoCase(line.name, section);
    } else if (inside && line.kind == LineKind::Key && equalsNoCase(line.name, key)) {
      return i;
    }
  }
  return std::nullopt;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  const auto index = findKey(section, key);
  if (!index) return std::string(defaultValue);
  return valueOf(m_lines[*index]);
}

int IniFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
  const auto index = findKey(section, key);
  if (!index) return defaultValue;
  const std::string value = valueOf(m_lines[*index]);
  if (value.empty()) return defaultValue;
  return parseProfileInt(value);
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
  return findKey(section, key).has_value();
}

bool IniFile::hasSection(std::string_view rawSection) const {
  const std::string section = cleanName(rawSection);
  for (const Line& line : m_lines) {
    if (line.kind == LineKind::Section && equalsNoCase(line.name, section)) return true;
  }
  return false;
}

std::vector<std::string> IniFile::keys(std::string_view rawSection) const {
  std::vector<std::string> result;
  for (auto& entry : entries(rawSection)) result.push_back(std::move(entry.first));
  return result;
}

std::vector<std::pair<std::string, std::string>> IniFile::entries(
    std::string_view rawSection) const {
  const std::string section = cleanName(rawSection);
  std::vector<std::pair<std::string, std::string>> result;
  std::unordered_set<std::string> seen;
  bool inside = false;
  for (const Line& line : m_lines) {
    if (line.kind == LineKind::Section) {
      inside = equalsNoCase(line.name, section);
    } else if (inside && line.kind == LineKind::Key && seen.insert(toUpperUtf8(line.name)).second) {
      result.emplace_back(line.name, valueOf(line));
    }
  }
  return result;
}

std::vector<std::string> IniFile::sections() const {
  std::vector<std::string> result;
  for (const Line& line : m_lines) {
    if (line.kind != LineKind::Section) continue;
    bool seen = false;
    for (const auto& s : result) seen = seen || equalsNoCase(s, line.name);
    if (!seen) result.push_back(line.name);
  }
  return result;
}

// Where a new key of the section at header index goes: after its last
// non-blank line, so blank lines that separate it from the next section stay
// where they are.
std::size_t IniFile::insertionPoint(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < m_lines.size() && m_lines[end].kind != LineKind::Section) ++end;
  while (end > header + 1 && trim(m_lines[end - 1].raw).empty()) --end;
  return end;
}

void IniFile::insertLine(std::size_t at, std::string raw, bool inSection) {
  // The line before the new one may be the last line of a file that ended
  // without a line break, or with a lone carriage return.
  if (at > 0 && (m_lines[at - 1].end.empty() || m_lines[at - 1].end == "\r")) {
    m_lines[at - 1].end = m_newline;
  }
  Line line;
  line.raw = std::move(raw);
  line.end = m_newline;
  classify(line, inSection);
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string cleanSection = cleanName(section);
  const std::string cleanKey = cleanName(key);
  const std::string cleanValue = oneLine(value);
  if (const auto index = findKey(cleanSection, cleanKey)) {
    Line& line = m_lines[*index];
    std::string raw = line.name + "=" + cleanValue;
    if (raw != line.raw) {
      line.raw = std::move(raw);
      m_dirty = true;
    }
    return;
  }
  m_dirty = true;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].kind == LineKind::Section && equalsNoCase(m_lines[i].name, cleanSection)) {
      insertLine(insertionPoint(i), cleanKey + "=" + cleanValue, true);
      return;
    }
  }
  if (!m_lines.empty() && !trim(m_lines.back().raw).empty()) insertLine(m_lines.size(), "", true);
  insertLine(m_lines.size(), "[" + cleanSection + "]", true);
  insertLine(m_lines.size(), cleanKey + "=" + cleanValue, true);
}

void IniFile::writeInt(std::string_view section, std::string_view key, int value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::eraseKey(std::string_view section, std::string_view key) {
  // Every copy goes, so that a duplicate further down does not surface.
  while (const auto index = findKey(section, key)) {
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*index));
    m_dirty = true;
  }
}

void IniFile::eraseSection(std::string_view rawSection) {
  const std::string section = cleanName(rawSection);
  std::vector<Line> kept;
  kept.reserve(m_lines.size());
  bool erasing = false;
  for (Line& line : m_lines) {
    if (line.kind == LineKind::Section) erasing = equalsNoCase(line.name, section);
    if (erasing) {
      m_dirty = true;
    } else {
      kept.push_back(std::move(line));
    }
  }
  m_lines = std::move(kept);
}

std::string IniFile::text() const {
  std::string out;
  if (m_bom) out += kUtf8Bom;
  for (const Line& line : m_lines) {
    out += line.raw;
    out += line.end;
  }
  return out;
}

bool IniFile::flush() {
  if (m_path.empty() || m_unreadable) return false;
  if (!m_dirty) return true;
  // A settings file that is a link (to a dotfiles folder, say) stays one:
  // the file it points to is replaced, not the link.
  std::filesystem::path target = m_path;
  std::error_code ec;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(m_path, ec))) {
    target = std::filesystem::weakly_canonical(m_path, ec);
    if (ec) return false;
  }
  std::string tempName = target.string() + ".XXXXXX";
  const int fd = mkstemp(tempName.data());
  if (fd < 0) return false;
  struct stat old {};
  // A settings file keeps its permissions; a new one gets 0666 minus umask.
  fchmod(fd, stat(target.c_str(), &old) == 0 ? old.st_mode & 07777 : 0666 & ~currentUmask());
  const bool ok = writeAll(fd, text()) && fsync(fd) == 0;
  if (::close(fd) != 0 || !ok || std::rename(tempName.c_str(), target.c_str()) != 0) {
    std::remove(tempName.c_str());
    return false;
  }
  m_dirty = false;
  return true;
}

}  // namespace platform
