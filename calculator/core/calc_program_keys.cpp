// Program control keys of the engine: program mode with recording, starting
// and stepping programs, GTO entry, and the keys a running program obeys.
#include "calculator/core/calc_engine.h"

namespace finova {

bool CalcEngine::handleProgramKey(KeyKind kind, KeyCode code) {
  m_displayMode = DisplayMode::ProgramLine;
  if (m_programMode) {
    programModeKey(kind, code);
    return true;
  }
  if (m_running) {
    m_state = EngineState::ProgramRun;
    return false;
  }
  if (m_gotoDigits >= 0) return handleGotoDigits(kind, code);
  if (kind != KeyKind::ProgramControl) return switchByKind(kind);
  switch (code) {
    case key::kPR:
      m_programMode = true;
      break;
    case key::kRS:
      m_running = true;
      m_state = EngineState::ProgramRun;
      break;
    case key::kGto:
      m_gotoDigits = 0;
      m_gotoTarget = 0;
      m_displayMode = DisplayMode::Hold;
      break;
    default:
      break;  // BST, PSE, X<=Y, X=0, C_PGM: nothing outside a program
  }
  return true;
}

// In program mode every key but P/R, C_PGM, SST and BST is recorded.
void CalcEngine::programModeKey(KeyKind kind, KeyCode code) {
  switch (code) {
    case key::kPR:
      m_programMode = false;
      m_program.setLine(0);
      m_displayMode = DisplayMode::Number;
      m_regs.stackLift = false;
      m_state = EngineState::Entering;
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

bool CalcEngine::handleGotoDigits(KeyKind kind, KeyCode code) {
  if (code < key::kDigit0 || code > key::kDigit9) {
    // Not a GTO target: forget the GTO and handle the key as usual.
    m_gotoDigits = -1;
    return switchByKind(kind);
  }
  m_gotoTarget = m_gotoTarget * 10 + code;
  m_displayMode = DisplayMode::Hold;
  if (++m_gotoDigits < 3) return true;
  m_gotoDigits = -1;
  m_program.setLine(m_gotoTarget);
  m_displayMode = DisplayMode::Number;
  return true;
}

bool CalcEngine::handleProgramRun(KeyKind kind, KeyCode code) {
  m_displayMode = DisplayMode::Number;
  if (kind != KeyKind::ProgramControl) return switchByKind(kind);
  if (!m_running) {
    m_state = EngineState::ProgramKey;
    return false;
  }
  switch (code) {
    case key::kRS:
      m_running = false;
      break;
    case key::kGto: {
      const int target = m_program.takeGotoTarget();
      m_executedGoto = target;
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
