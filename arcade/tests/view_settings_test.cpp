// The settings file: the camera choice read back as written, the rest of
// the file kept, and a file that cannot be written reported.
#include "arcade/shell/view_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace arcade {
namespace {

class ViewSettingsTest : public ::testing::Test {
 protected:
  ~ViewSettingsTest() override { std::filesystem::remove_all(folder); }
  std::string Text() const {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vortexia_settings_" + std::to_string(::getpid()));
  std::filesystem::path file = folder / "VORTEXIA.INI";
};

TEST_F(ViewSettingsTest, MissingFileGivesTheClassicCamera) {
  EXPECT_EQ(ReadViewSettings(file).camera, CameraView::Classic);
}

TEST_F(ViewSettingsTest, CameraChoiceIsReadBackAndOtherLinesStay) {
  std::filesystem::create_directories(folder);
  std::ofstream(file) << "; my notes\n[Options]\nSound=off\n";
  ASSERT_TRUE(WriteViewSettings(file, {CameraView::Raised}));
  EXPECT_EQ(ReadViewSettings(file).camera, CameraView::Raised);
  const std::string text = Text();
  EXPECT_NE(text.find("; my notes"), std::string::npos);
  EXPECT_NE(text.find("Sound=off"), std::string::npos);
  ASSERT_TRUE(WriteViewSettings(file, {CameraView::Classic}));
  EXPECT_EQ(ReadViewSettings(file).camera, CameraView::Classic);
  std::ofstream(file) << "[Options]\nCamera=sideways\n";
  EXPECT_EQ(ReadViewSettings(file).camera, CameraView::Classic)
      << "an unknown value is the default";
}

TEST_F(ViewSettingsTest, FileThatCannotBeWrittenIsReported) {
  // The settings path names a folder: nothing can be written there.
  std::filesystem::create_directories(file);
  EXPECT_FALSE(WriteViewSettings(file, {CameraView::Raised}));
  EXPECT_EQ(ReadViewSettings(file).camera, CameraView::Classic);
}

}  // namespace
}  // namespace arcade
