#include "diskindex/ui/file_size_delegate.h"

#include <QApplication>
#include <QPainter>

namespace diskindex::ui {

void FileSizeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
  const QFontMetrics metrics(item.font);
  const int width = metrics.horizontalAdvance(QStringLiteral("00000000000"));
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
