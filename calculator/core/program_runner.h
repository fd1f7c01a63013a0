#pragma once
// The program keys of the engine: program mode with its recording, starting
// a program with R/S, GTO with three digits outside program mode, and the
// keys a running program obeys (R/S, GTO, X<=Y, X=0, PSE). It owns the two
// program flags, program mode and running, and hands out the next key of a
// running program. It does not execute keys: the engine feeds every key it
// hands out back through the state machine, and SST is the engine's too.

#include "calculator/core/engine_registers.h"
#include "calculator/core/entry_buffer.h"
#include "calculator/core/key_codes.h"
#include "calculator/core/key_press.h"
#include "calculator/core/program_memory.h"

namespace finova {

class ProgramRunner {
 public:
  ProgramRunner(ProgramMemory& program, EngineRegisters& registers, EntryBuffer& entry)
      : m_program(program), m_regs(registers), m_entry(entry) {}
  ProgramRunner(const ProgramRunner&) = delete;
  ProgramRunner& operator=(const ProgramRunner&) = delete;

  // The handlers of the states ProgramKey and ProgramRun; they return "done"
  // as every state handler does.
  bool programKey(KeyKind kind, KeyCode code, KeyPress& press);
  bool programRun(KeyKind kind, KeyCode code, KeyPress& press);

  // The next key of the program (106 for none). `forced` fetches one line
  // although no program runs (SST). Sets `ended` when the program ran into
  // an empty line; call end() then.
  KeyCode nextKey(bool forced, bool& ended);
  // The program has ended: line 0, stack lift off, an entry in progress
  // dropped. The caller shows X.
  void end();
  // An error stops the program; R/S continues after the failing step.
  void stop() { m_running = false; }
  // Neither recording nor running (program start).
  void reset();
  // The menu command that clears program memory (code 104).
  void clearMemory() { m_program.Clear(); }

  bool programMode() const { return m_programMode; }
  bool running() const { return m_running; }

 private:
  void programModeKey(KeyKind kind, KeyCode code, KeyPress& press);
  bool gotoDigit(KeyKind kind, KeyCode code, KeyPress& press);

  ProgramMemory& m_program;
  EngineRegisters& m_regs;
  EntryBuffer& m_entry;
  bool m_programMode = false;
  bool m_running = false;
  int m_gotoDigits = -1;  // GTO outside program mode: digits so far, -1 when off
  int m_gotoTarget = 0;
};

}  // namespace finova
