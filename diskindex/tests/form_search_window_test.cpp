// The search dialog's mode and filter fields, the sortable results window
// and the duplicates window, driven offscreen with keys and clicks.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QHelpEvent>
#include <QToolTip>
#include <QTreeView>

#include "diskindex/tests/search_form_fixture.h"
#include "diskindex/ui/dlg_duplicate_options.h"
#include "diskindex/ui/dlg_duplicates.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/dlg_search_results.h"
#include "diskindex/ui/duplicates_model.h"
#include "diskindex/ui/help_topic.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/search_results_model.h"

namespace diskindex::ui {
namespace {

using testing::FakeSearchPrompts;

template <typename T>
T* find(QWidget& parent, const char* name) {
  return testing::namedChild<T>(parent, name);
}

// Near the left edge: a radio button takes clicks only on its mark and text.
void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {},
                    QPoint(std::min(8, widget->width() / 2), widget->height() / 2));
}

// Replaces what a line edit holds by typing.
void type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

// Moves a closed drop-down list down by steps with the arrow key.
void stepDown(QComboBox* combo, int steps) {
  combo->setFocus();
  for (int i = 0; i < steps; ++i) QTest::keyClick(combo, Qt::Key_Down);
}

// Clicks a column heading.
void clickHeader(QHeaderView* header, int section) {
  const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                  header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

class FormSearchWindowTest : public testing::SearchFormTest {
 protected:
  // A volume whose sizes sort differently as text and as numbers.
  void addSizedVolume(const std::string& name) {
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data);
    catalogue.loadVolumeList();
    testing::SampleVolume volume;
    volume.name = name;
    const std::vector<EntryRecord> entries{
        testing::file(1, "NEUN.DAT", 9), testing::file(1, "ACHTZIG.DAT", 80),
        testing::file(1, "TAUSEND.DAT", 1000), testing::dir(1, "ORDNER"),
        testing::file(2, "Ein sehr langer Dateiname im Ordner.dat", 5000, true)};
    ASSERT_EQ(testing::addSampleVolume(catalogue, volume, entries), ResultCode::Ok);
    if (!std::filesystem::exists(m_settingsFile)) writeSettings("");
  }
  // Types the text, lets fill() set mode and filters, chooses every volume
  // (multi-volume dialog) and clicks "Ok"; the dialog's answer is whether
  // it closed.
  void answer(const QString& text, std::function<void(TDlgSearchCDs&)> fill = {}) {
    m_search->searchScript = [this, text, fill](TDlgSearchCDs& dialog) {
      dialog.show();
      auto* combo = find<QComboBox>(dialog, "ComboBoxSearch");
      type(combo->lineEdit(), text);
      if (fill) fill(dialog);
      if (auto* all = dialog.findChild<QPushButton*>(QStringLiteral("ButtonMoveAllRight"))) {
        if (all->isEnabled()) click(all);
      }
      click(find<QPushButton>(dialog, "ButtonOk"));
      m_lastProblem = find<QLabel>(dialog, "LabelProblem")->isVisible()
                          ? find<QLabel>(dialog, "LabelProblem")->text()
                          : QString();
      m_lastMode = find<QComboBox>(dialog, "ComboBoxMode")->currentText();
      m_lastMinSize = find<QLineEdit>(dialog, "EditMinSize")->text();
      return dialog.result() == QDialog::Accepted;
    };
  }
  QTableView* resultsGrid() { return find<QTableView>(*m_form->searchResults(), "GridResults"); }
  QStringList column(QAbstractItemView* view, int column) {
    QStringList cells;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
      cells << view->model()->index(row, column).data().toString();
    }
    return cells;
  }

  QString m_lastProblem;
  QString m_lastMode;
  QString m_lastMinSize;
};

