#include "diskindex/core/category_changes.h"

#include "diskindex/core/catalogue.h"
#include "diskindex/core/messages.h"
#include "diskindex/core/volume_file.h"
#include "platform/codepage.h"

namespace diskindex {

void CategoryChanges::rename(std::string_view from, std::string_view to) {
  m_renames.push_back({std::string(from), std::string(to)});
}

void CategoryChanges::remove(std::string_view name) {
  m_deletions.emplace_back(name);
}

std::optional<std::string> CategoryChanges::newCategoryFor(std::string_view category) const {
  if (category.empty()) return std::nullopt;
  for (const CategoryRename& rename : m_renames) {
    if (platform::equalsNoCase(rename.from, category)) return rename.to;
  }
  for (const std::string& deleted : m_deletions) {
    if (platform::equalsNoCase(deleted, category)) return std::string();
  }
  return std::nullopt;
}

std::string CategoryChanges::followFilter(const std::string& filter) const {
  if (filter == messages::kAllCategories || filter == messages::kNoCategory) return filter;
  const std::optional<std::string> next = newCategoryFor(filter);
  if (!next) return filter;
  return next->empty() ? std::string(messages::kAllCategories) : *next;
}

CategoryApplyResult applyCategoryChanges(Catalogue& catalogue, const CategoryChanges& changes) {
  CategoryApplyResult result;
  if (changes.empty()) return result;
  VolumeList& volumes = catalogue.volumes();
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    const VolumeRecord& record = volumes[i];
    VolumeHeader header;
    ResultCode code = readHeader(record.dataFile, header);
    std::string stored;
    if (code == ResultCode::Ok) {
      // The header, not the record, says which category the file holds now.
      const std::optional<std::string> next = changes.newCategoryFor(header.category);
      if (!next || *next == header.category) continue;
      code = rewriteCategory(record.dataFile, *next, &stored);
    }
    if (code != ResultCode::Ok) {
      result.failures.push_back({code, record.dataFile, record.name});
      continue;
    }
    volumes.setCategory(i, stored);
    ++result.changed;
  }
  return result;
}

std::string categoryFailureText(const std::vector<CategoryFailure>& failures) {
  constexpr std::size_t kListed = 10;
  std::string text = "Die Kategorie folgender Datenträger konnte nicht geändert werden:\r\n";
  for (std::size_t i = 0; i < failures.size() && i < kListed; ++i) {
    text += "\r\n\"" + failures[i].volumeName + "\"  (" + failures[i].dataFile.string() + ")";
  }
  if (failures.size() > kListed) {
    text += "\r\n... und " + std::to_string(failures.size() - kListed) + " weitere";
  }
  text +=
      "\r\n\r\nDiese Datenträger behalten ihre bisherige Kategorie,\r\n"
      "alle übrigen wurden geändert.";
  return text;
}

}  // namespace diskindex
