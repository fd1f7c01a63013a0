#include "calculator/core/finova_session.h"

namespace finova {

FinovaSession::FinovaSession(std::filesystem::path settingsPath) : m_path(std::move(settingsPath)) {
  m_engine.setTape(&m_tape);
  m_engine.setKeyBudget(kKeysPerTurn);
}

void FinovaSession::start() {
  m_settings = loadSettingsFile(m_path);
  applySettings(m_settings, m_engine);
  m_engine.Reset();
  if (!m_settings.tapeFile.empty() && !m_tape.Load(m_settings.tapeFile)) {
    // A tape file that cannot be opened leaves the tape without one.
    m_settings.tapeFile.clear();
  }
}

bool FinovaSession::finish() {
  if (m_finished) return true;
  m_finished = true;
  if (m_tape.hasFile()) m_tape.WriteNew();
  m_settings.tapeFile = m_tape.hasFile() ? m_tape.tapeFile().string() : std::string();
  m_tape.closeFile();
  captureSettings(m_engine, m_settings);
  return saveSettingsFile(m_path, m_settings);
}

}  // namespace finova
