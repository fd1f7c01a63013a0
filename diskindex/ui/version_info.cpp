#include "diskindex/ui/version_info.h"

#ifndef DISKINDX_PRODUCT_NAME
#error "The build passes DISKINDX_PRODUCT_NAME, _VERSION and _COPYRIGHT."
#endif

namespace diskindex::ui {

VersionInfo versionInfo() {
  static const VersionInfo info{
      QString::fromUtf8(DISKINDX_PRODUCT_NAME).left(50),
      QString::fromUtf8(DISKINDX_PRODUCT_VERSION).left(30),
      QString::fromUtf8(DISKINDX_COPYRIGHT).left(80),
  };
  return info;
}

}  // namespace diskindex::ui
