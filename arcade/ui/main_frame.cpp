#include "arcade/ui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>

#include "arcade/game/saved_game.h"
#include "arcade/shell/pause_scope.h"
#include "arcade/shell/view_settings.h"
#include "arcade/ui/shell_prompts.h"
#include "arcade/ui/vortexia_doc.h"
#include "arcade/ui/vortexia_view.h"

namespace arcade::ui {

namespace {

constexpr int kMinWidth = 280;
constexpr int kMinHeight = 240;
constexpr const char* kSpeedNames[] = {"speedSlow", "speedAverage", "speedFast", "speedUltraFast"};

}  // namespace

CMainFrame::CMainFrame(CVortexiaDoc& doc, IShellPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_prompts(prompts) {
  setObjectName(QStringLiteral("CMainFrame"));
  setAttribute(Qt::WA_QuitOnClose);
  m_view = new CVortexiaView(doc, prompts, this);
  setCentralWidget(m_view);
  setMinimumSize(kMinWidth, kMinHeight);
  BuildFileMenu();
  BuildGameMenu();
  BuildOptionsMenu();
  BuildInputMenu();
  BuildHelpMenu();
  connect(&m_doc, &CVortexiaDoc::titleChanged, this, &CMainFrame::OnTitleChanged);
  connect(m_view, &CVortexiaView::stateChanged, this, &CMainFrame::UpdateMenus);
  OnTitleChanged(m_doc.Title());
  // A client area of 640 x 480 under the menu bar.
  resize(640, 480 + menuBar()->sizeHint().height());
  UpdateMenus();
  m_view->setFocus();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CloseWithoutQuestions() {
  if (m_closing) {
    // The save question of a close under way is up, and a second close
    // would be swallowed by it (the window would go without the record
    // being kept): dismiss the question, and the close under way goes on
    // without it.
    m_askOnClose = false;
    if (QWidget* question = QApplication::activeModalWidget()) question->close();
    return;
  }
  m_askOnClose = false;
  close();
  m_askOnClose = true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  m_closing = true;
  bool closes = m_view->QueryClose(m_askOnClose);
  // A quit signal while the question was up: close as it asks, unasked.
  if (!closes && !m_askOnClose) closes = m_view->QueryClose(false);
  m_closing = false;
  m_askOnClose = true;
  if (closes) {
    event->accept();
  } else {
    event->ignore();
  }
}

void CMainFrame::OnTitleChanged(const QString& title) {
  setWindowTitle(title + QStringLiteral(" - Vortexia"));
}

QAction* CMainFrame::AddAction(QMenu* menu, const QString& text, const char* name, bool checkable) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  action->setCheckable(checkable);
  return action;
}

QAction* CMainFrame::Action(const char* name) const {
  return findChild<QAction*>(QString::fromLatin1(name));
}

void CMainFrame::BuildFileMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* fresh = AddAction(menu, QStringLiteral("&New"), "fileNew", false);
  fresh->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  connect(fresh, &QAction::triggered, m_view, &CVortexiaView::OnFileNew);
  QAction* open = AddAction(menu, QStringLiteral("&Open..."), "fileOpen", false);
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(open, &QAction::triggered, m_view, &CVortexiaView::OnFileOpen);
  QAction* save = AddAction(menu, QStringLiteral("&Save..."), "fileSave", false);
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(save, &QAction::triggered, m_view, &CVortexiaView::OnFileSave);
  menu->addSeparator();
  QAction* info = AddAction(menu, QStringLiteral("&Information..."), "fileInformation", false);
  connect(info, &QAction::triggered, m_view, &CVortexiaView::OnInfo);
  menu->addSeparator();
  QAction* exit = AddAction(menu, QStringLiteral("E&xit"), "fileExit", false);
  connect(exit, &QAction::triggered, this, &QWidget::close);
  connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
}

void CMainFrame::BuildGameMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&Game"));
  // Space itself reaches the view as a game key (the tick toggles); the
  // menu names it without taking it.
  QAction* pause = AddAction(menu, QStringLiteral("&Pause\tSpace"), "gamePause", true);
  connect(pause, &QAction::triggered, m_view, &CVortexiaView::OnPause);
  QAction* quit = AddAction(menu, QStringLiteral("&Quit Level"), "gameQuitLevel", false);
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  connect(quit, &QAction::triggered, m_view, &CVortexiaView::OnQuitLevel);
  connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
}

