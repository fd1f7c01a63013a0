#include "arcade/ui/vortexia_view.h"

#include <QCursor>
#include <QDateTime>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <cstdio>

#include "arcade/game/saved_game.h"
#include "arcade/shell/pause_scope.h"
#include "arcade/ui/qt_image_presenter.h"
#include "arcade/ui/shell_dialogs.h"
#include "arcade/ui/shell_prompts.h"
#include "arcade/ui/title_painter.h"
#include "arcade/ui/vortexia_doc.h"
#include "platform/settings_location.h"

namespace arcade::ui {

namespace {

constexpr int kTimerPeriodMs = 50;

// The key state's name for a key of the keyboard, if the game asks about it.
std::optional<ShellKey> GameKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
      return ShellKey::Shift;
    case Qt::Key_Space:
      return ShellKey::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ShellKey::Enter;
    case Qt::Key_I:
      return ShellKey::I;
    case Qt::Key_O:
      return ShellKey::O;
    default:
      return std::nullopt;
  }
}

// The player's saves folder, $XDG_DATA_HOME/vortexia/saves/, made when
// missing; empty when it cannot be made.
std::filesystem::path SavesFolder() {
  const std::filesystem::path folder = platform::dataDirectory("vortexia") / "saves" / "";
  return platform::ensureDirectory(folder) ? folder : std::filesystem::path();
}

std::optional<ShellKey> GameButton(Qt::MouseButton button) {
  if (button == Qt::LeftButton) return ShellKey::LeftButton;
  if (button == Qt::RightButton) return ShellKey::RightButton;
  return std::nullopt;
}

}  // namespace

CVortexiaView::CVortexiaView(CVortexiaDoc& doc, IShellPrompts& prompts, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_prompts(prompts) {
  setObjectName(QStringLiteral("CVortexiaView"));
  // Everything is painted here, the background included.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  auto started = std::make_shared<QElapsedTimer>();
  started->start();
  m_clock = [started] { return static_cast<std::uint32_t>(started->elapsed()); };
  Session().SetSeed(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));
  m_timerId = startTimer(kTimerPeriodMs, Qt::PreciseTimer);
  if (m_timerId == 0) {
    m_prompts.Message(this, MessageIcon::Warning, QStringLiteral("Vortexia Error"),
                      QStringLiteral("Unable to start timer!"));
  }
  connect(&m_doc, &CVortexiaDoc::viewsNeedUpdate, this, [this] { RefreshTitle(); });
  MakeTitleButtons();
}

CVortexiaView::~CVortexiaView() {
  ReleaseCapture();
}

CGameSession& CVortexiaView::Session() {
  return m_doc.Session();
}

std::uint32_t CVortexiaView::Now() const {
  return m_clock();
}

QRect CVortexiaView::CaptureScreenRect() const {
  const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  const QRect global(mapToGlobal(QPoint(0, 0)), size());
  const ScreenRect r = CaptureRect(
      {global.left(), global.top(), global.right() + 1, global.bottom() + 1}, border, border);
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

PointerReading CVortexiaView::Pointer() const {
  PointerReading p;
  if (!m_captured) return p;
  p.captured = true;
  p.capture = {m_captureRect.left(), m_captureRect.top(), m_captureRect.right() + 1,
               m_captureRect.bottom() + 1};
  // The cursor stays inside the capture rectangle.
  const QPoint at = QCursor::pos();
  p.x = std::clamp(at.x(), m_captureRect.left(), m_captureRect.right());
  p.y = std::clamp(at.y(), m_captureRect.top(), m_captureRect.bottom());
  return p;
}

void CVortexiaView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_timerId) {
    OnTick();
  } else {
    QWidget::timerEvent(event);
  }
}

void CVortexiaView::OnTick() {
  const bool wasPaused = Session().Paused();
  const TickReport report = Session().Tick(width(), height(), Pointer(), Now());
  if (report.kind == TickKind::Frame) {
    m_tickPaint = true;
    update();
  } else if (report.kind == TickKind::LevelOver) {
    EndLevelOnScreen();
  } else if (report.kind == TickKind::DemoStarted) {
    CloseTitleButtons();
    update();
  }
  if (report.recorded) m_doc.UpdateTitle();
  if (!report.recordMessage.empty()) ShowError(report.recordMessage);
  if (wasPaused != Session().Paused() || report.kind == TickKind::DemoStarted) emit stateChanged();
}

