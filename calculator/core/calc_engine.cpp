// The key loop and the state machine of the engine: PressKey, the handlers of
// the eight states and number entry. Operations, register keys, the display
// and the tape journal are in their own files.
#include "calculator/core/calc_engine.h"

#include "calculator/core/key_table.h"

namespace finova {
namespace {

bool isDigitKey(KeyCode code) {
  return code >= key::kDigit0 && code <= key::kDigit9;
}

}  // namespace

CalcEngine::CalcEngine(FinanceRoutines* routines) {
  setRoutines(routines);
}

void CalcEngine::setRoutines(FinanceRoutines* routines) {
  if (routines == nullptr) {
    if (!m_ownRoutines) m_ownRoutines = std::make_unique<UnavailableRoutines>();
    routines = m_ownRoutines.get();
  }
  m_routines = routines;
}

void CalcEngine::setDecimals(int decimals) {
  m_decimals = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
}

void CalcEngine::Reset() {
  m_regs.x = m_regs.X;
  m_lastKey = key::kNoKey;
  m_program.Clear();
  m_running = false;
  m_programMode = false;
  refreshDisplay();
}

std::string_view CalcEngine::LastMnemonic() const {
  return compactMnemonic(m_lastMnemonicKey);
}

void CalcEngine::PressKey(KeyCode code) {
  if (code == key::kPauseTick) {
    if (!m_program.pauseTick()) return;
    code = key::kNoKey;
  }
  bool failed = processKey(code);
  for (std::size_t budget = m_keyBudget; m_running && !failed && budget > 0; --budget) {
    const KeyCode next = nextProgramKey();
    if (next == key::kNoKey) break;
    failed = processKey(next);
  }
  // An error stops the program at the failing step; R/S continues after it.
  if (failed) m_running = false;
}

KeyCode CalcEngine::nextProgramKey() {
  bool ended = false;
  const KeyCode code = m_program.NextKey(m_running, ended);
  if (ended) endProgram();
  return code;
}

void CalcEngine::endProgram() {
  m_running = false;
  m_program.setLine(0);
  m_regs.stackLift = false;
  m_displayMode = DisplayMode::Number;
  if (m_entry.entryActive()) m_entry.Clear();
  refreshDisplay();
}

// SST outside program mode executes the next program line: its first key
// replaces SST, and the keys queued from the same line follow at once.
void CalcEngine::executeSingleStep() {
  bool ended = false;
  KeyCode code = m_program.NextKey(true, ended);
  if (ended) endProgram();
  bool failed = processKey(code);
  while (!failed && !m_running && !m_program.queueEmpty()) {
    code = m_program.NextKey(false, ended);
    failed = processKey(code);
  }
}

// Returns true when the key failed (its error has been shown).
bool CalcEngine::processKey(KeyCode code) {
  if (code < 0 || code > key::kNoKey) return false;  // not a key code at all
  ++m_keyCount;
  if (code == key::kNoKey) {
    m_regs.x = m_regs.X;
    refreshDisplay();
    return false;
  }
  if (code == key::kSst && !m_programMode && !m_running) {
    executeSingleStep();
    return false;
  }
  const EngineState previous = m_state;
  const bool wasProgramMode = m_programMode;
  m_executedGoto = -1;
  m_entryNumberPending = false;
  if (code == key::kBeg || code == key::kEnd) {
    m_regs.endMode = code == key::kEnd;
    m_lastMnemonicKey = code;
  } else if (code == key::kClearProgramMemory) {
    m_program.Clear();
  } else {
    runStateMachine(code);
  }
  const bool failed = m_error != error::kNone;
  if (failed) {
    showError();
  } else if (code != key::kClearProgramMemory) {
    journal(code, previous, wasProgramMode);
    refreshDisplay();
  }
  m_regs.x = m_regs.X;
  m_lastKey = code;
  return failed;
}

void CalcEngine::runStateMachine(KeyCode code) {
  const KeyKind kind = keyKind(code);
  if (kind == KeyKind::NoKey) return;
  // Each pass either finishes the key or moves to another state; no key
  // passes through more than a few states, the bound only guards the loop.
  for (int pass = 0; pass < 8; ++pass) {
    const bool done = handle(kind, code);
    if (done) {
      if (m_displayMode != DisplayMode::Entry) m_lastMnemonicKey = code;
      return;
    }
    if (m_error != error::kNone) return;
  }
}

bool CalcEngine::handle(KeyKind kind, KeyCode code) {
  switch (m_state) {
    case EngineState::Entering:
      return handleEntering(kind, code);
    case EngineState::Operate:
      return handleOperate(kind, code);
    case EngineState::RegisterStore:
      return handleRegisterStore(kind, code);
    case EngineState::RegisterSolve:
      return handleRegisterSolve(kind, code);
    case EngineState::StoRclStart:
      m_displayMode = DisplayMode::Hold;
      m_regs.X = m_regs.x;
      m_stoRclKey = code;
      m_stoRclOp = key::kNoKey;
      m_stoRclDot = false;
      m_state = EngineState::StoRclOperand;
      return true;
    case EngineState::StoRclOperand:
      return handleStoRclOperand(kind, code);
    case EngineState::ProgramKey:
      return handleProgramKey(kind, code);
    case EngineState::ProgramRun:
      return handleProgramRun(kind, code);
  }
  return true;
}

bool CalcEngine::switchByKind(KeyKind kind) {
  switch (kind) {
    case KeyKind::Entry:
      m_state = EngineState::Entering;
      break;
    case KeyKind::Operation:
      m_state = EngineState::Operate;
      break;
    case KeyKind::RegisterAccess:
      m_state = EngineState::StoRclStart;
      break;
    case KeyKind::RegisterKey:
      m_state = EngineState::RegisterStore;
      break;
    case KeyKind::ProgramControl:
      m_state = EngineState::ProgramKey;
      break;
    case KeyKind::NoKey:
      return true;
  }
  return false;
}

bool CalcEngine::handleEntering(KeyKind kind, KeyCode code) {
  m_displayMode = DisplayMode::Entry;
  if (kind == KeyKind::Entry) {
    editEntry(code);
    return true;
  }
  if (code == key::kSst) return switchByKind(kind);  // SST leaves the entry open
  if (m_entry.entryActive()) {
    m_regs.x = m_entry.Parse();
    m_entryNumber = m_regs.x;
    m_entryNumberPending = true;
    if (kind == KeyKind::RegisterAccess || kind == KeyKind::ProgramControl) {
      m_regs.stackLift = true;
    }
    // Program control keys use X as it stands, so the number keyed in
    // becomes X (the push for it happened at its first digit).
    if (kind == KeyKind::ProgramControl) m_regs.X = m_regs.x;
  }
  // For STO and RCL the buffer is cleared when the prefix is journalled.
  if (kind != KeyKind::RegisterAccess) m_entry.Clear();
  return switchByKind(kind);
}

void CalcEngine::editEntry(KeyCode code) {
  if (code == key::kChs) {
    if (m_entry.entryActive()) {
      m_entry.AddChar('-');
      return;
    }
    m_regs.X = -m_regs.X;
    m_regs.stackLift = true;
    m_displayMode = DisplayMode::Number;
    m_state = EngineState::Operate;
    return;
  }
  if (m_regs.stackLift) {
    m_regs.stackLift = false;
    m_regs.push();
  }
  char c = EntryBuffer::kBackspace;
  if (isDigitKey(code)) {
    c = static_cast<char>('0' + code);
  } else if (code == key::kPoint) {
    c = '.';
  } else if (code == key::kEex) {
    c = 'E';
  }
  m_entry.AddChar(c, m_lastKey == key::kBackspace);
}

bool CalcEngine::handleOperate(KeyKind kind, KeyCode code) {
  m_displayMode = DisplayMode::Number;
  if (kind != KeyKind::Operation) return switchByKind(kind);
  runOperation(code);
  return true;
}

bool CalcEngine::handleRegisterStore(KeyKind kind, KeyCode code) {
  m_displayMode = DisplayMode::Number;
  if (kind != KeyKind::RegisterKey) return switchByKind(kind);
  registerFirstPress(code);
  m_state = EngineState::RegisterSolve;
  return true;
}

bool CalcEngine::handleRegisterSolve(KeyKind kind, KeyCode code) {
  m_displayMode = DisplayMode::Number;
  if (kind != KeyKind::RegisterKey) return switchByKind(kind);
  registerRepeatPress(code);
  return true;
}

}  // namespace finova
