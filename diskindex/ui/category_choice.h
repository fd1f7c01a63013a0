#pragma once
// The "&Kategorie:" drop-down list of the dialogs that choose volumes by
// category (the search dialog's volume page, the duplicate finder's
// options): "<ALLE>", "<keine Zuordnung>", then the categories. Which
// volumes a choice stands for is the core's rule (passesCategoryFilter);
// what the dialog does with them (list them, check them) is its own.

#include <QComboBox>
#include <string>
#include <vector>

#include "diskindex/core/export/export_options.h"
#include "diskindex/core/messages.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {

inline void fillCategoryChoice(QComboBox* combo, const std::vector<std::string>& categories) {
  combo->clear();
  combo->addItem(qUtf8(messages::kAllCategories));
  combo->addItem(qUtf8(messages::kNoCategory));
  for (const std::string& name : categories) combo->addItem(qUtf8(name));
}

// Whether a volume of this category ("" without one) is in the choice.
inline bool inChosenCategory(const QComboBox* combo, const std::string& category) {
  return exporting::passesCategoryFilter(category, combo->currentText().toStdString());
}

}  // namespace diskindex::ui
