#pragma once
// Opens a help page (one of the names in help_window.h) for a dialog or
// window of its own: the help window belongs to `owner` (so it takes input
// while the owner is modal and goes with it) and is reused by a second
// press of "&Hilfe". While another modal dialog runs, that dialog's help
// window is used instead (see showHelpPage).

class QWidget;

namespace diskindex::ui {

void openHelpPage(QWidget* owner, const char* page);

}  // namespace diskindex::ui
