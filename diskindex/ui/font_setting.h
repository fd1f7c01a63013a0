#pragma once
// A font as the settings store it (name, size in points, style set: bold 1,
// italic 2, underline 4, strike-out 8) and as Qt uses it. Classic names such
// as "MS Sans Serif" are left to fontconfig, which maps them to installed
// fonts. The window fonts keep to the sizes the settings accept
// (kSmallestWindowFont..kLargestWindowFont); the print font has no limit.

#include <QFont>

#include "diskindex/core/settings.h"

namespace diskindex::ui {

// The sizes in points the settings file accepts for the four window fonts;
// a stored size outside them falls back to the default when read.
inline constexpr int kSmallestWindowFont = 8;
inline constexpr int kLargestWindowFont = 14;

inline QFont toFont(const diskindex::FontSetting& setting) {
  QFont font(QString::fromStdString(setting.name), setting.size);
  font.setBold((setting.style & 1) != 0);
  font.setItalic((setting.style & 2) != 0);
  font.setUnderline((setting.style & 4) != 0);
  font.setStrikeOut((setting.style & 8) != 0);
  return font;
}

inline diskindex::FontSetting fontSetting(const QFont& font) {
  diskindex::FontSetting setting;
  setting.name = font.family().toStdString();
  setting.size = font.pointSize();
  setting.style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
                  (font.strikeOut() ? 8 : 0);
  return setting;
}

}  // namespace diskindex::ui
