#include "arcade/shell/view_settings.h"

#include "platform/ini_file.h"

namespace arcade {

namespace {

constexpr std::string_view kSection = "Options";
constexpr std::string_view kCameraKey = "Camera";
constexpr std::string_view kRaised = "Raised";
constexpr std::string_view kClassic = "Classic";

}  // namespace

ViewSettings ReadViewSettings(const std::filesystem::path& file) {
  const platform::IniFile ini(file);
  ViewSettings settings;
  const std::string camera = ini.readString(kSection, kCameraKey, kClassic);
  settings.camera = camera == kRaised ? CameraView::Raised : CameraView::Classic;
  return settings;
}

bool WriteViewSettings(const std::filesystem::path& file, const ViewSettings& settings) {
  platform::IniFile ini(file);
  if (ini.unreadable()) return false;
  ini.writeString(kSection, kCameraKey, settings.camera == CameraView::Raised ? kRaised : kClassic);
  return ini.flush();
}

}  // namespace arcade
