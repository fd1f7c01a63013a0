// suite-icons: writes the four programs' icons into a hicolor tree,
// <output>/hicolor/<n>x<n>/apps/<id>.png for every size the desktops ask for.
//
// Usage: suite-icons <output directory>
#include <QDir>
#include <cstdio>

#include "icons.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: suite-icons <output directory>\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
    if (!QDir().mkpath(dir)) {
      std::fprintf(stderr, "suite-icons: cannot create %s\n", qPrintable(dir));
      return 1;
    }
    for (const suiteicons::IconMotif& motif : suiteicons::motifs()) {
      const QString file = QStringLiteral("%1/%2.png").arg(dir, motif.id);
      if (!suiteicons::renderIcon(motif, size).save(file, "PNG")) {
        std::fprintf(stderr, "suite-icons: cannot write %s\n", qPrintable(file));
        return 1;
      }
    }
  }
  return 0;
}
