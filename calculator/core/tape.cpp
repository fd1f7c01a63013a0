#include "calculator/core/tape.h"

#include <algorithm>

namespace finova {
namespace {

std::string cut(std::string_view text, std::size_t size) {
  return std::string(text.substr(0, size));
}

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

}  // namespace

std::string TapeLine::fileText() const {
  if (mnemonic.empty()) return text;
  return text + " " + mnemonic;
}

Tape::Tape() : m_clock(localNow) {}

Tape::~Tape() {
  closeFile();
}

void Tape::append(TapeLine line) {
  if (m_lines.size() >= kMaxLines) {
    // Keep the journal bounded: lines not yet in the tape file go there
    // first, then the oldest half leaves memory.
    if (m_file != nullptr) appendPending();
    const std::size_t drop = kMaxLines / 2;
    m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(drop));
    m_written = m_written > drop ? m_written - drop : 0;
  }
  m_lines.push_back(std::move(line));
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
  append({cut(number, TapeLine::kTextSize), cut(mnemonic, TapeLine::kMnemonicSize)});
}

void Tape::AddResultLine(std::string_view text) {
  append({cut(text, TapeLine::kTextSize), "###"});
}

void Tape::Annotate(std::string_view text) {
  std::string line = "[";
  line += text;
  line = cut(line, TapeLine::kTextSize - 1);
  line += ']';
  append({std::move(line), {}});
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
    return cut(bytes.substr(start, pos - start), limit);
  };
  while (pos < size) {
    while (pos < size && (isSpace(bytes[pos]) || isLineEnd(bytes[pos]))) ++pos;
    if (pos >= size) break;
    TapeLine line;
    if (bytes[pos] == '[') {
      const std::size_t start = pos;
      while (pos < size && !isLineEnd(bytes[pos])) ++pos;
      line.text = cut(bytes.substr(start, pos - start), TapeLine::kTextSize);
    } else {
      std::string first = token(TapeLine::kTextSize);
      while (pos < size && isSpace(bytes[pos])) ++pos;
      if (pos >= size || isLineEnd(bytes[pos])) {
        line.mnemonic = cut(first, TapeLine::kMnemonicSize);
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

bool Tape::Load(const std::filesystem::path& path) {
  closeFile();
  Clear();
  std::FILE* file = std::fopen(path.c_str(), "a+b");
  if (file == nullptr) return false;
  // Only the last kMaxFileBytes of a huge tape file are shown; all of it
  // stays in the file.
  constexpr long kMaxFileBytes = 16L << 20;
  std::fseek(file, 0, SEEK_END);
  const long fileSize = std::ftell(file);
  const bool tail = fileSize > kMaxFileBytes;
  std::fseek(file, tail ? fileSize - kMaxFileBytes : 0, SEEK_SET);
  std::string bytes;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  if (tail) bytes.erase(0, std::min(bytes.size(), bytes.find_first_of("\r\n")));
  std::deque<TapeLine> loaded = parse(bytes);
  if (loaded.size() > kMaxLines) {
    loaded.erase(loaded.begin(), loaded.end() - static_cast<std::ptrdiff_t>(kMaxLines));
  }
  m_lines = std::move(loaded);
  m_written = m_lines.size();
  m_file = file;
  m_path = path;
  return true;
}

bool Tape::appendPending() {
  bool ok = true;
  for (std::size_t k = m_written; k < m_lines.size(); ++k) {
    const std::string line = m_lines[k].fileText() + "\r\n";
    ok = ok && std::fwrite(line.data(), 1, line.size(), m_file) == line.size();
  }
  ok = std::fflush(m_file) == 0 && ok;
  m_written = m_lines.size();
  return ok;
}

bool Tape::WriteNew() {
  if (m_file == nullptr) return false;
  if (m_written >= m_lines.size()) return true;
  AddTimeStamp();
  Annotate("Tape Saved");
  return appendPending();
}

bool Tape::SaveAs(const std::filesystem::path& path) {
  closeFile();
  std::FILE* file = std::fopen(path.c_str(), "w+b");
  if (file == nullptr) return false;
  m_file = file;
  m_path = path;
  m_written = 0;
  return appendPending();
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
