// Shared pieces of the artwork generator: deterministic noise, the pixel
// font, and conversion of a painted QImage to the game palette. Every
// picture is computed from fixed seeds, so two runs give identical files.
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

// Value noise in 0..1 with integer lattice hashing; period wraps the lattice
// so textures tile.
double valueNoise(double x, double y, int period, std::uint32_t seed);
// Fractal sum of octaves of valueNoise, 0..1.
double fbm(double x, double y, int octaves, int period, std::uint32_t seed);
std::uint32_t hash(std::uint32_t a, std::uint32_t b, std::uint32_t seed);

QColor mix(const QColor& a, const QColor& b, double t);
// Piecewise-linear colour ramp over stops at 0..1.
QColor ramp(const std::vector<std::pair<double, QColor>>& stops, double t);

// 5 x 7 bitmap glyph rows (bit 4 = leftmost column) of the game's pixel
// font, which its banners use as well; empty when unknown.
std::vector<std::uint8_t> glyphRows(char c);
// Draws text in the pixel font with cell size `cell` at (x, y) (top-left),
// each lit cell filled with a vertical gradient top..bottom and a darker
// shadow one pixel down-right. Returns the x after the text.
int drawPixelText(QImage& image, int x, int y, const std::string& text, int cell, const QColor& top,
                  const QColor& bottom, int spacing);

struct Quantise {
  bool dither = true;
  int transparentIndex = -1;  // alpha < 128 becomes this index
  std::vector<int> excluded;  // indices never chosen for opaque pixels
};
// Converts to palette indices, bottom-up rows of width bytes.
std::vector<std::uint8_t> toPalette(const QImage& image, const Quantise& q);

// Writes an 8-bit bitmap with the game palette as its colour table.
bool writeBitmap(const std::string& path, const QImage& image, const Quantise& q);

// The pictures.
QImage texture(int id);
QImage enhancementBox();
QImage scoreLabels(bool small);
QImage digitStrip(bool small);
QImage ball();
QImage titleBackdrop();

}  // namespace artgen
