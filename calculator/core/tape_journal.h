#pragma once
// Decides what the paper tape records for each key: a key line with the
// key's mnemonic, an entry line with the number the key ended, the result
// line that follows a key enabling stack lift, the target of a GTO a running
// program executed, and error texts. It writes to a borrowed Tape and keeps
// no state of its own; the engine tells it, after each key, how the key
// moved the state machine and what the display now shows.

#include <string_view>

#include "calculator/core/engine_registers.h"
#include "calculator/core/key_press.h"

namespace finova {

class Tape;

// One key as the journal sees it once the key is done.
struct JournalKey {
  const KeyPress& press;
  EngineState previousState;  // the state after the key before
  bool wasProgramMode;        // program mode before the key
  bool programMode;           // program mode after it
  DisplayMode display;        // what the display shows now
  std::string_view mnemonic;  // the key's mnemonic, blanks removed
};

class TapeJournal {
 public:
  // Null: nothing is journalled.
  void setTape(Tape* tape) { m_tape = tape; }

  void recordKey(const JournalKey& key, const EngineRegisters& registers, int decimals);
  // "Error" and the digit, as a result line.
  void recordError(int code);

 private:
  void recordShownNumberKey(const JournalKey& key, const EngineRegisters& registers, int decimals);

  Tape* m_tape = nullptr;
};

}  // namespace finova
