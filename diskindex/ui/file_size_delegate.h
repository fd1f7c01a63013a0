#pragma once
// Draws the file list's size cells: the text right-aligned within the width
// of eleven digits measured from the left edge of the cell, so sizes line up however wide the
// column is.

#include <QStyledItemDelegate>

namespace diskindex::ui {

class FileSizeDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace diskindex::ui