void CMainFrame::BuildOptionsMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&Options"));
  CGameSession& session = m_doc.Session();
  QMenu* resolution = menu->addMenu(QStringLiteral("&Resolution"));
  auto setResolution = [this, &session](Resolution r) {
    session.SetResolution(r);
    m_view->update();
    UpdateMenus();
  };
  connect(AddAction(resolution, QStringLiteral("&Normal"), "resolutionNormal", true),
          &QAction::triggered, this, [=] { setResolution(Resolution::Normal); });
  connect(AddAction(resolution, QStringLiteral("&High"), "resolutionHigh", true),
          &QAction::triggered, this, [=] { setResolution(Resolution::High); });
  connect(AddAction(menu, QStringLiteral("&Shading"), "shading", true), &QAction::triggered, this,
          [this, &session] {
            session.ToggleShading();
            m_view->update();
            UpdateMenus();
          });
  connect(AddAction(menu, QStringLiteral("Raised &Camera"), "raisedCamera", true),
          &QAction::triggered, this, &CMainFrame::OnRaisedCamera);
  QMenu* speed = menu->addMenu(QStringLiteral("S&peed"));
  const QString speedTexts[] = {QStringLiteral("&Slow"), QStringLiteral("&Average"),
                                QStringLiteral("&Fast"), QStringLiteral("&Ultra Fast")};
  for (int i = 0; i < 4; ++i) {
    connect(AddAction(speed, speedTexts[i], kSpeedNames[i], true), &QAction::triggered, this,
            [this, &session, i] {
              session.SetSpeed(i);
              UpdateMenus();
            });
  }
  for (QMenu* m : {menu, resolution, speed}) {
    connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
  }
}

void CMainFrame::OnRaisedCamera() {
  CGameSession& session = m_doc.Session();
  const bool raised = session.GetCameraView() != CameraView::Raised;
  session.SetCameraView(raised ? CameraView::Raised : CameraView::Classic);
  UpdateMenus();
  if (m_settingsFile.empty()) return;
  if (!WriteViewSettings(m_settingsFile, {session.GetCameraView()})) {
    const PauseScope pause(session);
    m_prompts.Message(this, MessageIcon::Stop, FromView(kErrorCaption),
                      QStringLiteral("Could not save the settings to '%1'.")
                          .arg(QString::fromStdString(m_settingsFile.string())));
  }
}

void CMainFrame::BuildInputMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&Input"));
  CGameSession& session = m_doc.Session();
  connect(AddAction(menu, QStringLiteral("&Joystick"), "inputJoystick", true), &QAction::triggered,
          this, [this, &session] {
            session.SelectJoystick();
            UpdateMenus();
          });
  connect(AddAction(menu, QStringLiteral("&Mouse"), "inputMouse", true), &QAction::triggered, this,
          [this, &session] {
            session.SelectMouse();
            UpdateMenus();
          });
  connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
}

void CMainFrame::BuildHelpMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* help = AddAction(menu, QStringLiteral("Vortexia &Help..."), "helpVortexia", false);
  help->setShortcut(QKeySequence(Qt::Key_F1));
  connect(help, &QAction::triggered, m_view, &CVortexiaView::OnHelpMenu);
}

void CMainFrame::UpdateMenus() {
  const CGameSession& session = m_doc.Session();
  const PlayerRecord& record = session.Record();
  // The demo is no level of the player's: a key ends it.
  const bool playing = session.Playing() && !session.Demo();
  Action("gamePause")->setEnabled(playing);
  Action("gamePause")->setChecked(playing && session.Paused());
  Action("gameQuitLevel")->setEnabled(playing);
  Action("resolutionNormal")->setChecked(record.resolution == 1);
  Action("resolutionHigh")->setChecked(record.resolution == 0);
  Action("shading")->setChecked(record.shading == 1);
  Action("raisedCamera")->setChecked(session.GetCameraView() == CameraView::Raised);
  for (int i = 0; i < 4; ++i) Action(kSpeedNames[i])->setChecked(record.speed == i);
  Action("inputJoystick")->setChecked(!session.MouseMode());
  Action("inputMouse")->setChecked(session.MouseMode());
}

}  // namespace arcade::ui
