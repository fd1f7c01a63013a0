#pragma once
// Draws the file list's size cells: the text right-aligned within the width
// of eleven digits with their group dots ("00.000.000.000") measured from the
// left edge of the cell, so sizes line up however wide the column is. It
// also says how wide the size and date columns must at least be for the
// widest size and date to show whole in a font; it does not set that width.

#include <QStyledItemDelegate>

namespace diskindex::ui {

class FileSizeDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  // Width of a size column whose cells show eleven digits uncut in font.
  static int minimumColumnWidth(const QFont& font, const QWidget* widget);
  // Width of a date column whose cells show a date and time uncut in font.
  static int minimumDateColumnWidth(const QFont& font, const QWidget* widget);
};

}  // namespace diskindex::ui
