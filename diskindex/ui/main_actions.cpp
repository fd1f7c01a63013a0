#include "diskindex/ui/main_actions.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

#include "diskindex/ui/toolbar_icons.h"

namespace diskindex::ui {
namespace {

QAction* make(QObject* owner, const QString& text, const QKeySequence& keys = {}) {
  auto* action = new QAction(text, owner);
  if (!keys.isEmpty()) action->setShortcut(keys);
  return action;
}

QAction* checkable(QObject* owner, const QString& text) {
  QAction* action = make(owner, text);
  action->setCheckable(true);
  return action;
}

// A tool-bar hint appears as tool tip and, under the mouse, in the status bar.
void hint(QAction* action, const QString& text, ToolIcon icon) {
  action->setToolTip(text);
  action->setStatusTip(text);
  action->setIcon(toolIcon(icon));
}

// A second action with its own text that runs target and follows its state.
QAction* proxy(QObject* owner, const QString& text, QAction* target) {
  QAction* action = make(owner, text);
  auto sync = [action, target] {
    action->setEnabled(target->isEnabled());
    action->setVisible(target->isVisible());
  };
  QObject::connect(target, &QAction::changed, action, sync);
  QObject::connect(action, &QAction::triggered, target, &QAction::trigger);
  sync();
  return action;
}

// A tool-bar twin of a menu action: same icon, hint, enabled and checked
// state, and triggering it runs the target. The overview hides the twin's
// button without touching the target, so the menu entries stay.
QAction* toolTwin(QObject* owner, QAction* target) {
  auto* action = new QAction(target->icon(), target->text(), owner);
  action->setToolTip(target->toolTip());
  action->setStatusTip(target->statusTip());
  action->setCheckable(target->isCheckable());
  auto sync = [action, target] {
    action->setEnabled(target->isEnabled());
    action->setChecked(target->isChecked());
    action->setIcon(target->icon());
  };
  QObject::connect(target, &QAction::changed, action, sync);
  QObject::connect(action, &QAction::triggered, target, [action, target] {
    target->trigger();
    action->setChecked(target->isChecked());
  });
  sync();
  return action;
}

void createVolumeActions(QObject* o, MainActions& a) {
  a.overview = make(o, QStringLiteral("Über&sicht"), Qt::Key_F11);
  a.contents = make(o, QStringLiteral("&Inhalt"), Qt::Key_F12);
  a.addVolume = make(o, QStringLiteral("&Hinzufügen ..."), Qt::Key_F7);
  a.removeVolume = make(o, QStringLiteral("&Entfernen"));
  a.changeVolume = make(o, QStringLiteral("Infos ä&ndern ..."), Qt::Key_F8);
  a.rescanVolume = make(o, QStringLiteral("Datenträger e&rneut einlesen ..."));
  a.recogniseVolume =
      make(o, QStringLiteral("Datenträ&ger erkennen"), QKeySequence(Qt::CTRL | Qt::Key_E));
  a.categories = make(o, QStringLiteral("&Kategorien ..."));
  a.print = make(o, QStringLiteral("&Drucken ..."));
  a.exportInfo = make(o, QStringLiteral("Infos e&xportieren ..."));
  a.copyFiles = make(o, QStringLiteral("Datei(en) k&opieren ..."));
  a.editFile = make(o, QStringLiteral("Datei edi&tieren"));
  a.runFile = make(o, QStringLiteral("Datei &ausführen"));
  a.quit = make(o, QStringLiteral("&Beenden"));
  hint(a.overview, QStringLiteral("Übersicht der Datenträger"), ToolIcon::Overview);
  hint(a.contents, QStringLiteral("Inhalt des Datenträgers"), ToolIcon::Contents);
  hint(a.addVolume, QStringLiteral("Datenträger hinzufügen"), ToolIcon::AddVolume);
  hint(a.copyFiles, QStringLiteral("Datei(en) kopieren"), ToolIcon::CopyFiles);
  hint(a.editFile, QStringLiteral("Datei editieren"), ToolIcon::EditFile);
  hint(a.runFile, QStringLiteral("Datei ausführen"), ToolIcon::RunFile);
}

void createEditActions(QObject* o, MainActions& a) {
  a.undo = make(o, QStringLiteral("&Rückgängig"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  a.cut = make(o, QStringLiteral("&Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X));
  a.copy = make(o, QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C));
  a.paste = make(o, QStringLiteral("&Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V));
  a.erase = make(o, QStringLiteral("&Löschen"), Qt::Key_Delete);
  a.selectAll = make(o, QStringLiteral("Alles &markieren"), QKeySequence(Qt::CTRL | Qt::Key_A));
  a.copyPath = make(o, QStringLiteral("&Pfad kopieren"));
  a.copyTree = make(o, QStringLiteral("&Verzeichnisbaum kopieren ..."));
  hint(a.cut, QStringLiteral("Text ausschneiden"), ToolIcon::Cut);
  hint(a.copy, QStringLiteral("Text kopieren"), ToolIcon::Copy);
  hint(a.paste, QStringLiteral("Text einfügen"), ToolIcon::Paste);
}

void createSearchActions(QObject* o, MainActions& a) {
  a.searchCurrent =
      make(o, QStringLiteral("Auf &aktuellem Datenträger ..."), QKeySequence(Qt::CTRL | Qt::Key_F));
  a.searchNext = make(o, QStringLiteral("&Weitersuchen"), Qt::Key_F3);
  a.searchMulti =
      make(o, QStringLiteral("Auf &mehreren Datenträgern ..."), QKeySequence(Qt::CTRL | Qt::Key_M));
  a.searchResults = make(o, QStringLiteral("Suchergebnisse"), QKeySequence(Qt::ALT | Qt::Key_F6));
  a.findDuplicates = make(o, QStringLiteral("&Doppelte Dateien suchen ..."));
  hint(a.searchCurrent, QStringLiteral("Suche auf aktuellem Datenträger"), ToolIcon::Search);
  hint(a.searchNext, QStringLiteral("Suche fortsetzen"), ToolIcon::SearchNext);
  hint(a.searchMulti, QStringLiteral("Suche auf mehreren Datenträgern"), ToolIcon::SearchMulti);
  hint(a.searchResults, QStringLiteral("Suchergebnisse (Alt+F6)"), ToolIcon::SearchResults);
  a.searchResults->setVisible(false);
}

void createViewActions(QObject* o, MainActions& a) {
  a.dirRemarks = checkable(o, QStringLiteral("&Verzeichnis-Bemerkungen"));
  a.fileRemarks = checkable(o, QStringLiteral("&Datei-Bemerkungen"));
  hint(a.dirRemarks, QStringLiteral("Bemerkungen zu Verzeichnissen"), ToolIcon::DirRemarks);
  hint(a.fileRemarks, QStringLiteral("Bemerkungen zu Dateien"), ToolIcon::FileRemarks);
  a.sortGroup = new QActionGroup(o);
  a.sortGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  a.sortName = a.sortGroup->addAction(checkable(o, QStringLiteral("Nach &Name")));
  a.sortType = a.sortGroup->addAction(checkable(o, QStringLiteral("Nach &Typ")));
  a.sortSize = a.sortGroup->addAction(checkable(o, QStringLiteral("Nach &Größe")));
  a.sortDate = a.sortGroup->addAction(checkable(o, QStringLiteral("Nach Datu&m")));
  a.sortReverse = checkable(o, QStringLiteral("Sortierung &umkehren"));
  a.sortOverviewFree = checkable(o, QStringLiteral("Übersicht nach &freiem Speicher"));
}

void createOptionActions(QObject* o, MainActions& a) {
  a.greyBackground = checkable(o, QStringLiteral("&Fensterhintergrund grau"));
  a.greyBackground->setChecked(true);
  a.fontVolumes = make(o, QStringLiteral("&Datenträgerliste/-Infos..."));
  a.fontFiles = make(o, QStringLiteral("&Verzeichnis-/Dateiliste..."));
  a.fontRemarks = make(o, QStringLiteral("&Bemerkungen..."));
  a.fontSearch = make(o, QStringLiteral("&Suchergebnisse ..."));
  a.fontPrint = make(o, QStringLiteral("Dr&ucken ..."));
  a.dataDirectory = make(o, QStringLiteral("&Datenverzeichnis ..."));
  a.chooseEditor = make(o, QStringLiteral("&Editor festlegen ..."));
  a.helpContents = make(o, QStringLiteral("&Inhalt"), Qt::Key_F1);
  a.about = make(o, QStringLiteral("Inf&o ..."));
}

}  // namespace

MainActions createActions(QObject* owner) {
  MainActions a;
  createVolumeActions(owner, a);
  createEditActions(owner, a);
  createSearchActions(owner, a);
  createViewActions(owner, a);
  createOptionActions(owner, a);
  a.ctxSearch = proxy(owner, QStringLiteral("&Suchen ..."), a.searchCurrent);
  a.ctxSearchMulti = proxy(owner, QStringLiteral("&Suchen ..."), a.searchMulti);
  a.ctxSearchNext = proxy(owner, QStringLiteral("&Weitersuchen"), a.searchNext);
  a.ctxCopyFiles = proxy(owner, QStringLiteral("&Datei(en) kopieren ..."), a.copyFiles);
  a.ctxCopyCells = proxy(owner, QStringLiteral("&Kopieren"), a.copy);
  return a;
}

void buildMenuBar(QMainWindow* window, const MainActions& a) {
  QMenuBar* bar = window->menuBar();
  QMenu* volume = bar->addMenu(QStringLiteral("&Datenträger"));
  volume->setObjectName(QStringLiteral("MenuVolume"));
  volume->addActions({a.overview, a.contents});
  volume->addSeparator();
  volume->addActions({a.addVolume, a.removeVolume, a.changeVolume, a.rescanVolume});
  volume->addAction(a.recogniseVolume);
  volume->addSeparator();
  volume->addAction(a.categories);
  volume->addSeparator();
  volume->addActions({a.print, a.exportInfo});
  volume->addSeparator();
  volume->addActions({a.copyFiles, a.editFile, a.runFile});
  volume->addSeparator();
  volume->addAction(a.quit);

  QMenu* edit = bar->addMenu(QStringLiteral("&Bearbeiten"));
  edit->addAction(a.undo);
  edit->addSeparator();
  edit->addActions({a.cut, a.copy, a.paste, a.erase});
  edit->addSeparator();
  edit->addAction(a.selectAll);
  edit->addSeparator();
  edit->addActions({a.copyPath, a.copyTree});

  QMenu* search = bar->addMenu(QStringLiteral("&Suchen"));
  search->addActions({a.searchCurrent, a.searchNext});
  search->addSeparator();
  search->addAction(a.searchMulti);
  search->addSeparator();
  search->addAction(a.findDuplicates);

  QMenu* view = bar->addMenu(QStringLiteral("&Ansicht"));
  view->setObjectName(QStringLiteral("MenuView"));
  view->addActions({a.dirRemarks, a.fileRemarks});
  view->addSeparator();
  view->addActions({a.sortName, a.sortType, a.sortSize, a.sortDate});
  view->addSeparator();
  view->addAction(a.sortReverse);
  view->addSeparator();
  view->addAction(a.sortOverviewFree);

  QMenu* options = bar->addMenu(QStringLiteral("&Optionen"));
  options->addAction(a.greyBackground);
  QMenu* fonts = options->addMenu(QStringLiteral("&Schrift"));
  fonts->setObjectName(QStringLiteral("MenuFonts"));
  fonts->addActions({a.fontVolumes, a.fontFiles, a.fontRemarks, a.fontSearch});
  fonts->addSeparator();
  fonts->addAction(a.fontPrint);
  options->addSeparator();
  options->addActions({a.dataDirectory, a.chooseEditor});

  QMenu* help = bar->addMenu(QStringLiteral("&Hilfe"));
  help->addAction(a.helpContents);
  help->addSeparator();
  help->addAction(a.about);
}

ToolBarItems buildToolBar(QMainWindow* window, const MainActions& a) {
  ToolBarItems t;
  t.bar = window->addToolBar(QStringLiteral("Symbolleiste"));
  t.bar->setObjectName(QStringLiteral("ToolBar"));
  t.bar->setMovable(false);
  t.bar->setFloatable(false);
  t.bar->setContextMenuPolicy(Qt::PreventContextMenu);
  t.bar->addActions({a.overview, a.contents, a.addVolume});
  t.bar->addSeparator();
  t.bar->addActions({a.cut, a.copy, a.paste});
  t.bar->addSeparator();
  t.bar->addActions({a.searchCurrent, a.searchNext, a.searchMulti});
  t.bar->addSeparator();
  for (QAction* action : {a.dirRemarks, a.fileRemarks, a.copyFiles, a.editFile, a.runFile}) {
    t.contentsOnly.append(toolTwin(t.bar, action));
    t.contentsTargets.append(action);
  }
  t.bar->addActions(t.contentsOnly);

  t.categoryLabel = new QLabel(QStringLiteral("&Kategorie:"), t.bar);
  t.categoryLabel->setContentsMargins(4, 0, 6, 0);
  t.categoryCombo = new QComboBox(t.bar);
  t.categoryCombo->setObjectName(QStringLiteral("ComboBoxCategory"));
  t.categoryCombo->setMaxVisibleItems(12);
  t.categoryCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  t.categoryCombo->setMinimumContentsLength(18);
  t.categoryLabel->setBuddy(t.categoryCombo);
  t.categoryLabelItem = t.bar->addWidget(t.categoryLabel);
  t.categoryComboItem = t.bar->addWidget(t.categoryCombo);

  auto* spacer = new QWidget(t.bar);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  t.bar->addWidget(spacer);
  t.bar->addAction(a.searchResults);
  return t;
}

void showContentsButtons(const ToolBarItems& items, bool visible) {
  for (qsizetype i = 0; i < items.contentsOnly.size(); ++i) {
    QAction* twin = items.contentsOnly[i];
    const QAction* target = items.contentsTargets[i];
    twin->setEnabled(target->isEnabled());
    twin->setChecked(target->isChecked());
    twin->setVisible(visible);
  }
}

ContextMenus buildContextMenus(QWidget* owner, const MainActions& a) {
  ContextMenus m;
  m.overviewTree = new QMenu(owner);
  m.overviewTree->addActions({a.contents, a.addVolume, a.removeVolume, a.changeVolume});
  m.overviewTree->addSeparator();
  m.overviewTree->addAction(a.ctxSearchMulti);
  m.contentsTree = new QMenu(owner);
  m.contentsTree->addActions({a.ctxSearch, a.ctxSearchNext});
  m.contentsTree->addSeparator();
  m.contentsTree->addAction(a.ctxCopyFiles);
  m.volumeInfo = new QMenu(owner);
  m.volumeInfo->addActions({a.changeVolume, a.ctxSearchMulti});
  m.fileList = new QMenu(owner);
  m.fileList->addActions({a.ctxCopyCells, a.selectAll});
  m.fileList->addSeparator();
  m.fileList->addActions({a.copyFiles, a.editFile, a.runFile});
  m.remarks = new QMenu(owner);
  m.remarks->addAction(a.undo);
  m.remarks->addSeparator();
  m.remarks->addActions({a.cut, a.copy, a.paste, a.erase});
  m.remarks->addSeparator();
  m.remarks->addAction(a.selectAll);
  return m;
}

}  // namespace diskindex::ui
