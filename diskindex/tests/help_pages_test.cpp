// The help pages and the buttons that open them: every page the program
// names exists, every link between pages (and to an anchor) leads
// somewhere, and each "&Hilfe" opens its own page in a window that stays
// usable while its modal dialog runs. Dialogs are opened with their keys or
// menu entries and the buttons clicked, as a user would.

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <map>
#include <set>

#include "diskindex/tests/main_form_fixture.h"
#include "diskindex/ui/dlg_add_drive.h"
#include "diskindex/ui/dlg_categories.h"
#include "diskindex/ui/dlg_rescan_volume.h"
#include "diskindex/ui/dlg_search_cds.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/search_prompts.h"

namespace diskindex::ui {
namespace {

using testing::MainFormTest;
using testing::shownWindow;

QString pageText(const QString& page) {
  QFile file(QStringLiteral(":/help/") + page);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

// Every page of the help resource by file name, with its text.
std::map<QString, QString> allPages() {
  std::map<QString, QString> pages;
  QDirIterator it(QStringLiteral(":/help"));
  while (it.hasNext()) {
    it.next();
    pages[it.fileName()] = pageText(it.fileName());
  }
  return pages;
}

TEST(HelpPages, EveryNamedPageExistsAndEveryLinkAndAnchorLeadsSomewhere) {
  testing::ensureApplication();
  const std::map<QString, QString> pages = allPages();
  for (const char* named : {help::kContents, help::kAddVolume, help::kChangeVolume, help::kDrives,
                            help::kSearch, help::kSearchResults, help::kDuplicates, help::kExport,
                            help::kPrinting, help::kCopying, help::kCategories}) {
    ASSERT_TRUE(pages.count(QString::fromLatin1(named))) << named;
    EXPECT_TRUE(pageText(named).contains(QStringLiteral("<h2>"))) << named << " has no heading";
  }
  const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
  const QRegularExpression anchor(QStringLiteral("name=\"([^\"]+)\""));
  std::set<QString> linkedTo;
  for (const auto& [name, text] : pages) {
    for (auto m = link.globalMatch(text); m.hasNext();) {
      const auto match = m.next();
      const QString target = match.captured(1).isEmpty() ? name : match.captured(1);
      linkedTo.insert(target);
      ASSERT_TRUE(pages.count(target)) << name.toStdString() << " links to " << target.toStdString();
      if (match.captured(2).isEmpty()) continue;
      bool found = false;
      for (auto a = anchor.globalMatch(pages.at(target)); a.hasNext();) {
        if (a.next().captured(1) == match.captured(2)) found = true;
      }
      EXPECT_TRUE(found) << name.toStdString() << " links to the missing anchor "
                         << target.toStdString() << "#" << match.captured(2).toStdString();
    }
  }
  // No page is out of reach of the contents.
  for (const auto& [name, text] : pages) {
    if (name != QLatin1String(help::kContents)) {
      EXPECT_TRUE(linkedTo.count(name)) << name.toStdString() << " is linked from nowhere";
    }
  }
}

// What pressing "&Hilfe" twice in a running modal dialog showed.
struct HelpSeen {
  bool dialogOpened = false;
  QString page;              // file name of the page shown
  bool ownedByDialog = false;  // the help window is the dialog's, so it takes input
  int helpWindows = 0;       // after the second press
  bool closedByClick = false;
};

// Once a modal D is shown: clicks its "&Hilfe" twice, records the help
// window, closes it with a click on its "&Schließen" through the window
// system (a window blocked by the dialog would get nothing) and cancels D.
template <typename D>
void pressHelpIn(HelpSeen& seen, int tries = 200) {
  QTimer::singleShot(10, [&seen, tries] {
    D* dialog = shownWindow<D>();
    if (dialog == nullptr) {
      if (tries > 0) pressHelpIn<D>(seen, tries - 1);
      return;
    }
    seen.dialogOpened = true;
    auto* button = dialog->template findChild<QPushButton*>(QStringLiteral("ButtonHelp"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    const QList<HelpWindow*> helps = dialog->template findChildren<HelpWindow*>();
    seen.helpWindows = static_cast<int>(helps.size());
    if (helps.size() == 1 && helps[0]->isVisible()) {
      QPointer<HelpWindow> help = helps[0];
      seen.ownedByDialog = help->parentWidget() == dialog;
      seen.page = help->browser()->source().fileName();
      for (auto* close : help->findChildren<QPushButton*>()) {
        if (close->text() != QStringLiteral("&Schließen")) continue;
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                          close->mapTo(help.data(), close->rect().center()));
      }
      QApplication::processEvents();
      seen.closedByClick = help.isNull() || !help->isVisible();
    }
    dialog->reject();
  });
}

void expectOwnPage(const HelpSeen& seen, const char* page) {
  EXPECT_TRUE(seen.dialogOpened);
  EXPECT_EQ(seen.page, QString::fromLatin1(page));
  EXPECT_TRUE(seen.ownedByDialog);
  EXPECT_EQ(seen.helpWindows, 1) << "a second press reuses the dialog's help window";
  EXPECT_TRUE(seen.closedByClick);
}

TEST_F(MainFormTest, EachHelpButtonOpensItsOwnPageWhileItsDialogRuns) {
  addVolume("Werkzeug", "");
  TDiskIndexForm& form = start();
  form.setSearchPrompts(std::make_unique<QtSearchPrompts>(&form));
  const std::vector<std::pair<Qt::Key, const char*>> addAndChange{{Qt::Key_F7, help::kAddVolume},
                                                                   {Qt::Key_F8, help::kChangeVolume}};
  for (const auto& [key, page] : addAndChange) {
    SCOPED_TRACE(page);
    HelpSeen seen;
    pressHelpIn<TDlgAddDrive>(seen);
    QApplication::setActiveWindow(&form);
    QTest::keyClick(&form, key);
    expectOwnPage(seen, page);
  }
  {
    SCOPED_TRACE("categories");
    HelpSeen seen;
    QApplication::setActiveWindow(&form);
    QTest::keyClick(&form, Qt::Key_D, Qt::AltModifier);
    auto* menu = form.findChild<QMenu*>(QStringLiteral("MenuVolume"));
    ASSERT_NE(menu, nullptr);
    pressHelpIn<TDlgCategories>(seen);
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(form.actions().categories).center());
    expectOwnPage(seen, help::kCategories);
  }
  {
    SCOPED_TRACE("rescan");
    HelpSeen seen;
    QApplication::setActiveWindow(&form);
    QTest::keyClick(&form, Qt::Key_D, Qt::AltModifier);
    auto* menu = form.findChild<QMenu*>(QStringLiteral("MenuVolume"));
    ASSERT_NE(menu, nullptr);
    pressHelpIn<TDlgRescanVolume>(seen);
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(form.actions().rescanVolume).center());
    expectOwnPage(seen, help::kRescanVolume);
  }
  for (const bool multi : {true, false}) {
    SCOPED_TRACE(multi ? "search on several volumes" : "search on the open volume");
    if (!multi) {
      ASSERT_TRUE(form.openVolume(0));
    }
    HelpSeen seen;
    pressHelpIn<TDlgSearchCDs>(seen);
    QApplication::setActiveWindow(&form);
    QTest::keyClick(&form, multi ? Qt::Key_M : Qt::Key_F, Qt::ControlModifier);
    expectOwnPage(seen, help::kSearch);
  }
}

TEST_F(MainFormTest, F1OpensTheContentsInTheMainWindowsOneHelpWindow) {
  TDiskIndexForm& form = start();
  QTest::keyClick(&form, Qt::Key_F1);
  HelpWindow* help = shownWindow<HelpWindow>();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->browser()->source().fileName(), QString::fromLatin1(help::kContents));
  // A link followed in it, then F1 again: the same window shows the contents.
  help->browser()->setSource(QUrl(QStringLiteral("qrc:/help/printing.html")));
  QApplication::setActiveWindow(&form);
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(shownWindow<HelpWindow>(), help);
  EXPECT_EQ(help->browser()->source().fileName(), QString::fromLatin1(help::kContents));
  EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Doppelte Dateien suchen")));
}

}  // namespace
}  // namespace diskindex::ui
