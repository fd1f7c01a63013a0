#include "diskindex/ui/file_size_delegate.h"

#include <QApplication>
#include <QPainter>

namespace diskindex::ui {
namespace {

// The widest size a cell has to hold: eleven digits, one more than any
// 32-bit size needs.
const QString kWidestSize = QStringLiteral("00000000000");

}  // namespace

int FileSizeDelegate::minimumColumnWidth(const QFont& font, const QWidget* widget) {
  const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  // The item view keeps this margin on either side of a cell's text.
  const int textMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  return QFontMetrics(font).horizontalAdvance(kWidestSize) + 2 * textMargin + 2;
}

void FileSizeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
  const QFontMetrics metrics(item.font);
  const int width = metrics.horizontalAdvance(kWidestSize);
  QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
  area.setWidth(std::min(area.width(), width));
  painter->save();
  painter->setFont(item.font);
  painter->setPen(item.palette.color(item.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
  // The cell's trailing blanks only pad the copied text; the digits end at
  // the eleventh digit position.
  painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter, text.trimmed());
  painter->restore();
}

}  // namespace diskindex::ui
