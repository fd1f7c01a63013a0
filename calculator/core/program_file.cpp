// The .pgm text form of program memory: a comment block of "CCC  " lines,
// then one line per non-empty program line ("001  STO 1"), CR LF line ends.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "calculator/core/key_table.h"
#include "calculator/core/program_memory.h"

namespace finova {
namespace {

constexpr std::size_t kMaxToken = 20;
// Longer lines are cut; no meaningful line comes near this.
constexpr std::size_t kMaxLineLength = 4096;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isDigitChar(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string ProgramMemory::toText() const {
  std::string text;
  std::size_t start = 0;
  while (start < m_comment.size()) {
    std::size_t end = m_comment.find('\n', start);
    const bool last = end == std::string::npos;
    if (last) end = m_comment.size();
    std::string_view piece(m_comment.data() + start, end - start);
    if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
    text += "CCC  ";
    text += piece;
    text += "\r\n";
    start = last ? end : end + 1;
  }
  for (int line = 1; line < kLines; ++line) {
    const Line& codes = step(line);
    bool empty = true;
    for (std::uint8_t code : codes) empty = empty && code == key::kNoKey;
    if (empty) continue;
    char number[8];
    std::snprintf(number, sizeof number, "%03d ", line);
    text += number;
    for (std::uint8_t code : codes) {
      if (code == key::kNoKey) continue;
      text.push_back(' ');
      text += compactMnemonic(code);
    }
    text += "\r\n";
  }
  return text;
}

void ProgramMemory::readLine(std::string_view line) {
  if (line.empty()) return;
  if (!isDigitChar(line[0])) {
    std::size_t from = line.find(' ');
    from = from == std::string_view::npos ? line.size() : line.find_first_not_of(' ', from);
    if (from == std::string_view::npos) from = line.size();
    std::string piece(line.substr(from));
    piece += "\r\n";
    if (m_comment.size() + piece.size() <= kMaxComment) m_comment += piece;
    return;
  }
  std::size_t pos = 0;
  auto nextToken = [&]() {
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !isBlank(line[pos])) ++pos;
    return line.substr(start, pos - start);
  };
  const std::string_view first = nextToken();
  std::string_view token = nextToken();
  if (token.empty() || first.size() > 3) return;
  int number = 0;
  for (char c : first) {
    if (!isDigitChar(c)) return;
    number = number * 10 + (c - '0');
  }
  // Line 0 stays the empty top of memory.
  if (number < 1 || number >= kLines) return;
  Line& codes = m_steps[static_cast<std::size_t>(number)];
  codes = {key::kNoKey, key::kNoKey, key::kNoKey, key::kNoKey};
  std::size_t next = 0;
  for (; !token.empty() && next < codes.size(); token = nextToken()) {
    const auto code = keyFromMnemonic(token.substr(0, kMaxToken));
    if (code) codes[next++] = static_cast<std::uint8_t>(*code);
  }
}

void ProgramMemory::fromText(std::string_view text) {
  Clear();
  m_comment.clear();
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    readLine(text.substr(pos, std::min(end - pos, kMaxLineLength)));
    pos = end + 1;
  }
}

bool ProgramMemory::Save(const std::filesystem::path& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const std::string text = toText();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out.flush());
}

bool ProgramMemory::Load(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // A program file holds at most a few tens of kilobytes; reading stops at a
  // generous limit so that an oversized file cannot exhaust memory.
  constexpr std::size_t kMaxFile = 4u << 20;
  std::string text;
  char buffer[65536];
  while (text.size() < kMaxFile && in.read(buffer, sizeof buffer).gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  fromText(text);
  return true;
}

}  // namespace finova
