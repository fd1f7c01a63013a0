// A test fixture for the image library: a palette, in-memory resources, a
// recording reporter, and bitmap files written to the temporary directory
// (removed after each test).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "arcade/imagelib/indexed_image.h"
#include "fakes.h"

namespace arcade::testing {

class ImageLibraryTest : public ::testing::Test {
 protected:
  std::filesystem::path writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("arcade_image_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    m_files.push_back(path);
    return path;
  }
  void TearDown() override {
    for (const auto& f : m_files) std::filesystem::remove(f);
  }

  CGamePalette palette;
  MemoryResources resources;
  RecordingReporter reporter;
  ImageLibrary library{palette, resources, reporter};

 private:
  std::vector<std::filesystem::path> m_files;
};

// 8-bit pixels w x h running through many palette indices.
inline std::vector<std::uint8_t> allIndices(int w, int h) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < px.size(); ++i) px[i] = static_cast<std::uint8_t>(i * 7);
  return px;
}

}  // namespace arcade::testing
