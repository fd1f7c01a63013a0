// The .pgm text form of program memory: a comment block of "CCC  " lines,
// then one line per recorded program line ("001  STO 1"), CR LF line ends.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "calculator/core/key_table.h"
#include "calculator/core/program_memory.h"
#include "calculator/core/text_files.h"

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
  // A cleared line reads GTO 0 0 0 and a load fills missing lines with it,
  // so the filler after the last recorded line is not written.
  const Line filler{key::kGto, 0, 0, 0};
  int lastLine = kLines - 1;
  while (lastLine > 0 && step(lastLine) == filler) --lastLine;
  for (int line = 1; line <= lastLine; ++line) {
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

// False when the line is neither a comment nor a program line.
bool ProgramMemory::readLine(std::string_view line, bool& programLine) {
  programLine = false;
  if (line.empty()) return true;
  if (!isDigitChar(line[0])) {
    std::size_t from = line.find(' ');
    from = from == std::string_view::npos ? line.size() : line.find_first_not_of(' ', from);
    if (from == std::string_view::npos) from = line.size();
    std::string piece(line.substr(from));
    piece += "\r\n";
    if (characterCount(m_comment) + characterCount(piece) <= kMaxComment) m_comment += piece;
    return true;
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
  if (token.empty() || first.size() > 3) return false;
  int number = 0;
  for (char c : first) {
    if (!isDigitChar(c)) return false;
    number = number * 10 + (c - '0');
  }
  // Line 0 is the empty top of memory; no file holds it.
  if (number < 1 || number >= kLines) return false;
  Line codes = {key::kNoKey, key::kNoKey, key::kNoKey, key::kNoKey};
  std::size_t next = 0;
  for (; !token.empty(); token = nextToken()) {
    const auto code = token.size() <= kMaxToken ? keyFromMnemonic(token) : std::nullopt;
    if (!code || next == codes.size()) return false;
    codes[next++] = static_cast<std::uint8_t>(*code);
  }
  m_steps[static_cast<std::size_t>(number)] = codes;
  programLine = true;
  return true;
}

bool ProgramMemory::fromText(std::string_view text) {
  // Read into a copy, so a file that turns out not to be a program leaves
  // program memory as it was.
  auto loaded = std::make_unique<ProgramMemory>(*this);
  loaded->Clear();
  loaded->m_comment.clear();
  bool anyProgramLine = false;
  bool onlyCommentBlock = true;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, std::min(end - pos, kMaxLineLength));
    bool programLine = false;
    if (!loaded->readLine(line, programLine)) return false;
    anyProgramLine = anyProgramLine || programLine;
    if (!line.empty() && !programLine && line.substr(0, 3) != "CCC") onlyCommentBlock = false;
    pos = end + 1;
  }
  // Free text without a single program line is some other file.
  if (!anyProgramLine && !onlyCommentBlock) return false;
  *this = *loaded;
  return true;
}

bool ProgramMemory::Save(const std::filesystem::path& path) const {
  return replaceFile(path, toText());
}

ProgramFileStatus ProgramMemory::Load(const std::filesystem::path& path) {
  // A program file holds at most a few tens of kilobytes; reading stops at a
  // generous limit so that an oversized file cannot exhaust memory.
  constexpr std::size_t kMaxFile = 4u << 20;
  const auto bytes = readFileBytes(path, kMaxFile);
  if (!bytes) return ProgramFileStatus::CannotRead;
  if (hasBinaryBytes(*bytes) || !fromText(decodeFileText(*bytes))) {
    return ProgramFileStatus::NotAProgramFile;
  }
  return ProgramFileStatus::Loaded;
}

}  // namespace finova
