#include "art_resources.h"

#include <QtCore/qglobal.h>

void initDroxArt() {
  Q_INIT_RESOURCE(drox_art);
}
