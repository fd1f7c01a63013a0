#pragma once
// The program's own version data: product name, version and legal notice,
// fixed when the program is built (the build passes them in) and kept to 50,
// 30 and 80 characters for the information box.

#include <QString>

namespace diskindex::ui {

struct VersionInfo {
  QString productName;
  QString productVersion;
  QString legalCopyright;
};

VersionInfo versionInfo();

}  // namespace diskindex::ui
