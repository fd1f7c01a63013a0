#include "diskindex/ui/ok_cancel_box.h"

#include <QDialog>
#include <QPushButton>

namespace diskindex::ui {

OkCancelBox makeOkCancelBox(QDialog* dialog, OkText text, OkDefault isDefault) {
  OkCancelBox made;
  made.box = new QDialogButtonBox;
  made.ok = made.box->addButton(text == OkText::Ok ? QStringLiteral("Ok") : QStringLiteral("OK"),
                                QDialogButtonBox::AcceptRole);
  made.ok->setObjectName(QStringLiteral("ButtonOk"));
  if (isDefault == OkDefault::Yes) made.ok->setDefault(true);
  made.cancel = made.box->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole);
  made.cancel->setObjectName(QStringLiteral("ButtonCancel"));
  QObject::connect(made.box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(made.box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return made;
}

}  // namespace diskindex::ui
