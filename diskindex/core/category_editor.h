#pragma once
// CategoryEditor: the rules of the dialog "Kategorien verwalten" without its
// widgets. It holds the dialog's working copy of the category list (sorted as
// the category list sorts), the selected entry and the pending edit: a new
// category ("Kategorie" + a number counting the presses in this dialog) or a
// rename of the selected one. Each entry remembers which category of the
// opening list it stands for, so renaming A to B and then B to C is one
// rename A -> C, and a category that is removed, renamed or not, counts as
// deleted unless another entry still stands for it.
//
// It touches no file: the dialog hands result() to the catalogue session.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/category_changes.h"
#include "diskindex/core/category_list.h"

namespace diskindex {

struct CategoryEditResult {
  std::vector<std::string> names;  // the list as the dialog leaves it
  CategoryChanges changes;
  std::optional<std::string> selected;  // the entry selected at Ok
};

class CategoryEditor {
 public:
  enum class Edit { None, NewEntry, Rename };
  enum class Check { Accepted, Empty, Exists };

  // Starts with the filter's category selected, or the first entry when the
  // filter is no category of the list.
  CategoryEditor(const std::vector<std::string>& categories, std::string_view filter);

  std::vector<std::string> names() const;
  std::size_t size() const { return m_entries.size(); }
  std::optional<std::size_t> selection() const { return m_selection; }
  void select(std::optional<std::size_t> index);
  // "&Umbenennen" and "&Entfernen": only while a real category is selected.
  bool canChangeSelected() const;

  Edit edit() const { return m_edit; }
  // "&Neue Kategorie": the proposal for the edit field.
  std::string beginNewEntry();
  // "&Umbenennen": the selected name; nothing when no real category is selected.
  std::optional<std::string> beginRename();
  // "Ok" while the edit field is shown: the text with leading blanks removed
  // and cut to 50 characters must be non-empty and differ, ignoring case,
  // from every other entry and from the two pseudo entries. Accepted inserts
  // or renames, selects the entry and ends the edit; otherwise the edit goes
  // on.
  Check finishEdit(std::string_view text);
  // "&Entfernen": the selection stays at the same position, or moves to the
  // previous one at the end.
  void removeSelected();

  // The changes so far: renames from the opening names, and every opening
  // category no entry stands for any more.
  CategoryChanges changes() const;
  bool deletesAny() const { return !changes().deletions().empty(); }
  CategoryEditResult result() const;

  // The text "Ok" would check: leading blanks removed, at most 50 characters.
  static std::string normalisedName(std::string_view text);

 private:
  struct Entry {
    std::string name;
    std::optional<std::string> origin;  // the opening category it stands for
  };

  std::size_t insertSorted(Entry entry);
  bool clashes(std::string_view name, std::optional<std::size_t> except) const;

  std::vector<std::string> m_opening;
  std::vector<Entry> m_entries;
  std::optional<std::size_t> m_selection;
  Edit m_edit = Edit::None;
  std::optional<std::size_t> m_renamed;  // the entry a pending rename changes
  int m_proposals = 0;
};

}  // namespace diskindex
