// The main window as a file manager: readable sizes that are never cut,
// header clicks that sort and are remembered, Return, Home/End and
// type-ahead in the lists, and the window coming back as it was left. Every
// step goes through real key, mouse and help events.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QHelpEvent>
#include <QScreen>
#include <QToolTip>

#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/ui/file_list_model.h"

namespace diskindex::ui {
namespace {

using testing::MainFormTest;

class BrowseTest : public MainFormTest {
 protected:
  QStringList names() {
    QStringList shown;
    for (int row = 0; row < grid()->model()->rowCount(); ++row) shown << cell(row, 0);
    return shown;
  }

  void clickHeader(int column) {
    QHeaderView* header = grid()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
  }

  // The type-ahead starts a new search once the typing pauses.
  static void pauseTyping() { QTest::qWait(QApplication::keyboardInputInterval() + 50); }

  // What the view shows of a size cell: its width less the text margins.
  int sizeTextRoom() {
    QTableView* view = grid();
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return view->columnWidth(FileListModel::SizeColumn) - 2 * margin;
  }
};

std::vector<EntryRecord> manyFiles(int count) {
  std::vector<EntryRecord> entries;
  for (int i = 0; i < count; ++i) {
    const std::string name = "DATEI" + std::to_string(1000 + i) + ".TXT";
    entries.push_back(testing::file(1, name.c_str(), static_cast<std::uint32_t>(100 + i)));
  }
  return entries;
}

TEST_F(BrowseTest, TenDigitSizeShowsGroupedAndWholeAtTheDefaultWidthAndAtFourteenPoints) {
  addVolumeWith("Gross", {testing::file(1, "RIESIG.ISO", 3000000000u),
                          testing::file(1, "KLEIN.TXT", 999)});
  for (const char* fonts : {"", "[Fonts]\nSIZE_L=14\n"}) {
    writeSettings(fonts);
    TDiskIndexForm& form = start();
    ASSERT_TRUE(form.openVolume(0));
    QApplication::processEvents();
    SCOPED_TRACE(fonts);
    EXPECT_EQ(cell(0, FileListModel::SizeColumn).trimmed(), QStringLiteral("3.000.000.000"));
    EXPECT_EQ(cell(1, FileListModel::SizeColumn).trimmed(), QStringLiteral("999"));
    const QFontMetrics metrics(grid()->font());
    EXPECT_GE(sizeTextRoom(), metrics.horizontalAdvance(QStringLiteral("3.000.000.000")));
    // The column lies inside the list at the window's first size, so the
    // number is seen without scrolling.
    QHeaderView* header = grid()->horizontalHeader();
    EXPECT_LE(header->sectionViewportPosition(FileListModel::SizeColumn) +
                  header->sectionSize(FileListModel::SizeColumn),
              grid()->viewport()->width());
    // The date and time are not cut either.
    EXPECT_GE(grid()->columnWidth(FileListModel::DateColumn),
              metrics.horizontalAdvance(cell(0, FileListModel::DateColumn)));
    form.close();
    m_form.reset();
  }
}

TEST_F(BrowseTest, LongNameIsElidedInTheMiddleAndItsTipShowsItWhole) {
  const std::string longName(120, 'n');
  const std::string name = "Anfang_" + longName + "_Ende.txt";
  addVolumeWith("Lang", {testing::file(1, name.c_str(), 12, true)});
  start();
  ASSERT_TRUE(m_form->openVolume(0));
  QApplication::processEvents();
  QTableView* view = grid();
  const QRect rect = view->visualRect(view->model()->index(0, FileListModel::NameColumn));
  ASSERT_LT(view->columnWidth(FileListModel::NameColumn),
            QFontMetrics(view->font()).horizontalAdvance(QString::fromStdString(name)));
  EXPECT_EQ(view->textElideMode(), Qt::ElideMiddle);
  QHelpEvent help(QEvent::ToolTip, rect.center(), view->viewport()->mapToGlobal(rect.center()));
  QApplication::sendEvent(view->viewport(), &help);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QString::fromStdString(name));
  QToolTip::hideText();
}

TEST_F(BrowseTest, NameColumnTakesTheRoomTheOtherColumnsLeaveAndKeepsTheUsersWidth) {
  addVolume("Werkzeug", "");
  {
    TDiskIndexForm& form = start();
    ASSERT_TRUE(form.openVolume(0));
    QApplication::processEvents();
    QTableView* view = grid();
    auto columnsWidth = [view] {
      return view->columnWidth(0) + view->columnWidth(1) + view->columnWidth(2);
    };
    EXPECT_EQ(columnsWidth(), view->viewport()->width());
    EXPECT_GT(view->columnWidth(FileListModel::NameColumn), 120);
    const int before = view->columnWidth(FileListModel::NameColumn);
    form.resize(form.width() + 200, form.height());
    QApplication::processEvents();
    EXPECT_EQ(view->columnWidth(FileListModel::NameColumn), before + 200);
    // A narrow window leaves the name column its stored width (the list
    // scrolls sideways instead).
    form.resize(300, form.height());
    QApplication::processEvents();
    EXPECT_EQ(view->columnWidth(FileListModel::NameColumn), 120);
    form.close();
    m_form.reset();
  }
  // The grown width is the window's, not the user's: W1 stays as it was.
  EXPECT_EQ(platform::IniFile(m_settingsFile).readInt("Inits", "W1", 120), 120);
}

TEST_F(BrowseTest, InfoPaneShowsSizesGroupedWithTheirUnitForm) {
  addVolumeWith("Info", manyFiles(1), 3000000000);
  start();
  EXPECT_EQ(child<QLabel>("LabelCapacity")->text(), QStringLiteral("3.000.000.000   Byte"));
  EXPECT_EQ(child<QLabel>("LabelCapacityUnit")->text(), QStringLiteral("(2,8 GB)"));
  EXPECT_EQ(child<QLabel>("LabelFree")->text(), QStringLiteral("474.560   Byte"));
  EXPECT_EQ(child<QLabel>("LabelFreeUnit")->text(), QStringLiteral("(463 KB)"));
  EXPECT_EQ(child<QLabel>("LabelUsedUnit")->text(), QStringLiteral("(2,8 GB)"));
}

TEST_F(BrowseTest, HeaderClickSortsAgainReversesAndTheOrderIsKeptAcrossRestart) {
  addVolume("Werkzeug", "");  // Readme.txt 300, Zeta.doc 100, alpha.c 200
  {
    TDiskIndexForm& form = start();
    ASSERT_TRUE(form.openVolume(0));
    QApplication::processEvents();
    clickHeader(FileListModel::SizeColumn);
    EXPECT_EQ(names(), (QStringList{"Zeta.doc", "alpha.c", "Readme.txt"}));
    EXPECT_TRUE(form.actions().sortSize->isChecked());
    clickHeader(FileListModel::SizeColumn);
    EXPECT_EQ(names(), (QStringList{"Readme.txt", "alpha.c", "Zeta.doc"}));
    EXPECT_TRUE(form.actions().sortReverse->isChecked());
    // The arrow points down on the size header.
    EXPECT_FALSE(grid()
                     ->model()
                     ->headerData(FileListModel::SizeColumn, Qt::Horizontal, Qt::DecorationRole)
                     .isNull());
    form.close();
    m_form.reset();
  }
  const platform::IniFile ini(m_settingsFile);
  EXPECT_EQ(ini.readInt("Inits", "FILE_SORT", -1), 3);
  EXPECT_EQ(ini.readInt("Inits", "FILE_SORT_REV", -1), 1);

  TDiskIndexForm& again = start();
  EXPECT_TRUE(again.actions().sortSize->isChecked());
  EXPECT_TRUE(again.actions().sortReverse->isChecked());
  ASSERT_TRUE(again.openVolume(0));
  QApplication::processEvents();
  EXPECT_EQ(names(), (QStringList{"Readme.txt", "alpha.c", "Zeta.doc"}));
  // Another header starts ascending by its own key.
  clickHeader(FileListModel::NameColumn);
  EXPECT_EQ(names(), (QStringList{"Readme.txt", "Zeta.doc", "alpha.c"}));
  EXPECT_TRUE(again.actions().sortName->isChecked());
  EXPECT_FALSE(again.actions().sortReverse->isChecked());
}

TEST_F(BrowseTest, ReturnOpensTheSelectedVolume) {
  addVolume("Alpha", "");
  addVolume("Beta", "");
  TDiskIndexForm& form = start();
  tree()->setFocus();
  QTest::keyClick(tree(), Qt::Key_Down);
  ASSERT_EQ(tree()->currentIndex().row(), 1);
  QTest::keyClick(tree(), Qt::Key_Return);
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Contents);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("K&T DiskIndex:  [Beta]"));
  // Return in the contents view's tree opens nothing else.
  QTest::keyClick(tree(), Qt::Key_Return);
  EXPECT_EQ(form.view(), TDiskIndexForm::View::Contents);
}

