// Walks copying from the contents view for screenshots:
//   diskindx-copy-tour OUT_DIR TARGET_DIR
// Settings and data come from the usual places (point XDG_CONFIG_HOME and
// XDG_DATA_HOME at a catalogue whose first volume's drive letter is mapped
// in [Drives]). The tour opens the first volume, selects every file of the
// root and copies them to TARGET_DIR through the real dialogs: the target
// dialog, the wrong-volume dialog with its notes, the overwrite question
// with the progress window behind it, then the editor dialog. Every dialog
// stands two seconds for an outside screenshot (import -window root) and
// saves its own picture as OUT_DIR/NN-step.png.

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <functional>

#include <memory>

#include "diskindex/tools/tour_support.h"
#include "diskindex/ui/dlg_choose_editor.h"
#include "diskindex/ui/dlg_select_dir.h"

namespace {

using namespace diskindex;

std::unique_ptr<tools::TourShots> g_shots;

void shot(QWidget* widget, const char* name) {
  g_shots->take(widget, name);
}

// After ms, runs step on the modal dialog then standing.
void onModal(int ms, std::function<void(QWidget*)> step) {
  QTimer::singleShot(ms, qApp, [step] { step(QApplication::activeModalWidget()); });
}

QPushButton* buttonNamed(QWidget* dialog, const QString& textOrName) {
  for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
    if (b->objectName() == textOrName || b->text() == textOrName) return b;
  }
  return nullptr;
}

class TourPrompts : public ui::QtCopyPrompts {
 public:
  TourPrompts(QWidget* parent, QString target) : QtCopyPrompts(parent), m_target(target) {}

  bool runSelectDir(ui::TDlgSelectDir& dialog) override {
    dialog.setTarget(m_target);
    onModal(2000, [](QWidget* d) {
      shot(d, "select-dir");
      static_cast<QDialog*>(d)->accept();
    });
    return QtCopyPrompts::runSelectDir(dialog);
  }
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) override {
    onModal(2000, [](QWidget* d) {
      shot(d, "other-volume");
      buttonNamed(d, QStringLiteral("ButtonNotes"))->click();
    });
    onModal(4000, [](QWidget* d) {
      shot(d, "other-volume-notes");
      buttonNamed(d, QStringLiteral("ButtonYes"))->click();
    });
    return QtCopyPrompts::askOtherVolume(question);
  }
  files::OverwriteAnswer askOverwrite(const QString& text) override {
    onModal(2000, [](QWidget* d) {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("DlgCopyProgress") && w->isVisible()) {
          shot(w, "copy-progress");
        }
      }
      shot(d, "overwrite");
      buttonNamed(d, QStringLiteral("&Alle überschreiben"))->click();
    });
    return QtCopyPrompts::askOverwrite(text);
  }
  bool runChooseEditor(ui::TDlgChooseEditor& dialog) override {
    onModal(2000, [](QWidget* d) {
      shot(d, "choose-editor");
      static_cast<QDialog*>(d)->reject();
    });
    return QtCopyPrompts::runChooseEditor(dialog);
  }

 private:
  QString m_target;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "Aufruf: diskindx-copy-tour AUSGABE ZIEL\n");
    return 2;
  }
  g_shots = std::make_unique<tools::TourShots>(QString::fromLocal8Bit(argv[1]));
  const QString target = QString::fromLocal8Bit(argv[2]);
  tools::prepareApplication();
  ui::TDiskIndexForm form(tools::tourEnvironment());
  form.setCopyPrompts(std::make_unique<TourPrompts>(&form, target));
  form.start();
  form.setGeometry(40, 40, 900, 640);
  form.show();
  QTimer::singleShot(500, &form, [&] {
    if (!form.openVolume(0)) return app.exit(1);
    auto* tree = form.findChild<QTreeView*>(QStringLiteral("OutlineDir"));
    tree->setCurrentIndex(tree->model()->index(0, 0));
    auto* files = form.findChild<QTableView*>(QStringLiteral("GridFiles"));
    files->setFocus();
    files->selectAll();
    shot(&form, "contents");
    form.actions().copyFiles->trigger();
    shot(&form, "after-copy");
    form.actions().chooseEditor->trigger();
    form.close();
  });
  return app.exec();
}
