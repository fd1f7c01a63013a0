#pragma once
// One run of the calculator, without its windows, shared by the window and
// finova-cli: the engine with the real financial routines, the paper tape,
// the settings and the program file beside them. start() reads FINOVA.INI,
// puts the flags, display settings, stack, registers, last x and cash-flow
// counts into the engine, reads program memory from FINOVA.PGM and adopts
// the tape file; run() presses a key and keeps a program going; finish()
// writes the tape's last lines, program memory and the settings back.
// Problems that the user must hear of (a tape file that is not available or
// not a tape, a program file that cannot be used) are collected as notices
// for the front end to show; nothing here talks to the user.
//
// The tape reaches its file as lines are made: after every key that leaves
// no program running, and at least once a second while one runs (run() and
// tick() both see to it).

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "calculator/core/calc_engine.h"
#include "calculator/core/finova_settings.h"
#include "calculator/core/tape.h"

namespace finova {

// Which files a session keeps. The window keeps all; the command line
// keeps only the settings it is given.
struct SessionFiles {
  bool programFile = true;  // FINOVA.PGM beside the settings
  bool tapeFile = true;     // TAPEFILE
  // The flags, decimals and separators of the settings are the session's;
  // off, the caller sets them and the file keeps its own.
  bool choices = true;
};

// What a run of keys left behind.
enum class RunOutcome {
  Stopped,       // no program running
  Paused,        // a program waits in a pause (pauses were not ticked)
  LimitReached,  // the key limit ran out with the program still running
};

class FinovaSession {
 public:
  // The keys a running program executes per press before the window's event
  // loop gets a turn (the window continues it with the no-key code).
  static constexpr std::size_t kKeysPerTurn = 2000;
  static constexpr std::chrono::milliseconds kTapeFlushPeriod{1000};
  static constexpr const char* kProgramFileName = "FINOVA.PGM";

  // An empty settings path keeps nothing at all.
  explicit FinovaSession(std::filesystem::path settingsPath, SessionFiles files = {});
  FinovaSession(const FinovaSession&) = delete;
  FinovaSession& operator=(const FinovaSession&) = delete;

  void start();
  // Presses `code`, then keeps a running program going until it stops, it
  // pauses (unless tickPauses: then pause ticks are sent at once), or
  // `keyLimit` keys have run in this call. The tape is flushed as needed.
  RunOutcome run(KeyCode code, std::uint64_t keyLimit, bool tickPauses = false);
  // Once a second from the front end: the tape's new lines reach its file.
  void tick();
  // Idempotent: a second call writes nothing more. False when the settings
  // file could not be written (saveSettingsTo() can then put them elsewhere).
  bool finish();
  bool finished() const { return m_finished; }
  bool saveSettingsTo(const std::filesystem::path& path);

  CalcEngine& engine() { return m_engine; }
  const CalcEngine& engine() const { return m_engine; }
  Tape& tape() { return m_tape; }
  FinovaSettings& settings() { return m_settings; }
  const std::filesystem::path& settingsPath() const { return m_path; }
  std::filesystem::path programFilePath() const;

  // Messages collected since the last call, oldest first.
  std::vector<std::string> takeNotices();
  // Adopts a tape file chosen by the user, with the notice of a refusal.
  TapeFileStatus openTapeFile(const std::filesystem::path& path);

  // A running program that is not paused wants the no-key code fed to it.
  bool wantsNoKey() const { return m_engine.running() && !m_engine.program().paused(); }
  // The steady clock of the tape's flushes (tests replace it).
  void setClock(std::function<std::chrono::steady_clock::time_point()> clock) {
    m_clock = std::move(clock);
  }

 private:
  void adoptTapeFile(const std::filesystem::path& path);
  void loadProgramFile();
  void flushTape();

  std::filesystem::path m_path;
  SessionFiles m_files;
  FinovaSettings m_settings;
  CalcEngine m_engine;
  Tape m_tape;
  bool m_finished = false;
  bool m_programFileUsable = true;  // a program file that failed to load is never overwritten
  bool m_tapeUnavailableSaid = false;
  std::vector<std::string> m_notices;
  std::function<std::chrono::steady_clock::time_point()> m_clock;
  std::chrono::steady_clock::time_point m_lastFlush{};
};

// The message of a program file that failed to load, the same in the window
// and on the command line: "cannot read FILE" or "FILE: Not a Finova program
// file.".
std::string programFileProblem(ProgramFileStatus status, const std::string& path);
// "Tape file FILE is not available; the tape is kept in memory until it is."
std::string tapeFileUnavailable(const std::string& path);
std::string notATapeFile(const std::string& path);

}  // namespace finova