TEST_F(BrowseTest, HomeEndAndPageKeysMoveThroughEveryList) {
  addVolumeWith("Alle", manyFiles(200));  // first by name
  addVolume("Zweiter", "");
  addVolume("Dritter", "");
  TDiskIndexForm& form = start();
  // The overview's list.
  tree()->setFocus();
  QTest::keyClick(tree(), Qt::Key_End);
  EXPECT_EQ(tree()->currentIndex().row(), 2);
  QTest::keyClick(tree(), Qt::Key_Home);
  EXPECT_EQ(tree()->currentIndex().row(), 0);
  ASSERT_TRUE(form.openVolume(0));
  QApplication::processEvents();
  // The file list: End reaches the last file (not the last column) and
  // shows it.
  QTableView* files = grid();
  ASSERT_TRUE(tree()->hasFocus());
  QTest::keyClick(tree(), Qt::Key_Tab);  // from the tree to the files
  ASSERT_TRUE(files->hasFocus());
  QTest::keyClick(files, Qt::Key_End);
  const int last = files->model()->rowCount() - 1;
  EXPECT_EQ(last, 199);
  EXPECT_EQ(files->currentIndex().row(), last);
  EXPECT_EQ(files->currentIndex().column(), FileListModel::NameColumn);
  EXPECT_TRUE(files->viewport()->rect().contains(files->visualRect(files->currentIndex()).center()));
  QTest::keyClick(files, Qt::Key_PageUp);
  const int pageUp = files->currentIndex().row();
  EXPECT_LT(pageUp, last - 1);
  QTest::keyClick(files, Qt::Key_PageDown);
  EXPECT_GT(files->currentIndex().row(), pageUp);
  QTest::keyClick(files, Qt::Key_Home);
  EXPECT_EQ(files->currentIndex().row(), 0);
}

