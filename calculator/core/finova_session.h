#pragma once
// One run of the calculator program, without its windows: the engine with
// the real financial routines, the paper tape, the settings and where they
// live. start() reads FINOVA.INI, puts the flags, display settings, stack and
// registers into the engine, resets it and loads the tape file; finish()
// appends the new tape lines to the tape file and writes the settings back.
// The window shows and changes what this holds; the window positions and
// the visibility and on-top flags travel in settings(), which the window
// updates before finish().

#include <filesystem>

#include "calculator/core/calc_engine.h"
#include "calculator/core/finova_settings.h"
#include "calculator/core/tape.h"

namespace finova {

class FinovaSession {
 public:
  // The keys a running program executes per press before the window's event
  // loop gets a turn (the window continues it with the no-key code).
  static constexpr std::size_t kKeysPerTurn = 2000;

  explicit FinovaSession(std::filesystem::path settingsPath);
  FinovaSession(const FinovaSession&) = delete;
  FinovaSession& operator=(const FinovaSession&) = delete;

  void start();
  // Idempotent: a second call writes nothing more. False when the settings
  // file could not be written.
  bool finish();
  bool finished() const { return m_finished; }

  CalcEngine& engine() { return m_engine; }
  const CalcEngine& engine() const { return m_engine; }
  Tape& tape() { return m_tape; }
  FinovaSettings& settings() { return m_settings; }
  const std::filesystem::path& settingsPath() const { return m_path; }

  // A running program that is not paused wants the no-key code fed to it.
  bool wantsNoKey() const { return m_engine.running() && !m_engine.program().paused(); }

 private:
  std::filesystem::path m_path;
  FinovaSettings m_settings;
  CalcEngine m_engine;
  Tape m_tape;
  bool m_finished = false;
};

}  // namespace finova
