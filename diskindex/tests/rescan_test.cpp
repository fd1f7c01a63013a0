#include "diskindex/core/scan/rescan.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "diskindex/core/comment_file.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/scan/orphan_file.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_list.h"
#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

using testing::FakeDrive;
using testing::TempTree;

using Snapshot = std::map<std::string, std::string>;  // file name -> bytes

// The orphan file as text: Windows-1252 unless it is UTF-8.
std::string orphanText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return platform::isValidUtf8(bytes) ? bytes : platform::cp1252ToUtf8(bytes);
}

Snapshot snapshot(const std::filesystem::path& dir) {
  Snapshot files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    // The folder's lock file is no part of the catalogue's data.
    if (entry.path().filename() == kLockFileName) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().filename().string()] = {std::istreambuf_iterator<char>(in),
                                               std::istreambuf_iterator<char>()};
  }
  return files;
}

struct Observer : ScanObserver {
  bool readDescriptions = false;
  bool cancel = false;
  bool cancelDescriptions = false;  // "Abbruch" once the description pass runs
  bool describing = false;
  int asked = 0;
  void descriptionProgress(int percent) override { describing = percent < 100; }
  bool askReadDescriptions() override {
    ++asked;
    return readDescriptions;
  }
  bool cancelRequested() override { return cancel || (cancelDescriptions && describing); }
};

// Remarks of the volume by the stored path of their entry ("\DOCS\X.DOC",
// directories ending in "\").
std::map<std::string, std::string> remarksByPath(const std::filesystem::path& dataFile) {
  TOutlineDirList tree;
  VolumeHeader header;
  EXPECT_EQ(loadStoredNames(dataFile, tree, header), ResultCode::Ok);
  TFileCommentList remarks;
  loadRemarks(commentFileFor(dataFile), remarks);
  std::map<std::string, std::string> byPath;
  for (const Remark& r : remarks.records()) {
    const auto d = static_cast<std::size_t>(r.key.dirNo - 1);
    std::string dir = tree.path(d);
    if (dir.back() != '\\') dir += '\\';
    const std::string path =
        r.key.fileNo < 0
            ? dir
            : dir + std::string(tree.name(tree.files(d)[static_cast<std::size_t>(r.key.fileNo)]));
    byPath[path] = r.text;
  }
  return byPath;
}

constexpr const char* kOldUuid = "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12";
constexpr const char* kNewUuid = "1C2B-7E0A";

class RescanTest : public ::testing::Test {
 protected:
  RescanTest() {
    m_disc.file("A.TXT", "a");
    m_disc.file("B.TXT", "b");
    m_disc.file("C.TXT", "c");
    m_disc.file("DOCS/X.DOC", "x");
    m_disc.file("DOCS/Y.DOC", "y");
    m_disc.file("DOCS/SUB/Z.DOC", "z");
  }

  platform::DriveTable drives(const std::string& label, std::int64_t capacity,
                              const std::string& uuid = "") {
    FakeDrive d;
    d.root = m_disc.root();
    d.label = label;
    d.space = {capacity, capacity / 4};
    return testing::fakeDriveTable({{'E', d}}, {{'E', uuid}});
  }

  // The first reading with user remarks on every file and directory.
  void catalogue() {
    const platform::DriveTable table = drives("ALT", 1000000, kOldUuid);
    VolumeHeader header = freshHeader();
    header.driveLetter = 'E';
    header.driveType = 5;
    header.name = "Archiv";
    header.remark = "meine Scheibe";
    header.location = "Regal 3";
    header.category = "Sicherung";
    header.captureDate = 40000.0;
    Observer observer;
    ASSERT_EQ(readDrive(table, header, m_dataFile, observer).code, ResultCode::Ok);
    TFileCommentList remarks;
    remarks.set({1, -1}, "Wurzel");
    remarks.set({1, 0}, "über A");
    remarks.set({1, 1}, "über B");
    remarks.set({1, 2}, "über C");
    remarks.set({2, -1}, "Dokumente");
    remarks.set({2, 1}, "über Y");
    remarks.set({3, -1}, "Unterordner");
    remarks.set({3, 0}, "über Z");
    ASSERT_EQ(saveRemarks(commentFileFor(m_dataFile), remarks), ResultCode::Ok);
  }

  // B.TXT renamed, A.TXT deleted, a new directory sorting before DOCS.
  void changeDisc() {
    std::filesystem::rename(m_disc.root() / "B.TXT", m_disc.root() / "B2.TXT");
    std::filesystem::remove(m_disc.root() / "A.TXT");
    m_disc.file("ANFANG/NEU.TXT", "neu");
  }

  RescanOutcome rescan(const platform::DriveTable& table, Observer& observer,
                       RescanOptions options = {}) {
    options.now = {2026, 12, 8, 23, 55, 0};
    return rescanVolume(m_dataFile, driveReader(table, 'E', StoredDrive::Replace), observer,
                        options);
  }

