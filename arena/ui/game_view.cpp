#include "arena/ui/game_view.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <algorithm>

#include "arena/core/sound_files.h"
#include "arena/ui/key_map.h"

namespace arena::ui {

CGameView::CGameView(CGameDoc& doc, const DroxImages& images,
                     std::unique_ptr<platform::WavePlayer> player,
                     std::unique_ptr<platform::GameController> pad, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_pixels(images),
      m_player(std::move(player)),
      m_pad(std::move(pad)) {
  m_doc.game().setScreen(this);
  setObjectName(QStringLiteral("gameView"));
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::BlankCursor);
  setMouseTracking(true);
  // The view paints every pixel itself.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  const auto programDir = QCoreApplication::applicationDirPath().toStdString();
  m_soundFolders = soundFolders(std::filesystem::current_path(), programDir);
}

CGameView::~CGameView() {
  m_doc.game().setScreen(nullptr);
}

void CGameView::setSoundFolders(std::vector<std::filesystem::path> folders) {
  m_soundFolders = std::move(folders);
}

QPoint CGameView::gameOrigin() const {
  const Size client = m_doc.state().clientSize;
  return {std::max(0, (width() - client.cx) / 2), std::max(0, (height() - client.cy) / 2)};
}

void CGameView::updateClient(const QRect& clientRect) {
  update(clientRect.translated(gameOrigin()));
}

void CGameView::afterGameCall() {
  GameState& state = m_doc.state();
  for (const std::string& name : state.sounds) {
    const auto file = locateSound(name, m_soundFolders);
    if (!file.empty() && m_player) m_player->playFile(file);
  }
  state.sounds.clear();
  emit statusChanged();
}

void CGameView::setActive(bool active) {
  m_heldMoves.clear();
  m_doc.game().activate(active);
  if (active) {
    if (!m_timer.isActive()) m_timer.start(ArenaGame::kTimerPeriodMs, this);
  } else {
    m_timer.stop();
  }
  afterGameCall();
}

void CGameView::timerTick() {
  if (m_pad) {
    platform::ControllerState read;
    PadState now;
    if (m_pad->read(read)) {
      now = {read.up, read.down, read.left, read.right, read.fire, read.start};
    }
    for (int32_t key : padKeys(m_padBefore, now)) m_doc.game().keyDown(key);
    m_padBefore = now;
  }
  m_doc.game().timer();
  afterGameCall();
}

void CGameView::restartGarden() {
  m_doc.game().initialUpdate();
  afterGameCall();
}

void CGameView::present(const Frame& frame) {
  const GameState& state = m_doc.state();
  m_pixels.resize(state.clientSize);
  if (state.canvas && state.gardenStarts != m_worldFor) {
    m_pixels.buildWorld(*state.canvas);
    m_worldFor = state.gardenStarts;
  }
  m_pixels.present(frame);
  QRect changed = toQRect(frame.pass.area);
  for (const OverlayBlit& blit : frame.overlays) {
    changed =
        changed.united(QRect(blit.dest.x, blit.dest.y, blit.source.width(), blit.source.height()));
  }
  updateClient(changed);
}

void CGameView::drawOverlay(const OverlayBlit& blit) {
  m_pixels.drawOverlay(blit);
  updateClient(QRect(blit.dest.x, blit.dest.y, blit.source.width(), blit.source.height()));
}

void CGameView::openHelp() {
  if (!m_help) {
    m_help = std::make_unique<HelpWindow>();
    // The help never keeps the program running on its own.
    m_help->setAttribute(Qt::WA_QuitOnClose, false);
  }
  m_help->show();
  m_help->raise();
  m_help->activateWindow();
}

// A straight movement key counts as held until released, so two together
// move the hero diagonally; each press and auto-repeat is one hero step.
void CGameView::keyPressEvent(QKeyEvent* event) {
  const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
  const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (const auto move = moveKeyFor(event->key(), keypad, plain)) {
    MoveKey sum = *move;
    if (!move->diagonal()) {
      m_heldMoves[event->key()] = *move;
      sum = {};
      for (const auto& entry : m_heldMoves)
        sum = {sum.dx + entry.second.dx, sum.dy + entry.second.dy};
    }
    if (const auto heading = headingOf(sum)) m_doc.game().keyDown(static_cast<int32_t>(*heading));
  } else {
    m_doc.game().keyDown(virtualKeyFor(event->key()));
  }
  afterGameCall();
}

void CGameView::keyReleaseEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) m_heldMoves.erase(event->key());
  QWidget::keyReleaseEvent(event);
}

void CGameView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  m_doc.game().mouseButton();
  afterGameCall();
}

void CGameView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_timer.timerId()) {
    timerTick();
    return;
  }
  QWidget::timerEvent(event);
}

void CGameView::resizeEvent(QResizeEvent*) {
  m_doc.game().resize({width(), height()});
  if (!m_started) {
    m_started = true;
    m_doc.game().initialUpdate();
  }
  afterGameCall();
  update();
}

void CGameView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage& window = m_pixels.window();
  const QRect game(gameOrigin(), window.size());
  const QRegion outside = QRegion(event->rect()).subtracted(game);
  for (const QRect& r : outside) p.fillRect(r, Qt::black);
  const QRect wanted = event->rect().intersected(game);
  if (!wanted.isEmpty()) p.drawImage(wanted.topLeft(), window, wanted.translated(-game.topLeft()));
}

// The view is a child of the frame: Qt sends it WindowActivate and
// WindowDeactivate when the frame gains or loses activation (the
// ActivationChange notice goes to the top-level window only).
bool CGameView::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) setActive(true);
  if (event->type() == QEvent::WindowDeactivate) setActive(false);
  return QWidget::event(event);
}

// Tab is a key of the game like any other, not a focus move.
bool CGameView::focusNextPrevChild(bool) {
  return false;
}

}  // namespace arena::ui
