#pragma once
// The drive list of the add and rescan dialogs: one line per letter of the
// drive table, the medium as a user knows it, by its label and where it is
// mounted: "E:  URLAUB_2019  (/media/anna/URLAUB_2019)" (the label only when
// there is one),
// with the letter as the item's data (an int). A stored letter the table no
// longer has is listed too, bare, so that a volume's own drive can always
// be shown.

#include "platform/drives.h"

class QComboBox;
class QString;

namespace diskindex::ui {

void fillDriveCombo(QComboBox* combo, const platform::DriveTable& drives, char storedLetter);
// Shows text ("(der gewählte Ordner)", "?") where a drive would be, with no
// drive chosen: a folder is read instead, and the first drive of the list
// ("C:  (/)", the whole system disk) must not look chosen. No change signal
// is sent; picking a drive afterwards chooses it as usual.
void showNoDrive(QComboBox* combo, const QString& text);

}  // namespace diskindex::ui
