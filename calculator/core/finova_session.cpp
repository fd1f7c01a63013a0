#include "calculator/core/finova_session.h"

namespace finova {

std::string programFileProblem(ProgramFileStatus status, const std::string& path) {
  if (status == ProgramFileStatus::NotAProgramFile) return path + ": Not a Finova program file.";
  return "cannot read " + path;
}

std::string tapeFileUnavailable(const std::string& path) {
  return "Tape file " + path + " is not available; the tape is kept in memory until it is.";
}

std::string notATapeFile(const std::string& path) {
  return "Tape file " + path + " is not a tape; it was left as it is and is not used.";
}

FinovaSession::FinovaSession(std::filesystem::path settingsPath, SessionFiles files)
    : m_path(std::move(settingsPath)),
      m_files(files),
      m_clock([] { return std::chrono::steady_clock::now(); }) {
  m_engine.setTape(&m_tape);
  m_engine.setKeyBudget(kKeysPerTurn);
  if (m_path.empty()) m_files = {false, false, false};
}

std::filesystem::path FinovaSession::programFilePath() const {
  return m_path.parent_path() / kProgramFileName;
}

void FinovaSession::start() {
  if (!m_path.empty()) m_settings = loadSettingsFile(m_path);
  applySettings(m_settings, m_engine, m_files.choices);
  m_engine.Reset();
  if (m_files.programFile) loadProgramFile();
  if (m_files.tapeFile && !m_settings.tapeFile.empty()) adoptTapeFile(m_settings.tapeFile);
  m_lastFlush = m_clock();
}

void FinovaSession::loadProgramFile() {
  const std::filesystem::path path = programFilePath();
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) return;
  const ProgramFileStatus status = m_engine.program().Load(path);
  if (status == ProgramFileStatus::Loaded) return;
  m_programFileUsable = false;
  m_notices.push_back(programFileProblem(status, path.string()) +
                      " Program memory starts empty; the file is left as it is.");
}

void FinovaSession::adoptTapeFile(const std::filesystem::path& path) {
  switch (m_tape.Load(path)) {
    case TapeFileStatus::Adopted:
      break;
    case TapeFileStatus::Unavailable:
      // The file stays the tape file (an unmounted disk comes back); the
      // user hears of it once.
      if (!m_tapeUnavailableSaid) m_notices.push_back(tapeFileUnavailable(path.string()));
      m_tapeUnavailableSaid = true;
      break;
    case TapeFileStatus::NotATapeFile:
      m_notices.push_back(notATapeFile(path.string()));
      break;
  }
}

TapeFileStatus FinovaSession::openTapeFile(const std::filesystem::path& path) {
  flushTape();
  m_tapeUnavailableSaid = false;
  const TapeFileStatus status = m_tape.Load(path);
  if (status == TapeFileStatus::NotATapeFile) m_notices.push_back(notATapeFile(path.string()));
  if (status == TapeFileStatus::Unavailable) {
    m_notices.push_back(tapeFileUnavailable(path.string()));
    m_tapeUnavailableSaid = true;
  }
  return status;
}

RunOutcome FinovaSession::run(KeyCode code, std::uint64_t keyLimit, bool tickPauses) {
  const std::uint64_t first = m_engine.keyCount();
  m_engine.PressKey(code);
  RunOutcome outcome = RunOutcome::Stopped;
  while (m_engine.running()) {
    const bool paused = m_engine.program().paused();
    if (paused && !tickPauses) {
      outcome = RunOutcome::Paused;
      break;
    }
    if (m_engine.keyCount() - first >= keyLimit) {
      outcome = RunOutcome::LimitReached;
      break;
    }
    m_engine.PressKey(paused ? key::kPauseTick : key::kNoKey);
  }
  // A stop writes at once; a running program at most once a second.
  if (outcome == RunOutcome::Stopped || m_clock() - m_lastFlush >= kTapeFlushPeriod) flushTape();
  return outcome;
}

void FinovaSession::tick() {
  flushTape();
}

void FinovaSession::flushTape() {
  m_lastFlush = m_clock();
  if (m_tape.tapeFile().empty()) return;
  m_tape.flush();
}

std::vector<std::string> FinovaSession::takeNotices() {
  std::vector<std::string> notices;
  notices.swap(m_notices);
  return notices;
}

bool FinovaSession::finish() {
  if (m_finished) return true;
  m_finished = true;
  if (m_files.tapeFile) {
    if (!m_tape.tapeFile().empty()) m_tape.WriteNew();
    // A tape file that is not available now stays the tape file.
    m_settings.tapeFile = m_tape.tapeFile().string();
  }
  m_tape.closeFile();
  if (m_files.programFile && m_programFileUsable && !m_engine.program().Save(programFilePath())) {
    m_notices.push_back("cannot write " + programFilePath().string());
  }
  captureSettings(m_engine, m_settings, m_files.choices);
  return m_path.empty() || saveSettingsFile(m_path, m_settings);
}

bool FinovaSession::saveSettingsTo(const std::filesystem::path& path) {
  captureSettings(m_engine, m_settings, m_files.choices);
  if (!saveSettingsFile(path, m_settings)) return false;
  // Program memory goes beside the settings, where the next start reads it.
  if (m_files.programFile) m_engine.program().Save(path.parent_path() / kProgramFileName);
  return true;
}

}  // namespace finova
