#include "calculator/core/display_model.h"

namespace finova {

void DisplayModel::setDecimals(int decimals) {
  m_decimals = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
}

void DisplayModel::show(DisplayMode request, const EntryBuffer& entry, std::string text) {
  if (request == DisplayMode::Hold) {
    m_held = true;
    return;
  }
  m_held = false;
  switch (request) {
    case DisplayMode::Number:
      m_source = Source::Number;
      m_number = m_regs.X;
      break;
    case DisplayMode::Entry:
      m_source = Source::Entry;
      m_text = entry.Text();
      break;
    case DisplayMode::Text:
      m_source = Source::Text;
      m_text = std::move(text);
      break;
    case DisplayMode::ProgramLine:
      m_source = Source::ProgramLine;
      break;
    case DisplayMode::Hold:
      break;
  }
}

// X and the entry are read again; a text and the program line stay (the
// program line is read whenever the display is).
void DisplayModel::refresh(const EntryBuffer& entry) {
  if (m_held) return;
  switch (m_source) {
    case Source::Number:
    case Source::Error:
      show(DisplayMode::Number, entry);
      break;
    case Source::Entry:
      show(DisplayMode::Entry, entry);
      break;
    case Source::Text:
    case Source::ProgramLine:
      break;
  }
}

void DisplayModel::showError(int code) {
  m_source = Source::Error;
  m_held = false;
  m_errorDigit = code - 1;
}

DisplayMode DisplayModel::mode() const {
  if (m_held) return DisplayMode::Hold;
  switch (m_source) {
    case Source::Entry:
      return DisplayMode::Entry;
    case Source::Text:
      return DisplayMode::Text;
    case Source::ProgramLine:
      return DisplayMode::ProgramLine;
    case Source::Number:
    case Source::Error:
      break;
  }
  return DisplayMode::Number;
}

DisplayParts DisplayModel::parts() const {
  DisplayParts parts;
  switch (m_source) {
    case Source::Number:
      parts = splitExponent(FormatNumber(m_number, m_decimals));
      break;
    case Source::Entry:
      parts = splitExponent(groupDigits(m_text));
      break;
    case Source::Text:
      parts.line = m_text;
      break;
    case Source::Error:
      parts.line = "Error" + std::to_string(m_errorDigit);
      break;
    case Source::ProgramLine:
      parts.line = m_program.LineText();
      break;
  }
  return parts;
}

// Program lines hold mnemonics, not numbers: no separator exchange.
std::string DisplayModel::styledLine(const DisplayParts& parts) const {
  if (m_source == Source::ProgramLine) return parts.line;
  return ToDisplayStyle(parts.line, m_style);
}

std::string DisplayModel::xLine() const {
  return styledLine(parts());
}

std::string DisplayModel::exponent() const {
  return ToDisplayStyle(parts().exponent, m_style);
}

std::string DisplayModel::yLine() const {
  return ToDisplayStyle(FormatNumber(m_regs.Y, m_decimals), m_style);
}

Display DisplayModel::display() const {
  const DisplayParts p = parts();
  Display shown;
  shown.xLine = styledLine(p);
  shown.exponent = ToDisplayStyle(p.exponent, m_style);
  shown.yLine = yLine();
  shown.indicatorEnd = indicatorEnd();
  shown.indicatorDate = indicatorDate();
  shown.indicatorOdd = indicatorOdd();
  return shown;
}

std::string DisplayModel::xDisplayText() const {
  const DisplayParts p = parts();
  const std::string line = styledLine(p);
  if (p.exponent.empty()) return line;
  return line + " " + ToDisplayStyle(p.exponent, m_style);
}

}  // namespace finova