TEST_F(FormSearchWindowTest, ATextInvalidInItsModeKeepsTheDialogOpenWithThePosition) {
  addVolume("Backup", "");
  TDiskIndexForm& form = startSearching();
  ASSERT_TRUE(form.openVolume(0));
  answer(QStringLiteral("ab(c"), [](TDlgSearchCDs& d) {
    stepDown(find<QComboBox>(d, "ComboBoxMode"), 2);  // "Regulärer Ausdruck"
  });
  form.actions().searchCurrent->trigger();
  EXPECT_EQ(m_lastMode, QStringLiteral("Regulärer Ausdruck"));
  EXPECT_TRUE(m_lastProblem.startsWith(QStringLiteral("Der reguläre Ausdruck ist an Position ")))
      << m_lastProblem.toStdString();
  EXPECT_TRUE(m_prompts->shown.empty()) << "no search ran";

  answer(QStringLiteral("*.txt"),
         [](TDlgSearchCDs& d) { type(find<QLineEdit>(d, "EditMinSize"), QStringLiteral("10X")); });
  form.actions().searchCurrent->trigger();
  EXPECT_EQ(m_lastProblem, QStringLiteral("Die Größe \"10X\" ist ungültig.\nErwartet wird eine "
                                          "ganze Zahl, wahlweise mit K, M, G oder T."));

  answer(QStringLiteral("*.txt"), [](TDlgSearchCDs& d) {
    type(find<QLineEdit>(d, "EditAfter"), QStringLiteral("2024-03-01"));
    type(find<QLineEdit>(d, "EditBefore"), QStringLiteral("2024-02-01"));
  });
  form.actions().searchCurrent->trigger();
  EXPECT_EQ(m_lastProblem, QStringLiteral("Das Anfangsdatum liegt nach dem Enddatum!"));
}

TEST_F(FormSearchWindowTest, ModeAndFiltersNarrowTheSearchShowInTheTitleAndAreKept) {
  addVolume("Backup", "");
  addVolume("Doom", "Spiele");
  TDiskIndexForm& form = startSearching();
  answer(QStringLiteral("*.txt"), [](TDlgSearchCDs& d) {
    stepDown(find<QComboBox>(d, "ComboBoxMode"), 1);  // "Platzhalter für alle Zeichen"
    type(find<QLineEdit>(d, "EditMinSize"), QStringLiteral("2"));
    stepDown(find<QComboBox>(d, "ComboBoxKind"), 1);  // "nur Dateien"
  });
  form.actions().searchMulti->trigger();
  ASSERT_TRUE(m_lastProblem.isEmpty()) << m_lastProblem.toStdString();
  TDlgSearchResults* results = form.searchResults();
  ASSERT_NE(results, nullptr);
  EXPECT_EQ(results->windowTitle(),
            QStringLiteral("K&T DiskIndex - Suche nach: \"*.txt\" "
                           "[Platzhalter für alle Zeichen; mind. 2; nur Dateien]"));
  EXPECT_EQ(column(resultsGrid(), 1),
            (QStringList{QStringLiteral("E:\\Readme.txt"), QStringLiteral("E:\\Readme.txt")}))
      << "X.txt (1 byte) is below the minimum";
  EXPECT_EQ(find<QStatusBar>(*results, "StatusResults")->currentMessage(),
            QStringLiteral("Je Datenträger: Backup: 1, Doom: 1"));
  form.close();

  const platform::IniFile ini(m_settingsFile);
  EXPECT_EQ(ini.readString("Search", "MODE", ""), "1");
  EXPECT_EQ(ini.readString("Search", "MINSIZE", ""), "2");
  EXPECT_EQ(ini.readString("Search", "TYPE", ""), "1");
  TDiskIndexForm& again = startSearching();
  answer(QStringLiteral("*.txt"));
  again.actions().searchMulti->trigger();
  EXPECT_EQ(m_lastMode, QStringLiteral("Platzhalter für alle Zeichen"));
  EXPECT_EQ(m_lastMinSize, QStringLiteral("2"));
}

