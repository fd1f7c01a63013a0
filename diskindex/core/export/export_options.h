#pragma once
// The choices of the two export dialogs as the workflows take them, and
// their place in the settings (the Exp... keys and EXPT_PATH of [Inits]):
// which information fields with which separator for which volumes, and
// which part of a volume's tree in which form. The tree's heading is not
// remembered; it starts empty each time.

#include <string>
#include <string_view>
#include <vector>

#include "diskindex/core/export/info_fields.h"
#include "diskindex/core/export/tree_lines.h"

namespace diskindex {

struct DiskIndexSettings;
struct VolumeRecord;

namespace exporting {

struct InfoExportOptions {
  std::vector<InfoField> fields;
  std::string separator = "\t";  // one character
  bool allVolumes = false;       // false: the volumes that pass categoryFilter
  std::string categoryFilter;    // "<ALLE>", "<keine Zuordnung>" or a category
};

struct TreeExportOptions {
  bool selectedDirectory = false;  // false: the whole volume
  TreeLineOptions lines;
  std::string heading;  // export and print only
  bool append = false;  // export only
};

// The overview's filter: "<ALLE>" passes every volume, "<keine Zuordnung>"
// the volumes without category, any other text the volumes whose category
// is exactly that text.
bool passesCategoryFilter(const VolumeRecord& volume, std::string_view filter);
// The same for a volume's category text ("" when it has none).
bool passesCategoryFilter(std::string_view category, std::string_view filter);

// ExpFlds, ExpCSep, ExpFAll (the filter is the window's, not a setting).
InfoExportOptions infoOptionsFromSettings(const DiskIndexSettings& settings,
                                          std::string categoryFilter);
void infoOptionsToSettings(const InfoExportOptions& options, DiskIndexSettings& settings);
// ExpSDir, ExpPath, ExpType, ExpApnd; a stored ExpType outside 0..2 means
// directories and files.
TreeExportOptions treeOptionsFromSettings(const DiskIndexSettings& settings);
void treeOptionsToSettings(const TreeExportOptions& options, DiskIndexSettings& settings);

}  // namespace exporting
}  // namespace diskindex