  TempTree m_disc;
  TempTree m_data;
  std::filesystem::path m_dataFile = m_data.root() / "CD000001.DAT";
};

TEST_F(RescanTest, KeepsEveryRemarkWhosePathStillExistsAndListsTheTwoOrphans) {
  catalogue();
  changeDisc();
  const platform::DriveTable table = drives("NEU", 2000000);
  Observer observer;
  const RescanOutcome outcome = rescan(table, observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok) << outcome.failedFile;
  const std::map<std::string, std::string> expected{{"\\", "Wurzel"},
                                                    {"\\C.TXT", "über C"},
                                                    {"\\DOCS\\", "Dokumente"},
                                                    {"\\DOCS\\Y.DOC", "über Y"},
                                                    {"\\DOCS\\SUB\\", "Unterordner"},
                                                    {"\\DOCS\\SUB\\Z.DOC", "über Z"}};
  EXPECT_EQ(remarksByPath(m_dataFile), expected);
  EXPECT_EQ(outcome.carried, 6u);
  EXPECT_EQ(outcome.orphans,
            (std::vector<OrphanRemark>{{"\\A.TXT", "über A"}, {"\\B.TXT", "über B"}}));
  EXPECT_EQ(outcome.orphanFile, orphanFileFor(m_dataFile));
  EXPECT_EQ(snapshot(m_data.root()).size(), 3u) << "only .DAT, .CMT and the orphan file";
}

TEST_F(RescanTest, TheHeaderKeepsTheUsersFieldsAndTakesTheRestFromTheNewReading) {
  catalogue();
  changeDisc();
  Observer observer;
  const RescanOutcome outcome = rescan(drives("NEU", 2000000, kNewUuid), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  VolumeHeader header;
  ASSERT_EQ(readHeader(m_dataFile, header), ResultCode::Ok);
  EXPECT_EQ(header, outcome.header);
  EXPECT_EQ(header.name, "Archiv");
  EXPECT_EQ(header.remark, "meine Scheibe");
  EXPECT_EQ(header.location, "Regal 3");
  EXPECT_EQ(header.category, "Sicherung");
  EXPECT_EQ(header.label, "NEU");
  EXPECT_EQ(header.volumeId, platform::FileSystemId::fromUuidText(kNewUuid));
  EXPECT_EQ(header.capacity, 2000000);
  EXPECT_EQ(header.freeSpace, 500000);
  EXPECT_EQ(header.directoryCount, 3);
  EXPECT_EQ(header.fileCount, 6);
  EXPECT_EQ(header.captureDate, freshHeader().captureDate);
  EXPECT_EQ(header.driveType, driveTypeCode(drives("NEU", 1), 'E'));
  EXPECT_NE(header.driveType, 5) << "the type comes from the drive now";
}

TEST_F(RescanTest, TheOrphanFileIsWrittenAndASecondRescanAddsToIt) {
  catalogue();
  changeDisc();
  Observer observer;
  ASSERT_EQ(rescan(drives("NEU", 2000000), observer).code, ResultCode::Ok);
  const std::string first = orphanText(orphanFileFor(m_dataFile));
  EXPECT_NE(first.find("\\A.TXT\r\n    über A"), std::string::npos) << first;
  EXPECT_NE(first.find("\\B.TXT\r\n    über B"), std::string::npos) << first;

  std::filesystem::remove(m_disc.root() / "C.TXT");
  const RescanOutcome second = rescan(drives("NEU", 2000000), observer);
  ASSERT_EQ(second.code, ResultCode::Ok);
  EXPECT_EQ(second.orphans, (std::vector<OrphanRemark>{{"\\C.TXT", "über C"}}));
  const std::string both = orphanText(orphanFileFor(m_dataFile));
  EXPECT_EQ(both.rfind(first, 0), 0u) << both;
  EXPECT_NE(both.find("\\C.TXT\r\n    über C", first.size()), std::string::npos) << both;
}

TEST_F(RescanTest, ACancelledRescanLeavesTheOldFilesByteForByte) {
  catalogue();
  changeDisc();
  const Snapshot before = snapshot(m_data.root());
  Observer observer;
  observer.cancel = true;
  const RescanOutcome outcome = rescan(drives("NEU", 2000000), observer);
  EXPECT_EQ(outcome.code, ResultCode::Cancelled);
  EXPECT_EQ(snapshot(m_data.root()), before);
}

TEST_F(RescanTest, ADriveThatIsNotReadyLeavesTheOldFilesByteForByte) {
  catalogue();
  const Snapshot before = snapshot(m_data.root());
  const platform::DriveTable table = drives("NEU", 2000000);
  Observer observer;
  const RescanOutcome outcome =
      rescanVolume(m_dataFile, driveReader(table, 'Q', StoredDrive::Replace), observer);
  EXPECT_EQ(outcome.code, ResultCode::DriveNotReady);
  EXPECT_EQ(snapshot(m_data.root()), before);
}

TEST_F(RescanTest, ANewFileThatCannotBeCreatedLeavesTheOldFilesByteForByte) {
  catalogue();
  changeDisc();
  const Snapshot before = snapshot(m_data.root());
  // Something in the way of the temporary file, as a folder that does not
  // let us write would be.
  std::filesystem::create_directory(rescanTempFile(m_dataFile));
  Observer observer;
  const RescanOutcome outcome = rescan(drives("NEU", 2000000), observer);
  EXPECT_EQ(outcome.code, ResultCode::CannotCreate);
  EXPECT_EQ(outcome.failedFile, rescanTempFile(m_dataFile));
  std::filesystem::remove(rescanTempFile(m_dataFile));
  EXPECT_EQ(snapshot(m_data.root()), before);
}

TEST_F(RescanTest, AFailingLastRenamePutsTheDataFileAndTheOrphanFileBack) {
  catalogue();
  changeDisc();
  const Snapshot before = snapshot(m_data.root());
  const std::filesystem::path comment = commentFileFor(m_dataFile);
  RescanOptions options;
  int renames = 0;
  options.rename = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
    ++renames;
    return to != comment && renameFile(from, to);
  };
  Observer observer;
  const RescanOutcome outcome = rescan(drives("NEU", 2000000), observer, options);
  EXPECT_EQ(outcome.code, ResultCode::CannotWrite);
  EXPECT_EQ(outcome.failedFile, comment);
  EXPECT_EQ(renames, 2) << "the data file was renamed before the comment file failed";
  EXPECT_EQ(snapshot(m_data.root()), before);
}

