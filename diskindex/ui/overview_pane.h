#pragma once
// OverviewPane: the overview's side of the window: the volumes of the
// chosen category in the tree, the information of the selected one, the
// category filter and its list, and the order. It fills the widgets from
// the session's volume list and keeps nothing of its own; the window owns
// the widgets, switches between its views and connects their signals to its
// own slots, which call in here.

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "diskindex/core/volume_finder.h"

class QComboBox;
class QTreeView;

namespace diskindex {
class CatalogueSession;
}

namespace diskindex::ui {

class VolumeInfoPane;
class VolumeListModel;

class OverviewPane {
 public:
  struct Widgets {
    QTreeView* tree = nullptr;
    VolumeInfoPane* info = nullptr;
    QComboBox* categoryCombo = nullptr;
    VolumeListModel* model = nullptr;
  };

  OverviewPane(CatalogueSession& session, Widgets widgets) : m_session(session), m_w(widgets) {}

  // The tree shows the volume list; true when its model had to change (the
  // caller then connects the new selection model).
  bool attach();
  // The list read again, this volume selected (else the first row) and
  // scrolled into view.
  void refresh(std::optional<std::size_t> selectVolume);
  // The tree's current volume (list position), none while the tree shows
  // another model.
  std::optional<std::size_t> currentVolume() const;
  // The information pane shows this volume, or nothing.
  void showInformation(std::optional<std::size_t> volume);
  // " 12 Datenträger erfaßt, 3 in ausgewählter Kategorie".
  QString statusText() const;

  std::string filter() const;
  void setFilter(const std::string& filter);
  // The filter becomes the combo's item at this index.
  void takeFilterFromCombo(int comboIndex);
  // Chooses the volume's category in the combo when the filter hides it;
  // true when the filter changed.
  bool showVolumeInFilter(std::size_t index);
  // The combo lists "<Alle>", "<keine Zuordnung>" and the session's
  // categories, the wanted one chosen (else "<Alle>"); the filter follows.
  void rebuildCombo(const std::string& wanted);
  void setOrder(OverviewOrder order);
  // Where the selection goes once the volume at this position was deleted:
  // the next volume that passes the filter, else the one before.
  std::optional<std::size_t> neighbourOfRemoved(std::size_t removed) const;

 private:
  CatalogueSession& m_session;
  Widgets m_w;
};

}  // namespace diskindex::ui
