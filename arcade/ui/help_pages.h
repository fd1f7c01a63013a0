// The text of the game's help pages (HTML for a text browser) and of the
// "Need To Know..." introduction.
#pragma once

#include <QString>
#include <QStringList>

namespace arcade::ui {

QStringList HelpPages();
QString NeedToKnowText();

}  // namespace arcade::ui
