#pragma once
// Where a message box or question that a workflow opens belongs: the modal
// window running at that moment, else the window the prompts were made for.
// A reading's progress window stays on top of every other window of the
// program, so a box owned by the main window while it runs would open hidden
// behind it and the program would look frozen. This decides the owner only;
// the boxes themselves are the prompts'.

#include <QApplication>
#include <QWidget>

namespace diskindex::ui {

inline QWidget* boxOwner(QWidget* fallback) {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? modal : fallback;
}

}  // namespace diskindex::ui
