// Shared pieces of the DROX artwork generator: the game palette, the pixel
// font, painting helpers, conversion of a painted QImage to palette indices
// and the 8-bit bitmap writer.
//
// Every picture is painted with QPainter on an ARGB image whose transparent
// parts stay at alpha 0; the conversion maps those to index 0, pure black,
// which the game treats as transparent, and never picks index 0 for a
// painted pixel. Nothing here draws a particular picture: see the other files.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace drox_art {

struct Rgb {
  std::uint8_t r, g, b;
};

// 16 colour ramps of 16 shades each, dark to light; entry 0 is pure black.
const std::array<Rgb, 256>& gamePalette();

// Palette indices, rows top-down, width x height bytes.
std::vector<std::uint8_t> toIndices(const QImage& image);
// An uncompressed 8-bit bottom-up bitmap with the whole palette as colour table.
std::vector<std::uint8_t> encodeBitmap(int width, int height,
                                       const std::vector<std::uint8_t>& topDownIndices);
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A transparent ARGB picture of the given size.
QImage blank(int width, int height);

struct TextStyle {
  int cellW = 2;  // width of one font pixel
  int cellH = 2;  // height of one font pixel
  int spacing = 2;
  bool bold = false;  // each font pixel one pixel wider, for small text on busy ground
  QColor top{255, 255, 255};
  QColor bottom{200, 200, 200};
  QColor outline{16, 16, 32};
};
// Width of a text in the 5 x 7 pixel font.
int textWidth(const std::string& text, const TextStyle& style);
// Draws text with its top-left corner at (x, y): an outline one pixel around
// every lit font pixel, then the pixels with a vertical gradient.
void drawText(QImage& image, int x, int y, const std::string& text, const TextStyle& style);
void drawTextCentred(QImage& image, int y, const std::string& text, const TextStyle& style);

// Paints with a transform that maps a figure drawn facing up (toward -y),
// centred on the origin, into the box facing the heading code 33..40.
void faceHeading(QPainter& p, int boxW, int boxH, int headingCode, double diagonalScale);

// The pictures, each exactly the size the game's image table gives.
QImage paletteCarrier();
QImage background(int width, int height);
QImage wallTile(int id);
QImage powerUp(int id, int size);
QImage shot(int id);
QImage hero(int width, int height, int headingCode, bool hit);
QImage droid(int width, int height, int headingCode, int frame, bool destroyed);
QImage title(int width, int height);
QImage rankNames(int width, int height);
QImage digits(int width, int height, bool garden);
QImage label(int width, int height, const std::string& text);
QImage lifeIcon(int width, int height);
QImage gameOverBanner(int width, int height);
QImage lifeLostBanner(int width, int height);
QImage gardenClearedBanner(int width, int height);
QImage glowColours(int width, int height);

}  // namespace drox_art
