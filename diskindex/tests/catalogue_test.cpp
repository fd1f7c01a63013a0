#include "diskindex/core/catalogue.h"

#include <gtest/gtest.h>

#include <fstream>

#include "diskindex/core/category_list.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

using test::file;

struct FailureLog : ListLoadObserver {
  std::vector<std::pair<ResultCode, std::string>> failures;
  void fileFailed(ResultCode code, const std::filesystem::path& path) override {
    failures.emplace_back(code, path.filename().string());
  }
};

void makeVolume(const std::filesystem::path& path, const std::string& name, char letter = 'E',
                std::uint8_t type = 5, const std::string& category = {}) {
  VolumeHeader header = test::sampleHeader(name);
  header.driveLetter = letter;
  header.driveType = type;
  header.category = category;
  ASSERT_EQ(createVolume(path, header, std::vector<EntryRecord>{file(1, "A.TXT")}), ResultCode::Ok);
}

TEST(Catalogue, EmptyDirectoryGivesEmptyListAndFirstFileName) {
  test::TempDir tmp;
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  EXPECT_TRUE(catalogue.volumes().empty());
  std::size_t index = 99;
  ASSERT_EQ(catalogue.addVolume(test::sampleHeader("First"), std::vector{file(1, "X")}, {}, &index),
            ResultCode::Ok);
  EXPECT_EQ(index, 0u);
  EXPECT_EQ(catalogue.volumes()[0].dataFile.filename(), "CD000001.DAT");
}

TEST(Catalogue, CounterCountsFilesThatFailedToLoad) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000010.DAT", "Ten");
  std::vector<std::uint8_t> bad(512, 0);
  bad[0] = 'X';
  test::writeAll(tmp / "CD000003.DAT", bad);
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  FailureLog log;
  ASSERT_EQ(catalogue.loadVolumeList(&log), ResultCode::Ok);
  ASSERT_EQ(log.failures.size(), 1u);
  EXPECT_EQ(log.failures[0].first, ResultCode::BadFormat);
  ASSERT_EQ(catalogue.addVolume(test::sampleHeader("New"), std::vector{file(1, "X")}, {}),
            ResultCode::Ok);
  EXPECT_TRUE(catalogue.volumes().findByDataFile(tmp / "CD000011.DAT").has_value());
}

TEST(Catalogue, DamagedFilesAreReportedAndTheRestLoads) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "zeta");
  makeVolume(tmp / "CD000002.DAT", "Alpha");
  test::writeAll(tmp / "CD000003.DAT", std::vector<std::uint8_t>(100, 'K'));  // short
  test::writeAll(tmp / "CDXYZ.DAT", std::vector<std::uint8_t>(600, 7));       // random
  makeVolume(tmp / "CD7ABC.DAT", "Mitte");  // not six digits: loads like any other
  std::vector<std::uint8_t> old(300, 0);
  old[0] = 'K';
  old[1] = 'T';
  test::writeAll(tmp / "CD000004.DAT", old);         // old format, shorter than a header
  test::writeAll(tmp / "CD000005.CMT", {'K', 'T'});  // not a data file
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  FailureLog log;
  ASSERT_EQ(catalogue.loadVolumeList(&log), ResultCode::Ok);
  ASSERT_EQ(catalogue.volumes().size(), 3u);
  EXPECT_EQ(catalogue.volumes()[0].name, "Alpha");
  EXPECT_EQ(catalogue.volumes()[1].name, "Mitte");
  EXPECT_EQ(catalogue.volumes()[2].name, "zeta");
  ASSERT_EQ(log.failures.size(), 2u);
  EXPECT_EQ(log.failures[0], std::make_pair(ResultCode::CannotRead, std::string("CD000003.DAT")));
  EXPECT_EQ(log.failures[1], std::make_pair(ResultCode::BadFormat, std::string("CDXYZ.DAT")));
  ASSERT_EQ(catalogue.oldFormatFiles().size(), 1u);
  EXPECT_EQ(catalogue.oldFormatFiles()[0].filename(), "CD000004.DAT");
  EXPECT_EQ(catalogue.volumes().maxFileNumber(), 7);  // CD7ABC counts as 7
}