TEST_F(BrowseTest, TypingTheStartOfANameSelectsItInTheListsWhateverCellHasTheFocus) {
  addVolume("Werkzeug", "");
  addVolume("Spiele", "");
  TDiskIndexForm& form = start();
  tree()->setFocus();
  QTest::keyClicks(tree(), QStringLiteral("we"));
  EXPECT_EQ(tree()->currentIndex().data().toString(), QStringLiteral("Werkzeug"));
  pauseTyping();
  ASSERT_TRUE(form.openVolume(1));
  QApplication::processEvents();
  QTableView* files = grid();
  files->setFocus();
  QTest::keyClicks(files, QStringLiteral("ze"));
  EXPECT_EQ(cell(files->currentIndex().row(), 0), QStringLiteral("Zeta.doc"));
  pauseTyping();
  // With a size cell current the name is still what is searched.
  const QModelIndex size = files->model()->index(0, FileListModel::SizeColumn);
  QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(size).center());
  ASSERT_EQ(files->currentIndex().column(), FileListModel::SizeColumn);
  QTest::keyClicks(files, QStringLiteral("al"));
  EXPECT_EQ(cell(files->currentIndex().row(), 0), QStringLiteral("alpha.c"));
  EXPECT_EQ(files->selectionModel()->selectedRows().size(), 1);
  pauseTyping();
  // The directory tree.
  tree()->setFocus();
  tree()->expandAll();
  QTest::keyClicks(tree(), QStringLiteral("too"));
  EXPECT_EQ(tree()->currentIndex().data().toString().toUpper(), QStringLiteral("TOOLS"));
}

TEST_F(BrowseTest, MaximisedWindowComesBackMaximisedWithItsNormalSize) {
  writeSettings("WIN_X=30\nWIN_Y=20\nWIN_W=640\nWIN_H=480\n");
  {
    TDiskIndexForm& form = start();
    EXPECT_FALSE(form.isMaximized());
    form.showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(form.isMaximized());
    form.close();
    m_form.reset();
  }
  const platform::IniFile ini(m_settingsFile);
  EXPECT_EQ(ini.readInt("Inits", "WIN_MAX", -1), 1);
  EXPECT_EQ(ini.readInt("Inits", "WIN_W", -1), 640);
  EXPECT_EQ(ini.readString("Inits", "WIN_SCREEN"),
            QGuiApplication::primaryScreen()->name().toStdString());
  {
    TDiskIndexForm& again = start();
    QApplication::processEvents();
    EXPECT_TRUE(again.isMaximized());
    again.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(again.size(), QSize(640, 480));
    again.close();
    m_form.reset();
  }
  EXPECT_EQ(platform::IniFile(m_settingsFile).readInt("Inits", "WIN_MAX", -1), 0);
}

TEST_F(BrowseTest, WindowOfAScreenThatIsGoneOpensOnThePrimaryScreen) {
  writeSettings("WIN_SCREEN=kein-solcher-Bildschirm\nWIN_X=2500\nWIN_Y=40\nWIN_W=640\nWIN_H=480\n");
  TDiskIndexForm& form = start();
  const QRect primary = QGuiApplication::primaryScreen()->geometry();
  EXPECT_TRUE(primary.contains(form.pos())) << form.pos().x() << "," << form.pos().y();
  EXPECT_EQ(form.size(), QSize(640, 480));
}

}  // namespace
}  // namespace diskindex::ui
