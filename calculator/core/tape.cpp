#include "calculator/core/tape.h"

#include <cerrno>

#include "calculator/core/text_files.h"

namespace finova {
namespace {

std::tm localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm result{};
  localtime_r(&now, &result);
  return result;
}

bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

// Only the last this many bytes of a huge tape file are loaded; all of it
// stays in the file.
constexpr long kMaxFileBytes = 16L << 20;

// The text of a number, result or error line: a formatted number
// ("-1,234.50", "1.5E+11") or an error ("Error5").
bool isNumberToken(std::string_view token) {
  if (token.size() == 6 && token.substr(0, 5) == "Error") return true;
  if (token.empty()) return false;
  for (char c : token) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == '+' || c == 'E')) {
      return false;
    }
  }
  return true;
}

bool isTapeLine(std::string_view line) {
  while (!line.empty() && isSpace(line.front())) line.remove_prefix(1);
  while (!line.empty() && isSpace(line.back())) line.remove_suffix(1);
  if (line.empty()) return true;
  if (line.front() == '[') return characterCount(line) <= TapeLine::kTextSize;
  std::string_view tokens[3];
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < line.size();) {
    while (pos < line.size() && isSpace(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !isSpace(line[pos])) ++pos;
    if (count == 2) return false;
    tokens[count++] = line.substr(start, pos - start);
  }
  if (count == 1) return characterCount(tokens[0]) <= TapeLine::kMnemonicSize;
  return isNumberToken(tokens[0]) && characterCount(tokens[0]) <= TapeLine::kTextSize &&
         characterCount(tokens[1]) <= TapeLine::kMnemonicSize;
}

}  // namespace

std::string TapeLine::fileText() const {
  if (mnemonic.empty()) return text;
  return text + " " + mnemonic;
}

Tape::Tape() : m_clock(localNow) {}

Tape::~Tape() {
  closeFile();
  if (m_spill != nullptr) std::fclose(m_spill);
}

void Tape::append(TapeLine line) {
  if (m_lines.size() >= kMaxLines) {
    // Keep memory bounded: lines not yet in the tape file go there first,
    // then the oldest half moves to the spill file.
    if (m_file != nullptr) writePending();
    const std::size_t drop = kMaxLines / 2;
    if (m_spill == nullptr) m_spill = std::tmpfile();
    if (m_spill != nullptr) {
      for (std::size_t k = 0; k < drop; ++k) {
        const std::string text = m_lines[k].fileText() + "\r\n";
        std::fwrite(text.data(), 1, text.size(), m_spill);
      }
      m_spilled += drop;
    }
    m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(drop));
    m_written = m_written > drop ? m_written - drop : 0;
  }
  m_lines.push_back(std::move(line));
  ++m_addedSinceAdopted;
}

void Tape::AddKeyLine(std::string_view text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) {
    AddKeyLine({}, text);
  } else {
    AddKeyLine(text.substr(0, blank), text.substr(blank + 1));
  }
}

void Tape::AddKeyLine(std::string_view number, std::string_view mnemonic) {
  append({firstCharacters(number, TapeLine::kTextSize),
          firstCharacters(mnemonic, TapeLine::kMnemonicSize)});
}

void Tape::AddResultLine(std::string_view text) {
  append({firstCharacters(text, TapeLine::kTextSize), "###"});
}

void Tape::Annotate(std::string_view text) {
  append({"[" + firstCharacters(text, kMaxAnnotation) + "]", {}});
}

void Tape::AddTimeStamp() {
  const std::tm now = m_clock();
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d %02d:%02d:%02d", (now.tm_mon + 1) % 100,
                now.tm_mday % 100, now.tm_year % 100, now.tm_hour % 100, now.tm_min % 100,
                now.tm_sec % 100);
  Annotate(stamp);
}

void Tape::Clear() {
  m_lines.clear();
  m_written = 0;
  if (m_spill != nullptr) std::fclose(m_spill);
  m_spill = nullptr;
  m_spilled = 0;
  m_addedSinceAdopted = 0;
}

void Tape::closeFile() {
  if (m_file != nullptr) std::fclose(m_file);
  m_file = nullptr;
  m_path.clear();
}

std::deque<TapeLine> Tape::parse(std::string_view bytes) {
  std::deque<TapeLine> lines;
  std::size_t pos = 0;
  const std::size_t size = bytes.size();
  auto token = [&](std::size_t limit) {
    const std::size_t start = pos;
    while (pos < size && !isSpace(bytes[pos]) && !isLineEnd(bytes[pos])) ++pos;
    return firstCharacters(bytes.substr(start, pos - start), limit);
  };
  while (pos < size) {
    while (pos < size && (isSpace(bytes[pos]) || isLineEnd(bytes[pos]))) ++pos;
    if (pos >= size) break;
    TapeLine line;
    if (bytes[pos] == '[') {
      const std::size_t start = pos;
      while (pos < size && !isLineEnd(bytes[pos])) ++pos;
      line.text = firstCharacters(bytes.substr(start, pos - start), TapeLine::kTextSize);
    } else {
      std::string first = token(TapeLine::kTextSize);
      while (pos < size && isSpace(bytes[pos])) ++pos;
      if (pos >= size || isLineEnd(bytes[pos])) {
        line.mnemonic = firstCharacters(first, TapeLine::kMnemonicSize);
      } else {
        line.text = std::move(first);
        line.mnemonic = token(TapeLine::kMnemonicSize);
      }
    }
    while (pos < size && !isLineEnd(bytes[pos])) ++pos;
    lines.push_back(std::move(line));
  }
  return lines;
}

