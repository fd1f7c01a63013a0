#include "diskindex/ui/drive_combo.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

namespace diskindex::ui {

void fillDriveCombo(QComboBox* combo, const platform::DriveTable& drives, char storedLetter) {
  std::vector<char> letters = drives.letters();
  if (storedLetter >= 'A' && storedLetter <= 'Z' &&
      std::find(letters.begin(), letters.end(), storedLetter) == letters.end()) {
    letters.push_back(storedLetter);
    std::sort(letters.begin(), letters.end());
  }
  for (char letter : letters) {
    QString text = QStringLiteral("%1:").arg(QChar(letter));
    if (const auto info = drives.info(letter)) {
      if (!info->label.empty())
        text += QStringLiteral("  %1").arg(QString::fromStdString(info->label));
      // Roots end with "/"; the mount path is written as people type it.
      std::string root = info->root.string();
      if (root.size() > 1 && root.back() == '/') root.pop_back();
      text += QStringLiteral("  (%1)").arg(QString::fromStdString(root));
    }
    combo->addItem(text, QVariant(static_cast<int>(letter)));
  }
}

void showNoDrive(QComboBox* combo, const QString& text) {
  const QSignalBlocker quiet(combo);
  combo->setPlaceholderText(text);
  combo->setCurrentIndex(-1);
}

}  // namespace diskindex::ui
