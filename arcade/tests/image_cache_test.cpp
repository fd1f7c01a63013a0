#include "arcade/imagelib/image_cache.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "arcade/imagelib/bitmap_format.h"
#include "support/image_library_fixture.h"

namespace arcade {
namespace {

using testing::allIndices;
using testing::ImageLibraryTest;

TEST_F(ImageLibraryTest, CacheFindsByNameAndSkipsFilesThatCannotBeOpened) {
  const auto path =
      writeFile("cached.bmp", bmp::encode8(4, 2, allIndices(4, 2), CGamePalette::TableEntries()));
  CImageCache cache;
  CIndexedImage* first = cache.FindOrLoad(library, path.string());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->name, path.string());
  EXPECT_EQ(cache.FindOrLoad(library, path.string()), first);
  EXPECT_EQ(cache.FindOrLoad(library, "/nonexistent/none.bmp"), nullptr);
  EXPECT_TRUE(reporter.messages.empty());
  const auto other =
      writeFile("other.bmp", bmp::encode8(4, 2, allIndices(4, 2), CGamePalette::TableEntries()));
  CIndexedImage* second = cache.FindOrLoad(library, other.string());
  EXPECT_NE(second, first);
  EXPECT_EQ(cache.Newest(), second);
  EXPECT_EQ(cache.Count(), 2u);
  // A file of an unknown kind is told once and kept as an empty image.
  const auto text = writeFile("notes.bmp", std::vector<std::uint8_t>(200, 'B'));
  auto bad = bmp::encode8(4, 2, allIndices(4, 2), CGamePalette::TableEntries());
  bad[bmp::kFileHeaderSize + bmp::kBitCountOffset] = 16;
  const auto badPath = writeFile("sixteen.bmp", bad);
  CIndexedImage* empty = cache.FindOrLoad(library, badPath.string());
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->pixels, nullptr);
  EXPECT_EQ(cache.FindOrLoad(library, badPath.string()), empty);
  EXPECT_EQ(reporter.messages.size(), 1u);
  EXPECT_NE(cache.FindOrLoad(library, text.string()), nullptr);
  EXPECT_EQ(reporter.messages.size(), 1u);  // not a bitmap at all: no message
}

TEST_F(ImageLibraryTest, CacheFindsImagesWhoseFileNamesAreLongerThan255Characters) {
  // A path of about 400 characters through two folders of 180-character names.
  const auto base =
      std::filesystem::temp_directory_path() / ("arcade_long_" + std::to_string(::getpid()));
  const auto folder = base / std::string(180, 'a') / std::string(180, 'b');
  std::filesystem::create_directories(folder);
  const auto path = (folder / "long.bmp").string();
  ASSERT_GT(path.size(), 255u);
  const auto bytes = bmp::encode8(4, 2, allIndices(4, 2), CGamePalette::TableEntries());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  CImageCache cache;
  CIndexedImage* first = cache.FindOrLoad(library, path);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(cache.FindOrLoad(library, path), first);
  EXPECT_EQ(cache.FindOrLoad(library, path), first);
  EXPECT_EQ(cache.Count(), 1u);  // loaded once, not added again
  // Two long names that share their first 255 characters stay two images.
  const auto sibling = (folder / "long2.bmp").string();
  std::filesystem::copy_file(path, sibling);
  CIndexedImage* second = cache.FindOrLoad(library, sibling);
  EXPECT_NE(second, first);
  EXPECT_EQ(cache.FindOrLoad(library, path), first);
  std::filesystem::remove_all(base);
}

TEST_F(ImageLibraryTest, TextureSlotsMapResourceNumbersAndLoadOnce) {
  resources.Add(ResourceType::Bitmap, 1005,
                bmp::encode8(8, 8, allIndices(8, 8), CGamePalette::TableEntries()));
  CTextureSlots slots(library);
  CIndexedImage* t = slots.Texture(1005);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(slots.Texture(5), t);
  EXPECT_EQ(t->widthShift, 3);
  EXPECT_EQ(slots.Texture(1300), nullptr);  // slot 0: resource 1000 is missing
  EXPECT_EQ(slots.Texture(-4), nullptr);
  EXPECT_EQ(reporter.beeps, 1);  // slot 0 was tried once
}

}  // namespace
}  // namespace arcade
