#include "diskindex/core/export/info_fields.h"

#include <gtest/gtest.h>

#include "diskindex/core/export/export_options.h"
#include "diskindex/core/settings.h"
#include "diskindex/core/volume_list.h"
#include "platform/dates.h"

namespace diskindex::exporting {
namespace {

// A function, not a constant: the date tables must exist before it runs.
double today() {
  return platform::daysSince18991230(2026, 12, 8);
}

VolumeRecord sampleVolume() {
  VolumeRecord v;
  v.name = "Werkzeuge 3";
  v.label = "TOOLS_03";
  v.category = "Software";
  v.remark = "Erste Zeile\r\nZweite Zeile";
  v.location = "Regal\n2";
  v.driveType = 5;
  v.captureDate = platform::daysSince18991230(2024, 3, 9);
  v.directoryCount = 12;
  v.fileCount = 345;
  v.capacity = 1474560;
  v.freeSpace = 474560;
  return v;
}

std::vector<InfoField> all() {
  std::vector<InfoField> fields;
  for (int i = 0; i < kInfoFieldCount; ++i) fields.push_back(InfoField(i));
  return fields;
}

TEST(InfoFields, NameAndLabelWithSemicolonGiveTheTwoFieldsAndNoTrailingSeparator) {
  const std::vector<InfoField> fields{InfoField::VolumeName, InfoField::Label};
  EXPECT_EQ(infoLine(sampleVolume(), fields, ";", today()), "Werkzeuge 3;TOOLS_03");
}

TEST(InfoFields, EveryFieldInNumberOrderWithLineBreaksAsBlanks) {
  EXPECT_EQ(infoLine(sampleVolume(), all(), "|", today()),
            "345|12|1000000|Erste Zeile  Zweite Zeile|Werkzeuge 3|09.03.2024|474560|Software|"
            "Regal 2|CD-ROM|1474560|TOOLS_03");
}

TEST(InfoFields, UnknownSizesLeaveTheirFieldsEmptyButKeepTheSeparators) {
  VolumeRecord v = sampleVolume();
  v.capacity = 0;
  const std::vector<InfoField> sizes{InfoField::UsedSpace, InfoField::FreeSpace,
                                     InfoField::Capacity, InfoField::FileCount};
  EXPECT_EQ(infoLine(v, sizes, "\t", today()), "\t\t\t345");
  v.capacity = 1000;
  v.freeSpace = -1;  // free space not known: no size at all
  EXPECT_EQ(infoLine(v, sizes, "\t", today()), "\t\t\t345");
  v.freeSpace = 0;
  EXPECT_EQ(infoLine(v, sizes, "\t", today()), "1000\t0\t1000\t345");
}

TEST(InfoFields, AFoldersUsedSpaceIsItsOwnSize) {
  VolumeRecord v = sampleVolume();
  v.capacity = 3000;        // the folder's files
  v.freeSpace = 90000000;   // the host disk's free space
  v.spaceOf = SpaceOf::Folder;
  const std::vector<InfoField> sizes{InfoField::UsedSpace, InfoField::FreeSpace,
                                     InfoField::Capacity};
  EXPECT_EQ(infoLine(v, sizes, ";", today()), "3000;90000000;3000");
}

TEST(InfoFields, MissingCategoryRemarkAndLocation) {
  VolumeRecord v = sampleVolume();
  v.category.reset();
  v.remark.reset();
  v.location.reset();
  const std::vector<InfoField> fields{InfoField::Category, InfoField::Remark, InfoField::Location};
  EXPECT_EQ(infoLine(v, fields, ";", today()), "<keine Zuordnung>;;");
  v.category = "";
  EXPECT_EQ(infoFieldText(v, InfoField::Category, today()), "<keine Zuordnung>");
}

TEST(InfoFields, CaptureDateAfterTodayCountsFromTheYearOne) {
  VolumeRecord v = sampleVolume();
  v.captureDate = platform::daysSince18991230(2024, 3, 9) + 693594.0;
  EXPECT_EQ(infoFieldText(v, InfoField::CaptureDate, today()), "09.03.2024");
}

TEST(InfoFields, FieldListReadsBothSeparatorsAndSkipsWhatIsNoField) {
  EXPECT_EQ(parseFieldList("4,11"),
            (std::vector<InfoField>{InfoField::VolumeName, InfoField::Label}));
  EXPECT_EQ(parseFieldList("3; 0,  10"),
            (std::vector<InfoField>{InfoField::Remark, InfoField::FileCount, InfoField::Capacity}));
  EXPECT_EQ(parseFieldList("12,x,-1,4,4,,007"), (std::vector<InfoField>{InfoField::VolumeName}));
  EXPECT_TRUE(parseFieldList("").empty());
  const std::vector<InfoField> fields{InfoField::Label, InfoField::FileCount, InfoField::Remark};
  EXPECT_EQ(formatFieldList(fields), "11,0,3");
  EXPECT_EQ(parseFieldList(formatFieldList(fields)), fields);
}

TEST(InfoFields, AvailableFieldsAreSortedByName) {
  const auto fields = fieldsByName();
  EXPECT_EQ(infoFieldName(fields.front()), "Anzahl Dateien");
  EXPECT_EQ(infoFieldName(fields[4]), "Datenträger-Bezeichnung");
  EXPECT_EQ(infoFieldName(fields.back()), "Volume-Label");
  for (std::size_t i = 1; i < fields.size(); ++i) {
    EXPECT_LT(infoFieldName(fields[i - 1]), infoFieldName(fields[i]));
  }
}

TEST(ExportOptions, SettingsRoundTripAndCategoryFilter) {
  DiskIndexSettings s;
  s.expFlds = "4;11";
  s.expCSep = ";";
  s.expFAll = 1;
  s.expSDir = 1;
  s.expPath = 1;
  s.expType = 7;  // out of range
  const InfoExportOptions info = infoOptionsFromSettings(s, "<ALLE>");
  EXPECT_EQ(info.fields, (std::vector<InfoField>{InfoField::VolumeName, InfoField::Label}));
  EXPECT_EQ(info.separator, ";");
  EXPECT_TRUE(info.allVolumes);
  TreeExportOptions tree = treeOptionsFromSettings(s);
  EXPECT_TRUE(tree.selectedDirectory);
  EXPECT_TRUE(tree.lines.paths);
  EXPECT_EQ(tree.lines.content, TreeContent::DirectoriesAndFiles);
  tree.lines.content = TreeContent::FilesOnly;
  tree.append = true;
  treeOptionsToSettings(tree, s);
  EXPECT_EQ(s.expType, 2);
  EXPECT_EQ(s.expApnd, 1);
  infoOptionsToSettings(info, s);
  EXPECT_EQ(s.expFlds, "4,11");

  VolumeRecord v = sampleVolume();
  EXPECT_TRUE(passesCategoryFilter(v, "<ALLE>"));
  EXPECT_TRUE(passesCategoryFilter(v, "Software"));
  EXPECT_FALSE(passesCategoryFilter(v, "software")) << "the filter is exact";
  EXPECT_FALSE(passesCategoryFilter(v, "<keine Zuordnung>"));
  v.category.reset();
  EXPECT_TRUE(passesCategoryFilter(v, "<keine Zuordnung>"));
}

}  // namespace
}  // namespace diskindex::exporting
