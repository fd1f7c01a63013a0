#include "diskindex/ui/help_topic.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include "diskindex/ui/help_window.h"

namespace diskindex::ui {

void openHelpPage(QWidget* owner, const char* page) {
  QPointer<HelpWindow> own = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
  showHelpPage(QString::fromLatin1(page), own, owner);
}

}  // namespace diskindex::ui
