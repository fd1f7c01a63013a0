// The categories command of the window: one CategoryService call between
// the dialog and the overview.

#include "diskindex/ui/category_controller.h"

#include <QApplication>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/category_changes.h"
#include "diskindex/ui/dlg_categories.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {

void CategoryController::manageCategories() {
  if (m_view.showsContents()) return;
  TDlgCategories dialog(m_session.state().categories.names(), m_view.categoryFilter(),
                        m_selectCategory, m_prompts, m_view.dialogParent());
  QObject::connect(&dialog, &TDlgCategories::helpRequested, &dialog,
                   [this] { m_view.showHelp(help::kCategories); });
  if (dialog.exec() != QDialog::Accepted) return;
  m_selectCategory = dialog.selectCategory();
  const CategoryEditResult edit = dialog.editResult();
  const std::optional<std::size_t> keep = m_view.selectedVolume();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const CategoryApplyResult applied = m_session.categoryService().apply(edit);
  QApplication::restoreOverrideCursor();
  // A renamed filter category stays chosen under its new name.
  std::string filter = edit.changes.followFilter(m_view.categoryFilter());
  if (m_selectCategory && edit.selected) filter = *edit.selected;
  m_view.setCategoryFilter(filter);
  m_view.rebuildCategoryCombo();
  m_view.refreshOverview(keep);
  if (!applied.failures.empty()) {
    m_prompts.error(qUtf8(kCategoryFailureCaption), boxText(categoryFailureText(applied.failures)));
  }
}

}  // namespace diskindex::ui
