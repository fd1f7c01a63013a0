#include "diskindex/ui/file_size_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QTime>

#include "diskindex/core/display_format.h"
#include "diskindex/ui/file_list_model.h"

namespace diskindex::ui {
namespace {

// The widest size a cell has to hold: eleven digits with their group dots,
// one digit more than any 32-bit size needs.
const QString kWidestSize = QStringLiteral("00.000.000.000");

// What a cell needs besides its text: the item view's margin on either side.
int cellMargins(const QWidget* widget) {
  const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  return 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1) + 2;
}

}  // namespace

int FileSizeDelegate::minimumColumnWidth(const QFont& font, const QWidget* widget) {
  return QFontMetrics(font).horizontalAdvance(kWidestSize) + cellMargins(widget);
}

int FileSizeDelegate::minimumDateColumnWidth(const QFont& font, const QWidget* widget) {
  // A date cell as the list writes it, at a late hour (two-digit hours are
  // the widest in every time format).
  const QString time = QTime(23, 59, 58).toString(systemTimeFormat());
  const QString cell =
      QString::fromStdString(fileDateCell((28u << 25) | (12u << 21) | (28u << 16), time.toStdString()));
  return QFontMetrics(font).horizontalAdvance(cell) + cellMargins(widget);
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