TEST(Catalogue, MissingDataDirectoryIsAnErrorWithAnEmptyList) {
  test::TempDir tmp;
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp / "absent");
  EXPECT_EQ(catalogue.loadVolumeList(), ResultCode::CannotOpen);
  EXPECT_TRUE(catalogue.volumes().empty());
}

TEST(Catalogue, AddVolumeWritesRemarksAndInsertsSorted) {
  test::TempDir tmp;
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  TFileCommentList descriptions;
  descriptions.set({1, 0}, "Beschreibung");
  ASSERT_EQ(catalogue.addVolume(test::sampleHeader("Mitte"), std::vector{file(1, "A")}, {}),
            ResultCode::Ok);
  std::size_t index = 9;
  ASSERT_EQ(catalogue.addVolume(test::sampleHeader("Anfang"), std::vector{file(1, "A")},
                                descriptions, &index),
            ResultCode::Ok);
  EXPECT_EQ(index, 0u);
  const VolumeRecord& added = catalogue.volumes()[0];
  EXPECT_EQ(added.fileCount, 1);
  TFileCommentList loaded;
  ASSERT_EQ(loadRemarks(added.commentFile(), loaded), ResultCode::Ok);
  EXPECT_EQ(loaded.find({1, 0}), "Beschreibung");
  EXPECT_FALSE(std::filesystem::exists(catalogue.volumes()[1].commentFile()));
  EXPECT_EQ(catalogue.addVolume(test::sampleHeader("Leer"), std::vector<EntryRecord>{}, {}),
            ResultCode::DriveNotReady);
}

TEST(Catalogue, ChangeVolumeInfoRewritesAndReorders) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "Alpha");
  makeVolume(tmp / "CD000002.DAT", "Beta");
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  VolumeHeader header;
  ASSERT_EQ(readHeader(catalogue.volumes()[0].dataFile, header), ResultCode::Ok);
  header.name = "Gamma";
  header.category = "Spiele";
  std::size_t index = 9;
  ASSERT_EQ(catalogue.changeVolumeInfo(0, header, &index), ResultCode::Ok);
  EXPECT_EQ(index, 1u);
  EXPECT_EQ(catalogue.volumes()[1].category, "Spiele");
  Catalogue reloaded;
  reloaded.setDataDirectory(tmp.path());
  ASSERT_EQ(reloaded.loadVolumeList(), ResultCode::Ok);
  EXPECT_EQ(reloaded.volumes()[1].name, "Gamma");
  CategoryList categories;
  categories.addFromVolumes(reloaded.volumes());
  EXPECT_EQ(categories.names(), std::vector<std::string>{"Spiele"});
}

TEST(Catalogue, DeleteVolumeRemovesBothFilesOrNothing) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "One");
  test::writeAll(tmp / "CD000001.CMT", {'K', 'T'});
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  ASSERT_EQ(catalogue.deleteVolume(0), ResultCode::Ok);
  EXPECT_TRUE(catalogue.volumes().empty());
  EXPECT_FALSE(std::filesystem::exists(tmp / "CD000001.DAT"));
  EXPECT_FALSE(std::filesystem::exists(tmp / "CD000001.CMT"));

  makeVolume(tmp / "CD000002.DAT", "Two");
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  std::filesystem::remove(tmp / "CD000002.DAT");
  std::filesystem::create_directories(tmp / "CD000002.DAT" / "x");  // cannot be deleted
  EXPECT_EQ(catalogue.deleteVolume(0), ResultCode::CannotWrite);
  EXPECT_EQ(catalogue.volumes().size(), 1u);
}

