#pragma once
// The result of one financial, statistical or date computation: a value and
// an error code of the engine (0 = success). Routines compute into locals and
// hand back an Outcome, so that a failing routine has written nothing yet.

#include <cmath>

#include "calculator/core/key_codes.h"

namespace finova::fin {

struct Outcome {
  double value = 0.0;
  int error = error::kNone;

  bool ok() const { return error == error::kNone; }
};

inline Outcome failure(int code) {
  return Outcome{0.0, code};
}

// A computed value that is not a number (0/0, inf - inf, a root of a negative
// value) becomes the routine's error instead of landing in a register.
inline Outcome checked(double value, int errorCode) {
  if (std::isnan(value)) return failure(errorCode);
  return Outcome{value, error::kNone};
}

inline bool isWhole(double v) {
  return std::isfinite(v) && v == std::trunc(v);
}

}  // namespace finova::fin