TEST_F(RescanTest, AFailureAfterTheOrphanFileWasWrittenPutsItsEarlierTextBack) {
  catalogue();
  changeDisc();
  Observer observer;
  ASSERT_EQ(rescan(drives("NEU", 2000000), observer).code, ResultCode::Ok);
  std::filesystem::remove(m_disc.root() / "C.TXT");  // a third orphan for the second rescan
  const Snapshot before = snapshot(m_data.root());
  ASSERT_EQ(before.count(orphanFileFor(m_dataFile).filename().string()), 1u);
  RescanOptions options;
  options.rename = [](const std::filesystem::path& from, const std::filesystem::path& to) {
    return to.extension() != ".DAT" && renameFile(from, to);
  };
  const RescanOutcome outcome = rescan(drives("NEU", 2000000), observer, options);
  EXPECT_EQ(outcome.code, ResultCode::CannotWrite);
  EXPECT_EQ(outcome.failedFile, m_dataFile);
  EXPECT_EQ(snapshot(m_data.root()), before);
}

TEST_F(RescanTest, NewDescriptionFilesFillOnlyEntriesWithoutARemark) {
  catalogue();
  m_disc.file("FILES.BBS", "A.TXT Beschreibung von A\r\nB.TXT Beschreibung von B\r\n");
  m_disc.file("DOCS/DIRINFO.TXT", "Ordnertext");
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(m_dataFile), remarks), ResultCode::Ok);
  remarks.set({1, 1}, "");  // B.TXT has no remark of the user any more
  ASSERT_EQ(saveRemarks(commentFileFor(m_dataFile), remarks), ResultCode::Ok);
  Observer observer;
  observer.readDescriptions = true;
  const RescanOutcome outcome = rescan(drives("NEU", 2000000), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_EQ(observer.asked, 1);
  const auto byPath = remarksByPath(m_dataFile);
  EXPECT_EQ(byPath.at("\\A.TXT"), "über A");
  EXPECT_EQ(byPath.at("\\B.TXT"), "Beschreibung von B");
  EXPECT_EQ(byPath.at("\\DOCS\\"), "Dokumente");
  EXPECT_EQ(outcome.described, 1u);
  EXPECT_TRUE(outcome.orphans.empty());
  EXPECT_FALSE(std::filesystem::exists(orphanFileFor(m_dataFile)));
}

