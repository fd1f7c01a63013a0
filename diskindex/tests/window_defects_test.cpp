// Main-window defects a new user ran into: menu entries that vanished in
// the overview, help buttons that did nothing, clipped sizes, unreadable
// disabled text and fonts that changed between runs.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <map>

#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/ui/busy_scope.h"
#include "diskindex/ui/dlg_add_drive.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/file_list_model.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {
namespace {

using testing::MainFormTest;
using testing::shownWindow;

// Opens a menu of the menu bar with its Alt shortcut, as a user would.
QMenu* openMenu(QWidget* form, Qt::Key key, const char* name) {
  QTest::keyClick(form, key, Qt::AltModifier);
  QApplication::processEvents();
  auto* menu = form->findChild<QMenu*>(QString::fromLatin1(name));
  EXPECT_NE(menu, nullptr) << name;
  return menu;
}

bool shownInMenu(QMenu* menu, QAction* action) {
  return menu->actions().contains(action) && action->isVisible() &&
         !menu->actionGeometry(action).isEmpty();
}

QList<QToolButton*> visibleToolButtons(QWidget* form, const QString& hint) {
  QList<QToolButton*> found;
  for (QToolButton* button :
       form->findChild<QToolBar*>(QStringLiteral("ToolBar"))->findChildren<QToolButton*>()) {
    if (button->isVisible() && button->toolTip() == hint) found << button;
  }
  return found;
}

// A letter shared by two entries of one menu only moves between them, and
// Return then runs whichever is highlighted: next to "&Entfernen" that is
// how a user meaning something else deletes a volume.
TEST_F(MainFormTest, EveryMenuGivesEachEntryALetterOfItsOwn) {
  TDiskIndexForm& form = start();
  const QList<QMenu*> menus = form.menuBar()->findChildren<QMenu*>();
  ASSERT_GE(menus.size(), 5);
  for (QMenu* menu : menus) {
    std::map<QChar, QString> taken;
    for (QAction* action : menu->actions()) {
      const QString text = action->text();
      const qsizetype amp = text.indexOf(QLatin1Char('&'));
      if (action->isSeparator() || amp < 0 || amp + 1 >= text.size()) continue;
      const QChar letter = text[amp + 1].toLower();
      const auto [it, fresh] = taken.emplace(letter, text);
      EXPECT_TRUE(fresh) << menu->title().toStdString() << ": " << text.toStdString() << " and "
                         << it->second.toStdString();
    }
  }
}

TEST_F(MainFormTest, OverviewKeepsFileAndRemarkMenuEntriesButHidesTheirButtons) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  QApplication::processEvents();
  const MainActions& a = form.actions();

  QMenu* volume = openMenu(&form, Qt::Key_D, "MenuVolume");
  ASSERT_NE(volume, nullptr);
  EXPECT_TRUE(volume->isVisible());
  for (QAction* action : {a.copyFiles, a.editFile, a.runFile}) {
    EXPECT_TRUE(shownInMenu(volume, action)) << action->text().toStdString();
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();  // no file in the overview
  }
  QTest::keyClick(volume, Qt::Key_Escape);
  QMenu* view = openMenu(&form, Qt::Key_A, "MenuView");
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(shownInMenu(view, a.dirRemarks));
  EXPECT_TRUE(shownInMenu(view, a.fileRemarks));
  QTest::keyClick(view, Qt::Key_Escape);

  // The five buttons are hidden in the overview and come back in the contents view.
  EXPECT_TRUE(visibleToolButtons(&form, a.dirRemarks->toolTip()).isEmpty());
  EXPECT_TRUE(visibleToolButtons(&form, a.copyFiles->toolTip()).isEmpty());
  ASSERT_TRUE(form.openVolume(0));
  QApplication::processEvents();
  const QList<QToolButton*> remarkButton = visibleToolButtons(&form, a.dirRemarks->toolTip());
  ASSERT_EQ(remarkButton.size(), 1);
  EXPECT_TRUE(remarkButton[0]->isChecked());
  QTest::mouseClick(remarkButton[0], Qt::LeftButton);  // the button toggles the menu entry
  EXPECT_FALSE(a.dirRemarks->isChecked());
  EXPECT_FALSE(remarkButton[0]->isChecked());
  a.dirRemarks->trigger();  // and the menu entry the button
  EXPECT_TRUE(remarkButton[0]->isChecked());
}

