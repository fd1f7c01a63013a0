#include "diskindex/core/export/export_options.h"

#include "diskindex/core/messages.h"
#include "diskindex/core/settings.h"
#include "diskindex/core/volume_list.h"

namespace diskindex::exporting {

bool passesCategoryFilter(const VolumeRecord& volume, std::string_view filter) {
  return passesCategoryFilter(volume.category.value_or(std::string()), filter);
}

bool passesCategoryFilter(std::string_view category, std::string_view filter) {
  if (filter == diskindex::messages::kAllCategories) return true;
  if (filter == diskindex::messages::kNoCategory) return category.empty();
  return category == filter;
}

InfoExportOptions infoOptionsFromSettings(const DiskIndexSettings& settings,
                                          std::string categoryFilter) {
  InfoExportOptions options;
  options.fields = parseFieldList(settings.expFlds);
  options.separator = settings.expCSep.empty() ? std::string("\t") : settings.expCSep;
  options.allVolumes = settings.expFAll == 1;
  options.categoryFilter = std::move(categoryFilter);
  return options;
}

void infoOptionsToSettings(const InfoExportOptions& options, DiskIndexSettings& settings) {
  settings.expFlds = formatFieldList(options.fields);
  settings.expCSep = options.separator.empty() ? std::string("\t") : options.separator;
  settings.expFAll = options.allVolumes ? 1 : 0;
}

TreeExportOptions treeOptionsFromSettings(const DiskIndexSettings& settings) {
  TreeExportOptions options;
  options.selectedDirectory = settings.expSDir == 1;
  options.lines.paths = settings.expPath == 1;
  options.lines.content = settings.expType == 1   ? TreeContent::DirectoriesOnly
                          : settings.expType == 2 ? TreeContent::FilesOnly
                                                  : TreeContent::DirectoriesAndFiles;
  options.append = settings.expApnd == 1;
  return options;
}

void treeOptionsToSettings(const TreeExportOptions& options, DiskIndexSettings& settings) {
  settings.expSDir = options.selectedDirectory ? 1 : 0;
  settings.expPath = options.lines.paths ? 1 : 0;
  settings.expType = static_cast<int>(options.lines.content);
  settings.expApnd = options.append ? 1 : 0;
}

}  // namespace diskindex::exporting
