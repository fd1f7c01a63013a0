#include "arcade/game/record_keeper.h"

#include <system_error>

#include "arcade/game/saved_game.h"
#include "platform/settings_location.h"

namespace arcade {

namespace fs = std::filesystem;

fs::path KeptRecordPath(const platform::LocationEnvironment& env) {
  return platform::dataDirectory("vortexia", env) / kKeptRecordFileName;
}

fs::path KeptRecordPath() {
  return KeptRecordPath(platform::currentLocationEnvironment());
}

std::string CRecordKeeper::Keep(const fs::path& file, PlayerRecord& record) {
  m_file = file;
  m_leftAlone = false;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(file, error);
  if (status.type() == fs::file_type::not_found) return {};
  if (LoadSavedGame(file, record) == LoadStatus::Loaded) return {};
  m_leftAlone = true;
  return "Could not read the player record '" + file.string() +
         "'! The game starts with a new record and leaves that file as it is.";
}

std::string CRecordKeeper::Write(const PlayerRecord& record) const {
  if (m_file.empty() || m_leftAlone) return {};
  const std::string failed = "Could not write the player record '" + m_file.string() + "'!";
  if (!platform::ensureDirectory(m_file.parent_path())) return failed;
  const SavedGameBytes bytes = EncodeSavedGame(record);
  return WriteSavedGameFile(m_file, bytes) == FileWrite::Written ? std::string{} : failed;
}

void CRecordKeeper::SavedGameIs(const fs::path& file, const PlayerRecord& record) {
  m_savedGame = file;
  m_savedRecord = record;
}

bool CRecordKeeper::SavedGameChanged(const PlayerRecord& record) const {
  return !m_savedGame.empty() && !(record == m_savedRecord);
}

}  // namespace arcade
