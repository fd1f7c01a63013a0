#include "arcade/ui/qt_resources.h"

#include <QFile>
#include <QString>

#include "art_resources.h"

namespace arcade {

QtResources::QtResources() {
  initVortexiaArt();
}

bool QtResources::Load(ResourceType type, int id, std::vector<std::uint8_t>& out) const {
  QFile file(QStringLiteral(":/vortexia/") + QString::fromStdString(resourceFileName(type, id)));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  out.assign(bytes.begin(), bytes.end());
  return true;
}

}  // namespace arcade
