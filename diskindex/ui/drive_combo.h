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

namespace diskindex::ui {

void fillDriveCombo(QComboBox* combo, const platform::DriveTable& drives, char storedLetter);

}  // namespace diskindex::ui
