#include "arcade/imagelib/indexed_image.h"

#include <gtest/gtest.h>

#include "arcade/imagelib/bitmap_format.h"
#include "support/image_library_fixture.h"

namespace arcade {
namespace {

using testing::allIndices;
using testing::ImageLibraryTest;

TEST_F(ImageLibraryTest, BitmapInTheGamePaletteLoadsUnchanged) {
  const auto px = allIndices(16, 16);
  const auto bytes = bmp::encode8(16, 16, px, CGamePalette::TableEntries());
  CIndexedImage fromFile;
  ASSERT_TRUE(fromFile.LoadFile(library, writeFile("same.bmp", bytes).string()));
  EXPECT_EQ(std::vector<std::uint8_t>(fromFile.pixels, fromFile.pixels + fromFile.size), px);
  EXPECT_EQ(fromFile.widthShift, 4);
  EXPECT_FALSE(library.error);
  resources.Add(ResourceType::Bitmap, 1002, bytes);
  CIndexedImage fromResource;
  ASSERT_TRUE(fromResource.LoadResource(library, 1002));
  EXPECT_EQ(std::vector<std::uint8_t>(fromResource.pixels, fromResource.pixels + 256), px);
  EXPECT_EQ(reporter.beeps, 0);
}

TEST_F(ImageLibraryTest, ColourExactlyBetweenTwoEntriesMapsToTheLowerIndex) {
  // Entries 16 (1B0303) and 17 (370303) are 28 apart in red; 0x29 lies halfway.
  std::array<Rgb, kPaletteSize> table{};
  table[1] = Rgb{0x29, 0x03, 0x03};
  table[2] = Rgb{0x37, 0x03, 0x03};
  const std::vector<std::uint8_t> px = {1, 2, 1, 2};
  CIndexedImage img;
  ASSERT_TRUE(img.LoadFile(library, writeFile("half.bmp", bmp::encode8(4, 1, px, table)).string()));
  EXPECT_EQ(img.pixels[0], 16);
  EXPECT_EQ(img.pixels[1], 17);
}

TEST_F(ImageLibraryTest, TwentyFourBitFilesGoThroughTheFirstLookupTable) {
  std::vector<std::uint8_t> bgr = {0, 0, 255, 0, 255, 0, 255, 0, 0, 90, 60, 30};
  CIndexedImage img;
  ASSERT_TRUE(img.LoadFile(library, writeFile("rgb.bmp", bmp::encode24(4, 1, bgr)).string()));
  EXPECT_EQ(img.pixels[0], palette.Nearest(255, 0, 0));
  EXPECT_EQ(img.pixels[1], palette.Nearest(0, 255, 0));
  EXPECT_EQ(img.pixels[2], palette.Nearest(0, 0, 255));
  EXPECT_EQ(img.pixels[3], palette.Nearest(30, 60, 90));
  EXPECT_EQ(img.widthShift, 2);
}

TEST_F(ImageLibraryTest, UnknownKindShowsTheMessageAndSetsTheErrorFlag) {
  auto bytes = bmp::encode8(4, 4, allIndices(4, 4), CGamePalette::TableEntries());
  bytes[bmp::kFileHeaderSize + bmp::kBitCountOffset] = 4;
  CIndexedImage img;
  EXPECT_FALSE(img.LoadFile(library, writeFile("four.bmp", bytes).string()));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].caption, "Image Library Error");
  EXPECT_EQ(reporter.messages[0].text, "Fatal Error:\nFile format not recognized!");
  EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
  EXPECT_TRUE(library.error);
  EXPECT_EQ(img.pixels, nullptr);
  EXPECT_EQ(img.width, 0);
}

TEST_F(ImageLibraryTest, DamagedFilesFailWithoutReadingPastTheirEnd) {
  const auto good = bmp::encode8(8, 8, allIndices(8, 8), CGamePalette::TableEntries());
  for (std::size_t cut : {std::size_t{3}, std::size_t{20}, std::size_t{600}, good.size() - 1}) {
    CIndexedImage img;
    std::vector<std::uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(img.DecodeFile(library, part)) << cut;
    EXPECT_TRUE(library.error);
    EXPECT_EQ(img.pixels, nullptr);
  }
  auto huge = good;
  huge[bmp::kFileHeaderSize + bmp::kWidthOffset + 3] = 0x7F;  // width near 2^31
  CIndexedImage img;
  EXPECT_FALSE(img.DecodeFile(library, huge));
  // Not a bitmap at all: fails quietly.
  const std::size_t before = reporter.messages.size();
  EXPECT_FALSE(img.DecodeFile(library, std::vector<std::uint8_t>(100, 'x')));
  EXPECT_EQ(reporter.messages.size(), before);
  EXPECT_TRUE(library.error);
}

TEST_F(ImageLibraryTest, MissingResourceBeepsAndLeavesTheImageEmpty) {
  CIndexedImage img;
  EXPECT_FALSE(img.LoadResource(library, 1234));
  EXPECT_EQ(reporter.beeps, 1);
  EXPECT_EQ(img.width, 0);
  EXPECT_EQ(img.height, 0);
  EXPECT_EQ(img.pixels, nullptr);
}

TEST_F(ImageLibraryTest, WidthShiftIsLog2OfPowerOfTwoWidthsOnly) {
  EXPECT_EQ(CIndexedImage(256, 2).widthShift, 0);  // blank images do not compute it
  for (auto [w, shift] : {std::pair{256, 8}, {320, 0}, {1, 0}, {64, 6}, {0, 0}}) {
    CIndexedImage img(w, 1);
    img.ComputeShift();
    EXPECT_EQ(img.widthShift, shift) << w;
  }
}

TEST_F(ImageLibraryTest, DrawShowsAllButTheLastColumn) {
  CIndexedImage img(320, 220);
  img.Clear();
  EXPECT_EQ(*img.PixelAt(319, 219), 0);
  *img.PixelAt(5, 2) = 9;
  EXPECT_EQ(img.pixels[320 * 2 + 5], 9);
  testing::RecordingPresenter presenter;
  img.Draw(presenter, 10, 20);
  img.DrawStretched(presenter, 0, 0, 0, 0);
  img.DrawStretched(presenter, 0, 0, 100, 50);
  ASSERT_EQ(presenter.transfers.size(), 3u);
  const DibTransfer& t = presenter.transfers[0];
  EXPECT_EQ(t.width, 320);
  EXPECT_EQ(t.srcWidth, 319);
  EXPECT_EQ(t.srcHeight, 220);
  EXPECT_EQ(t.dstWidth, 319);
  EXPECT_EQ(t.dstHeight, 220);
  EXPECT_EQ(t.dstX, 10);
  EXPECT_EQ(t.pixels, img.pixels);
  EXPECT_EQ((*t.colours)[250], (Rgb{0, 255, 0}));
  EXPECT_EQ(presenter.transfers[1].dstWidth, 640);
  EXPECT_EQ(presenter.transfers[1].dstHeight, 440);
  EXPECT_EQ(presenter.transfers[1].srcWidth, 319);
  EXPECT_EQ(presenter.transfers[2].dstWidth, 100);
}

}  // namespace
}  // namespace arcade
