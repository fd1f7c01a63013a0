#pragma once
// TDlgConvert: the small window that stands while old catalogue files are
// converted. It shows the file being converted and how many of how many, and
// has a cancel button; the conversion polls cancelRequested() between files.

#include <QDialog>
#include <QLabel>
#include <QProgressBar>

namespace diskindex::ui {

class TDlgConvert : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgConvert(QWidget* parent = nullptr);
  void showFile(const QString& file, int index, int count);
  bool cancelRequested() const { return m_cancelled; }

 private:
  QLabel* m_file = nullptr;
  QLabel* m_count = nullptr;
  QProgressBar* m_bar = nullptr;
  bool m_cancelled = false;
};

}  // namespace diskindex::ui
