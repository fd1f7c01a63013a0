#include "platform/settings_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string envOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string homeFromPasswordDatabase() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* result = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) != 0 ||
      result == nullptr || result->pw_dir == nullptr) {
    return {};
  }
  return result->pw_dir;
}

// An XDG base directory: the variable when it holds an absolute path (the
// convention says relative ones are to be ignored), else home/fallback, and
// when there is no home at all the temporary directory.
fs::path baseDirectory(const std::string& variable, const std::string& home,
                       const char* fallbackBelowHome) {
  if (!variable.empty() && fs::path(variable).is_absolute()) return variable;
  if (!home.empty()) return fs::path(home) / fallbackBelowHome;
  std::error_code ec;
  const fs::path temp = fs::temp_directory_path(ec);
  return ec ? fs::path("/tmp") : temp;
}

bool rewritableBeside(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return false;
  return access(file.c_str(), W_OK) == 0 && access(file.parent_path().c_str(), W_OK) == 0;
}

}  // namespace

fs::path executableDirectory() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe.parent_path();
}

LocationEnvironment currentLocationEnvironment() {
  LocationEnvironment env;
  env.executableDirectory = executableDirectory();
  env.xdgConfigHome = envOrEmpty("XDG_CONFIG_HOME");
  env.xdgDataHome = envOrEmpty("XDG_DATA_HOME");
  env.home = envOrEmpty("HOME");
  if (env.home.empty()) env.home = homeFromPasswordDatabase();
  return env;
}

fs::path settingsFilePath(std::string_view program, std::string_view fileName,
                          const LocationEnvironment& env) {
  if (!env.executableDirectory.empty()) {
    const fs::path beside = env.executableDirectory / fileName;
    if (rewritableBeside(beside)) return beside;
  }
  const fs::path directory = baseDirectory(env.xdgConfigHome, env.home, ".config") / program;
  ensureDirectory(directory);
  return directory / fileName;
}

fs::path settingsFilePath(std::string_view program, std::string_view fileName) {
  return settingsFilePath(program, fileName, currentLocationEnvironment());
}

fs::path dataDirectory(std::string_view program, const LocationEnvironment& env) {
  return baseDirectory(env.xdgDataHome, env.home, ".local/share") / program / "";
}

fs::path dataDirectory(std::string_view program) {
  return dataDirectory(program, currentLocationEnvironment());
}

bool ensureDirectory(const fs::path& directory) {
  std::error_code ec;
  fs::create_directories(directory, ec);
  return fs::is_directory(directory, ec);
}

}  // namespace platform
