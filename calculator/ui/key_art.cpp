#include "calculator/ui/key_art.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace finova::ui {
namespace {

const QColor kGold(0xE8, 0xB4, 0x4C);
const QColor kBlue(0x6C, 0xB6, 0xF0);
const QColor kFocusRing(0xFF, 0xA5, 0x2E);

bool isDigitFace(const KeyFace& face) {
  return face.name.rfind("KEY", 0) == 0 || face.name == "POINT";
}

QFont faceFont(bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(bold);
  return font;
}

}  // namespace

KeyArt& KeyArt::instance() {
  static KeyArt art;
  return art;
}

QPixmap KeyArt::face(const KeyFace& face, FaceState state, QSize size, qreal ratio) {
  const QString key = QStringLiteral("%1%2@%3x%4@%5")
                          .arg(QString::fromStdString(face.name))
                          .arg(static_cast<int>(state))
                          .arg(size.width())
                          .arg(size.height())
                          .arg(ratio);
  auto found = m_cache.constFind(key);
  if (found != m_cache.constEnd()) return *found;
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  if (face.kind == FaceKind::Key) {
    drawKey(painter, face, state, QSizeF(size));
  } else {
    drawLabel(painter, face, state, QSizeF(size));
  }
  painter.end();
  m_cache.insert(key, pixmap);
  return pixmap;
}

qreal KeyArt::fittingPointSize(const QString& text, const QFont& font, qreal width, qreal height,
                               qreal largest) {
  QFont probe = font;
  for (qreal points = largest; points > 4.0; points -= 0.5) {
    probe.setPointSizeF(points);
    const QFontMetricsF metrics(probe);
    if (metrics.horizontalAdvance(text) <= width && metrics.height() <= height) return points;
  }
  return 4.0;
}

void KeyArt::drawKey(QPainter& painter, const KeyFace& face, FaceState state, QSizeF size) {
  const bool pressed = state == FaceState::Pressed;
  const bool digit = isDigitFace(face);
  const QRectF outer(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
  // Shadow under the key; a pressed key sits lower and casts less of it.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, pressed ? 70 : 120));
  painter.drawRoundedRect(outer.adjusted(1, pressed ? 2 : 3, -1, 0), 6, 6);

  const qreal lift = pressed ? 2.0 : 0.0;
  const QRectF body = outer.adjusted(1, lift, -1, -3 + lift);
  const QColor top = digit ? QColor(0x6A, 0x70, 0x7A) : QColor(0x3A, 0x3D, 0x44);
  const QColor bottom = digit ? QColor(0x45, 0x4A, 0x52) : QColor(0x1E, 0x20, 0x25);
  QLinearGradient fill(body.topLeft(), body.bottomLeft());
  fill.setColorAt(0.0, pressed ? bottom : top.lighter(115));
  fill.setColorAt(0.55, pressed ? bottom.lighter(110) : top);
  fill.setColorAt(1.0, pressed ? top : bottom);
  painter.setBrush(fill);
  painter.setPen(QPen(QColor(0x0C, 0x0D, 0x10), 1.0));
  painter.drawRoundedRect(body, 5, 5);
  // The light catching the upper edge of the key cap.
  painter.setPen(QPen(QColor(255, 255, 255, pressed ? 25 : 60), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(body.adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
  if (state == FaceState::Focused) {
    painter.setPen(QPen(kFocusRing, 2.0));
    painter.drawRoundedRect(body.adjusted(1, 1, -1, -1), 4.5, 4.5);
  }

  const QString text = QString::fromStdString(face.text);
  const bool tall = size.height() > size.width() * 1.5;
  QFont font = faceFont(true);
  const QRectF textRect = body.adjusted(4, 2, -4, -2);
  if (tall) {
    // ENTER stands upright, one letter under the other.
    QString upright;
    for (const QChar c : text) upright += QString(c) + QLatin1Char('\n');
    upright.chop(1);
    font.setPointSizeF(fittingPointSize(QStringLiteral("W"), font, textRect.width(),
                                        textRect.height() / (text.size() + 0.5), 12.0));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(textRect, Qt::AlignCenter, upright);
    return;
  }
  font.setPointSizeF(fittingPointSize(text, font, textRect.width(), textRect.height(),
                                      text.size() <= 2 ? 14.0 : 11.0));
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(textRect, Qt::AlignCenter, text);
}

void KeyArt::drawLabel(QPainter& painter, const KeyFace& face, FaceState state, QSizeF size) {
  const QRectF rect(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
  const QColor ink = face.kind == FaceKind::LabelAbove ? kGold : kBlue;
  if (state == FaceState::Pressed) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(ink.red(), ink.green(), ink.blue(), 90));
    painter.drawRoundedRect(rect, 3, 3);
  } else if (state == FaceState::Focused) {
    painter.setPen(QPen(kFocusRing, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  }
  const QString text = QString::fromStdString(face.text);
  QFont font = faceFont(true);
  const QRectF textRect = rect.adjusted(2, 0, -2, 0);
  font.setPointSizeF(fittingPointSize(text, font, textRect.width(), textRect.height(), 8.0));
  painter.setFont(font);
  painter.setPen(ink);
  painter.drawText(textRect, Qt::AlignCenter, text);
}

void KeyArt::drawCaption(QPainter& painter, const QRectF& rect, const QString& text) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = faceFont(true);
  font.setPointSizeF(fittingPointSize(text, font, rect.width() - 16, rect.height(), 6.5));
  font.setLetterSpacing(QFont::PercentageSpacing, 108);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const qreal textWidth = metrics.horizontalAdvance(text) + 8;
  const qreal mid = rect.center().y();
  const qreal left = rect.left() + 2;
  const qreal right = rect.right() - 2;
  const qreal gapLeft = rect.center().x() - textWidth / 2;
  const qreal gapRight = rect.center().x() + textWidth / 2;
  painter.setPen(QPen(kGold, 1.2));
  painter.drawLine(QPointF(left, rect.bottom() - 1), QPointF(left, mid));
  painter.drawLine(QPointF(left, mid), QPointF(gapLeft, mid));
  painter.drawLine(QPointF(gapRight, mid), QPointF(right, mid));
  painter.drawLine(QPointF(right, mid), QPointF(right, rect.bottom() - 1));
  painter.drawText(QRectF(gapLeft, rect.top(), textWidth, rect.height()), Qt::AlignCenter, text);
  painter.restore();
}

void KeyArt::drawPlate(QPainter& painter, const QRectF& rect) {
  painter.save();
  QLinearGradient plate(rect.topLeft(), rect.bottomLeft());
  plate.setColorAt(0.0, QColor(0x2E, 0x31, 0x37));
  plate.setColorAt(1.0, QColor(0x1A, 0x1C, 0x20));
  painter.fillRect(rect, plate);
  painter.restore();
}

}  // namespace finova::ui
