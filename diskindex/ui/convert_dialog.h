#pragma once
// TDlgConvert: the small window that stands while old catalogue files are
// converted. It shows the file being converted and how many of how many, and
// has a cancel button; Escape and closing the window cancel too. The
// conversion polls cancelRequested() after each file, which first handles
// the pending clicks, so a cancel pressed during a file stops after that
// file. While it exists its parent takes no commands (BusyScope).
//
// In its copy form ("Datei(en) kopieren") it shows "Zieldatei:" with the
// file being written and "Bereits kopiert:" with a bar of the bytes done;
// the copy polls cancelRequested() after each block.

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <cstdint>
#include <memory>

namespace diskindex::ui {

class BusyScope;

class TDlgConvert : public QDialog {
  Q_OBJECT
 public:
  enum class Form { Convert, Copy };
  explicit TDlgConvert(QWidget* parent = nullptr, Form form = Form::Convert);
  ~TDlgConvert() override;
  void showFile(const QString& file, int index, int count);
  // Copy form: the target file and the bytes done of the total.
  void showTarget(const QString& file);
  void showCopied(std::uint64_t done, std::uint64_t total);
  bool cancelRequested();
  // Escape and closing the window: cancel.
  void reject() override;

 private:
  std::unique_ptr<BusyScope> m_busy;
  QLabel* m_file = nullptr;
  QLabel* m_count = nullptr;
  QProgressBar* m_bar = nullptr;
  bool m_cancelled = false;
};

}  // namespace diskindex::ui
