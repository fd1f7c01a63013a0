#pragma once
// The one conversion between the core's UTF-8 texts and Qt's QString, for
// every widget, dialog and controller of the window. Files keep their own
// encodings; those are converted in the core, never here.

#include <QString>
#include <string>
#include <string_view>

namespace diskindex::ui {

// "Datenträger" in UTF-8 -> the QString "Datenträger".
inline QString qUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A QString back as UTF-8, as the core keeps its texts.
inline std::string utf8(const QString& text) {
  return text.toStdString();
}

}  // namespace diskindex::ui