TEST_F(FormSearchWindowTest, HeadingsSortByValueAndGoToFollowsTheSortedRow) {
  addSizedVolume("Zahlen");
  addVolume("Backup", "");
  TDiskIndexForm& form = startSearching();
  answer(QStringLiteral("*"),
         [](TDlgSearchCDs& d) { click(find<QRadioButton>(d, "RadioFileNames")); });
  form.actions().searchMulti->trigger();
  QTableView* results = resultsGrid();
  ASSERT_NE(results, nullptr);
  EXPECT_EQ(find<QStatusBar>(*form.searchResults(), "StatusResults")->currentMessage(),
            QStringLiteral("Je Datenträger: Backup: 5, Zahlen: 4"));
  clickHeader(results->horizontalHeader(), 2);  // "Größe"
  EXPECT_EQ(column(results, 2),
            (QStringList{"1", "9", "10", "80", "100", "200", "300", "1000", "5000"}))
      << column(results, 2).join(' ').toStdString();
  clickHeader(results->horizontalHeader(), 2);
  EXPECT_EQ(column(results, 2).first(), QStringLiteral("5000")) << "a second click reverses";
  clickHeader(results->horizontalHeader(), 0);  // "Datenträger"
  EXPECT_EQ(column(results, 0).first(), QStringLiteral("Backup"));
  EXPECT_EQ(column(results, 0).last(), QStringLiteral("Zahlen"));

  // Path: elided in the middle, whole as tooltip.
  EXPECT_EQ(results->textElideMode(), Qt::ElideMiddle);
  const QModelIndex longPath = results->model()->index(results->model()->rowCount() - 1, 1);
  EXPECT_EQ(longPath.data(Qt::ToolTipRole).toString(), longPath.data().toString());

  clickHeader(results->horizontalHeader(), 2);
  clickHeader(results->horizontalHeader(), 2);  // largest first: the long name
  const QRect first = results->visualRect(results->model()->index(0, 0));
  QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, first.center());
  QTest::keyClick(results, Qt::Key_Return);
  EXPECT_EQ(form.state().opened->record.name, "Zahlen");
  EXPECT_EQ(grid()->currentIndex().data().toString(),
            QStringLiteral("Ein sehr langer Dateiname im Ordner.dat"));
}

TEST_F(FormSearchWindowTest, AnElidedPathShowsTheWholePathAsToolTip) {
  addSizedVolume("Zahlen");
  TDiskIndexForm& form = startSearching();
  answer(QStringLiteral("*"),
         [](TDlgSearchCDs& d) { click(find<QRadioButton>(d, "RadioFileNames")); });
  form.actions().searchMulti->trigger();
  QTableView* results = resultsGrid();
  ASSERT_NE(results, nullptr);
  form.searchResults()->resize(700, 300);
  results->setColumnWidth(SearchResultsModel::PathColumn, 120);
  int longRow = -1;
  for (int row = 0; row < results->model()->rowCount(); ++row) {
    if (results->model()->index(row, 1).data().toString().endsWith(QStringLiteral("Ordner.dat"))) {
      longRow = row;
    }
  }
  ASSERT_GE(longRow, 0);
  const QString path = results->model()->index(longRow, 1).data().toString();
  EXPECT_EQ(path, QStringLiteral("E:\\Ordner\\Ein sehr langer Dateiname im Ordner.dat"));
  EXPECT_GT(results->fontMetrics().horizontalAdvance(path), 120) << "the cell must elide it";
  const auto hoverAt = [results](const QModelIndex& index) {
    results->scrollTo(index);
    const QPoint at = results->visualRect(index).center();
    QHelpEvent event(QEvent::ToolTip, at, results->viewport()->mapToGlobal(at));
    QApplication::sendEvent(results->viewport(), &event);
  };
  // The volume column has no tool tip; the path column shows the whole path.
  hoverAt(results->model()->index(longRow, SearchResultsModel::VolumeColumn));
  EXPECT_FALSE(QToolTip::isVisible());
  hoverAt(results->model()->index(longRow, SearchResultsModel::PathColumn));
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), path);
  QToolTip::hideText();
}

