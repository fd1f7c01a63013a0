#include "arcade/ui/title_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace arcade::ui {

namespace {

// A font asked for by its cell height, as the layout gives it; Arial's
// character height is about 87% of its cell.
QFont TitleFont(const TitleText& text) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(1, text.height * 87 / 100));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(text.weight, 1, 1000)));
  font.setItalic(text.italic);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QColor Colour(TitleColour colour) {
  return colour == TitleColour::Green ? QColor(0, 255, 0) : QColor(255, 255, 0);
}

}  // namespace

void PaintTitleScreen(QPainter& painter, const TitleScreen& screen) {
  painter.save();
  painter.setPen(QPen(Colour(TitleColour::Yellow), 1));
  for (const TitleRule& rule : screen.rules) {
    painter.drawLine(rule.x1, rule.y, rule.x2, rule.y);
  }
  for (const TitleText& text : screen.texts) {
    const QFont font = TitleFont(text);
    painter.setFont(font);
    painter.setPen(Colour(text.colour));
    const QString s = QString::fromStdString(text.text);
    const int advance = QFontMetrics(font).horizontalAdvance(s);
    const int x = text.align == TitleAlign::Centre ? text.x - advance / 2 : text.x - advance;
    painter.drawText(x, text.y, s);
  }
  painter.restore();
}

}  // namespace arcade::ui
