#include "diskindex/core/old_format.h"

#include <gtest/gtest.h>

#include <cstring>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"
#include "platform/dates.h"

namespace diskindex {
namespace {

using test::dir;
using test::file;

// An old-format file: 256-byte header, then the entries as today.
std::vector<std::uint8_t> oldFile(const std::string& name, const std::string& remark, char letter,
                                  const std::vector<EntryRecord>& entries) {
  test::TempDir tmp;
  test::writeVolume(tmp / "v.DAT", test::sampleHeader("x"), entries);
  const auto current = test::readAll(tmp / "v.DAT");
  std::vector<std::uint8_t> bytes(256, 0);
  bytes[0] = 'K';
  bytes[1] = 'T';
  bytes[2] = static_cast<std::uint8_t>(letter);
  std::int32_t dirs = 0;
  for (const auto& e : entries) dirs += e.isDirectory() ? 1 : 0;
  std::memcpy(&bytes[4], &dirs, 4);
  std::memcpy(&bytes[17], name.data(), name.size());
  std::memcpy(&bytes[49], remark.data(), remark.size());
  bytes.resize(256 + current.size() - 512);
  std::copy(current.begin() + 512, current.end(), bytes.begin() + 256);
  return bytes;
}

struct Script : ConversionObserver {
  bool answer = true;
  int cancelAfter = 1000;
  std::vector<int> started;
  std::vector<std::string> failed;
  bool wasCancelled = false;
  bool confirmConversion() override { return answer; }
  void converting(const std::filesystem::path&, int index, int count) override {
    started.push_back(index * 100 + count);
  }
  bool cancelRequested() override { return static_cast<int>(started.size()) >= cancelAfter; }
  void fileFailed(ResultCode, const std::filesystem::path& path) override {
    failed.push_back(path.filename().string());
  }
  void cancelled() override { wasCancelled = true; }
};

TEST(OldFormat, ConversionKeepsEntriesAndTakesHeaderFields) {
  test::TempDir tmp;
  const std::vector<EntryRecord> entries{file(1, "A.TXT"), dir(1, "SUB"), file(2, "B.TXT"),
                                         file(2, "C.TXT")};
  const auto bytes = oldFile("Alte CD", "Bemerkung", 'D', entries);
  test::writeAll(tmp / "CD000001.DAT", bytes);
  ASSERT_EQ(convertOldFile(tmp / "CD000001.DAT"), ResultCode::Ok);
  EXPECT_FALSE(std::filesystem::exists(tmp / "XXX.TMP"));
  EXPECT_FALSE(std::filesystem::exists(tmp / "CD000001.TMP"));
  const auto converted = test::readAll(tmp / "CD000001.DAT");
  ASSERT_EQ(converted.size(), bytes.size() + 256);
  EXPECT_TRUE(std::equal(bytes.begin() + 256, bytes.end(), converted.begin() + 512));

  TOutlineDirList list;
  VolumeHeader header;
  ASSERT_EQ(loadVolumeContents(tmp / "CD000001.DAT", list, header), ResultCode::Ok);
  EXPECT_EQ(header.name, "Alte CD");
  EXPECT_EQ(header.remark, "Bemerkung");
  EXPECT_EQ(header.driveLetter, 'D');
  EXPECT_EQ(header.driveType, 0);
  EXPECT_EQ(header.directoryCount, 1);
  EXPECT_EQ(header.fileCount, 3);
  const platform::CivilTime today = platform::localCivilNow();
  EXPECT_EQ(static_cast<int>(header.captureDate),
            platform::daysSince18991230(today.year, today.month, today.day));
  EXPECT_EQ(list.directoryCount(), 2u);
}

TEST(OldFormat, DamagedOldFileIsLeftAsItWas) {
  test::TempDir tmp;
  auto bytes = oldFile("Kaputt", "", 'D', {file(1, "LONGNAME.TXT")});
  bytes.pop_back();
  test::writeAll(tmp / "CD000001.DAT", bytes);
  EXPECT_EQ(convertOldFile(tmp / "CD000001.DAT"), ResultCode::CannotRead);
  EXPECT_EQ(test::readAll(tmp / "CD000001.DAT"), bytes);
  EXPECT_FALSE(std::filesystem::exists(tmp / "CD000001.TMP"));
  EXPECT_EQ(convertOldFile(tmp / "CD000002.DAT"), ResultCode::CannotOpen);
}

TEST(OldFormat, CatalogueConvertsOnYesAndReloads) {
  test::TempDir tmp;
  for (int i = 1; i <= 3; ++i) {
    test::writeAll(tmp / volumeFileName(i),
                   oldFile("Alt " + std::to_string(i), "", 'E', {file(1, "F.TXT")}));
  }
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  EXPECT_EQ(catalogue.oldFormatFiles().size(), 3u);

  Script no;
  no.answer = false;
  EXPECT_EQ(catalogue.convertOldFiles(no), ResultCode::Ok);
  EXPECT_TRUE(no.started.empty());
  EXPECT_EQ(catalogue.oldFormatFiles().size(), 3u);

  Script yes;
  EXPECT_EQ(catalogue.convertOldFiles(yes), ResultCode::Ok);
  EXPECT_EQ(yes.started, (std::vector<int>{103, 203, 303}));
  EXPECT_TRUE(catalogue.oldFormatFiles().empty());
  ASSERT_EQ(catalogue.volumes().size(), 3u);
  EXPECT_EQ(catalogue.volumes()[2].name, "Alt 3");
}

TEST(OldFormat, CancelStopsAfterTheCurrentFile) {
  test::TempDir tmp;
  for (int i = 1; i <= 3; ++i) {
    test::writeAll(tmp / volumeFileName(i), oldFile("Alt", "", 'E', {file(1, "F.TXT")}));
  }
  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  Script script;
  script.cancelAfter = 1;
  EXPECT_EQ(catalogue.convertOldFiles(script), ResultCode::Cancelled);
  EXPECT_TRUE(script.wasCancelled);
  EXPECT_EQ(script.started.size(), 1u);
  EXPECT_EQ(catalogue.volumes().size(), 1u);
  EXPECT_EQ(catalogue.oldFormatFiles().size(), 2u);
}

}  // namespace
}  // namespace diskindex