TEST_F(FormSearchWindowTest, TheListIsExportedInTheOrderShown) {
  addSizedVolume("Zahlen");
  TDiskIndexForm& form = startSearching();
  answer(QStringLiteral("*"),
         [](TDlgSearchCDs& d) { click(find<QRadioButton>(d, "RadioFileNames")); });
  form.actions().searchMulti->trigger();
  clickHeader(resultsGrid()->horizontalHeader(), 2);
  clickHeader(resultsGrid()->horizontalHeader(), 2);  // largest first
  const auto csv = m_temp.path() / "treffer.csv";
  m_search->exportTargets.push_back(
      {QString::fromStdString(csv.string()), exporting::ExportFormat::Csv, true});
  click(find<QPushButton>(*form.searchResults(), "ButtonExport"));
  std::ifstream in(csv, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF"
                       "Datenträger,Pfad,",
                       0),
            0u)
      << text;
  EXPECT_LT(text.find("Ordner.dat"), text.find("Tausend.dat")) << text;
  EXPECT_LT(text.find("Tausend.dat"), text.find("Neun.dat")) << text;

  m_search->exportTargets.push_back(
      {QString::fromStdString((m_temp.path() / "fehlt" / "x.html").string()),
       exporting::ExportFormat::Html, false});
  click(find<QPushButton>(*form.searchResults(), "ButtonExport"));
  ASSERT_FALSE(m_prompts->shown.empty());
  EXPECT_EQ(m_prompts->shown.back().caption, QStringLiteral("Liste exportieren"));
  EXPECT_TRUE(m_prompts->shown.back().text.contains(QStringLiteral("kann nicht erzeugt werden")));
}

class FormDuplicatesTest : public FormSearchWindowTest {
 protected:
  TDlgDuplicates* window() { return m_form->findChild<TDlgDuplicates*>(); }
};

TEST_F(FormDuplicatesTest, GroupsOfTheChosenCategoryAreSortedCopiedAndVisited) {
  addVolume("Backup", "");
  addVolume("Doom", "Spiele");
  addVolume("Quake", "Spiele");
  TDiskIndexForm& form = startSearching();
  QStringList offered;
  m_search->duplicateScript = [&](TDlgDuplicateOptions& d) {
    d.show();
    auto* category = find<QComboBox>(d, "ComboBoxCategory");
    stepDown(category, 2);  // "<ALLE>", "<keine Zuordnung>", "Spiele"
    auto* list = find<QListWidget>(d, "ListVolumes");
    for (int row = 0; row < list->count(); ++row) {
      if (list->item(row)->checkState() == Qt::Checked) offered << list->item(row)->text();
    }
    type(find<QLineEdit>(d, "EditMinSize"), QStringLiteral("50"));
    click(find<QPushButton>(d, "ButtonOk"));
    return d.result() == QDialog::Accepted;
  };
  bool inSearchMenu = false;
  for (QObject* owner : form.actions().findDuplicates->associatedObjects()) {
    auto* menu = qobject_cast<QMenu*>(owner);
    inSearchMenu = inSearchMenu || (menu && menu->title() == QStringLiteral("&Suchen"));
  }
  EXPECT_TRUE(inSearchMenu);
  EXPECT_EQ(form.actions().findDuplicates->text(), QStringLiteral("&Doppelte Dateien suchen ..."));
  form.actions().findDuplicates->trigger();
  EXPECT_EQ(offered, (QStringList{QStringLiteral("Doom"), QStringLiteral("Quake")}));
  TDlgDuplicates* dupes = window();
  ASSERT_NE(dupes, nullptr);
  EXPECT_TRUE(dupes->isVisible());
  EXPECT_FALSE(find<QProgressBar>(*dupes, "ProgressDuplicates")->isVisible());
  EXPECT_EQ(find<QLabel>(*dupes, "LabelSummary")->text(),
            QStringLiteral("3 Gruppen mit 6 Dateien, 600 Byte überzählig"));
  auto* tree = find<QTreeView>(*dupes, "TreeDuplicates");
  EXPECT_EQ(column(tree, 2), (QStringList{"300", "200", "100"})) << "largest waste first";
  clickHeader(tree->header(), 2);
  EXPECT_EQ(column(tree, 2), (QStringList{"100", "200", "300"}));
  const QModelIndex group = tree->model()->index(0, 0);
  EXPECT_EQ(group.data().toString(), QStringLiteral("Gruppe 3: Zeta.doc"));
  EXPECT_EQ(tree->model()->index(0, 4).data().toString(), QStringLiteral("Doom, Quake"));

  // Copy the first group, then go to its second file (Quake) by keys.
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(group).center());
  click(find<QPushButton>(*dupes, "ButtonCopy"));
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("Doom\tE:\\Zeta.doc\r\nQuake\tE:\\Zeta.doc"));
  tree->expand(group);
  // A file's date is written as in the results window, not as in the export.
  const QString date =
      tree->model()->index(0, DuplicatesModel::DateColumn, group).data().toString();
  const QRegularExpression german(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}    \\d"));
  EXPECT_TRUE(german.match(date).hasMatch()) << date.toStdString();
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);
  QTest::keyClick(tree, Qt::Key_Down);
  click(find<QPushButton>(*dupes, "ButtonGoTo"));
  ASSERT_TRUE(form.state().opened);
  EXPECT_EQ(form.state().opened->record.name, "Quake");
  EXPECT_EQ(grid()->currentIndex().data().toString(), QStringLiteral("Zeta.doc"));

  const auto json = m_temp.path() / "doppelt.json";
  m_search->exportTargets.push_back(
      {QString::fromStdString(json.string()), exporting::ExportFormat::Json, false});
  click(find<QPushButton>(*dupes, "ButtonExport"));
  std::ifstream in(json, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text.front(), '[');
  EXPECT_NE(text.find("\"Gruppe\""), std::string::npos) << text;
}

