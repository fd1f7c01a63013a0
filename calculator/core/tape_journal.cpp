#include "calculator/core/tape_journal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "calculator/core/number_format.h"
#include "calculator/core/tape.h"

namespace finova {
namespace {

bool computes(EngineState state) {
  return state == EngineState::Operate || state == EngineState::RegisterSolve ||
         state == EngineState::ProgramRun;
}

std::int64_t steadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::size_t bytesFrom(const Tape& tape, std::size_t firstLine) {
  std::size_t bytes = 0;
  for (std::size_t k = firstLine; k < tape.size(); ++k) {
    bytes += tape.lines()[k].fileText().size() + 2;
  }
  return bytes;
}

}  // namespace

void TapeJournal::recordProgramKey(const JournalKey& key, const EngineRegisters& registers,
                                   int decimals) {
  if (m_tape == nullptr) return;
  if (!m_full) {
    const KeyCode code = key.press.code;
    if (code != key::kRS && code != key::kPse) return;
    m_tape->AddKeyLine({}, key.mnemonic);
    m_tape->AddResultLine(FormatNumber(registers.X, decimals));
    return;
  }
  if (!withinBudget()) return;
  const std::size_t before = m_tape->size();
  recordKey(key, registers, decimals);
  // A full tape drops its oldest lines, so count only what is still there.
  m_periodBytes += bytesFrom(*m_tape, std::min(before, m_tape->size()));
}

bool TapeJournal::withinBudget() {
  const std::int64_t now = m_clock ? m_clock() : steadyMilliseconds();
  if (m_periodStart < 0 || now - m_periodStart >= kBudgetPeriodMs) {
    m_periodStart = now;
    m_periodBytes = 0;
    noteSkippedSteps();
  }
  if (m_periodBytes < kProgramBytesPerMinute) return true;
  ++m_skipped;
  return false;
}

void TapeJournal::noteSkippedSteps() {
  if (m_skipped == 0 || m_tape == nullptr) return;
  m_tape->Annotate("skipped " + std::to_string(m_skipped));
  m_skipped = 0;
}

void TapeJournal::recordProgramEnd(const EngineRegisters& registers, int decimals) {
  if (m_tape == nullptr) return;
  if (m_full) {
    noteSkippedSteps();
    return;
  }
  m_tape->AddResultLine(FormatNumber(registers.X, decimals));
}

void TapeJournal::recordError(int code) {
  if (m_tape != nullptr) m_tape->AddResultLine("Error" + std::to_string(code - 1));
}

void TapeJournal::recordKey(const JournalKey& key, const EngineRegisters& registers, int decimals) {
  if (m_tape == nullptr) return;
  const KeyPress& press = key.press;
  if (key.programMode || key.wasProgramMode) {
    if (press.code == key::kPR) m_tape->AddKeyLine({}, key.mnemonic);
    return;
  }
  const bool prefixPending =
      key.display == DisplayMode::Hold && press.state == EngineState::StoRclOperand;
  if (prefixPending) {
    const bool numberBeforePrefix = press.entryNumberPending && registers.stackLift;
    m_tape->AddKeyLine(numberBeforePrefix ? FormatNumber(press.entryNumber, decimals) : "",
                       key.mnemonic);
    return;
  }
  if (key.display == DisplayMode::Number) recordShownNumberKey(key, registers, decimals);
}

// A key after which the display shows X: a key line, or an entry line when
// the key ended a number keyed in; then a GTO's target and the result.
void TapeJournal::recordShownNumberKey(const JournalKey& key, const EngineRegisters& registers,
                                       int decimals) {
  const KeyPress& press = key.press;
  const EngineState state = press.state;
  const EngineState previous = key.previousState;
  const bool keyLine = (previous == EngineState::StoRclOperand && state == EngineState::Entering) ||
                       state == previous || press.code == key::kClx ||
                       (computes(state) && computes(previous)) ||
                       (state == EngineState::Entering && previous != EngineState::Entering) ||
                       !press.entryNumberPending;
  m_tape->AddKeyLine(keyLine ? std::string() : FormatNumber(press.entryNumber, decimals),
                     key.mnemonic);
  if (press.executedGoto >= 0) {
    char target[16];
    std::snprintf(target, sizeof target, "%03d", press.executedGoto % 1000);
    m_tape->AddKeyLine({}, target);
  }
  if (registers.stackLift) m_tape->AddResultLine(FormatNumber(registers.X, decimals));
}

}  // namespace finova