void CVortexiaView::ShowError(const std::string& text) {
  const PauseScope pause(Session());
  m_prompts.Message(this, MessageIcon::Stop, FromView(kErrorCaption), FromView(text));
}

void CVortexiaView::EndLevelOnScreen() {
  ReleaseCapture();
  m_doc.UpdateTitle();
  RefreshTitle();
  emit stateChanged();
}

// --- painting -------------------------------------------------------------

void CVortexiaView::paintEvent(QPaintEvent* event) {
  if (m_suppressPaint) return;
  QPainter painter(this);
  if (!Session().Playing()) {
    PaintTitle(painter);
    return;
  }
  const bool fromTick = m_tickPaint;
  m_tickPaint = false;
  const FramePlacement place = Session().Placement(width());
  const CRenderer* r = Session().Renderer();
  QRect frame;
  if (r != nullptr) {
    const int scale = place.doubled ? 2 : 1;
    frame = QRect(place.x, place.y, (r->width - 1) * scale, r->height * scale);
  }
  // A paint the system asked for (not only the tick's frame) shows the
  // backdrop around the frame as well.
  const bool system = !fromTick || !frame.contains(event->rect());
  PaintGame(painter, system);
}

void CVortexiaView::PaintTitle(QPainter& painter) {
  ReleaseCapture();
  QtImagePresenter presenter(painter);
  if (const CIndexedImage* backdrop = Session().Backdrop()) {
    backdrop->DrawStretched(presenter, 0, 0, width(), height());
  } else {
    painter.fillRect(rect(), Qt::black);
  }
  PaintTitleScreen(painter, LayoutTitleScreen(width(), height(), Session().Record()));
  Session().TitleShown();
}

void CVortexiaView::PaintGame(QPainter& painter, bool withBackdrop) {
  QtImagePresenter presenter(painter);
  if (withBackdrop) {
    if (const CIndexedImage* backdrop = Session().Backdrop()) {
      backdrop->DrawStretched(presenter, 0, 0, width(), height());
    } else {
      painter.fillRect(rect(), Qt::black);
    }
    if (!Session().GameFrame(width(), height(), Pointer(), Now())) return;
  }
  const CRenderer* r = Session().Renderer();
  if (r == nullptr) return;
  const FramePlacement place = Session().Placement(width());
  if (place.doubled) {
    r->DrawStretched(presenter, place.x, place.y, 0, 0);
  } else {
    r->Draw(presenter, place.x, place.y);
  }
}

void CVortexiaView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RefreshTitle();
  Session().Keys().FlushGameKeys();
}

// --- title buttons --------------------------------------------------------

void CVortexiaView::CloseTitleButtons() {
  m_suppressPaint = true;
  for (auto& button : m_buttons) {
    delete button.data();
    button = nullptr;
  }
  m_suppressPaint = false;
}

void CVortexiaView::MakeTitleButtons() {
  CloseTitleButtons();
  if (Session().Playing()) return;
  m_suppressPaint = true;
  for (const ButtonPlace& place : LayoutTitleButtons(width(), height(), Session().Record())) {
    auto* button = new QPushButton(QString::fromLatin1(TitleButtonText(place.id)), this);
    button->setGeometry(place.x, place.y, place.width, place.height);
    // The view keeps the keyboard: Space, Enter and the game keys are its.
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::pressed, this, [this] { Session().UserInput(Now()); });
    switch (place.id) {
      case TitleButton::Help:
        button->setObjectName(QStringLiteral("buttonHelp"));
        connect(button, &QPushButton::clicked, this, &CVortexiaView::OnHelp);
        break;
      case TitleButton::Next:
        button->setObjectName(QStringLiteral("buttonNext"));
        connect(button, &QPushButton::clicked, this, &CVortexiaView::OnNext);
        break;
      case TitleButton::Play:
        button->setObjectName(QStringLiteral("buttonPlay"));
        button->setDefault(true);
        connect(button, &QPushButton::clicked, this, &CVortexiaView::OnPlay);
        break;
      case TitleButton::Back:
        button->setObjectName(QStringLiteral("buttonBack"));
        connect(button, &QPushButton::clicked, this, &CVortexiaView::OnBack);
        break;
      case TitleButton::Info:
        button->setObjectName(QStringLiteral("buttonInfo"));
        connect(button, &QPushButton::clicked, this, &CVortexiaView::OnInfo);
        break;
    }
    button->show();
    m_buttons[static_cast<int>(place.id)] = button;
  }
  m_suppressPaint = false;
}

void CVortexiaView::RefreshTitle() {
  MakeTitleButtons();
  update();
}

