#include "art_resources.h"

#include <QtCore/qglobal.h>

void initVortexiaArt() {
  Q_INIT_RESOURCE(vortexia_art);
  Q_INIT_RESOURCE(vortexia_sound);
}
