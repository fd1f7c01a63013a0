#pragma once
// The vocabulary shared by the parts of the engine for one key press: the
// eight states of the key state machine, the display requests a key can
// make, and KeyPress, the scratch record that the state handlers fill while
// one key goes through them (the state it moves to, what it asks the display
// to show, the error it raised, the number keyed in that it ended). It holds
// nothing that outlives the key: the engine reads it once the key is done,
// to refresh the display and journal the key.

#include <cstdint>
#include <string>

#include "calculator/core/key_codes.h"

namespace finova {

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

// What a key asks the display to show once it is done.
enum class DisplayMode : std::uint8_t {
  Number = 0,       // X formatted
  Entry = 1,        // the entry buffer as typed
  Text = 2,         // a text left by an operation (DATE)
  Hold = 3,         // unchanged: a STO/RCL prefix is pending
  ProgramLine = 4,  // the current program line
};

struct KeyPress {
  KeyCode code = key::kNoKey;
  KeyCode lastKey = key::kNoKey;  // the key pressed before this one
  EngineState state = EngineState::Entering;
  // The request of the last handler that ran; keys that reach no handler
  // (BEG, END, the no-key code) make none and the display redraws as it was.
  bool displayRequested = false;
  DisplayMode display = DisplayMode::Number;
  std::string text;  // the text of a Text request
  int error = 0;     // an error code of key_codes.h, 0 for none
  // A number keyed in that this key ended (the tape journals it).
  bool entryNumberPending = false;
  double entryNumber = 0.0;
  int executedGoto = -1;  // target of a GTO a running program just executed

  void show(DisplayMode mode) {
    displayRequested = true;
    display = mode;
  }
  bool failed() const { return error != 0; }
};

// Ends a handler that does not take keys of `kind`: the key goes on to the
// state that does. Returns "done" (true) only for a code that is no key.
inline bool switchByKind(KeyKind kind, KeyPress& press) {
  switch (kind) {
    case KeyKind::Entry:
      press.state = EngineState::Entering;
      return false;
    case KeyKind::Operation:
      press.state = EngineState::Operate;
      return false;
    case KeyKind::RegisterAccess:
      press.state = EngineState::StoRclStart;
      return false;
    case KeyKind::RegisterKey:
      press.state = EngineState::RegisterStore;
      return false;
    case KeyKind::ProgramControl:
      press.state = EngineState::ProgramKey;
      return false;
    case KeyKind::NoKey:
      break;
  }
  return true;
}

}  // namespace finova
