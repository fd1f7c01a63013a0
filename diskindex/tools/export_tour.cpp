// Walks the export and print commands for screenshots and for looking at
// their output: the information export dialog and its file, the tree
// export dialog and its file, the print dialog and its PDF file (written
// instead of a printer), and the tree on the clipboard.
//   diskindx-export-tour OUT_DIR [VOLUME_NAME]
// Settings and data come from the usual places (point XDG_CONFIG_HOME and
// XDG_DATA_HOME at a sample catalogue). Each step waits so that an outside
// screenshot (import -window root) can be taken too, and saves the picture
// of the window or dialog as OUT_DIR/NN-step.png. The files go to
// OUT_DIR/info.txt, OUT_DIR/tree.txt and OUT_DIR/tree.pdf.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <cstdio>
#include <functional>

#include "diskindex/tools/tour_support.h"
#include "diskindex/ui/dlg_info_export.h"
#include "diskindex/ui/dlg_tree_export.h"

namespace {

using diskindex::ui::TDiskIndexForm;

// The real dialogs, but the file choosers answer with files in OUT_DIR.
class TourPrompts : public diskindex::ui::QtExportPrompts {
 public:
  TourPrompts(QWidget* parent, QString out) : QtExportPrompts(parent), m_out(std::move(out)) {}
  std::optional<QString> chooseTargetFile(const QString&) override { return std::nullopt; }
  std::optional<QString> choosePdfFile(const QString&) override { return m_out + "/tree.pdf"; }

 private:
  QString m_out;
};

QWidget* modal() {
  return QApplication::activeModalWidget();
}

void click(const char* name) {
  if (auto* b = modal() ? modal()->findChild<QPushButton*>(name) : nullptr) b->click();
}

void check(const char* name) {
  if (auto* r = modal() ? modal()->findChild<QRadioButton*>(name) : nullptr) r->setChecked(true);
}

void setText(const char* name, const QString& text) {
  if (auto* e = modal() ? modal()->findChild<QLineEdit*>(name) : nullptr) e->setText(text);
}

// Moves the named fields into the export list, in this order.
void chooseFields(const QStringList& names) {
  auto* list = modal() ? modal()->findChild<QListWidget*>("ListBoxFields") : nullptr;
  if (list == nullptr) return;
  for (const QString& name : names) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    if (!found.isEmpty()) emit list->itemDoubleClicked(found.front());
  }
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
  const QString out = shots.out();
  const std::string volumeName = argc > 2 ? argv[2] : "";
  TDiskIndexForm form(diskindex::tools::tourEnvironment());
  form.setExportPrompts(std::make_unique<TourPrompts>(&form, out));
  form.start();
  form.show();

  auto shotOf = [&](QWidget* widget, const char* name) { shots.take(widget, name); };
  std::vector<std::function<void()>> steps{
      [&] { shotOf(&form, "overview"); },
      [&] { form.actions().exportInfo->trigger(); },  // the next steps run inside the dialog
      [&] {
        chooseFields({QString::fromUtf8("Datenträger-Bezeichnung"), "Volume-Label",
                      QString::fromUtf8("Speicherkapazität"), "Bemerkung"});
        check("RadioOther");
        check("RadioAll");
        setText("EditTarget", out + "/info.txt");
      },
      [&] { shotOf(modal(), "info-export"); },
      [&] { click("ButtonOk"); },
      [&] {
        const auto& volumes = form.state().catalogue.volumes();
        form.openVolume(volumes.findByName(volumeName).value_or(0));
        auto* tree = form.findChild<QTreeView*>("OutlineDir");
        tree->expandToDepth(1);
        const QModelIndex child = tree->model()->index(0, 0, tree->model()->index(0, 0));
        if (child.isValid()) tree->setCurrentIndex(child);
      },
      [&] { form.actions().exportInfo->trigger(); },
      [&] {
        check("RadioSelectedDir");
        setText("EditTarget", out + "/tree.txt");
        click("ButtonInsertName");
      },
      [&] { shotOf(modal(), "tree-export"); },
      [&] { click("ButtonOk"); },
      [&] { form.actions().print->trigger(); },
      [&] {
        check("RadioWholeVolume");
        setText("EditHeading", QString::fromStdString(form.state().opened->record.name) +
                                   QString::fromUtf8(" – gesamter Inhalt"));
      },
      [&] { shotOf(modal(), "tree-print"); },
      [&] { click("ButtonOk"); },
      [&] { form.actions().copyTree->trigger(); },
      [&] {
        check("RadioPaths");
        check("RadioDirsOnly");
      },
      [&] { shotOf(modal(), "tree-copy"); },
      [&] { click("ButtonOk"); },
      [&] {
        const QString text = QApplication::clipboard()->text();
        std::printf("clipboard: %lld characters, first line: %s\n",
                    static_cast<long long>(text.size()),
                    text.section(QStringLiteral("\r\n"), 0, 0).toUtf8().constData());
        std::fflush(stdout);
        shotOf(&form, "contents");
      },
      [&] { form.close(); },
  };
  // The steps after one that opens a modal dialog drive that dialog.
  diskindex::tools::runSteps(std::move(steps), 1200, diskindex::tools::StepPacing::InsideDialogs);
  return QApplication::exec();
}
