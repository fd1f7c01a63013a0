#pragma once
// TDlgSearchCDs, the search dialog "Datenträger durchsuchen". Page
// "Suchparameter": the search text with its history, what is matched, whole
// word, case (only for remark text) and only the selected directory (single
// volume only); the search mode (the original syntax, "Platzhalter für alle
// Zeichen", "Regulärer Ausdruck") and the filters (size at least / at most
// with K, M, G, T; date from / to; files or directories only). "Ok" checks
// the text in its mode and the filters and, when one is not valid, stays
// open with the German message under the fields (LabelProblem) and the
// cursor on the fault. Page "Datenträger" (several volumes only): the available and
// the chosen volumes, moved across by four buttons, double-click or
// Backspace, and the category filter of the available list.
//
// The dialog edits copies: it is filled from the session's parameters,
// history, volume list and choice, and the window hands params() and
// chosenVolumes() back to the session after "Ok". Widgets carry object names
// for the tests (ComboBoxSearch, RadioFileNames, ComboBoxMode, EditMinSize,
// EditMaxSize, EditAfter, EditBefore, ComboBoxKind, ..., ListAvailable, ...).

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "diskindex/core/search/search_params.h"
#include "diskindex/core/volume_list.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace diskindex::ui {

class TDlgSearchCDs : public QDialog {
  Q_OBJECT
 public:
  enum class Scope { CurrentVolume, ManyVolumes };

  TDlgSearchCDs(Scope scope, const search::SearchParams& params,
                const std::vector<std::string>& history, QWidget* parent = nullptr);

  // The volumes to choose from (several volumes only): the list, the chosen
  // positions and the category names for the filter.
  void setVolumes(const VolumeList& volumes, const std::vector<std::size_t>& chosen,
                  const std::vector<std::string>& categories);

  // What the fields say (filters that cannot be read are left out: "Ok"
  // refuses them first).
  search::SearchParams params() const;
  std::vector<std::size_t> chosenVolumes() const;
  // The German message of the first field that is not valid, none when
  // "Ok" may close the dialog.
  std::optional<QString> problem();

 public slots:
  void accept() override;

 signals:
  void helpRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildParameterPage(Scope scope);
  QWidget* buildVolumePage();
  QWidget* buildModeAndFilters();
  void applyParams(const search::SearchParams& params);
  void updateStates();
  void refillLists();
  void move(QListWidget* from, bool all);
  void moveItem(QListWidgetItem* item);
  bool passesFilter(std::size_t index) const;

  QTabWidget* m_pages = nullptr;
  QComboBox* m_text = nullptr;
  QRadioButton* m_fileNames = nullptr;
  QRadioButton* m_dirNames = nullptr;
  QRadioButton* m_both = nullptr;
  QRadioButton* m_remarks = nullptr;
  QCheckBox* m_wholeWord = nullptr;
  QCheckBox* m_case = nullptr;
  QCheckBox* m_selectedDir = nullptr;
  QComboBox* m_mode = nullptr;
  QLineEdit* m_minSize = nullptr;
  QLineEdit* m_maxSize = nullptr;
  QLineEdit* m_after = nullptr;
  QLineEdit* m_before = nullptr;
  QComboBox* m_kind = nullptr;
  QLabel* m_problem = nullptr;
  QPushButton* m_ok = nullptr;
  QListWidget* m_available = nullptr;
  QListWidget* m_chosenList = nullptr;
  QComboBox* m_category = nullptr;
  QPushButton* m_moveRight = nullptr;
  QPushButton* m_moveAllRight = nullptr;
  QPushButton* m_moveLeft = nullptr;
  QPushButton* m_moveAllLeft = nullptr;

  // The volumes offered (copies of name and category) and which are chosen.
  struct Offered {
    QString name;
    std::string category;
  };
  std::vector<Offered> m_volumes;
  std::vector<bool> m_chosen;
};

}  // namespace diskindex::ui
