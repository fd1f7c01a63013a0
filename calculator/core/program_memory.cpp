#include "calculator/core/program_memory.h"

#include <cstdio>

#include "calculator/core/key_table.h"
#include "calculator/core/text_files.h"

namespace finova {
namespace {

constexpr std::uint8_t kEmpty = key::kNoKey;
constexpr ProgramMemory::Line kEmptyLine{kEmpty, kEmpty, kEmpty, kEmpty};
constexpr ProgramMemory::Line kGotoZero{key::kGto, 0, 0, 0};

bool isDigit(KeyCode code) {
  return code >= key::kDigit0 && code <= key::kDigit9;
}
bool isArithmetic(KeyCode code) {
  return code >= key::kPlus && code <= key::kDivide;
}
std::uint8_t slot(KeyCode code) {
  return static_cast<std::uint8_t>(code);
}

}  // namespace

void ProgramMemory::Clear() {
  m_steps.fill(kGotoZero);
  m_steps[0] = kEmptyLine;
  m_line = 0;
  m_pastEnd = false;
  m_recordState = RecordState::Normal;
  m_gotoCount = 0;
  m_gotoMove = false;
  m_queueIndex = 0;
  m_pauseCount = 0;
}

void ProgramMemory::Record(KeyKind kind, KeyCode code) {
  m_pastEnd = false;
  if (m_recordState == RecordState::Normal) {
    if (m_line < kLines - 1) ++m_line;
    m_savedLine = current();
    current() = kEmptyLine;
  }
  switch (m_recordState) {
    case RecordState::Normal:
      recordNormal(kind, code);
      break;
    case RecordState::Operand:
      recordOperand(kind, code);
      break;
    case RecordState::SecondDigit:
      recordSecondDigit(kind, code);
      break;
    case RecordState::GotoDigits:
      recordGoto(kind, code);
      break;
  }
}

void ProgramMemory::recordNormal(KeyKind kind, KeyCode code) {
  if (kind == KeyKind::RegisterAccess) {
    current()[0] = slot(code);
    m_recordState = RecordState::Operand;
  } else if (code == key::kGto) {
    m_recordState = RecordState::GotoDigits;
    m_gotoCount = 1;
    m_gotoMove = false;
    m_scratch = {key::kGto, kEmpty, kEmpty, kEmpty};
  } else {
    current()[0] = slot(code);
  }
}

void ProgramMemory::recordOperand(KeyKind kind, KeyCode code) {
  Line& line = current();
  const bool afterSto = line[0] == key::kSto;
  if (code == key::kPoint || (afterSto && isArithmetic(code))) {
    line[1] = slot(code);
    m_recordState = RecordState::SecondDigit;
  } else if (kind == KeyKind::Operation || kind == KeyKind::RegisterAccess) {
    // The prefix is dropped: the operation (or the new prefix) takes its place.
    line[0] = slot(code);
    if (kind == KeyKind::Operation) m_recordState = RecordState::Normal;
  } else {
    // A digit, a register key, or a key the engine consumes after the prefix.
    line[1] = slot(code);
    m_recordState = RecordState::Normal;
  }
}

void ProgramMemory::recordSecondDigit(KeyKind kind, KeyCode code) {
  Line& line = current();
  if (isDigit(code)) {
    line[2] = slot(code);
  } else {
    // Anything but the digit replaces the unfinished line.
    (void)kind;
    line = kEmptyLine;
    line[0] = slot(code);
  }
  m_recordState = RecordState::Normal;
}

void ProgramMemory::recordGoto(KeyKind kind, KeyCode code) {
  if (code == key::kPoint && m_gotoCount == 1 && !m_gotoMove) {
    m_gotoMove = true;
    return;
  }
  if (!isDigit(code)) {
    // Not a GTO after all: give the line back and record the key normally.
    current() = m_savedLine;
    if (m_line > 0) --m_line;
    m_recordState = RecordState::Normal;
    Record(kind, code);
    return;
  }
  m_scratch[static_cast<std::size_t>(m_gotoCount++)] = slot(code);
  if (m_gotoCount < kSlots) return;
  m_recordState = RecordState::Normal;
  if (!m_gotoMove) {
    current() = m_scratch;
    return;
  }
  current() = m_savedLine;
  m_line = m_scratch[1] * 100 + m_scratch[2] * 10 + m_scratch[3];
}

void ProgramMemory::skipLine() {
  if (m_line < kLines - 1) {
    ++m_line;
  } else {
    m_pastEnd = true;
  }
}

void ProgramMemory::StepForward() {
  m_pastEnd = false;
  if (m_line < kLines - 1) ++m_line;
}

void ProgramMemory::StepBack() {
  m_pastEnd = false;
  if (m_line > 0) --m_line;
}

std::string ProgramMemory::lineText(int line) const {
  char number[8];
  std::snprintf(number, sizeof number, "%03d- ", line);
  std::string text = number;
  if (line < 0 || line >= kLines) return text;
  for (std::uint8_t code : step(line)) {
    if (code == kEmpty) continue;
    text.push_back(' ');
    text += compactMnemonic(code);
  }
  return text;
}

KeyCode ProgramMemory::NextKey(bool running, bool& ended) {
  ended = false;
  if (m_pauseCount != 0) return key::kNoKey;
  if (m_queueIndex >= 1 && m_queueIndex < kSlots) {
    const KeyCode code = m_queue[static_cast<std::size_t>(m_queueIndex)];
    ++m_queueIndex;
    if (m_queueIndex >= kSlots || m_queue[static_cast<std::size_t>(m_queueIndex)] == kEmpty) {
      m_queueIndex = 0;
    }
    return code;
  }
  if (!running) return key::kNoKey;
  if (m_line == 0) m_line = 1;
  if (m_pastEnd || current()[0] == kEmpty) {
    ended = true;
    m_line = 0;
    m_pastEnd = false;
    return key::kNoKey;
  }
  const Line& line = current();
  m_queue = kEmptyLine;
  int queued = 1;
  for (int k = 1; k < kSlots; ++k) {
    if (line[static_cast<std::size_t>(k)] != kEmpty) {
      m_queue[static_cast<std::size_t>(queued++)] = line[static_cast<std::size_t>(k)];
    }
  }
  m_queueIndex = queued > 1 ? 1 : 0;
  skipLine();
  return line[0];
}

int ProgramMemory::takeGotoTarget() {
  int target = 0;
  for (int k = 1; k < kSlots; ++k) {
    const std::uint8_t code = m_queue[static_cast<std::size_t>(k)];
    target = target * 10 + (isDigit(code) ? code : 0);
  }
  m_queueIndex = 0;
  m_queue = kEmptyLine;
  return target;
}

bool ProgramMemory::pauseTick() {
  if (m_pauseCount == 0) return false;
  if (++m_pauseCount < 4) return false;
  m_pauseCount = 0;
  return true;
}

void ProgramMemory::setComment(std::string_view comment) {
  m_comment = firstCharacters(comment, kMaxComment);
}

}  // namespace finova
