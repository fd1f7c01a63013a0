#pragma once
// The category list: distinct category names, sorted without regard to
// letter case, duplicates refused when they differ only in case. It is
// filled from the settings and from the categories found in the volume
// headers. The pseudo entries "<ALLE>" and "<keine Zuordnung>" are never
// members; the UI puts them in front of its lists.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex {

class VolumeList;

// A category is one name shared by many volumes, some of them stored in
// UTF-8 (volume_header.h): its length is counted in the bytes of its UTF-8
// form, so that it fits every header alike. A name cut in one volume only
// would fall apart into two categories. At most 50 bytes, as the field holds.
inline constexpr std::size_t kMaxCategoryBytes = 50;
bool categoryNameFits(std::string_view name);
// The longest start of the name that fits, ending at a character boundary.
std::string cutCategoryName(std::string_view name);

class CategoryList {
 public:
  CategoryList() = default;
  explicit CategoryList(const std::vector<std::string>& names);

  // Adds a name at its sorted place. Refused (false) when it is empty, a
  // pseudo entry, or equal to a member ignoring case.
  bool add(std::string_view name);
  bool remove(std::string_view name);  // case-insensitive
  // Renames in place (re-sorted); false when newName is refused.
  bool rename(std::string_view oldName, std::string_view newName);
  bool contains(std::string_view name) const;  // case-insensitive
  std::optional<std::size_t> indexOf(std::string_view name) const;

  // Adds every non-empty category of the volumes not yet present.
  void addFromVolumes(const VolumeList& volumes);

  const std::vector<std::string>& names() const { return m_names; }
  std::size_t size() const { return m_names.size(); }
  bool empty() const { return m_names.empty(); }

  static bool isPseudoEntry(std::string_view name);
  // The list's order: ignoring case, then byte-wise for a total order.
  static bool sortsBefore(std::string_view a, std::string_view b);

 private:
  std::vector<std::string> m_names;
};

}  // namespace diskindex
