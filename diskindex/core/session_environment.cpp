#include "diskindex/core/session_environment.h"

#include <system_error>

#include "platform/settings_location.h"

namespace diskindex {

SessionEnvironment SessionEnvironment::fromSystem(ScreenSize screen) {
  SessionEnvironment env;
  env.settingsFile = platform::settingsFilePath("diskindx", "DISKINDX.INI");
  env.settings = SettingsEnvironment::fromSystem(screen);
  return env;
}

ResultCode prepareDataDirectory(const std::filesystem::path& dataDir,
                                const std::filesystem::path& defaultDir) {
  std::error_code error;
  if (std::filesystem::is_directory(dataDir, error)) return ResultCode::Ok;
  // "/home/anna/.local/share/diskindx/" and the same without the slash are
  // one folder.
  if (withTrailingSlash(dataDir.string()) != withTrailingSlash(defaultDir.string())) {
    return ResultCode::CannotOpen;
  }
  return platform::ensureDirectory(dataDir) ? ResultCode::Ok : ResultCode::CannotCreate;
}

}  // namespace diskindex
