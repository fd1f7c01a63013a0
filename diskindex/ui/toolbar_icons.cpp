#include "diskindex/ui/toolbar_icons.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStringList>

namespace diskindex::ui {
namespace {

QStringList themeNames(ToolIcon which) {
  switch (which) {
    case ToolIcon::Overview:
      return {"view-list-details", "view-list"};
    case ToolIcon::Contents:
      return {"folder-open", "document-open"};
    case ToolIcon::AddVolume:
      return {"list-add", "document-new"};
    case ToolIcon::Cut:
      return {"edit-cut"};
    case ToolIcon::Copy:
      return {"edit-copy"};
    case ToolIcon::Paste:
      return {"edit-paste"};
    case ToolIcon::Search:
      return {"edit-find"};
    case ToolIcon::SearchNext:
      return {"go-next", "go-down"};
    case ToolIcon::SearchMulti:
      return {"system-search", "edit-find-replace"};
    case ToolIcon::DirRemarks:
      return {"folder-documents", "x-office-document"};
    case ToolIcon::FileRemarks:
      return {"accessories-text-editor", "text-x-generic"};
    case ToolIcon::CopyFiles:
      return {"document-save-as", "document-send"};
    case ToolIcon::EditFile:
      return {"document-edit", "document-properties"};
    case ToolIcon::RunFile:
      return {"system-run", "media-playback-start"};
    case ToolIcon::SearchResults:
      return {"edit-find-replace", "view-list"};
    case ToolIcon::Folder:
      return {"folder"};
    case ToolIcon::FolderOpen:
      return {"folder-open"};
    case ToolIcon::VolumeOptical:
      return {"media-optical", "drive-optical"};
    case ToolIcon::VolumeDisk:
      return {"drive-harddisk"};
    case ToolIcon::VolumeFloppy:
      return {"media-floppy", "drive-removable-media"};
    case ToolIcon::VolumeNetwork:
      return {"network-server", "folder-remote", "network-workgroup"};
  }
  return {};
}

const QColor kInk(60, 60, 70);
const QColor kPaper(250, 250, 245);
const QColor kFolder(230, 180, 60);
const QColor kBlue(50, 110, 200);
const QColor kGreen(40, 150, 70);

void page(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(r);
  for (double y = r.top() + 3; y < r.bottom() - 1; y += 2.5) {
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
  }
}

void folder(QPainter& p, QRectF r, bool open) {
  p.setPen(QPen(kFolder.darker(150), 1));
  p.setBrush(kFolder);
  QPainterPath path;
  path.moveTo(r.left(), r.top() + 2);
  path.lineTo(r.left() + r.width() * 0.4, r.top() + 2);
  path.lineTo(r.left() + r.width() * 0.5, r.top() + 4);
  path.lineTo(r.right(), r.top() + 4);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.drawPath(path);
  if (open) {
    p.setBrush(kFolder.lighter(120));
    p.drawRect(QRectF(r.left() + 2, r.top() + 7, r.width() - 2, r.height() - 7));
  }
}

void disc(QPainter& p, QRectF r, const QColor& fill) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(fill);
  p.drawEllipse(r);
  p.setBrush(Qt::white);
  p.drawEllipse(r.center(), r.width() / 8, r.height() / 8);
}

void lens(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(200, 225, 250));
  p.drawEllipse(QRectF(r.left(), r.top(), r.width() * 0.6, r.height() * 0.6));
  p.drawLine(QPointF(r.left() + r.width() * 0.55, r.top() + r.height() * 0.55), r.bottomRight());
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  QLineF line(to, from);
  for (double turn : {30.0, -30.0}) {
    QLineF head = line;
    head.setLength(5);
    head.setAngle(line.angle() + turn);
    p.drawLine(head);
  }
}