struct HelpOutcome {
  bool dialogOpened = false;
  bool helpShown = false;
  bool helpClosed = false;
  bool dialogStayedOpen = false;
};

// Once the modal dialog D runs: presses its "&Hilfe", then clicks the help
// window's close button through the window system, where a window blocked by
// the modal dialog receives nothing; finally cancels the dialog.
template <typename D>
void pressHelpInDialog(HelpOutcome& outcome) {
  QTimer::singleShot(0, [&outcome] {
    D* dialog = shownWindow<D>();
    outcome.dialogOpened = dialog != nullptr;
    if (dialog == nullptr) return;
    QTest::mouseClick(dialog->template findChild<QPushButton*>(QStringLiteral("ButtonHelp")),
                      Qt::LeftButton);
    QApplication::processEvents();
    QPointer<HelpWindow> help = shownWindow<HelpWindow>();
    if (help == nullptr) {
      for (auto* child : dialog->template findChildren<HelpWindow*>()) {
        if (child->isVisible()) help = child;
      }
    }
    outcome.helpShown = help != nullptr;
    if (help != nullptr) {
      QPushButton* close = nullptr;
      for (auto* button : help->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("&Schließen")) close = button;
      }
      if (close != nullptr) {
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                          close->mapTo(help.data(), close->rect().center()));
        QApplication::processEvents();
      }
      outcome.helpClosed = help.isNull() || !help->isVisible();
    }
    outcome.dialogStayedOpen = dialog->isVisible();
    dialog->reject();
  });
}

TEST_F(MainFormTest, HelpButtonOfTheAddAndChangeDialogsOpensAUsableHelpWindow) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.actions().changeVolume->isEnabled());  // a volume is selected
  for (const Qt::Key key : {Qt::Key_F7, Qt::Key_F8}) {
    HelpOutcome outcome;
    pressHelpInDialog<TDlgAddDrive>(outcome);
    QApplication::setActiveWindow(&form);  // back from the previous dialog
    QTest::keyClick(&form, key);
    EXPECT_TRUE(outcome.dialogOpened) << key;
    EXPECT_TRUE(outcome.helpShown) << key;
    EXPECT_TRUE(outcome.helpClosed) << key;
    EXPECT_TRUE(outcome.dialogStayedOpen) << key;
  }
}

TEST_F(MainFormTest, HelpFromTheSearchDialogCanBeClosedWhileTheDialogIsOpen) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  form.setSearchPrompts(std::make_unique<QtSearchPrompts>(&form));
  HelpOutcome outcome;
  pressHelpInDialog<TDlgSearchCDs>(outcome);
  QTest::keyClick(&form, Qt::Key_M, Qt::ControlModifier);
  EXPECT_TRUE(outcome.dialogOpened);
  EXPECT_TRUE(outcome.helpShown);
  EXPECT_TRUE(outcome.helpClosed);
  EXPECT_TRUE(outcome.dialogStayedOpen);
}

// The digits of a 10-digit size, with their group dots, fit in the size cell's text area: the
// column less the item view's text margins on either side.
void expectTenDigitsFit(QTableView* grid) {
  const int textMargin =
      grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
  const int textWidth = grid->columnWidth(FileListModel::SizeColumn) - 2 * textMargin;
  EXPECT_GE(textWidth,
            QFontMetrics(grid->font()).horizontalAdvance(QStringLiteral("3.000.000.000")))
      << "font " << grid->font().pointSize();
}

