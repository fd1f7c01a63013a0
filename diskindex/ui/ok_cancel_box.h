#pragma once
// The "Ok"/"Abbruch" row of the window's dialogs, made in one place: the
// buttons named ButtonOk and ButtonCancel (the window tests find them so),
// accepting and rejecting the dialog. Dialogs with more buttons add them to
// the box it returns; what Ok means is the dialog's.

#include <QDialogButtonBox>
#include <QString>

class QDialog;
class QPushButton;

namespace diskindex::ui {

// The Ok button's text: the dialogs have always written it "Ok" or "OK".
enum class OkText { Ok, OK };
// Whether Ok is the dialog's default button (Enter presses it).
enum class OkDefault { Yes, No };

struct OkCancelBox {
  QDialogButtonBox* box = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
};

// A button box for the dialog (not yet in a layout) whose Ok accepts and
// whose Abbruch rejects it.
OkCancelBox makeOkCancelBox(QDialog* dialog, OkText text, OkDefault isDefault);

}  // namespace diskindex::ui
