// Walks the main window through its views and the categories dialog (with
// its warning for a name that exists) for screenshots:
//   diskindx-window-tour OUT_DIR [VOLUME_NAME]
// Settings and data come from the usual places (point XDG_CONFIG_HOME and
// XDG_DATA_HOME at a sample catalogue). Each step waits a second so that an
// outside screenshot (import -window root) can be taken too, and saves the
// window's own picture as OUT_DIR/NN-step.png.

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTreeView>
#include <cstdio>
#include <functional>

#include "diskindex/tools/tour_support.h"
#include "diskindex/ui/dlg_categories.h"
#include "diskindex/ui/help_window.h"

namespace {

using diskindex::ui::TDiskIndexForm;

void expandSome(QTreeView* tree) {
  tree->expandToDepth(1);
  const QModelIndex root = tree->model()->index(0, 0);
  const QModelIndex child = tree->model()->index(1, 0, root);
  if (child.isValid()) tree->setCurrentIndex(child);
}

QWidget* categoriesDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && qobject_cast<diskindex::ui::TDlgCategories*>(widget)) return widget;
  }
  return nullptr;
}

void clickIn(QWidget* dialog, const char* button) {
  if (auto* b = dialog ? dialog->findChild<QPushButton*>(button) : nullptr) b->click();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT_DIR [VOLUME_NAME]\n", argv[0]);
    return 2;
  }
  diskindex::tools::prepareApplication();
  diskindex::tools::TourShots shots(QString::fromLocal8Bit(argv[1]));
  const std::string volumeName = argc > 2 ? argv[2] : "";
  TDiskIndexForm form(diskindex::tools::tourEnvironment());
  form.start();
  form.show();

  auto shot = [&](const char* name) { shots.take(&form, name); };
  auto shotOf = [&](QWidget* widget, const char* name) { shots.take(widget, name); };
  std::vector<std::function<void()>> steps{
      [&] { shot("overview"); },
      [&] {
        const auto& volumes = form.state().catalogue.volumes();
        std::size_t index = volumes.findByName(volumeName).value_or(0);
        form.openVolume(index);
        expandSome(form.findChild<QTreeView*>("OutlineDir"));
      },
      [&] { shot("contents"); },
      [&] { form.setGeometry(QApplication::primaryScreen()->availableGeometry()); },
      [&] { shot("contents-maximised"); },
      [&] { form.actions().overview->trigger(); },
      [&] { shot("overview-maximised"); },
      [&] { form.actions().helpContents->trigger(); },
      [&] {
        shotOf(form.findChild<diskindex::ui::HelpWindow*>(), "help");
      },
      [&] {
        if (auto* help = form.findChild<diskindex::ui::HelpWindow*>()) help->close();
      },
      // The categories dialog is modal: the tour goes on inside its loop.
      [&] { form.actions().categories->trigger(); },
      [&] { shotOf(categoriesDialog(), "categories"); },
      [&] { clickIn(categoriesDialog(), "ButtonNew"); },
      [&] { shotOf(categoriesDialog(), "categories-new"); },
      [&] {
        QWidget* dialog = categoriesDialog();
        auto* list = dialog ? dialog->findChild<QListWidget*>("ListBoxCategories") : nullptr;
        auto* edit = dialog ? dialog->findChild<QLineEdit*>("EditCategory") : nullptr;
        if (list == nullptr || edit == nullptr || list->count() == 0) return;
        edit->setText(list->item(0)->text().toLower());
        clickIn(dialog, "ButtonOk");  // the next steps run inside the warning's loop
      },
      [&] { shotOf(QApplication::activeModalWidget(), "categories-exists"); },
      [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          box->accept();
        }
      },
      [&] { clickIn(categoriesDialog(), "ButtonCancel"); },
      [&] { form.close(); },
  };
  // A step that opens a modal dialog does not stop the tour.
  diskindex::tools::runSteps(std::move(steps), 1500, diskindex::tools::StepPacing::InsideDialogs);
  return QApplication::exec();
}
