#pragma once
// The calculator engine: every key press of the keypad, the keyboard, a menu
// or a running program arrives as one key code at PressKey, the only way in.
// The engine owns the numbers (EngineRegisters), the entry buffer and
// program memory, and the parts that act on them: the key state machine,
// the operation table, the register keys, the program runner, the display
// model and the tape journal. For each key it runs the state machine, then
// refreshes the display and journals the key; while a program runs it
// fetches the program's keys and runs them the same way. It has no window:
// the user interface calls PressKey and then reads displayModel() and the
// registers.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "calculator/core/display_model.h"
#include "calculator/core/engine_registers.h"
#include "calculator/core/entry_buffer.h"
#include "calculator/core/finance_routines.h"
#include "calculator/core/key_codes.h"
#include "calculator/core/key_press.h"
#include "calculator/core/key_state_machine.h"
#include "calculator/core/number_format.h"
#include "calculator/core/operation_table.h"
#include "calculator/core/program_memory.h"
#include "calculator/core/program_runner.h"
#include "calculator/core/register_keys.h"
#include "calculator/core/tape_journal.h"

namespace finova {

class Tape;

class CalcEngine {
 public:
  // routines: the financial, statistical and date routines, borrowed; null
  // uses the engine's own copy of the routine library.
  explicit CalcEngine(FinanceRoutines* routines = nullptr);
  CalcEngine(const CalcEngine&) = delete;
  CalcEngine& operator=(const CalcEngine&) = delete;

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

  // What the display shows; a window binds to it.
  const DisplayModel& displayModel() const { return m_display; }
  Display display() const { return m_display.display(); }
  std::string xDisplayText() const { return m_display.xDisplayText(); }
  DisplayMode displayMode() const { return m_display.mode(); }

  EngineRegisters& registers() { return m_regs; }
  const EngineRegisters& registers() const { return m_regs; }
  EngineState state() const { return m_machine.state(); }
  KeyCode lastKey() const { return m_lastKey; }
  // The last key's mnemonic without leading blanks.
  std::string_view LastMnemonic() const;
  const EntryBuffer& entry() const { return m_entry; }
  ProgramMemory& program() { return m_program; }
  const ProgramMemory& program() const { return m_program; }
  bool programMode() const { return m_runner.programMode(); }
  bool running() const { return m_runner.running(); }

  int decimals() const { return m_display.decimals(); }
  void setDecimals(int decimals) { m_display.setDecimals(decimals); }
  SeparatorStyle separatorStyle() const { return m_display.separatorStyle(); }
  void setSeparatorStyle(SeparatorStyle style) { m_display.setSeparatorStyle(style); }

  // The tape that journals the keys (not owned; null: no journal).
  void setTape(Tape* tape) { m_journal.setTape(tape); }
  // While a program runs the tape gets R/S, PSE, errors and the final X;
  // on: every step, within the journal's budget.
  void setFullProgramJournal(bool on) { m_journal.setFullProgramJournal(on); }
  bool fullProgramJournal() const { return m_journal.fullProgramJournal(); }
  TapeJournal& journal() { return m_journal; }
  // Borrowed; null returns to the engine's own copy.
  void setRoutines(FinanceRoutines* routines);

 private:
  bool processKey(KeyCode code, bool fromProgram = false);
  void finishKey(const KeyPress& press, EngineState previous, bool wasProgramMode,
                 bool fromProgram);
  KeyCode nextProgramKey();
  void endProgram();
  void executeSingleStep();

  std::unique_ptr<FinanceRoutines> m_ownRoutines;
  EngineRegisters m_regs;
  EntryBuffer m_entry;
  ProgramMemory m_program;
  DisplayModel m_display{m_regs, m_program};
  OperationTable m_operations;
  RegisterKeys m_registerKeys;
  ProgramRunner m_runner{m_program, m_regs, m_entry};
  KeyStateMachine m_machine{{m_regs, m_entry, m_operations, m_registerKeys, m_runner, m_display}};
  TapeJournal m_journal;

  KeyCode m_lastKey = key::kNoKey;
  std::size_t m_keyBudget = 1000000;
  std::uint64_t m_keyCount = 0;
};

}  // namespace finova
