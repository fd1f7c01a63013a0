// Saved games (.vtx): the player record as a fixed 1,044-byte little-endian
// file with no header, read and written only through the offsets below. The
// reader takes a file of exactly that size and nothing else, holds the levels
// and options within their ranges and ends the name within its field; the
// record is replaced only when a whole file was read. Saving never destroys
// the old file before the new one is complete.
//
// This is the file side of File > Open... and File > Save...; the dialogs,
// the message boxes and the shared file-name buffer belong to the shell,
// which shows the messages these result codes name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "arcade/game/player_record.h"

namespace arcade {

namespace vtx {
inline constexpr std::size_t kResolution = 0;
inline constexpr std::size_t kShading = 4;
inline constexpr std::size_t kSpeed = 8;
inline constexpr std::size_t kHighestLevel = 12;
inline constexpr std::size_t kCurrentLevel = 16;
inline constexpr std::size_t kPlayerName = 20;  // kPlayerNameBytes, zero-terminated
inline constexpr std::size_t kLastResult = kPlayerName + kPlayerNameBytes;  // 532
inline constexpr std::size_t kResultPairBytes = 8;                          // score, seconds
inline constexpr std::size_t kBestResult = kLastResult + kRecordLevels * kResultPairBytes;
inline constexpr std::size_t kFileSize = kBestResult + kRecordLevels * kResultPairBytes;
static_assert(kLastResult == 532 && kBestResult == 788 && kFileSize == 1044);
}  // namespace vtx

inline constexpr std::string_view kSavedGameExtension = ".vtx";
inline constexpr std::string_view kFileDialogFilter = "Vortexia (*.vtx)";
inline constexpr std::string_view kFileDialogPattern = "*.vtx";
inline constexpr std::string_view kLoadDialogTitle = "Load Game";
inline constexpr std::string_view kSaveDialogTitle = "Save Game";
inline constexpr std::string_view kErrorCaption = "Vortexia Error";  // stop icon
inline constexpr std::string_view kOverwriteCaption = "Save File";   // question icon, OK/Cancel

using SavedGameBytes = std::array<std::uint8_t, vtx::kFileSize>;

SavedGameBytes EncodeSavedGame(const PlayerRecord& record);
// Nothing unless bytes holds exactly one file's worth.
std::optional<PlayerRecord> DecodeSavedGame(std::span<const std::uint8_t> bytes);

// Writes bytes to target through a temporary file beside it that is
// synced and then renamed over it, so target is either the old file or
// the whole new one; the folder is synced after the rename.
enum class FileWrite { Written, CannotCreate, CannotWrite };
FileWrite WriteSavedGameFile(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes);

enum class LoadStatus { Loaded, CannotOpen, NotASavedGame };
enum class SaveStatus { Saved, Cancelled, CannotOpen, CannotWrite };

// The message box text for a failure; empty for Loaded, Saved and Cancelled.
std::string_view LoadMessage(LoadStatus status);
std::string_view SaveMessage(SaveStatus status);

// Reads the file at path into record; on any failure record stays as it was.
LoadStatus LoadSavedGame(const std::filesystem::path& path, PlayerRecord& record);

// Asked before an existing file is replaced; true goes on (OK).
class ISaveQuestions {
 public:
  virtual ~ISaveQuestions() = default;
  virtual bool ConfirmOverwrite(std::string_view caption, std::string_view question) = 0;
};

struct SaveOutcome {
  SaveStatus status = SaveStatus::Cancelled;
  std::string fileName;  // the name used (".vtx" may have been added)
};

// "Do you wish to write over the file '" + name + "'?"
std::string OverwriteQuestion(std::string_view name);
// A name without any "." (folders included) loses its trailing blanks and
// gains ".vtx"; any other name is kept as typed.
std::string WithSavedGameExtension(std::string_view name);
// The save dialog opens with the shared name, or the player's name if empty.
std::string InitialSaveName(std::string_view sharedName, const PlayerRecord& record);
// Where a load or save dialog starts: an absolute name as it is; a bare or
// relative name inside the saves folder, and no name at the folder itself
// (with its trailing "/"), so the dialog never opens in the working folder.
// "Saver" with folder "/home/a/.local/share/vortexia/saves/" starts at
// "/home/a/.local/share/vortexia/saves/Saver".
std::string DialogStartName(std::string_view name, const std::filesystem::path& savesFolder);

// Saves record under name: an existing file is replaced only after the
// question is answered OK; a name that does not exist gets the extension
// rule first. The new contents go to a temporary file beside the target that
// then takes its place, so a failed write leaves the old file whole.
SaveOutcome SaveSavedGame(std::string_view name, const PlayerRecord& record,
                          ISaveQuestions& questions);

}  // namespace arcade
