// What the display shows after each key, and what the tape journals.
#include <cstdio>

#include "calculator/core/calc_engine.h"
#include "calculator/core/tape.h"

namespace finova {
namespace {

bool computes(EngineState state) {
  return state == EngineState::Operate || state == EngineState::RegisterSolve ||
         state == EngineState::ProgramRun;
}

}  // namespace

void CalcEngine::refreshDisplay() {
  switch (m_displayMode) {
    case DisplayMode::Number:
      m_shown = Shown::Number;
      m_shownNumber = m_regs.X;
      break;
    case DisplayMode::Entry:
      m_shown = Shown::Entry;
      m_shownText = m_entry.Text();
      break;
    case DisplayMode::Text:
      m_shown = Shown::Text;
      break;
    case DisplayMode::Hold:
      break;
    case DisplayMode::ProgramLine:
      m_shown = Shown::ProgramLine;
      break;
  }
}

void CalcEngine::showError() {
  m_shown = Shown::Error;
  m_shownError = m_error - 1;
  m_error = error::kNone;
  m_entryNumberPending = false;
  if (m_tape != nullptr) {
    m_tape->AddResultLine("Error" + std::to_string(m_shownError));
  }
}

Display CalcEngine::display() const {
  Display shown;
  DisplayParts parts;
  switch (m_shown) {
    case Shown::Number:
      parts = splitExponent(FormatNumber(m_shownNumber, m_decimals));
      break;
    case Shown::Entry:
      parts = splitExponent(groupDigits(m_shownText));
      break;
    case Shown::Text:
      parts.line = m_shownText;
      break;
    case Shown::Error:
      parts.line = "Error" + std::to_string(m_shownError);
      break;
    case Shown::ProgramLine:
      parts.line = m_program.LineText();
      break;
  }
  const bool styled = m_shown != Shown::ProgramLine;
  shown.xLine = styled ? ToDisplayStyle(parts.line, m_style) : parts.line;
  shown.exponent = ToDisplayStyle(parts.exponent, m_style);
  shown.yLine = ToDisplayStyle(FormatNumber(m_regs.Y, m_decimals), m_style);
  shown.indicatorEnd = m_regs.endMode ? "END" : "BEG";
  shown.indicatorDate = m_regs.dateOrderMDY ? "M.DY" : "D.MY";
  shown.indicatorOdd = m_regs.compoundOddPeriod ? "C" : " ";
  return shown;
}

std::string CalcEngine::xDisplayText() const {
  const Display shown = display();
  if (shown.exponent.empty()) return shown.xLine;
  return shown.xLine + " " + shown.exponent;
}

std::string CalcEngine::entryNumberText() const {
  return FormatNumber(m_entryNumber, m_decimals);
}

void CalcEngine::journal(KeyCode code, EngineState previous, bool wasProgramMode) {
  const bool prefixPending =
      m_displayMode == DisplayMode::Hold && m_state == EngineState::StoRclOperand;
  const bool numberBeforePrefix = prefixPending && m_entryNumberPending && m_regs.stackLift;
  // The number keyed in before STO or RCL leaves the buffer once journalled.
  if (prefixPending && m_entryNumberPending) m_entry.Clear();
  if (m_tape == nullptr) return;
  const std::string_view mnemonic = LastMnemonic();
  if (m_programMode || wasProgramMode) {
    if (code == key::kPR) m_tape->AddKeyLine({}, mnemonic);
    return;
  }
  if (prefixPending) {
    m_tape->AddKeyLine(numberBeforePrefix ? entryNumberText() : std::string(), mnemonic);
    return;
  }
  if (m_displayMode != DisplayMode::Number) return;
  const bool keyLine =
      (previous == EngineState::StoRclOperand && m_state == EngineState::Entering) ||
      m_state == previous || code == key::kClx || (computes(m_state) && computes(previous)) ||
      (m_state == EngineState::Entering && previous != EngineState::Entering) ||
      !m_entryNumberPending;
  m_tape->AddKeyLine(keyLine ? std::string() : entryNumberText(), mnemonic);
  if (m_executedGoto >= 0) {
    char target[16];
    std::snprintf(target, sizeof target, "%03d", m_executedGoto % 1000);
    m_tape->AddKeyLine({}, target);
  }
  if (m_regs.stackLift) m_tape->AddResultLine(FormatNumber(m_regs.X, m_decimals));
}

}  // namespace finova
