#include "calculator/core/key_state_machine.h"

#include "calculator/core/key_table.h"

namespace finova {
namespace {

bool isDigitKey(KeyCode code) {
  return code >= key::kDigit0 && code <= key::kDigit9;
}

}  // namespace

// BEG, END and the clearing of program memory leave the state and an entry
// in progress alone; every other key runs the states.
void KeyStateMachine::run(KeyPress& press) {
  const KeyCode code = press.code;
  press.state = m_state;
  if (code == key::kBeg || code == key::kEnd) {
    m_parts.registers.endMode = code == key::kEnd;
    m_mnemonicKey = code;
  } else if (code == key::kClearProgramMemory) {
    m_parts.runner.clearMemory();
  } else {
    runStates(press);
    m_state = press.state;
  }
}

void KeyStateMachine::runStates(KeyPress& press) {
  const KeyKind kind = keyKind(press.code);
  if (kind == KeyKind::NoKey) return;
  // Each pass either finishes the key or moves to another state; no key
  // passes through more than a few states, the bound only guards the loop.
  for (int pass = 0; pass < 8; ++pass) {
    if (handle(kind, press.code, press)) {
      if (press.display != DisplayMode::Entry) m_mnemonicKey = press.code;
      return;
    }
    if (press.failed()) return;
  }
}

bool KeyStateMachine::handle(KeyKind kind, KeyCode code, KeyPress& press) {
  switch (press.state) {
    case EngineState::Entering:
      return entering(kind, code, press);
    case EngineState::Operate:
      return operate(kind, code, press);
    case EngineState::RegisterStore:
      return registerStore(kind, code, press);
    case EngineState::RegisterSolve:
      return registerSolve(kind, code, press);
    case EngineState::StoRclStart:
      return stoRclStart(code, press);
    case EngineState::StoRclOperand:
      return m_parts.registerKeys.operand(kind, code, press);
    case EngineState::ProgramKey:
      return m_parts.runner.programKey(kind, code, press);
    case EngineState::ProgramRun:
      return m_parts.runner.programRun(kind, code, press);
  }
  return true;
}

bool KeyStateMachine::entering(KeyKind kind, KeyCode code, KeyPress& press) {
  press.show(DisplayMode::Entry);
  if (kind == KeyKind::Entry) {
    editEntry(code, press);
    return true;
  }
  if (code == key::kSst) return switchByKind(kind, press);  // SST leaves the entry open
  EngineRegisters& r = m_parts.registers;
  EntryBuffer& entry = m_parts.entry;
  if (entry.entryActive()) {
    r.working = entry.Parse();
    press.entryNumber = r.working;
    press.entryNumberPending = true;
    if (kind == KeyKind::RegisterAccess || kind == KeyKind::ProgramControl) r.stackLift = true;
    // Program control keys use X as it stands, so the number keyed in
    // becomes X (the push for it happened at its first digit).
    if (kind == KeyKind::ProgramControl) r.X = r.working;
  }
  // For STO and RCL the buffer is cleared when the prefix is journalled.
  if (kind != KeyKind::RegisterAccess) entry.Clear();
  return switchByKind(kind, press);
}

void KeyStateMachine::editEntry(KeyCode code, KeyPress& press) {
  EngineRegisters& r = m_parts.registers;
  EntryBuffer& entry = m_parts.entry;
  if (code == key::kChs) {
    if (entry.entryActive()) {
      entry.AddChar('-');
      return;
    }
    r.X = -r.X;
    r.stackLift = true;
    press.show(DisplayMode::Number);
    press.state = EngineState::Operate;
    return;
  }
  if (r.stackLift) {
    r.stackLift = false;
    r.push();
  }
  char c = EntryBuffer::kBackspace;
  if (isDigitKey(code)) {
    c = static_cast<char>('0' + code);
  } else if (code == key::kPoint) {
    c = '.';
  } else if (code == key::kEex) {
    c = 'E';
  }
  entry.AddChar(c, press.lastKey == key::kBackspace);
}

bool KeyStateMachine::operate(KeyKind kind, KeyCode code, KeyPress& press) {
  press.show(DisplayMode::Number);
  if (kind != KeyKind::Operation) return switchByKind(kind, press);
  RoutineOutput out;
  press.error = m_parts.operations.run(code, m_parts.display.decimals(), press.lastKey, out);
  if (!press.failed() && out.showText) {
    press.show(DisplayMode::Text);
    press.text = std::move(out.text);
  }
  return true;
}

bool KeyStateMachine::registerStore(KeyKind kind, KeyCode code, KeyPress& press) {
  press.show(DisplayMode::Number);
  if (kind != KeyKind::RegisterKey) return switchByKind(kind, press);
  press.error = m_parts.registerKeys.firstPress(code);
  press.state = EngineState::RegisterSolve;
  return true;
}

bool KeyStateMachine::registerSolve(KeyKind kind, KeyCode code, KeyPress& press) {
  press.show(DisplayMode::Number);
  if (kind != KeyKind::RegisterKey) return switchByKind(kind, press);
  press.error = m_parts.registerKeys.repeatPress(code);
  return true;
}

bool KeyStateMachine::stoRclStart(KeyCode code, KeyPress& press) {
  press.show(DisplayMode::Hold);
  m_parts.registers.X = m_parts.registers.working;
  m_parts.registerKeys.startStoRcl(code);
  press.state = EngineState::StoRclOperand;
  return true;
}

}  // namespace finova
