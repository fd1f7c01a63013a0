#include "diskindex/core/category_editor.h"

#include <algorithm>

#include "diskindex/core/category_list.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_header.h"
#include "platform/codepage.h"

namespace diskindex {
CategoryEditor::CategoryEditor(const std::vector<std::string>& categories,
                               std::string_view filter) {
  const CategoryList sorted(categories);
  m_opening = sorted.names();
  for (const std::string& name : m_opening) m_entries.push_back({name, name});
  if (m_entries.empty()) return;
  m_selection = 0;
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (platform::equalsNoCase(m_entries[i].name, filter)) m_selection = i;
  }
}

std::vector<std::string> CategoryEditor::names() const {
  std::vector<std::string> out;
  out.reserve(m_entries.size());
  for (const Entry& entry : m_entries) out.push_back(entry.name);
  return out;
}

void CategoryEditor::select(std::optional<std::size_t> index) {
  m_selection = index && *index < m_entries.size() ? index : std::nullopt;
}

bool CategoryEditor::canChangeSelected() const {
  return m_selection && !CategoryList::isPseudoEntry(m_entries[*m_selection].name);
}

std::string CategoryEditor::beginNewEntry() {
  m_edit = Edit::NewEntry;
  m_renamed.reset();
  return "Kategorie" + std::to_string(++m_proposals);
}

std::optional<std::string> CategoryEditor::beginRename() {
  if (!canChangeSelected()) return std::nullopt;
  m_edit = Edit::Rename;
  m_renamed = m_selection;
  return m_entries[*m_selection].name;
}

std::string CategoryEditor::normalisedName(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return cutCategoryName(text.substr(first));
}

bool CategoryEditor::clashes(std::string_view name, std::optional<std::size_t> except) const {
  if (platform::equalsNoCase(name, messages::kAllCategories) ||
      platform::equalsNoCase(name, messages::kNoCategory)) {
    return true;
  }
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (i != except && platform::equalsNoCase(m_entries[i].name, name)) return true;
  }
  return false;
}

CategoryEditor::Check CategoryEditor::finishEdit(std::string_view text) {
  if (m_edit == Edit::None) return Check::Accepted;
  const std::string name = normalisedName(text);
  if (name.empty()) return Check::Empty;
  const std::optional<std::size_t> self = m_edit == Edit::Rename ? m_renamed : std::nullopt;
  if (clashes(name, self)) return Check::Exists;
  Entry entry{name, std::nullopt};
  if (m_edit == Edit::Rename && m_renamed) {
    entry.origin = m_entries[*m_renamed].origin;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*m_renamed));
  }
  m_selection = insertSorted(std::move(entry));
  m_edit = Edit::None;
  m_renamed.reset();
  return Check::Accepted;
}

void CategoryEditor::removeSelected() {
  if (!canChangeSelected()) return;
  m_edit = Edit::None;
  m_renamed.reset();
  m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*m_selection));
  if (m_entries.empty()) {
    m_selection.reset();
  } else if (*m_selection >= m_entries.size()) {
    m_selection = m_entries.size() - 1;
  }
}

std::size_t CategoryEditor::insertSorted(Entry entry) {
  const auto at = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& other) {
    return CategoryList::sortsBefore(entry.name, other.name);
  });
  const auto index = static_cast<std::size_t>(at - m_entries.begin());
  m_entries.insert(at, std::move(entry));
  return index;
}

CategoryChanges CategoryEditor::changes() const {
  CategoryChanges changes;
  for (const std::string& opening : m_opening) {
    const auto standsFor = std::find_if(m_entries.begin(), m_entries.end(),
                                        [&](const Entry& e) { return e.origin == opening; });
    if (standsFor == m_entries.end()) {
      changes.remove(opening);
    } else if (standsFor->name != opening) {
      changes.rename(opening, standsFor->name);
    }
  }
  return changes;
}

CategoryEditResult CategoryEditor::result() const {
  CategoryEditResult result{names(), changes(), std::nullopt};
  if (m_selection) result.selected = m_entries[*m_selection].name;
  return result;
}

}  // namespace diskindex
