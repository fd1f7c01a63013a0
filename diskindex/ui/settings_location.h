#pragma once
// Where DISKINDX.INI lives: beside the executable when a file of that name
// exists there and can be written, otherwise in $XDG_CONFIG_HOME/diskindx/
// (~/.config/diskindx/ when the variable is not set). No Qt.

#include <filesystem>

namespace diskindex::ui {

std::filesystem::path settingsFileLocation(const std::filesystem::path& programDirectory);

}  // namespace diskindex::ui
