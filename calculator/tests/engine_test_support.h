#pragma once
// Test helpers: typing key sequences written as mnemonics ("5 ENTER 3 -";
// a number token types its digits and point one key at a time).

#include <sstream>
#include <string>

#include "calculator/core/calc_engine.h"
#include "calculator/core/key_table.h"

namespace finova::testing {

inline void typeToken(CalcEngine& engine, const std::string& token) {
  if (const auto code = keyFromMnemonic(token)) {
    engine.PressKey(*code);
    return;
  }
  for (char c : token) engine.PressKey(c == '.' ? key::kPoint : c - '0');
}

inline void type(CalcEngine& engine, const std::string& keys) {
  std::istringstream tokens(keys);
  for (std::string token; tokens >> token;) typeToken(engine, token);
}

inline void setStack(CalcEngine& engine, double x, double y, double z, double t) {
  EngineRegisters& r = engine.registers();
  r.X = r.working = x;
  r.Y = y;
  r.Z = z;
  r.T = t;
}

}  // namespace finova::testing
