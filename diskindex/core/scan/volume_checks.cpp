#include "diskindex/core/scan/volume_checks.h"

#include <charconv>

#include "diskindex/core/text_codec.h"
#include "diskindex/core/volume_header.h"
#include "platform/codepage.h"

namespace diskindex::scan {

std::string seriesName(std::string_view pattern, int index, int count) {
  std::string name(pattern);
  const std::size_t first = name.find("%1");
  if (first == std::string::npos) {
    return name + " " + std::to_string(index) + "/" + std::to_string(count);
  }
  name.replace(first, 2, std::to_string(index));
  const std::size_t second = name.find("%2");
  if (second != std::string::npos) name.replace(second, 2, std::to_string(count));
  return name;
}

int seriesCount(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return 1;
  text = text.substr(start);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < 1) return 1;
  return value;
}

std::vector<std::string> namesToCheck(std::string_view name, int count) {
  if (count <= 0) return {std::string(name)};
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) names.push_back(seriesName(name, i, count));
  return names;
}

std::optional<std::string> findNameConflict(const std::vector<std::string>& names,
                                            const std::vector<std::string>& otherNames) {
  for (const std::string& name : names) {
    for (const std::string& other : otherNames) {
      if (platform::equalsNoCase(name, other)) return name;
    }
  }
  return std::nullopt;
}

std::optional<std::string> findStoredNameConflict(const std::vector<std::string>& names,
                                                  const std::vector<std::string>& otherNames,
                                                  bool utf8) {
  std::vector<std::string> stored;
  stored.reserve(names.size());
  for (const std::string& name : names) {
    stored.push_back(storedFieldText(name, kMaxNameLength, utf8));
    for (std::size_t i = 0; i + 1 < stored.size(); ++i) {
      if (platform::equalsNoCase(stored[i], stored.back())) return stored.back();
    }
  }
  return findNameConflict(stored, otherNames);
}

bool labelAlreadyCatalogued(std::string_view label, const std::vector<std::string>& storedLabels) {
  if (label.empty()) return false;
  for (const std::string& stored : storedLabels) {
    if (platform::equalsNoCase(label, stored)) return true;
  }
  return false;
}

}  // namespace diskindex::scan