// --- keyboard and mouse ---------------------------------------------------

void CVortexiaView::keyPressEvent(QKeyEvent* event) {
  // Any key ends the demo (and does nothing else).
  if (!event->isAutoRepeat() && Session().UserInput(Now())) {
    EndLevelOnScreen();
    return;
  }
  const auto key = GameKey(event->key());
  if (!key) {
    QWidget::keyPressEvent(event);
    return;
  }
  // Holding a key down does not press it again.
  if (!event->isAutoRepeat()) Session().Keys().Press(*key);
  if (*key == ShellKey::Enter && !Session().Playing() && Button(TitleButton::Play) != nullptr) {
    Button(TitleButton::Play)->click();
  }
}

void CVortexiaView::keyReleaseEvent(QKeyEvent* event) {
  const auto key = GameKey(event->key());
  if (!key) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  if (!event->isAutoRepeat()) Session().Keys().Release(*key);
}

void CVortexiaView::mousePressEvent(QMouseEvent* event) {
  if (Session().UserInput(Now())) {
    EndLevelOnScreen();
    return;
  }
  if (const auto key = GameButton(event->button())) Session().Keys().Press(*key);
}

void CVortexiaView::mouseReleaseEvent(QMouseEvent* event) {
  if (const auto key = GameButton(event->button())) Session().Keys().Release(*key);
  if (event->button() == Qt::RightButton && Session().Playing()) ToggleCapture();
}

void CVortexiaView::mouseMoveEvent(QMouseEvent* event) {
  if (!m_captured) return;
  // Keeps the cursor within the capture rectangle, as a confined cursor is.
  const QPoint at = event->globalPosition().toPoint();
  const QPoint held(std::clamp(at.x(), m_captureRect.left(), m_captureRect.right()),
                    std::clamp(at.y(), m_captureRect.top(), m_captureRect.bottom()));
  if (held != at) QCursor::setPos(held);
}

void CVortexiaView::focusOutEvent(QFocusEvent* event) {
  Session().Keys().ReleaseAll();
  QWidget::focusOutEvent(event);
}

void CVortexiaView::ToggleCapture() {
  if (m_captured) {
    ReleaseCapture();
    return;
  }
  m_captureRect = CaptureScreenRect();
  grabMouse(Qt::BlankCursor);
  setCursor(Qt::BlankCursor);
  QCursor::setPos(m_captureRect.center());
  setFocus();
  m_captured = true;
  Session().Keys().Flush({ShellKey::LeftButton});
}

void CVortexiaView::ReleaseCapture() {
  if (!m_captured) return;
  unsetCursor();
  releaseMouse();
  m_captured = false;
}

// --- commands -------------------------------------------------------------

void CVortexiaView::OnFileNew() {
  bool erase = false;
  {
    const PauseScope pause(Session());
    erase = m_prompts.YesNo(this, QStringLiteral("Vortexia is Puzzled"),
                            QStringLiteral("Do you really wish to erase the current game?"));
  }
  if (!erase) return;
  m_doc.OnNewDocument();
  // A new game belongs to no saved game: closing asks about none.
  Session().Keeper().SavedGameIs({}, Session().Record());
  m_doc.Information(this);
  RefreshTitle();
}

QString CVortexiaView::DialogStart(const std::string& name) {
  const std::filesystem::path saves = SavesFolder();
  if (saves.empty()) {
    const std::string folder = (platform::dataDirectory("vortexia") / "saves").string();
    m_prompts.Message(this, MessageIcon::Stop, FromView(kErrorCaption),
                      QStringLiteral("Could not create the saves folder '%1'.")
                          .arg(QString::fromStdString(folder)));
    return QString::fromStdString(name);
  }
  return QString::fromStdString(DialogStartName(name, saves));
}

void CVortexiaView::OnFileOpen() {
  const PauseScope pause(Session());
  const QString name =
      m_prompts.OpenFileName(this, FromView(kLoadDialogTitle), QStringLiteral("Vortexia (*.vtx)"),
                             DialogStart(m_fileName.toStdString()));
  if (!name.isEmpty()) {
    m_fileName = name;
    const LoadStatus status = LoadSavedGame(name.toStdString(), Session().Record());
    if (status != LoadStatus::Loaded) {
      const std::string_view text = LoadMessage(status);
      m_prompts.Message(this, MessageIcon::Stop, FromView(kErrorCaption), FromView(text));
    } else {
      Session().Keeper().SavedGameIs(name.toStdString(), Session().Record());
      m_doc.UpdateTitle();
      RefreshTitle();
      emit stateChanged();
    }
  }
}

