#include "calculator/core/tape_journal.h"

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

}  // namespace

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
