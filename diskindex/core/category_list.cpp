#include "diskindex/core/category_list.h"

#include <algorithm>

#include "diskindex/core/messages.h"
#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_list.h"
#include "platform/codepage.h"

namespace diskindex {

bool categoryNameFits(std::string_view name) {
  return name.size() <= kMaxCategoryBytes;
}

std::string cutCategoryName(std::string_view name) {
  return std::string(name.substr(0, fittingPrefix(name, kMaxCategoryBytes, true)));
}

CategoryList::CategoryList(const std::vector<std::string>& names) {
  for (const std::string& name : names) add(name);
}

bool CategoryList::sortsBefore(std::string_view a, std::string_view b) {
  const int order = platform::compareNoCase(a, b);
  return order != 0 ? order < 0 : a < b;
}

bool CategoryList::isPseudoEntry(std::string_view name) {
  return name == messages::kNoCategory || name == messages::kAllCategories;
}

bool CategoryList::add(std::string_view name) {
  if (name.empty() || isPseudoEntry(name) || contains(name)) return false;
  auto it =
      std::lower_bound(m_names.begin(), m_names.end(), name,
                       [](const std::string& a, std::string_view b) { return sortsBefore(a, b); });
  m_names.insert(it, std::string(name));
  return true;
}

std::optional<std::size_t> CategoryList::indexOf(std::string_view name) const {
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    if (platform::equalsNoCase(m_names[i], name)) return i;
  }
  return std::nullopt;
}

bool CategoryList::contains(std::string_view name) const {
  return indexOf(name).has_value();
}

bool CategoryList::remove(std::string_view name) {
  const auto index = indexOf(name);
  if (!index) return false;
  m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(*index));
  return true;
}

bool CategoryList::rename(std::string_view oldName, std::string_view newName) {
  const auto index = indexOf(oldName);
  if (!index || newName.empty() || isPseudoEntry(newName)) return false;
  const auto clash = indexOf(newName);
  if (clash && *clash != *index) return false;
  m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(*index));
  return add(newName);
}

void CategoryList::addFromVolumes(const VolumeList& volumes) {
  for (const VolumeRecord& record : volumes.records()) {
    if (record.category) add(*record.category);
  }
}

}  // namespace diskindex
