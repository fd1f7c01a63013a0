#pragma once
// Decides what the paper tape records for each key: a key line with the
// key's mnemonic, an entry line with the number the key ended, the result
// line that follows a key enabling stack lift, the target of a GTO a running
// program executed, and error texts. It writes to a borrowed Tape and keeps
// no state of its own but the journalling mode of running programs; the
// engine tells it, after each key, how the key moved the state machine and
// what the display now shows.
//
// A running program executes millions of keys a second, so by default only
// what a user would note down is journalled while it runs: each R/S and PSE
// with X after it, errors, and X when the program ends. Full journalling
// records every step like a typed key, within a budget of bytes a minute
// (steps beyond it are counted in one annotation), so the tape file never
// grows by more than kProgramBytesPerMinute a minute of running.

#include <cstddef>
#include <cstdint>
#include <functional>
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
  static constexpr std::size_t kProgramBytesPerMinute = 1000000;
  static constexpr std::int64_t kBudgetPeriodMs = 60000;

  // Null: nothing is journalled.
  void setTape(Tape* tape) { m_tape = tape; }
  void setFullProgramJournal(bool on) { m_full = on; }
  bool fullProgramJournal() const { return m_full; }
  // Milliseconds of a steady clock, for the budget of full journalling.
  void setClock(std::function<std::int64_t()> clock) { m_clock = std::move(clock); }

  void recordKey(const JournalKey& key, const EngineRegisters& registers, int decimals);
  // A key a running program executed.
  void recordProgramKey(const JournalKey& key, const EngineRegisters& registers, int decimals);
  // The program stopped without an error or R/S: X as a result line.
  void recordProgramEnd(const EngineRegisters& registers, int decimals);
  // "Error" and the digit, as a result line.
  void recordError(int code);

 private:
  void recordShownNumberKey(const JournalKey& key, const EngineRegisters& registers, int decimals);
  bool withinBudget();
  void noteSkippedSteps();

  Tape* m_tape = nullptr;
  bool m_full = false;
  std::function<std::int64_t()> m_clock;
  std::int64_t m_periodStart = -1;
  std::size_t m_periodBytes = 0;
  std::uint64_t m_skipped = 0;
};

}  // namespace finova
