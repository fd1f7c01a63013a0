#pragma once
// The calculator engine: every key press of the keypad, the keyboard, a menu
// or a running program arrives as one key code at PressKey. The engine runs
// its eight-state machine over the key table, moves the stack with the
// stack-lift rules, performs the operations, stores and recalls registers,
// records and runs keystroke programs, journals every key on the tape and
// keeps what the display shows. The financial, statistical and date routines
// are reached through FinanceRoutines. It has no window: the user interface
// calls PressKey and then reads display() and the registers.

#include <cstdint>
#include <memory>
#include <string>

#include "calculator/core/engine_registers.h"
#include "calculator/core/entry_buffer.h"
#include "calculator/core/finance_routines.h"
#include "calculator/core/key_codes.h"
#include "calculator/core/number_format.h"
#include "calculator/core/program_memory.h"

namespace finova {

class Tape;

enum class EngineState : std::uint8_t {
  Entering = 0,
  Operate = 1,
  RegisterStore = 2,
  RegisterSolve = 3,
  StoRclStart = 4,
  StoRclOperand = 5,
  ProgramKey = 6,
  ProgramRun = 7,
};

enum class DisplayMode : std::uint8_t {
  Number = 0,       // X formatted
  Entry = 1,        // the entry buffer as typed
  Text = 2,         // a text left by an operation (DATE)
  Hold = 3,         // unchanged: a STO/RCL prefix is pending
  ProgramLine = 4,  // the current program line
};

// What the display shows, in the current separator style.
struct Display {
  std::string xLine;
  std::string exponent;
  std::string yLine;
  std::string indicatorEnd;   // "END" or "BEG"
  std::string indicatorDate;  // "M.DY" or "D.MY"
  std::string indicatorOdd;   // "C" or " "
};

class CalcEngine {
 public:
  // routines: the financial, statistical and date routines; null uses the
  // stand-in that reports them unavailable. The engine does not own them.
  explicit CalcEngine(FinanceRoutines* routines = nullptr);

  // A running program executes at most keyBudget() keys per PressKey; it
  // then stays running and PressKey(106) (the no-key code) continues it, so
  // a program that loops forever never blocks the caller for good.
  void PressKey(KeyCode code);
  void setKeyBudget(std::size_t keys) { m_keyBudget = keys == 0 ? 1 : keys; }
  std::size_t keyBudget() const { return m_keyBudget; }
  // Keys processed so far (typed and from programs), pause ticks excluded.
  std::uint64_t keyCount() const { return m_keyCount; }
  // X into x, no previous key, program memory cleared (program start).
  void Reset();

  // Display: the X line, exponent field, Y line and indicators.
  Display display() const;
  // The X line and, when the exponent field is not empty, a blank and the
  // exponent field ("1.23456789012 E+11", "Error0").
  std::string xDisplayText() const;
  DisplayMode displayMode() const { return m_displayMode; }

  EngineRegisters& registers() { return m_regs; }
  const EngineRegisters& registers() const { return m_regs; }
  EngineState state() const { return m_state; }
  KeyCode lastKey() const { return m_lastKey; }
  // The last key's mnemonic without leading blanks.
  std::string_view LastMnemonic() const;
  const EntryBuffer& entry() const { return m_entry; }
  ProgramMemory& program() { return m_program; }
  const ProgramMemory& program() const { return m_program; }
  bool programMode() const { return m_programMode; }
  bool running() const { return m_running; }

  int decimals() const { return m_decimals; }
  void setDecimals(int decimals);
  SeparatorStyle separatorStyle() const { return m_style; }
  void setSeparatorStyle(SeparatorStyle style) { m_style = style; }

  // The tape that journals the keys (not owned; null: no journal).
  void setTape(Tape* tape) { m_tape = tape; }
  void setRoutines(FinanceRoutines* routines);

 private:
  // What the X line shows, kept as its source so that a change of decimals or
  // separators redraws it; formatted only when read.
  enum class Shown : std::uint8_t { Number, Entry, Text, Error, ProgramLine };

  bool processKey(KeyCode code);
  void runStateMachine(KeyCode code);
  bool handle(KeyKind kind, KeyCode code);
  bool switchByKind(KeyKind kind);
  bool handleEntering(KeyKind kind, KeyCode code);
  void editEntry(KeyCode code);
  bool handleOperate(KeyKind kind, KeyCode code);
  bool handleRegisterStore(KeyKind kind, KeyCode code);
  bool handleRegisterSolve(KeyKind kind, KeyCode code);
  bool handleStoRclOperand(KeyKind kind, KeyCode code);
  bool handleProgramKey(KeyKind kind, KeyCode code);
  void programModeKey(KeyKind kind, KeyCode code);
  bool handleProgramRun(KeyKind kind, KeyCode code);
  bool handleGotoDigits(KeyKind kind, KeyCode code);

  // Operations (calc_operations.cpp).
  void runOperation(KeyCode code);
  bool runArithmetic(KeyCode code);
  bool runFunction(KeyCode code);
  bool runStackOrClear(KeyCode code);
  void pushConstant(KeyCode code);
  bool runClear(KeyCode code);
  void setChecked(bool valid, double value);
  bool runStatistics(KeyCode code);
  void runPercentTotal();
  void runFactorial();
  void runRoutine(KeyCode code);
  void setResult(double value, bool saveLastX);

  // Register keys and STO/RCL (calc_register_keys.cpp).
  void registerFirstPress(KeyCode code);
  double* firstPressTarget(KeyCode code);
  void registerRepeatPress(KeyCode code);
  void storeMarkup(KeyCode code);
  void storeCashFlow(KeyCode code);
  void solveMarkup(KeyCode code);
  int operandRegister(KeyCode code, double& scale) const;
  void storeOrRecall(int index, double scale);

  // Program run support.
  KeyCode nextProgramKey();
  void endProgram();
  void executeSingleStep();

  // Display and tape (calc_display.cpp).
  void refreshDisplay();
  void showError();
  void journal(KeyCode code, EngineState previousState, bool wasProgramMode);
  std::string entryNumberText() const;

  EngineRegisters m_regs;
  EntryBuffer m_entry;
  ProgramMemory m_program;
  std::unique_ptr<FinanceRoutines> m_ownRoutines;
  FinanceRoutines* m_routines = nullptr;
  Tape* m_tape = nullptr;

  EngineState m_state = EngineState::Entering;
  DisplayMode m_displayMode = DisplayMode::Number;
  int m_error = 0;
  KeyCode m_lastKey = key::kNoKey;
  KeyCode m_lastMnemonicKey = key::kNoKey;
  KeyCode m_stoRclKey = key::kSto;
  KeyCode m_stoRclOp = key::kNoKey;
  bool m_stoRclDot = false;
  bool m_programMode = false;
  bool m_running = false;
  int m_gotoDigits = -1;  // GTO entry outside program mode: digits so far, -1 when off
  int m_gotoTarget = 0;
  int m_executedGoto = -1;            // target of a GTO just executed by a running program
  bool m_entryNumberPending = false;  // a number keyed in ended with this key
  double m_entryNumber = 0.0;
  std::uint32_t m_seed = 1;
  std::size_t m_keyBudget = 1000000;
  std::uint64_t m_keyCount = 0;

  int m_decimals = 2;
  SeparatorStyle m_style = SeparatorStyle::English;
  Shown m_shown = Shown::Number;
  double m_shownNumber = 0.0;
  std::string m_shownText;
  int m_shownError = 0;
};

}  // namespace finova
