// Walks the search dialog's mode and filters, the sorted results window and
// the duplicates window for screenshots:
//   diskindx-search-window-tour OUT_DIR SEARCH_TEXT MIN_SIZE
// Settings and data come from the usual places (point XDG_CONFIG_HOME and
// XDG_DATA_HOME at a catalogue). Every volume is searched with "Platzhalter
// für alle Zeichen" and files of at least MIN_SIZE; the results are sorted
// by size, largest first, and exported as OUT_DIR/results.html; then the
// duplicates of all volumes are found and exported as OUT_DIR/duplicates.html.
// Every step waits so that an outside screenshot (import -window root) can
// be taken, and saves the window's own picture as OUT_DIR/NN-step.png.

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <functional>
#include <memory>

#include "diskindex/tools/tour_support.h"
#include "diskindex/ui/dlg_duplicate_options.h"
#include "diskindex/ui/dlg_duplicates.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/dlg_search_results.h"

namespace {

using diskindex::tools::TourShots;
using diskindex::ui::ExportTarget;

std::unique_ptr<TourShots> g_shots;

void shot(QWidget* widget, const char* name) {
  g_shots->take(widget, name);
}

// Shows the real dialogs, fills them in, pictures and confirms them; the
// export target is the next file name given.
class TourPrompts : public diskindex::ui::QtSearchPrompts {
 public:
  using QtSearchPrompts::QtSearchPrompts;
  QString text;
  QString minSize;
  QString exportFile;

  bool runSearchDialog(diskindex::ui::TDlgSearchCDs& dialog) override {
    dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxSearch"))->setEditText(text);
    dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxMode"))->setCurrentIndex(1);
    dialog.findChild<QLineEdit*>(QStringLiteral("EditMinSize"))->setText(minSize);
    dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxKind"))->setCurrentIndex(1);
    if (auto* all = dialog.findChild<QPushButton*>(QStringLiteral("ButtonMoveAllRight"))) {
      all->click();
    }
    QTimer::singleShot(2000, &dialog, [&dialog] { shot(&dialog, "search-mode-filters"); });
    QTimer::singleShot(2500, &dialog, &QDialog::accept);
    return dialog.exec() == QDialog::Accepted;
  }
  bool runDuplicateDialog(diskindex::ui::TDlgDuplicateOptions& dialog) override {
    dialog.findChild<QLineEdit*>(QStringLiteral("EditMinSize"))->setText(minSize);
    QTimer::singleShot(2000, &dialog, [&dialog] { shot(&dialog, "duplicate-options"); });
    QTimer::singleShot(2500, &dialog, &QDialog::accept);
    return dialog.exec() == QDialog::Accepted;
  }
  std::optional<ExportTarget> chooseExportFile(const QString&) override {
    return ExportTarget{exportFile, diskindex::exporting::ExportFormat::Html, false};
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s OUT_DIR SEARCH_TEXT MIN_SIZE\n", argv[0]);
    return 2;
  }
  diskindex::tools::prepareApplication();
  g_shots = std::make_unique<TourShots>(QString::fromLocal8Bit(argv[1]));
  const QString out = g_shots->out();
  diskindex::ui::TDiskIndexForm form(diskindex::tools::tourEnvironment());
  auto prompts = std::make_unique<TourPrompts>(&form);
  TourPrompts* tour = prompts.get();
  tour->text = QString::fromLocal8Bit(argv[2]);
  tour->minSize = QString::fromLocal8Bit(argv[3]);
  form.setSearchPrompts(std::move(prompts));
  form.start();
  form.setGeometry(20, 20, 700, 500);
  form.show();

  std::vector<std::function<void()>> steps{
      [&] { form.actions().searchMulti->trigger(); },
      [&] {
        auto* results = form.searchResults();
        if (!results) return;
        results->setGeometry(200, 160, 1000, 420);
        results->raise();
        auto* grid = results->findChild<QTableView*>(QStringLiteral("GridResults"));
        grid->setColumnWidth(1, 420);
        grid->sortByColumn(2, Qt::DescendingOrder);
      },
      [&] {
        if (auto* results = form.searchResults()) {
          shot(results, "results-by-size");
          tour->exportFile = out + QStringLiteral("/results.html");
          results->exportList();
        }
      },
      [&] { form.actions().findDuplicates->trigger(); },
      [&] {
        auto* dupes = form.findChild<diskindex::ui::TDlgDuplicates*>();
        if (!dupes) return;
        dupes->setGeometry(120, 100, 1100, 500);
        dupes->raise();
        auto* tree = dupes->findChild<QTreeView*>(QStringLiteral("TreeDuplicates"));
        tree->setColumnWidth(0, 420);
        tree->expand(tree->model()->index(0, 0));
        tree->expand(tree->model()->index(1, 0));
      },
      [&] {
        if (auto* dupes = form.findChild<diskindex::ui::TDlgDuplicates*>()) {
          shot(dupes, "duplicates");
          tour->exportFile = out + QStringLiteral("/duplicates.html");
          dupes->exportList();
          dupes->close();
        }
        if (auto* results = form.searchResults()) results->close();
        form.close();
      },
  };
  // A step may run a modal dialog: the next waits until it has returned.
  diskindex::tools::runSteps(std::move(steps), 2500, diskindex::tools::StepPacing::AfterReturn);
  return QApplication::exec();
}
