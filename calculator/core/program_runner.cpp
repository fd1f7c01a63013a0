#include "calculator/core/program_runner.h"

namespace finova {

KeyCode ProgramRunner::nextKey(bool forced, bool& ended) {
  ended = false;
  return m_program.NextKey(forced || m_running, ended);
}

void ProgramRunner::end() {
  m_running = false;
  m_program.setLine(0);
  m_regs.stackLift = false;
  if (m_entry.entryActive()) m_entry.Clear();
}

void ProgramRunner::reset() {
  m_running = false;
  m_programMode = false;
}

bool ProgramRunner::programKey(KeyKind kind, KeyCode code, KeyPress& press) {
  press.show(DisplayMode::ProgramLine);
  if (m_programMode) {
    programModeKey(kind, code, press);
    return true;
  }
  if (m_running) {
    press.state = EngineState::ProgramRun;
    return false;
  }
  if (m_gotoDigits >= 0) return gotoDigit(kind, code, press);
  if (kind != KeyKind::ProgramControl) return switchByKind(kind, press);
  switch (code) {
    case key::kPR:
      m_programMode = true;
      break;
    case key::kRS:
      m_running = true;
      press.state = EngineState::ProgramRun;
      break;
    case key::kGto:
      m_gotoDigits = 0;
      m_gotoTarget = 0;
      press.show(DisplayMode::Hold);
      break;
    default:
      break;  // BST, PSE, X<=Y, X=0, C_PGM: nothing outside a program
  }
  return true;
}

// In program mode every key but P/R, C_PGM, SST and BST is recorded.
void ProgramRunner::programModeKey(KeyKind kind, KeyCode code, KeyPress& press) {
  switch (code) {
    case key::kPR:
      m_programMode = false;
      m_program.setLine(0);
      press.show(DisplayMode::Number);
      m_regs.stackLift = false;
      press.state = EngineState::Entering;
      break;
    case key::kClearPgm:
      m_program.Clear();
      break;
    case key::kSst:
      m_program.StepForward();
      break;
    case key::kBst:
      m_program.StepBack();
      break;
    default:
      m_program.Record(kind, code);
      break;
  }
}

bool ProgramRunner::gotoDigit(KeyKind kind, KeyCode code, KeyPress& press) {
  if (code < key::kDigit0 || code > key::kDigit9) {
    // Not a GTO target: forget the GTO and handle the key as usual.
    m_gotoDigits = -1;
    return switchByKind(kind, press);
  }
  m_gotoTarget = m_gotoTarget * 10 + code;
  press.show(DisplayMode::Hold);
  if (++m_gotoDigits < 3) return true;
  m_gotoDigits = -1;
  m_program.setLine(m_gotoTarget);
  press.show(DisplayMode::Number);
  return true;
}

bool ProgramRunner::programRun(KeyKind kind, KeyCode code, KeyPress& press) {
  press.show(DisplayMode::Number);
  if (kind != KeyKind::ProgramControl) return switchByKind(kind, press);
  if (!m_running) {
    press.state = EngineState::ProgramKey;
    return false;
  }
  switch (code) {
    case key::kRS:
      m_running = false;
      break;
    case key::kGto: {
      const int target = m_program.takeGotoTarget();
      press.executedGoto = target;
      m_program.setLine(target);
      if (target == 0) m_running = false;
      break;
    }
    case key::kXLessEqualY:
      if (m_regs.Y < m_regs.X) m_program.skipLine();
      break;
    case key::kXEqualZero:
      if (m_regs.X != 0.0) m_program.skipLine();
      break;
    case key::kPse:
      m_program.startPause();
      break;
    default:
      break;  // P/R, SST, BST, C_PGM wait until the program stops
  }
  return true;
}

}  // namespace finova
