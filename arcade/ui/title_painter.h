// Paints the title screen's texts and rules as laid out, in Arial (matched
// by fontconfig) with the font height, weight and slant the layout asks for.
#pragma once

#include "arcade/shell/title_layout.h"

class QPainter;

namespace arcade::ui {

void PaintTitleScreen(QPainter& painter, const TitleScreen& screen);

}  // namespace arcade::ui
