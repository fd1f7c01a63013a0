#include "calculator/ui/keypad_widget.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include "calculator/core/display_model.h"
#include "calculator/core/keypad_grid.h"
#include "calculator/ui/key_art.h"
#include "calculator/ui/key_button.h"

namespace finova::ui {
namespace {

// Layout in pixels at a device pixel ratio of 1.
constexpr int kMargin = 16;
constexpr int kPitch = 64;  // from one column to the next
constexpr int kKeyWidth = 54;
constexpr int kKeyHeight = 38;
constexpr int kLabelHeight = 15;
constexpr int kCaptionHeight = 11;
constexpr int kGroupHeight = 89;  // caption, label, key, label and the gap
constexpr int kKeypadTop = 112;
constexpr int kDisplayTop = 14;
constexpr int kDisplayHeight = 82;
constexpr int kWidth = 2 * kMargin + (kKeypadColumns - 1) * kPitch + kKeyWidth;
constexpr int kHeight = kKeypadTop + 4 * kGroupHeight + 6;

int groupTop(int row) {
  return kKeypadTop + (row / 3) * kGroupHeight;
}

QRect cellRect(int row, int column) {
  const int left = kMargin + column * kPitch;
  const int top = groupTop(row);
  switch (row % 3) {
    case 0:
      return {left, top + kCaptionHeight, kKeyWidth, kLabelHeight};
    case 1:
      return {left, top + kCaptionHeight + kLabelHeight + 2, kKeyWidth, kKeyHeight};
    default:
      return {left, top + kCaptionHeight + kLabelHeight + kKeyHeight + 4, kKeyWidth, kLabelHeight};
  }
}

QRect displayRect() {
  return {kMargin, kDisplayTop, kWidth - 2 * kMargin, kDisplayHeight};
}

}  // namespace

KeypadWidget::KeypadWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CLIENT"));
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  createDisplay();
  createButtons();
}

QSize KeypadWidget::sizeHint() const {
  return {kWidth, kHeight};
}

void KeypadWidget::createButtons() {
  for (int row = 0; row < kKeypadRows; ++row) {
    for (int column = 0; column < kKeypadColumns; ++column) {
      const KeypadCell& cell = kKeypadGrid[row][column];
      if (cell.control == 0) continue;
      auto* button = new KeyButton(cell.control, keyFace(cell.code, row), this);
      QRect rect = cellRect(row, column);
      if (GridPos{row, column} == kEnterPos) {
        rect.setBottom(cellRect(kEnterLastRow, column).bottom());
      }
      button->setGeometry(rect);
      const int id = cell.control;
      connect(button, &QAbstractButton::clicked, this, [this, id] { emit controlClicked(id); });
      m_buttons.insert(id, button);
    }
  }
}

QLabel* KeypadWidget::displayField(const char* name, int pointSize, Qt::Alignment alignment) {
  auto* label = new QLabel(this);
  label->setObjectName(QLatin1String(name));
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setBold(true);
  font.setPointSize(pointSize);
  label->setFont(font);
  label->setAlignment(alignment | Qt::AlignVCenter);
  label->setStyleSheet(QStringLiteral("color: #101418; background: transparent;"));
  return label;
}

void KeypadWidget::createDisplay() {
  const QRect area = displayRect().adjusted(10, 6, -10, -4);
  auto* yCaption = displayField("YCaption", 10, Qt::AlignLeft);
  yCaption->setText(QStringLiteral("y:"));
  yCaption->setGeometry(area.left(), area.top(), 24, 22);
  m_yLine = displayField("YLine", 11, Qt::AlignRight);
  m_yLine->setGeometry(area.left() + 24, area.top(), area.width() - 24 - 64, 22);

  auto* xCaption = displayField("XCaption", 10, Qt::AlignLeft);
  xCaption->setText(QStringLiteral("x:"));
  xCaption->setGeometry(area.left(), area.top() + 24, 24, 30);
  m_xLine = displayField("XLine", 17, Qt::AlignRight);
  m_xLine->setGeometry(area.left() + 24, area.top() + 22, area.width() - 24 - 64, 32);
  m_exponent = displayField("Exponent", 11, Qt::AlignLeft);
  m_exponent->setGeometry(area.right() - 60, area.top() + 22, 60, 26);
  m_exponent->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  const int indicatorTop = area.bottom() - 14;
  m_indicatorEnd = displayField("IndicatorEnd", 7, Qt::AlignLeft);
  m_indicatorEnd->setGeometry(area.left() + 24, indicatorTop, 40, 14);
  m_indicatorDate = displayField("IndicatorDate", 7, Qt::AlignLeft);
  m_indicatorDate->setGeometry(area.left() + 72, indicatorTop, 44, 14);
  m_indicatorOdd = displayField("IndicatorOdd", 7, Qt::AlignLeft);
  m_indicatorOdd->setGeometry(area.left() + 124, indicatorTop, 20, 14);
}

void KeypadWidget::showDisplay(const Display& display) {
  m_yLine->setText(QString::fromStdString(display.yLine));
  m_xLine->setText(QString::fromStdString(display.xLine));
  m_exponent->setText(QString::fromStdString(display.exponent));
  m_indicatorEnd->setText(QString::fromStdString(display.indicatorEnd));
  m_indicatorDate->setText(QString::fromStdString(display.indicatorDate));
  m_indicatorOdd->setText(QString::fromStdString(display.indicatorOdd));
}

void KeypadWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  KeyArt::drawPlate(painter, rect());
  // The display window: a dark bezel around the white field.
  const QRectF display = displayRect();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x0E, 0x0F, 0x12));
  painter.drawRoundedRect(display.adjusted(-5, -5, 5, 5), 8, 8);
  QLinearGradient field(display.topLeft(), display.bottomLeft());
  field.setColorAt(0.0, QColor(0xF4, 0xF6, 0xF2));
  field.setColorAt(1.0, Qt::white);
  painter.setBrush(field);
  painter.drawRoundedRect(display, 4, 4);
  for (const GroupCaption& caption : groupCaptions()) {
    const QRect first = cellRect(caption.row, caption.firstColumn);
    const QRect last = cellRect(caption.row, caption.lastColumn);
    const QRectF strip(first.left(), first.top() - kCaptionHeight, last.right() - first.left(),
                       kCaptionHeight);
    KeyArt::drawCaption(
        painter, strip,
        QString::fromUtf8(caption.text.data(), static_cast<int>(caption.text.size())));
  }
}

}  // namespace finova::ui
