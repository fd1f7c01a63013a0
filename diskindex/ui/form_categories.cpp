// The categories command of the main window: the dialog "Kategorien
// verwalten", its changes carried into the volume files by the session, and
// the filter list, the overview and the filter following them.

#include <QApplication>

#include "diskindex/core/category_changes.h"
#include "diskindex/ui/disk_index_form.h"
#include "diskindex/ui/dlg_categories.h"
#include "diskindex/ui/help_window.h"
#include "diskindex/ui/volume_list_model.h"
#include "diskindex/ui/qt_text.h"

namespace diskindex::ui {

void TDiskIndexForm::onCategories() {
  if (m_view != View::Overview) return;
  TDlgCategories dialog(m_session.state().categories.names(), m_volumeModel->filter(),
                        m_selectCategory, *m_prompts, this);
  // The help window belongs to the dialog, so that it takes input while the
  // dialog is modal.
  connect(&dialog, &TDlgCategories::helpRequested, &dialog, [&dialog] {
    auto* help = new HelpWindow(&dialog);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->showPage(QStringLiteral("categories.html"));
    help->show();
  });
  if (dialog.exec() != QDialog::Accepted) return;
  m_selectCategory = dialog.selectCategory();
  const CategoryEditResult edit = dialog.editResult();
  const std::optional<std::size_t> keep = selectedVolume();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const CategoryApplyResult applied = m_session.categoryService().apply(edit);
  QApplication::restoreOverrideCursor();
  // A renamed filter category stays chosen under its new name.
  std::string filter = edit.changes.followFilter(m_volumeModel->filter());
  if (m_selectCategory && edit.selected) filter = *edit.selected;
  m_volumeModel->setFilter(filter);
  rebuildCategoryCombo();
  refreshOverview(keep);
  if (!applied.failures.empty()) {
    m_prompts->error(qUtf8(kCategoryFailureCaption),
                     boxText(categoryFailureText(applied.failures)));
  }
}

}  // namespace diskindex::ui
