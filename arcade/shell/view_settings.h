// The game's own settings file, VORTEXIA.INI: options that belong to this
// computer rather than to a player, so they are kept apart from the player
// record and its 1,044-byte saved games (whose layout stays as it is).
// Today it holds the camera: section [Options], key Camera, "Classic" or
// "Raised"; anything else reads as Classic.
//
// It does not choose where the file lives (the program asks the platform)
// nor show failures (the caller says them).
#pragma once

#include <filesystem>

#include "arcade/world/player_control.h"

namespace arcade {

struct ViewSettings {
  CameraView camera = CameraView::Classic;
};

// A missing or unreadable file gives the defaults.
ViewSettings ReadViewSettings(const std::filesystem::path& file);
// Writes the settings, keeping every other line of the file; false when the
// file could not be written (or exists but could not be read).
bool WriteViewSettings(const std::filesystem::path& file, const ViewSettings& settings);

}  // namespace arcade
