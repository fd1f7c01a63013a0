#include "arcade/game/saved_game.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include "arcade/game/player_name.h"

namespace arcade {

namespace {

namespace fs = std::filesystem;

void PutInt32(SavedGameBytes& bytes, std::size_t offset, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t u = 0;
  for (std::size_t i = 0; i < 4; ++i) u |= std::uint32_t{bytes[offset + i]} << (8 * i);
  return static_cast<std::int32_t>(u);
}

void PutResults(SavedGameBytes& bytes, std::size_t offset,
                const std::array<LevelResult, kRecordLevels>& results) {
  for (const LevelResult& result : results) {
    PutInt32(bytes, offset, result.score);
    PutInt32(bytes, offset + 4, result.seconds);
    offset += vtx::kResultPairBytes;
  }
}

void GetResults(std::span<const std::uint8_t> bytes, std::size_t offset,
                std::array<LevelResult, kRecordLevels>& results) {
  for (LevelResult& result : results) {
    result.score = GetInt32(bytes, offset);
    result.seconds = GetInt32(bytes, offset + 4);
    offset += vtx::kResultPairBytes;
  }
}

// True when path names a file this process may write without truncating it.
bool OpensForWriting(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return false;
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

SaveStatus WriteReplacing(const fs::path& target, const SavedGameBytes& bytes) {
  switch (WriteSavedGameFile(target, bytes)) {
    case FileWrite::Written:
      return SaveStatus::Saved;
    case FileWrite::CannotCreate:
      return SaveStatus::CannotOpen;
    case FileWrite::CannotWrite:
      break;
  }
  return SaveStatus::CannotWrite;
}

}  // namespace

SavedGameBytes EncodeSavedGame(const PlayerRecord& record) {
  SavedGameBytes bytes{};
  PutInt32(bytes, vtx::kResolution, record.resolution);
  PutInt32(bytes, vtx::kShading, record.shading);
  PutInt32(bytes, vtx::kSpeed, record.speed);
  PutInt32(bytes, vtx::kHighestLevel, record.highestLevel);
  PutInt32(bytes, vtx::kCurrentLevel, record.currentLevel);
  // The rest of the name field stays zero: the terminator and no leftovers.
  const std::string name = PlayerNameToFile(FitPlayerName(record.playerName));
  std::copy(name.begin(), name.end(), bytes.begin() + vtx::kPlayerName);
  PutResults(bytes, vtx::kLastResult, record.lastResult);
  PutResults(bytes, vtx::kBestResult, record.bestResult);
  return bytes;
}

std::optional<PlayerRecord> DecodeSavedGame(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != vtx::kFileSize) return std::nullopt;
  PlayerRecord record;
  record.resolution = GetInt32(bytes, vtx::kResolution);
  record.shading = GetInt32(bytes, vtx::kShading);
  record.speed = GetInt32(bytes, vtx::kSpeed);
  record.highestLevel = GetInt32(bytes, vtx::kHighestLevel);
  record.currentLevel = GetInt32(bytes, vtx::kCurrentLevel);
  // A name without a terminator ends at the field's last byte.
  const auto field = bytes.subspan(vtx::kPlayerName, kPlayerNameBytes - 1);
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  const std::string raw(field.begin(), end);
  record.playerName = FitPlayerName(PlayerNameFromFile(raw));
  GetResults(bytes, vtx::kLastResult, record.lastResult);
  GetResults(bytes, vtx::kBestResult, record.bestResult);
  ClampSettings(record);
  return record;
}

FileWrite WriteSavedGameFile(const fs::path& target, std::span<const std::uint8_t> bytes) {
  // A name of its own for the temporary file, so two writers never share one.
  static std::atomic<unsigned> counter{0};
  fs::path temporary = target;
  temporary += "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return FileWrite::CannotCreate;
  std::size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || std::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return FileWrite::CannotWrite;
  }
  // The rename itself reaches the disk with the folder.
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return FileWrite::Written;
}

std::string_view LoadMessage(LoadStatus status) {
  switch (status) {
    case LoadStatus::CannotOpen:
      return "Could not open the load file!";
    case LoadStatus::NotASavedGame:
      return "The load file is not a Vortexia saved game!";
    case LoadStatus::Loaded:
      break;
  }
  return {};
}

std::string_view SaveMessage(SaveStatus status) {
  switch (status) {
    case SaveStatus::CannotOpen:
      return "Could not open the save file!";
    case SaveStatus::CannotWrite:
      return "Could not write the save file!";
    case SaveStatus::Saved:
    case SaveStatus::Cancelled:
      break;
  }
  return {};
}

LoadStatus LoadSavedGame(const fs::path& path, PlayerRecord& record) {
  std::error_code error;
  if (fs::is_directory(path, error)) return LoadStatus::CannotOpen;
  std::ifstream in(path, std::ios::binary);
  if (!in) return LoadStatus::CannotOpen;
  // One byte more than a saved game tells an oversized file without reading
  // all of it.
  std::array<std::uint8_t, vtx::kFileSize + 1> buffer{};
  in.read(reinterpret_cast<char*>(buffer.data()), buffer.size());
  const auto count = static_cast<std::size_t>(in.gcount());
  if (in.bad()) return LoadStatus::CannotOpen;
  auto decoded = DecodeSavedGame(std::span<const std::uint8_t>(buffer.data(), count));
  if (!decoded) return LoadStatus::NotASavedGame;
  record = *std::move(decoded);
  return LoadStatus::Loaded;
}

std::string OverwriteQuestion(std::string_view name) {
  return "Do you wish to write over the file '" + std::string(name) + "'?";
}

std::string WithSavedGameExtension(std::string_view name) {
  if (name.find('.') != std::string_view::npos) return std::string(name);
  const auto last = name.find_last_not_of(' ');
  std::string result(last == std::string_view::npos ? std::string_view{}
                                                    : name.substr(0, last + 1));
  return result + std::string(kSavedGameExtension);
}

std::string InitialSaveName(std::string_view sharedName, const PlayerRecord& record) {
  return sharedName.empty() ? record.playerName : std::string(sharedName);
}

std::string DialogStartName(std::string_view name, const std::filesystem::path& savesFolder) {
  const fs::path path(name);
  if (path.is_absolute()) return std::string(name);
  return (savesFolder / path).string();
}

SaveOutcome SaveSavedGame(std::string_view name, const PlayerRecord& record,
                          ISaveQuestions& questions) {
  std::string fileName(name);
  if (!OpensForWriting(fs::path(fileName))) {
    fileName = WithSavedGameExtension(fileName);
    std::error_code error;
    // The name with the extension may name a file that exists: it is asked
    // about like any other, never replaced silently.
    if (fs::exists(fs::path(fileName), error) && !OpensForWriting(fs::path(fileName))) {
      return {SaveStatus::CannotOpen, fileName};
    }
  }
  std::error_code error;
  if (fs::exists(fs::path(fileName), error) &&
      !questions.ConfirmOverwrite(kOverwriteCaption, OverwriteQuestion(fileName))) {
    return {SaveStatus::Cancelled, fileName};
  }
  return {WriteReplacing(fs::path(fileName), EncodeSavedGame(record)), fileName};
}

}  // namespace arcade