TEST_F(FormDuplicatesTest, AbbruchStopsTheFinderAndHelpOpensItsPage) {
  for (const char* name : {"A1", "A2", "A3", "A4"}) addVolume(name, "");
  TDiskIndexForm& form = startSearching();
  m_search->duplicateScript = [&](TDlgDuplicateOptions& d) {
    d.show();
    click(find<QPushButton>(d, "ButtonHelp"));
    HelpWindow* help = d.findChild<HelpWindow*>();
    EXPECT_NE(help, nullptr);
    if (help) {
      EXPECT_TRUE(help->isVisible());
      EXPECT_TRUE(help->browser()->source().toString().endsWith(QLatin1String(help::kDuplicates)));
    }
    click(find<QPushButton>(d, "ButtonOk"));
    // The first pause between volumes lets the user press "Abbruch".
    QTimer::singleShot(0, m_form.get(), [this] {
      TDlgDuplicates* dupes = window();
      ASSERT_NE(dupes, nullptr);
      auto* cancel = find<QPushButton>(*dupes, "ButtonCancel");
      EXPECT_TRUE(cancel->isVisible());
      EXPECT_TRUE(find<QProgressBar>(*dupes, "ProgressDuplicates")->isVisible());
      click(cancel);
    });
    return d.result() == QDialog::Accepted;
  };
  form.actions().findDuplicates->trigger();
  TDlgDuplicates* dupes = window();
  ASSERT_NE(dupes, nullptr);
  EXPECT_EQ(find<QLabel>(*dupes, "LabelSummary")->text(),
            QStringLiteral("Die Suche wurde abgebrochen."));
  EXPECT_EQ(find<QTreeView>(*dupes, "TreeDuplicates")->model()->rowCount(), 0);
  EXPECT_FALSE(find<QPushButton>(*dupes, "ButtonExport")->isEnabled());
  EXPECT_TRUE(form.isEnabled());
}

}  // namespace
}  // namespace diskindex::ui