bool Tape::isTapeText(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    if (!isTapeLine(text.substr(pos, end - pos))) return false;
    pos = end + 1;
  }
  return true;
}

// Reads what a tape file holds (its tail when huge) and whether its last line
// lacks a line break. False when it cannot be read.
static bool readTail(const std::filesystem::path& path, std::string& contents,
                     bool& needsLineBreak) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fseek(file, 0, SEEK_END);
  const long fileSize = std::ftell(file);
  const bool tail = fileSize > kMaxFileBytes;
  std::fseek(file, tail ? fileSize - kMaxFileBytes : 0, SEEK_SET);
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  needsLineBreak = !contents.empty() && !isLineEnd(contents.back());
  // A tail starts inside a line: that line is left out.
  if (tail) contents.erase(0, std::min(contents.size(), contents.find_first_of("\r\n")));
  return ok;
}

static bool isTapeFileContent(std::string_view bytes) {
  return !hasBinaryBytes(bytes) && Tape::isTapeText(decodeFileText(bytes));
}

TapeFileStatus Tape::Load(const std::filesystem::path& path) {
  std::string bytes;
  bool needsLineBreak = false;
  std::error_code ignored;
  // A file that holds anything but tape lines is refused before it is
  // touched: it is neither created nor appended to.
  if (std::filesystem::exists(path, ignored)) {
    if (readTail(path, bytes, needsLineBreak) && !isTapeFileContent(bytes)) {
      return TapeFileStatus::NotATapeFile;
    }
  }
  closeFile();
  Clear();
  m_path = path;
  m_file = std::fopen(path.c_str(), "ab");
  if (m_file == nullptr) return TapeFileStatus::Unavailable;
  m_needsLineBreak = needsLineBreak;
  m_lines = parse(decodeFileText(bytes));
  if (m_lines.size() > kMaxLines) {
    m_spill = std::tmpfile();
    const std::size_t drop = m_lines.size() - kMaxLines;
    for (std::size_t k = 0; m_spill != nullptr && k < drop; ++k) {
      const std::string text = m_lines[k].fileText() + "\r\n";
      std::fwrite(text.data(), 1, text.size(), m_spill);
    }
    m_spilled = m_spill != nullptr ? drop : 0;
    m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(drop));
  }
  m_written = m_lines.size();
  return TapeFileStatus::Adopted;
}

bool Tape::writePending() {
  bool ok = true;
  std::string block;
  if (m_needsLineBreak && m_written < m_lines.size()) block = "\r\n";
  for (std::size_t k = m_written; k < m_lines.size(); ++k) {
    block += m_lines[k].fileText();
    block += "\r\n";
  }
  ok = std::fwrite(block.data(), 1, block.size(), m_file) == block.size();
  ok = std::fflush(m_file) == 0 && ok;
  if (ok) {
    m_written = m_lines.size();
    m_needsLineBreak = false;
  }
  return ok;
}

bool Tape::flush() {
  if (m_file == nullptr && !m_path.empty()) {
    // A tape file that was not available: try it again, adopting it only
    // when it is still (or now) a tape.
    std::string bytes;
    bool needsLineBreak = false;
    std::error_code ignored;
    if (std::filesystem::exists(m_path, ignored)) {
      if (!readTail(m_path, bytes, needsLineBreak) || !isTapeFileContent(bytes)) return false;
    }
    m_file = std::fopen(m_path.c_str(), "ab");
    m_needsLineBreak = needsLineBreak;
  }
  if (m_file == nullptr) return m_written >= m_lines.size();
  if (m_written >= m_lines.size()) return true;
  return writePending();
}

bool Tape::WriteNew() {
  if (m_path.empty()) return false;
  if (m_addedSinceAdopted > 0) {
    AddTimeStamp();
    Annotate("Tape Saved");
    m_addedSinceAdopted = 0;
  }
  return flush();
}

bool Tape::SaveAs(const std::filesystem::path& path) {
  std::string whole;
  if (m_spill != nullptr) {
    std::fflush(m_spill);
    std::rewind(m_spill);
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, m_spill)) > 0) whole.append(buffer, got);
    std::fseek(m_spill, 0, SEEK_END);
  }
  whole += text();
  if (!replaceFile(path, whole)) return false;
  closeFile();
  m_path = path;
  m_file = std::fopen(path.c_str(), "ab");
  m_written = m_lines.size();
  m_needsLineBreak = false;
  m_addedSinceAdopted = 0;
  return m_file != nullptr;
}

std::string Tape::text() const {
  std::string text;
  for (const TapeLine& line : m_lines) {
    text += line.fileText();
    text += "\r\n";
  }
  return text;
}

}  // namespace finova
