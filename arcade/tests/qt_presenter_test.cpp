#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "arcade/imagelib/indexed_image.h"
#include "arcade/ui/qt_image_presenter.h"
#include "arcade/ui/qt_resources.h"
#include "support/fakes.h"

namespace arcade {
namespace {

QRgb paletteRgb(int index) {
  const Rgb c = CGamePalette::TableEntries()[index];
  return qRgb(c.r, c.g, c.b);
}

TEST(QtPresenter, DrawCopiesAllButTheLastColumnWithTheBottomRowAtTheBottom) {
  CIndexedImage img(320, 220);
  img.Clear();
  for (int x = 0; x < 320; ++x) *img.PixelAt(x, 0) = 249;  // bottom row red
  *img.PixelAt(318, 219) = 250;                            // top row, last shown column
  *img.PixelAt(319, 219) = 252;                            // the column that is not shown
  QImage screen(400, 300, QImage::Format_RGB32);
  screen.fill(qRgb(1, 2, 3));
  {
    QPainter painter(&screen);
    QtImagePresenter presenter(painter);
    img.Draw(presenter, 10, 20);
  }
  EXPECT_EQ(screen.pixel(10, 20 + 219), paletteRgb(249));
  EXPECT_EQ(screen.pixel(10 + 318, 20), paletteRgb(250));
  EXPECT_EQ(screen.pixel(10 + 319, 20), qRgb(1, 2, 3));  // 319 columns only
  EXPECT_EQ(screen.pixel(10, 20 + 220), qRgb(1, 2, 3));
  EXPECT_EQ(screen.pixel(50, 100), paletteRgb(0));
}

TEST(QtPresenter, StretchedDrawDoublesEachPixel) {
  CIndexedImage img(4, 2);
  img.Clear();
  *img.PixelAt(1, 1) = 251;
  QImage screen(16, 8, QImage::Format_RGB32);
  screen.fill(qRgb(1, 2, 3));
  {
    QPainter painter(&screen);
    QtImagePresenter presenter(painter);
    img.DrawStretched(presenter, 0, 0, 0, 0);  // 3 x 2 source columns into 8 x 4
  }
  const QRgb yellow = paletteRgb(251);
  EXPECT_EQ(screen.pixel(0, 0), paletteRgb(0));
  EXPECT_NE(screen.pixel(3, 0), qRgb(1, 2, 3));
  int lit = 0;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) lit += screen.pixel(x, y) == yellow;
  }
  EXPECT_GE(lit, 4);
  EXPECT_EQ(screen.pixel(0, 2), paletteRgb(0));  // the lit pixel is in the top row
  EXPECT_EQ(screen.pixel(9, 0), qRgb(1, 2, 3));
}

TEST(QtResources, EmbeddedArtworkLoadsLikeTheFilesOnDisk) {
  const QtResources embedded;
  const DirectoryResources disk(testing::artDirectory());
  for (auto [type, id] : {std::pair{ResourceType::Bitmap, 1002},
                          {ResourceType::Bitmap, 1299},
                          {ResourceType::Wave, 12}}) {
    std::vector<std::uint8_t> a, b;
    ASSERT_TRUE(embedded.Load(type, id, a)) << id;
    ASSERT_TRUE(disk.Load(type, id, b)) << id;
    EXPECT_EQ(a, b) << id;
  }
  std::vector<std::uint8_t> none;
  EXPECT_FALSE(embedded.Load(ResourceType::Bitmap, 1001, none));
}

TEST(QtResources, EmbeddedSoundsLoadLikeTheGeneratedFiles) {
  const QtResources embedded;
  const DirectoryResources disk(VORTEXIA_SOUND_DIR);
  for (int id : {159, 167, 2000, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008}) {
    std::vector<std::uint8_t> a, b;
    ASSERT_TRUE(embedded.Load(ResourceType::Wave, id, a)) << id;
    ASSERT_TRUE(disk.Load(ResourceType::Wave, id, b)) << id;
    EXPECT_EQ(a, b) << id;
  }
  std::vector<std::uint8_t> none;
  EXPECT_FALSE(embedded.Load(ResourceType::Wave, 2009, none));
}

}  // namespace
}  // namespace arcade
