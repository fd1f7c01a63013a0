#pragma once
// Where a program keeps its settings file and its data on Linux. A settings
// file of the program's own name beside the executable wins when it exists
// and can be rewritten there (file and directory writable, since saving goes
// through a temporary file and a rename); otherwise the file lives in
// $XDG_CONFIG_HOME/<program>/ (~/.config/<program>/ when the variable is unset
// or not absolute), and that directory is created when it is handed out.
// Data defaults to $XDG_DATA_HOME/<program>/ (~/.local/share/<program>/),
// which is only named here, not created: ensureDirectory does that.
//
// The overloads taking a LocationEnvironment read nothing from the process,
// so tests can pin the executable directory and the environment.

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

struct LocationEnvironment {
  std::filesystem::path executableDirectory;  // empty when unknown
  std::string xdgConfigHome;                  // empty when unset
  std::string xdgDataHome;                    // empty when unset
  std::string home;                           // empty when unknown
};

// The running process: /proc/self/exe, $XDG_CONFIG_HOME, $XDG_DATA_HOME,
// $HOME (the password database when $HOME is unset).
LocationEnvironment currentLocationEnvironment();
std::filesystem::path executableDirectory();

// program: lower-case folder name ("diskindx"); fileName: "DISKINDX.INI".
std::filesystem::path settingsFilePath(std::string_view program, std::string_view fileName,
                                       const LocationEnvironment& env);
std::filesystem::path settingsFilePath(std::string_view program, std::string_view fileName);

// Always ends with "/".
std::filesystem::path dataDirectory(std::string_view program, const LocationEnvironment& env);
std::filesystem::path dataDirectory(std::string_view program);

// Creates the directory and its parents; true when it exists afterwards.
bool ensureDirectory(const std::filesystem::path& directory);

}  // namespace platform