TEST(Catalogue, ChangeDriveOfAllTouchesMatchingLetterAndType) {
  test::TempDir tmp;
  makeVolume(tmp / "CD000001.DAT", "cd", 'e', 5);
  makeVolume(tmp / "CD000002.DAT", "unknown", 'E', 0);
  makeVolume(tmp / "CD000003.DAT", "disk", 'E', 3);
  makeVolume(tmp / "CD000004.DAT", "other", 'F', 5);
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  EXPECT_EQ(catalogue.changeDriveOfAll('E', 'G', 5), 2);
  Catalogue reloaded;
  reloaded.setDataDirectory(tmp.path());
  ASSERT_EQ(reloaded.loadVolumeList(), ResultCode::Ok);
  for (const Catalogue* c : {&catalogue, &reloaded}) {
    const auto& v = c->volumes();
    EXPECT_EQ(v[*v.findByName("cd")].driveLetter, 'G');
    EXPECT_EQ(v[*v.findByName("unknown")].driveLetter, 'G');
    EXPECT_EQ(v[*v.findByName("unknown")].driveType, 5);
    EXPECT_EQ(v[*v.findByName("disk")].driveLetter, 'E');
    EXPECT_EQ(v[*v.findByName("other")].driveLetter, 'F');
  }
}

TEST(Catalogue, WritabilityTestLeavesNothingBehind) {
  test::TempDir tmp;
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  EXPECT_TRUE(catalogue.dataDirectoryWritable());
  EXPECT_TRUE(std::filesystem::is_empty(tmp.path()));
  catalogue.setDataDirectory(tmp / "absent");
  EXPECT_FALSE(catalogue.dataDirectoryWritable());
}

// The check made before commands when no watcher reports (a network share):
// every kind of change to the volume files counts, other files do not.
TEST(Catalogue, ChangedSinceLoadSeesEveryChangeOfTheVolumeFilesAndOfTheFolder) {
  test::TempDir tmp;
  const std::filesystem::path folder = tmp.path() / "usb";
  Catalogue catalogue;
  catalogue.setDataDirectory(folder);
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::CannotOpen);
  EXPECT_FALSE(catalogue.changedSinceLoad());
  std::filesystem::create_directory(folder);
  EXPECT_TRUE(catalogue.changedSinceLoad()) << "a folder that appeared";
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  EXPECT_FALSE(catalogue.changedSinceLoad());

  const std::filesystem::path volume = folder / "CD000001.DAT";
  makeVolume(volume, "Eins");
  EXPECT_TRUE(catalogue.changedSinceLoad()) << "added";
  catalogue.loadVolumeList();
  EXPECT_FALSE(catalogue.changedSinceLoad());

  // Other files of the folder are no volumes.
  std::ofstream(folder / "CD000001.CMT") << "KT";
  std::ofstream(folder / "DISKINDX.INI") << "[Inits]";
  EXPECT_FALSE(catalogue.changedSinceLoad());

  // The same bytes written again by rename: same size, maybe the same
  // time on a coarse clock, but another file.
  const std::vector<std::uint8_t> bytes = test::readAll(volume);
  ASSERT_EQ(writeFileAtomically(volume, bytes), ResultCode::Ok);
  EXPECT_TRUE(catalogue.changedSinceLoad()) << "replaced";
  catalogue.loadVolumeList();

  std::filesystem::resize_file(volume, bytes.size() + 1);
  EXPECT_TRUE(catalogue.changedSinceLoad()) << "written in place";
  catalogue.loadVolumeList();

  std::filesystem::remove(volume);
  EXPECT_TRUE(catalogue.changedSinceLoad()) << "removed";
  catalogue.loadVolumeList();
  EXPECT_FALSE(catalogue.changedSinceLoad());
  std::filesystem::remove_all(folder);
  EXPECT_TRUE(catalogue.changedSinceLoad()) << "the folder went";
}

}  // namespace
}  // namespace diskindex
