#pragma once
// The suite's application icons, one motif per program, drawn with QPainter
// on a 256 × 256 design grid and scaled to each hicolor size. The drawings
// are plain vector shapes with no text, so every size comes out the same on
// every machine and needs no font. Small sizes get thicker strokes and fewer
// details so the motif stays readable at 16 pixels.

#include <QImage>
#include <QString>
#include <vector>

namespace suiteicons {

struct IconMotif {
  QString id;  // the desktop entry's reverse-DNS name, also the icon name
  void (*draw)(class QPainter& painter, int size);
};

// The four programs' motifs in install order.
const std::vector<IconMotif>& motifs();

// One icon at size × size pixels, transparent around the motif.
QImage renderIcon(const IconMotif& motif, int size);

}  // namespace suiteicons
