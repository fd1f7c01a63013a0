#pragma once
// What the calculator's display shows: the X line with its exponent field,
// the Y line and the three indicators, in the current number of decimals and
// separator style. It keeps one state, the source of the X line (X, the
// entry as typed, a text, an error or the current program line) and whether
// the line is held while a STO/RCL prefix or a GTO target is pending; texts
// are formatted only when read, so a change of decimals or separators
// redraws them. The Y line and the indicators follow the registers live.
//
// A window binds to the read-only part (display(), xLine() and the rest).
// The engine alone feeds it, once per key; it runs no keys itself.

#include <string>

#include "calculator/core/engine_registers.h"
#include "calculator/core/entry_buffer.h"
#include "calculator/core/key_press.h"
#include "calculator/core/number_format.h"
#include "calculator/core/program_memory.h"

namespace finova {

// A snapshot of every field of the display.
struct Display {
  std::string xLine;
  std::string exponent;
  std::string yLine;
  std::string indicatorEnd;   // "END" or "BEG"
  std::string indicatorDate;  // "M.DY" or "D.MY"
  std::string indicatorOdd;   // "C" or " "
};

class DisplayModel {
 public:
  static constexpr int kDefaultDecimals = 2;

  DisplayModel(const EngineRegisters& registers, const ProgramMemory& program)
      : m_regs(registers), m_program(program) {}
  DisplayModel(const DisplayModel&) = delete;
  DisplayModel& operator=(const DisplayModel&) = delete;

  Display display() const;
  std::string xLine() const;
  // "E" and up to three characters when X has an exponent, else empty.
  std::string exponent() const;
  std::string yLine() const;
  std::string indicatorEnd() const { return m_regs.endMode ? "END" : "BEG"; }
  std::string indicatorDate() const { return m_regs.dateOrderMDY ? "M.DY" : "D.MY"; }
  std::string indicatorOdd() const { return m_regs.compoundOddPeriod ? "C" : " "; }
  // The X line and, when the exponent field is not empty, a blank and the
  // exponent field ("1.23456789012 E+11", "Error0").
  std::string xDisplayText() const;
  // The request that would redraw the display as it is; an error counts as
  // showing X, since the next refresh shows X again.
  DisplayMode mode() const;

  int decimals() const { return m_decimals; }
  SeparatorStyle separatorStyle() const { return m_style; }
  // Clamped to 0..9.
  void setDecimals(int decimals);
  void setSeparatorStyle(SeparatorStyle style) { m_style = style; }

  // The engine's side: a key's request (text: the text of a Text request),
  // a redraw from the current source when the key made none, and an error.
  void show(DisplayMode request, const EntryBuffer& entry, std::string text = {});
  void refresh(const EntryBuffer& entry);
  void showError(int code);

 private:
  enum class Source : std::uint8_t { Number, Entry, Text, Error, ProgramLine };

  DisplayParts parts() const;
  std::string styledLine(const DisplayParts& parts) const;

  const EngineRegisters& m_regs;
  const ProgramMemory& m_program;
  int m_decimals = kDefaultDecimals;
  SeparatorStyle m_style = SeparatorStyle::English;
  Source m_source = Source::Number;
  bool m_held = false;
  double m_number = 0.0;  // X when it was shown
  std::string m_text;     // the entry as typed, or the operation's text
  int m_errorDigit = 0;   // the digit after "Error": the error code minus one
};

}  // namespace finova