namespace {

class PromptQuestions : public ISaveQuestions {
 public:
  PromptQuestions(IShellPrompts& prompts, QWidget* parent) : m_prompts(prompts), m_parent(parent) {}
  bool ConfirmOverwrite(std::string_view caption, std::string_view question) override {
    return m_prompts.Confirm(m_parent, FromView(caption), FromView(question));
  }

 private:
  IShellPrompts& m_prompts;
  QWidget* m_parent;
};

}  // namespace

void CVortexiaView::OnFileSave() {
  const PauseScope pause(Session());
  const QString initial = DialogStart(InitialSaveName(m_fileName.toStdString(), Session().Record()));
  const QString name = m_prompts.SaveFileName(this, FromView(kSaveDialogTitle),
                                              QStringLiteral("Vortexia (*.vtx)"), initial);
  if (!name.isEmpty()) {
    PromptQuestions questions(m_prompts, this);
    const SaveOutcome outcome = SaveSavedGame(name.toStdString(), Session().Record(), questions);
    m_fileName =
        QString::fromStdString(outcome.fileName.empty() ? name.toStdString() : outcome.fileName);
    if (outcome.status == SaveStatus::Saved) {
      Session().Keeper().SavedGameIs(m_fileName.toStdString(), Session().Record());
    }
    const std::string_view text = SaveMessage(outcome.status);
    if (!text.empty()) {
      m_prompts.Message(this, MessageIcon::Stop, FromView(kErrorCaption), FromView(text));
    }
  }
}

void CVortexiaView::OnPause() {
  if (!Session().Playing() || Session().Demo()) return;
  Session().TogglePause();
  Session().Keys().FlushGameKeys();
  update();  // the frame shows or drops "Paused"
  emit stateChanged();
}

bool CVortexiaView::QueryClose(bool ask) {
  CGameSession& session = Session();
  const CRecordKeeper& keeper = session.Keeper();
  if (ask && keeper.SavedGameChanged(session.Record())) {
    const QString file = QString::fromStdString(keeper.SavedGame().string());
    SaveAnswer answer = SaveAnswer::Cancel;
    {
      const PauseScope pause(session);
      answer = m_prompts.YesNoCancel(this, QStringLiteral("Vortexia"),
                                     QStringLiteral("Save changes to %1?").arg(file));
    }
    if (answer == SaveAnswer::Cancel) return false;
    if (answer == SaveAnswer::Yes) {
      if (WriteSavedGameFile(keeper.SavedGame(), EncodeSavedGame(session.Record())) !=
          FileWrite::Written) {
        ShowError(std::string(SaveMessage(SaveStatus::CannotWrite)));
        return false;
      }
      session.Keeper().SavedGameIs(keeper.SavedGame(), session.Record());
    }
  }
  const std::string failed = session.WriteKeptRecord();
  if (!failed.empty()) {
    // Closing on a signal asks nothing, so nothing waits for a click.
    if (ask) {
      ShowError(failed);
    } else {
      std::fprintf(stderr, "vortexia: %s\n", failed.c_str());
    }
  }
  return true;
}

void CVortexiaView::OnQuitLevel() {
  if (!Session().Playing()) return;
  Session().EndLevel();
  EndLevelOnScreen();
}

void CVortexiaView::OnHelpMenu() {
  const PauseScope pause(Session());
  CHelpDialog help(this);
  help.exec();
}

void CVortexiaView::OnHelp() {
  Session().MarkNeedToKnowShown();
  OnHelpMenu();
}

void CVortexiaView::OnNext() {
  if (!Session().NextLevel()) return;
  m_doc.UpdateTitle();
  RefreshTitle();
}

void CVortexiaView::OnBack() {
  if (!Session().PreviousLevel()) return;
  m_doc.UpdateTitle();
  RefreshTitle();
}

void CVortexiaView::OnPlay() {
  if (Session().Playing()) return;
  if (Session().PlayNeedsIntroduction()) {
    const PauseScope pause(Session());
    Session().MarkNeedToKnowShown();
    CNeedToKnowDialog dialog(this);
    dialog.exec();
  }
  CloseTitleButtons();
  Session().StartLevel();
  m_doc.UpdateTitle();
  setFocus();
  update();
  emit stateChanged();
}

void CVortexiaView::OnInfo() {
  m_doc.Information(this);
}

}  // namespace arcade::ui
