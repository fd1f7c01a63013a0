// The key loop of the engine: PressKey, program keys fed back into it, SST,
// and the display refresh and tape journal after each key.
#include "calculator/core/calc_engine.h"

#include "calculator/core/key_table.h"

namespace finova {

CalcEngine::CalcEngine(FinanceRoutines* routines)
    : m_ownRoutines(makeFinanceRoutines()),
      m_operations(m_regs, routines != nullptr ? *routines : *m_ownRoutines),
      m_registerKeys(m_regs, routines != nullptr ? *routines : *m_ownRoutines) {}

void CalcEngine::setRoutines(FinanceRoutines* routines) {
  FinanceRoutines& chosen = routines != nullptr ? *routines : *m_ownRoutines;
  m_operations.setRoutines(chosen);
  m_registerKeys.setRoutines(chosen);
}

void CalcEngine::Reset() {
  m_regs.working = m_regs.X;
  m_lastKey = key::kNoKey;
  m_program.Clear();
  m_runner.reset();
  m_display.refresh(m_entry);
}

std::string_view CalcEngine::LastMnemonic() const {
  return compactMnemonic(m_machine.mnemonicKey());
}

void CalcEngine::PressKey(KeyCode code) {
  if (code == key::kPauseTick) {
    if (!m_program.pauseTick()) return;
    code = key::kNoKey;
  }
  bool failed = processKey(code);
  const bool ran = m_runner.running();
  for (std::size_t budget = m_keyBudget; m_runner.running() && !failed && budget > 0; --budget) {
    const KeyCode next = nextProgramKey();
    if (next == key::kNoKey) break;
    failed = processKey(next, true);
  }
  // An error stops the program at the failing step; R/S continues after it.
  if (failed) {
    m_runner.stop();
  } else if (ran && !m_runner.running() && m_lastKey != key::kRS) {
    m_journal.recordProgramEnd(m_regs, m_display.decimals());
  }
}

KeyCode CalcEngine::nextProgramKey() {
  bool ended = false;
  const KeyCode code = m_runner.nextKey(false, ended);
  if (ended) endProgram();
  return code;
}

void CalcEngine::endProgram() {
  m_runner.end();
  m_display.show(DisplayMode::Number, m_entry);
}

// SST outside program mode executes the next program line: its first key
// replaces SST, and the keys queued from the same line follow at once.
void CalcEngine::executeSingleStep() {
  bool ended = false;
  KeyCode code = m_runner.nextKey(true, ended);
  if (ended) endProgram();
  bool failed = processKey(code);
  while (!failed && !m_runner.running() && !m_program.queueEmpty()) {
    code = m_runner.nextKey(false, ended);
    failed = processKey(code);
  }
}

// Returns true when the key failed (its error has been shown).
bool CalcEngine::processKey(KeyCode code, bool fromProgram) {
  if (code < 0 || code > key::kNoKey) return false;  // not a key code at all
  ++m_keyCount;
  if (code == key::kNoKey) {
    m_regs.working = m_regs.X;
    m_display.refresh(m_entry);
    return false;
  }
  if (code == key::kSst && !m_runner.programMode() && !m_runner.running()) {
    executeSingleStep();
    return false;
  }
  KeyPress press;
  press.code = code;
  press.lastKey = m_lastKey;
  const EngineState previous = m_machine.state();
  const bool wasProgramMode = m_runner.programMode();
  m_machine.run(press);
  if (press.failed()) {
    m_display.showError(press.error);
    m_journal.recordError(press.error);
  } else if (code != key::kClearProgramMemory) {
    finishKey(press, previous, wasProgramMode, fromProgram);
  }
  m_regs.working = m_regs.X;
  m_lastKey = code;
  return press.failed();
}

void CalcEngine::finishKey(const KeyPress& press, EngineState previous, bool wasProgramMode,
                           bool fromProgram) {
  if (press.displayRequested) {
    m_display.show(press.display, m_entry, press.text);
  } else {
    m_display.refresh(m_entry);
  }
  const DisplayMode shown = m_display.mode();
  // The number keyed in before STO or RCL leaves the buffer once journalled.
  if (shown == DisplayMode::Hold && press.state == EngineState::StoRclOperand &&
      press.entryNumberPending) {
    m_entry.Clear();
  }
  const JournalKey key{press, previous,      wasProgramMode, m_runner.programMode(),
                       shown, LastMnemonic()};
  if (fromProgram) {
    m_journal.recordProgramKey(key, m_regs, m_display.decimals());
  } else {
    m_journal.recordKey(key, m_regs, m_display.decimals());
  }
}

}  // namespace finova