TEST_F(RescanTest, CancellingTheDescriptionPassKeepsTheNewReadingWithTheCarriedRemarks) {
  catalogue();
  changeDisc();
  m_disc.file("FILES.BBS", "C.TXT Beschreibung von C\r\nB2.TXT Beschreibung von B2\r\n");
  Observer observer;
  observer.readDescriptions = true;
  observer.cancelDescriptions = true;
  const RescanOutcome outcome = rescan(drives("NEU", 2000000), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_EQ(outcome.read.remarksCode, ResultCode::Cancelled);
  EXPECT_EQ(outcome.described, 0u);
  const auto byPath = remarksByPath(m_dataFile);
  EXPECT_EQ(byPath.at("\\C.TXT"), "über C");
  EXPECT_FALSE(byPath.contains("\\B2.TXT"));
  EXPECT_EQ(outcome.header.fileCount, 7);
}

TEST_F(RescanTest, AVolumeWithoutRemarksStaysWithoutCommentFile) {
  catalogue();
  ASSERT_TRUE(std::filesystem::remove(commentFileFor(m_dataFile)));
  Observer observer;
  const RescanOutcome outcome = rescan(drives("NEU", 2000000), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_EQ(snapshot(m_data.root()).size(), 1u);
}

TEST_F(RescanTest, AFolderLentALetterKeepsTheStoredDriveLetterTypeAndIdentity) {
  catalogue();
  const platform::DriveTable table = drives("NEU", 2000000, kNewUuid);
  Observer observer;
  VolumeHeader before;
  ASSERT_EQ(readHeader(m_dataFile, before), ResultCode::Ok);
  const RescanOutcome outcome =
      rescanVolume(m_dataFile, driveReader(table, 'E', StoredDrive::Keep), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_EQ(outcome.header.driveLetter, before.driveLetter);
  EXPECT_EQ(outcome.header.driveType, 5);
  EXPECT_EQ(outcome.header.volumeId, platform::FileSystemId::fromUuidText(kOldUuid));
  EXPECT_TRUE(outcome.header.volumeId.known());
}

std::string bytesOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void damageMagic(const std::filesystem::path& file, char with) {
  std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
  f.put(with);
}

// Reading the volume again mends a damaged comment file, but its bytes are
// kept first, and a copy kept once is never written over.
TEST_F(RescanTest, ADamagedCommentFileIsKeptAsDefektAndWhatItHeldIsCarried) {
  catalogue();
  const std::filesystem::path comment = commentFileFor(m_dataFile);
  damageMagic(comment, 'X');
  const std::string damaged = bytesOf(comment);
  Observer observer;
  RescanOutcome outcome = rescan(drives("ALT", 1000000, kOldUuid), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  const std::filesystem::path copy = m_data.root() / "CD000001.CMT.defekt";
  EXPECT_EQ(outcome.damagedCopies, std::vector<std::filesystem::path>{copy});
  EXPECT_EQ(bytesOf(copy), damaged);
  EXPECT_EQ(remarksByPath(m_dataFile).at("\\DOCS\\SUB\\Z.DOC"), "über Z");
  TFileCommentList now;
  EXPECT_EQ(loadRemarks(comment, now), ResultCode::Ok) << "the new comment file is whole";

  damageMagic(comment, 'Y');  // damaged once more: a second copy, the first stays
  const std::string second = bytesOf(comment);
  outcome = rescan(drives("ALT", 1000000, kOldUuid), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_EQ(bytesOf(copy), damaged);
  EXPECT_EQ(bytesOf(m_data.root() / "CD000001.CMT.defekt2"), second);
}

TEST_F(RescanTest, AVolumeFileWhoseTreeDoesNotReadIsKeptAsDefektAndReadAgain) {
  catalogue();
  std::filesystem::resize_file(m_dataFile, std::filesystem::file_size(m_dataFile) - 7);
  const std::string cut = bytesOf(m_dataFile);
  TOutlineDirList tree;
  VolumeHeader header;
  ASSERT_NE(loadStoredNames(m_dataFile, tree, header), ResultCode::Ok);
  Observer observer;
  const RescanOutcome outcome = rescan(drives("ALT", 1000000, kOldUuid), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok);
  const std::filesystem::path copy = m_data.root() / "CD000001.DAT.defekt";
  EXPECT_EQ(outcome.damagedCopies, std::vector<std::filesystem::path>{copy});
  EXPECT_EQ(bytesOf(copy), cut);
  ASSERT_EQ(loadStoredNames(m_dataFile, tree, header), ResultCode::Ok);
  EXPECT_EQ(header.name, "Archiv");
  EXPECT_EQ(header.location, "Regal 3");
  // Without the old tree the remarks find no entry: none is lost, all eight
  // go to the orphan file.
  EXPECT_EQ(outcome.orphans.size(), 8u);
  EXPECT_NE(orphanText(outcome.orphanFile).find("über Z"), std::string::npos);
}

TEST_F(RescanTest, AVolumeFileWhoseHeaderDoesNotReadIsNotReplaced) {
  catalogue();
  damageMagic(m_dataFile, 'X');
  const Snapshot before = snapshot(m_data.root());
  Observer observer;
  const RescanOutcome outcome = rescan(drives("ALT", 1000000, kOldUuid), observer);
  EXPECT_NE(outcome.code, ResultCode::Ok);
  EXPECT_EQ(snapshot(m_data.root()), before);
}

}  // namespace
}  // namespace diskindex::scan
