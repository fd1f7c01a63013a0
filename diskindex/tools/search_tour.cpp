// Walks the search of the main window for screenshots:
//   diskindx-search-tour OUT_DIR NAME_TEXT REMARK_TEXT
// Settings and data come from the usual places (point XDG_CONFIG_HOME and
// XDG_DATA_HOME at a catalogue). The search dialog is shown for real, filled
// in and confirmed by the tour; every step waits two seconds so that an
// outside screenshot (import -window root) can be taken, and saves the
// window's own picture as OUT_DIR/NN-step.png.

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "diskindex/tools/tour_support.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/dlg_search_results.h"

namespace {

using diskindex::tools::TourShots;
using diskindex::ui::TDlgSearchCDs;

std::unique_ptr<TourShots> g_shots;

void shot(QWidget* widget, const char* name) {
  g_shots->take(widget, name);
}

// Shows the real dialog, fills it in, pictures both pages and confirms it.
class TourPrompts : public diskindex::ui::QtSearchPrompts {
 public:
  using QtSearchPrompts::QtSearchPrompts;
  QString text;
  const char* radio = "RadioBoth";

  bool runSearchDialog(TDlgSearchCDs& dialog) override {
    dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxSearch"))->setEditText(text);
    dialog.findChild<QRadioButton*>(QString::fromLatin1(radio))->setChecked(true);
    auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    QTimer::singleShot(2000, &dialog, [&dialog] { shot(&dialog, "search-parameters"); });
    if (pages->count() > 1) {
      QTimer::singleShot(2200, &dialog, [&dialog, pages] {
        pages->setCurrentIndex(1);
        if (auto* all = dialog.findChild<QPushButton*>(QStringLiteral("ButtonMoveAllRight"))) {
          all->click();
        }
      });
      QTimer::singleShot(4200, &dialog, [&dialog] { shot(&dialog, "search-volumes"); });
    }
    QTimer::singleShot(4500, &dialog, &QDialog::accept);
    return dialog.exec() == QDialog::Accepted;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s OUT_DIR NAME_TEXT REMARK_TEXT\n", argv[0]);
    return 2;
  }
  diskindex::tools::prepareApplication();
  g_shots = std::make_unique<TourShots>(QString::fromLocal8Bit(argv[1]));
  const QString nameText = QString::fromLocal8Bit(argv[2]);
  const QString remarkText = QString::fromLocal8Bit(argv[3]);
  diskindex::ui::TDiskIndexForm form(diskindex::tools::tourEnvironment());
  auto prompts = std::make_unique<TourPrompts>(&form);
  TourPrompts* tour = prompts.get();
  form.setSearchPrompts(std::move(prompts));
  form.start();
  form.setGeometry(40, 40, 900, 640);
  form.show();

  auto goTo = [&form](int row) {
    auto* results = form.searchResults();
    if (!results) return;
    auto* grid = results->findChild<QTableView*>(QStringLiteral("GridResults"));
    grid->setCurrentIndex(grid->model()->index(row, 0));
    results->goTo();
  };
  std::vector<std::function<void()>> steps{
      [&] {
        tour->text = nameText;
        form.actions().searchMulti->trigger();
      },
      [&] {
        if (auto* results = form.searchResults()) {
          results->setGeometry(520, 380, 740, 360);
          results->raise();
        }
      },
      [&] {
        if (auto* results = form.searchResults()) shot(results, "results");
      },
      [&] { goTo(1); },
      [&] { shot(&form, "hit"); },
      [&] {
        tour->text = remarkText;
        tour->radio = "RadioRemarks";
        form.actions().searchMulti->trigger();
      },
      [&] { goTo(1); },
      [&] { shot(&form, "remark-hit"); },
      [&] {
        if (auto* results = form.searchResults()) results->close();
        form.close();
      },
  };
  // A step may run a modal dialog: the next waits until it has returned.
  diskindex::tools::runSteps(std::move(steps), 2500, diskindex::tools::StepPacing::AfterReturn);
  return QApplication::exec();
}