TEST_F(MainFormTest, SizeColumnShowsATenDigitSizeWholeAtTheDefaultWidthAndAtFourteenPoints) {
  addVolume("Werkzeug", "");
  {
    TDiskIndexForm& form = start();
    ASSERT_TRUE(form.openVolume(0));
    QApplication::processEvents();
    expectTenDigitsFit(grid());
    // Dragging the column narrower stops at the widest number.
    grid()->horizontalHeader()->resizeSection(FileListModel::SizeColumn, 20);
    expectTenDigitsFit(grid());
    m_form.reset();
  }
  writeSettings("[Fonts]\nSIZE_L=14\n");
  TDiskIndexForm& form = start();
  ASSERT_TRUE(form.openVolume(0));
  QApplication::processEvents();
  EXPECT_EQ(grid()->font().pointSize(), 14);
  expectTenDigitsFit(grid());
  EXPECT_EQ(grid()->textElideMode(), Qt::ElideMiddle);  // names give way, not numbers
}

// The contrast ratio of two colours by the common accessibility formula.
double contrastRatio(const QColor& a, const QColor& b) {
  auto lum = [](const QColor& c) {
    auto lin = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
  };
  const double hi = std::max(lum(a), lum(b));
  const double lo = std::min(lum(a), lum(b));
  return (hi + 0.05) / (lo + 0.05);
}

TEST_F(MainFormTest, DisabledCatalogueTextStaysReadableWhileADriveIsRead) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  for (const bool grey : {true, false}) {
    if (form.actions().greyBackground->isChecked() != grey)
      form.actions().greyBackground->trigger();
    BusyScope busy(&form);  // what reading a drive does to the window
    QApplication::processEvents();
    for (const char* name : {"OutlineDir", "GridFiles", "MemoFile", "LabelCapacity"}) {
      auto* widget = child<QWidget>(name);
      ASSERT_NE(widget, nullptr);
      EXPECT_FALSE(widget->isEnabled()) << name;
      const QPalette& palette = widget->palette();
      const QColor background = palette.color(QPalette::Disabled, QPalette::Base);
      const QColor window = palette.color(QPalette::Disabled, QPalette::Window);
      EXPECT_GE(contrastRatio(palette.color(QPalette::Disabled, QPalette::Text), background), 4.5)
          << name << " grey " << grey;
      EXPECT_GE(contrastRatio(palette.color(QPalette::Disabled, QPalette::WindowText), window), 4.5)
          << name << " grey " << grey;
    }
  }
}

TEST_F(MainFormTest, AWindowFontSizeOutsideTheStoredRangeIsLimitedWhenChosenAndKept) {
  addVolume("Werkzeug", "");
  {
    TDiskIndexForm& form = start();
    m_prompts->fontAnswer = QFont(QStringLiteral("DejaVu Sans"), 16);
    form.actions().fontFiles->trigger();
    EXPECT_EQ(grid()->font().pointSize(), 14);  // shown as it will be stored
    ASSERT_FALSE(m_prompts->shown.empty());
    EXPECT_EQ(m_prompts->shown.back().kind, QStringLiteral("information"));
    EXPECT_TRUE(m_prompts->shown.back().text.contains(QStringLiteral("16")));
    m_prompts->fontAnswer = QFont(QStringLiteral("DejaVu Sans"), 6);
    form.actions().fontVolumes->trigger();
    EXPECT_EQ(tree()->font().pointSize(), 8);
    m_prompts->fontAnswer = QFont(QStringLiteral("DejaVu Sans"), 20);
    form.actions().fontPrint->trigger();  // the print font has no such limit
    EXPECT_EQ(m_prompts->shown.back().kind, QStringLiteral("font"));  // no box after it
    ASSERT_TRUE(form.shutdown());
    m_form.reset();
  }
  const platform::IniFile ini(m_settingsFile);
  EXPECT_EQ(ini.readInt("Fonts", "SIZE_L", 0), 14);
  EXPECT_EQ(ini.readInt("Fonts", "SIZE_F", 0), 8);
  EXPECT_EQ(ini.readInt("Fonts", "SIZE_P", 0), 20);
  start();
  ASSERT_TRUE(m_form->openVolume(0));
  EXPECT_EQ(grid()->font().pointSize(), 14);  // the next start shows what was chosen
}

}  // namespace
}  // namespace diskindex::ui
