#pragma once
// The key state machine of the engine: the eight states, number entry in
// the state Entering, and the hand-over of each key to the part that owns
// its state (operations, register keys and STO/RCL, program keys). A handler
// that only changes the state passes the key on to the next state; a key is
// finished when a handler reports it done or raises an error. It keeps the
// current state and the key whose mnemonic the tape records; it does not
// show, journal or fetch program keys (the engine does).

#include "calculator/core/display_model.h"
#include "calculator/core/engine_registers.h"
#include "calculator/core/entry_buffer.h"
#include "calculator/core/key_press.h"
#include "calculator/core/operation_table.h"
#include "calculator/core/program_runner.h"
#include "calculator/core/register_keys.h"

namespace finova {

class KeyStateMachine {
 public:
  struct Parts {
    EngineRegisters& registers;
    EntryBuffer& entry;
    OperationTable& operations;
    RegisterKeys& registerKeys;
    ProgramRunner& runner;
    const DisplayModel& display;  // its decimals, for RND
  };

  explicit KeyStateMachine(const Parts& parts) : m_parts(parts) {}
  KeyStateMachine(const KeyStateMachine&) = delete;
  KeyStateMachine& operator=(const KeyStateMachine&) = delete;

  // Runs one key (press.code, any code but SST outside program mode and the
  // no-key code) through the states.
  void run(KeyPress& press);

  EngineState state() const { return m_state; }
  // The last key whose mnemonic the tape records.
  KeyCode mnemonicKey() const { return m_mnemonicKey; }

 private:
  void runStates(KeyPress& press);
  bool handle(KeyKind kind, KeyCode code, KeyPress& press);
  bool entering(KeyKind kind, KeyCode code, KeyPress& press);
  void editEntry(KeyCode code, KeyPress& press);
  bool operate(KeyKind kind, KeyCode code, KeyPress& press);
  bool registerStore(KeyKind kind, KeyCode code, KeyPress& press);
  bool registerSolve(KeyKind kind, KeyCode code, KeyPress& press);
  bool stoRclStart(KeyCode code, KeyPress& press);

  Parts m_parts;
  EngineState m_state = EngineState::Entering;
  KeyCode m_mnemonicKey = key::kNoKey;
};

}  // namespace finova
