// CRecordKeeper: the player record kept between runs without the player
// asking, and the saved game the File menu last opened or saved.
//
// The kept record is a saved-game file (the same 1,044 bytes) in the
// player's data folder, $XDG_DATA_HOME/vortexia/player.vtx (or
// ~/.local/share/vortexia/player.vtx). It is read once at start and written
// whole (temporary file, fsync, rename) at each level end and on close. A
// kept record that is there but cannot be read is never written over in
// that run: the player is told once, and the file stays for them to look at.
//
// For the saved game it remembers the file and the record as it was loaded
// or saved, so the close can ask whether to save changes. It shows nothing:
// each failure comes back as the text the shell shows.
#pragma once

#include <filesystem>
#include <string>

#include "arcade/game/player_record.h"

namespace platform {
struct LocationEnvironment;
}

namespace arcade {

inline constexpr std::string_view kKeptRecordFileName = "player.vtx";

// The kept record's file for the given environment.
std::filesystem::path KeptRecordPath(const platform::LocationEnvironment& env);
// ... for the running process.
std::filesystem::path KeptRecordPath();

class CRecordKeeper {
 public:
  // No kept record until Keep names its file.
  CRecordKeeper() = default;

  // Names the kept record's file and reads it into record. No file yet is
  // no failure (record stays as it is). A file that cannot be read leaves
  // record as it is, is left alone from now on, and the text says so;
  // empty when all went well.
  std::string Keep(const std::filesystem::path& file, PlayerRecord& record);
  // Writes the kept record; the text of a failure, empty when it was
  // written or when there is nothing to write to (no file named, or a file
  // that could not be read).
  std::string Write(const PlayerRecord& record) const;
  const std::filesystem::path& File() const { return m_file; }
  bool LeftAlone() const { return m_leftAlone; }

  // The saved game now shows record (after Open or Save).
  void SavedGameIs(const std::filesystem::path& file, const PlayerRecord& record);
  const std::filesystem::path& SavedGame() const { return m_savedGame; }
  // True when a saved game is open and record differs from it.
  bool SavedGameChanged(const PlayerRecord& record) const;

 private:
  std::filesystem::path m_file;
  bool m_leftAlone = false;
  std::filesystem::path m_savedGame;
  PlayerRecord m_savedRecord;
};

}  // namespace arcade