void draw(QPainter& p, ToolIcon which) {
  const QRectF full(1.5, 1.5, 21, 21);
  switch (which) {
    case ToolIcon::Overview:
      for (int row = 0; row < 4; ++row) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(2, 3 + row * 5, 4, 3));
        p.setBrush(kInk);
        p.drawRect(QRectF(8, 4 + row * 5, 13, 1.5));
      }
      break;
    case ToolIcon::Contents:
      folder(p, full.adjusted(0, 2, 0, -2), true);
      break;
    case ToolIcon::AddVolume:
      disc(p, full.adjusted(0, 0, -6, -6), QColor(210, 210, 225));
      p.setPen(QPen(kGreen, 3));
      p.drawLine(QPointF(18, 12), QPointF(18, 22));
      p.drawLine(QPointF(13, 17), QPointF(23, 17));
      break;
    case ToolIcon::Cut:
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(3, 15, 6, 6));
      p.drawEllipse(QRectF(15, 15, 6, 6));
      p.drawLine(QPointF(8, 16), QPointF(17, 2));
      p.drawLine(QPointF(16, 16), QPointF(7, 2));
      break;
    case ToolIcon::Copy:
      page(p, QRectF(2.5, 2.5, 12, 14));
      page(p, QRectF(9.5, 7.5, 12, 14));
      break;
    case ToolIcon::Paste:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(190, 140, 80));
      p.drawRect(QRectF(3.5, 3.5, 14, 18));
      page(p, QRectF(9.5, 8.5, 12, 13));
      break;
    case ToolIcon::Search:
      lens(p, full);
      break;
    case ToolIcon::SearchNext:
      lens(p, full.adjusted(0, 0, -6, -6));
      arrow(p, QPointF(13, 19), QPointF(22, 19), kGreen);
      break;
    case ToolIcon::SearchMulti:
      disc(p, QRectF(8, 1.5, 14, 14), QColor(210, 210, 225));
      lens(p, QRectF(1.5, 7.5, 15, 15));
      break;
    case ToolIcon::DirRemarks:
      folder(p, QRectF(1.5, 1.5, 14, 12), false);
      page(p, QRectF(9.5, 9.5, 12, 12));
      break;
    case ToolIcon::FileRemarks:
      page(p, QRectF(3.5, 1.5, 13, 17));
      p.setPen(QPen(kBlue, 2.5));
      p.drawLine(QPointF(10, 21), QPointF(21, 10));
      break;
    case ToolIcon::CopyFiles:
      page(p, QRectF(1.5, 1.5, 11, 14));
      arrow(p, QPointF(10, 18), QPointF(21, 18), kBlue);
      break;
    case ToolIcon::EditFile:
      page(p, QRectF(2.5, 1.5, 14, 19));
      p.setPen(QPen(QColor(200, 80, 40), 3));
      p.drawLine(QPointF(11, 19), QPointF(21, 6));
      break;
    case ToolIcon::RunFile: {
      p.setPen(QPen(kGreen.darker(130), 1));
      p.setBrush(kGreen);
      QPolygonF play({QPointF(6, 3), QPointF(20, 12), QPointF(6, 21)});
      p.drawPolygon(play);
      break;
    }
    case ToolIcon::SearchResults:
      page(p, QRectF(1.5, 1.5, 15, 19));
      lens(p, QRectF(10.5, 10.5, 11, 11));
      break;
    case ToolIcon::Folder:
      folder(p, full.adjusted(0, 2, 0, -2), false);
      break;
    case ToolIcon::FolderOpen:
      folder(p, full.adjusted(0, 2, 0, -2), true);
      break;
    case ToolIcon::VolumeOptical:
      disc(p, full, QColor(200, 215, 235));
      break;
    case ToolIcon::VolumeDisk:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(170, 175, 185));
      p.drawRoundedRect(QRectF(1.5, 7.5, 21, 10), 2, 2);
      p.setBrush(kGreen);
      p.drawEllipse(QRectF(17, 11, 3, 3));
      break;
    case ToolIcon::VolumeFloppy:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(60, 70, 90));
      p.drawRect(QRectF(2.5, 2.5, 19, 19));
      p.setBrush(QColor(200, 200, 205));
      p.drawRect(QRectF(7.5, 2.5, 9, 7));
      p.setBrush(kPaper);
      p.drawRect(QRectF(5.5, 13.5, 13, 8));
      break;
    case ToolIcon::VolumeNetwork:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(170, 175, 185));
      p.drawRect(QRectF(4.5, 2.5, 15, 12));
      p.drawLine(QPointF(12, 15), QPointF(12, 20));
      p.drawLine(QPointF(3, 20), QPointF(21, 20));
      break;
  }
}

}  // namespace

QIcon fallbackIcon(ToolIcon which) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 24.0, size / 24.0);
    draw(painter, which);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon toolIcon(ToolIcon which) {
  for (const QString& name : themeNames(which)) {
    if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  }
  return fallbackIcon(which);
}

QIcon sortArrowIcon(bool descending) {
  QIcon icon;
  for (int size : {8, 12, 16}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 70, 80));
    const double s = size;
    QPolygonF up({QPointF(s / 2, s * 0.2), QPointF(s * 0.9, s * 0.8), QPointF(s * 0.1, s * 0.8)});
    QPolygonF down({QPointF(s / 2, s * 0.8), QPointF(s * 0.9, s * 0.2), QPointF(s * 0.1, s * 0.2)});
    painter.drawPolygon(descending ? down : up);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

void chooseIconTheme() {
  const QString current = QIcon::themeName();
  if (!current.isEmpty() && current != QLatin1String("hicolor")) return;
  for (const char* name : {"Adwaita", "breeze", "oxygen", "Tango", "gnome"}) {
    for (const QString& path : QIcon::themeSearchPaths()) {
      if (QFileInfo::exists(QDir(path).filePath(QString::fromLatin1(name) + "/index.theme"))) {
        QIcon::setThemeName(QString::fromLatin1(name));
        return;
      }
    }
  }
}

}  // namespace diskindex::ui
