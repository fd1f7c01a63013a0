#include "diskindex/ui/settings_location.h"

#include <unistd.h>

#include <cstdlib>

namespace diskindex::ui {

std::filesystem::path settingsFileLocation(const std::filesystem::path& programDirectory) {
  const std::filesystem::path beside = programDirectory / "DISKINDX.INI";
  if (std::filesystem::exists(beside) && ::access(beside.c_str(), W_OK) == 0 &&
      ::access(programDirectory.c_str(), W_OK) == 0) {
    return beside;
  }
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    config = std::filesystem::path(home) / ".config";
  } else {
    config = std::filesystem::temp_directory_path();
  }
  return config / "diskindx" / "DISKINDX.INI";
}

}  // namespace diskindex::ui
