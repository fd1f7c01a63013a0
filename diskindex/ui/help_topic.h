#pragma once
// Opens the help on one topic for a dialog: a help window owned by the
// dialog (so it takes input while the dialog is modal and goes with it),
// showing the page "<topic>.html", or the contents page while the program
// has no page of that name.

#include <QString>

class QWidget;

namespace diskindex::ui {

void openHelpPage(QWidget* owner, const QString& topic);
// The page shown for a topic ("suchen" -> "suchen.html", or "index.html").
QString helpPageFor(const QString& topic);

}  // namespace diskindex::ui
