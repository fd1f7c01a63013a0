#include "diskindex/core/files/volume_check.h"

#include <gtest/gtest.h>

#include "diskindex/core/files/file_messages.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::files {
namespace {

using scan::testing::FakeDrive;
using scan::testing::fakeDriveTable;
using scan::testing::TempTree;

class Answers : public VolumeCheckObserver {
 public:
  void driveUnreadable(const VolumeRoot& root) override { unreadable += root.text(); }
  OtherVolumeAnswer askOtherVolume(const OtherVolumeQuestion& q) override {
    questions.push_back(q);
    return answer;
  }
  OtherVolumeAnswer answer;
  std::vector<OtherVolumeQuestion> questions;
  std::string unreadable;
};

struct Fixture {
  test::TempDir data;
  TempTree drive;
  Catalogue catalogue;

  explicit Fixture(const std::string& storedLabel) {
    VolumeHeader header = test::sampleHeader("Archiv 3");
    header.label = storedLabel;
    header.capacity = 1000;
    header.freeSpace = 10;
    header.remark = "bleibt";
    test::writeVolume(data / "CD000001.DAT", header, {test::file(1, "A.TXT")});
    catalogue.setDataDirectory(data.path());
    catalogue.loadVolumeList();
  }
  Fixture(const std::string& storedLabel, const std::string& storedUuid) : Fixture(storedLabel) {
    VolumeHeader h = header();
    h.volumeId = platform::FileSystemId::fromUuidText(storedUuid);
    EXPECT_EQ(catalogue.changeVolumeInfo(0, h), ResultCode::Ok);
  }
  platform::DriveTable drives(const std::string& label, const std::string& uuid = {}) const {
    return fakeDriveTable({{'E', FakeDrive{drive.root(), "vfat", label, {2000000, 5000}}}},
                          {{'E', uuid}});
  }
  VolumeHeader header() const {
    VolumeHeader h;
    EXPECT_EQ(readHeader(data / "CD000001.DAT", h), ResultCode::Ok);
    return h;
  }
};

TEST(VolumeCheck, TheCataloguedLabelPassesWhateverItsCase) {
  Fixture f("DISC_7");
  Answers answers;
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives("disc_7"), answers));
  EXPECT_TRUE(answers.questions.empty());
}

TEST(VolumeCheck, AnUnreadableDriveIsRefusedWithItsMessage) {
  Fixture f("DISC");
  Answers answers;
  answers.answer.proceed = true;
  const platform::DriveTable none = fakeDriveTable({});
  EXPECT_FALSE(checkVolume(f.catalogue, 0, none, answers));
  EXPECT_EQ(answers.unreadable, "E:");
  EXPECT_TRUE(answers.questions.empty());
  EXPECT_EQ(driveUnreadableMessage('e'), "Auf das Laufwerk E: kann nicht\r\nzugegriffen werden!");
}

TEST(VolumeCheck, NoLabelStoredEmptyOrAsLeerPassesInADriveWithoutLabel) {
  for (const char* stored : {"", "[leer]"}) {
    Fixture f(stored);
    Answers answers;
    EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives(""), answers)) << stored;
    EXPECT_TRUE(answers.questions.empty()) << stored;
  }
  // A drive with a label still asks, naming what is stored.
  Fixture f("[leer]");
  Answers answers;
  EXPECT_FALSE(checkVolume(f.catalogue, 0, f.drives("DISC"), answers));
  ASSERT_EQ(answers.questions.size(), 1u);
  const std::vector<std::string> lines = answers.questions[0].lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Das zum Datenträger \"Archiv 3\"");
  EXPECT_EQ(lines[1],
            "gespeicherte Volume-Label (\"[leer]\") ist ein anderes als das des Datenträgers im "
            "Laufwerk E: (\"DISC\").");
  // "Ja" without the update goes on and changes nothing.
  answers.answer.proceed = true;
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives("DISC"), answers));
  EXPECT_EQ(f.header().label, "[leer]");
  EXPECT_EQ(f.header().capacity, 1000);
}

TEST(VolumeCheck, UpdatingFromADriveWithoutLabelStoresNoneAndAsksNoMore) {
  Fixture f("ALT");
  Answers answers;
  answers.answer = {true, true};
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives(""), answers));
  ASSERT_EQ(answers.questions.size(), 1u);
  EXPECT_EQ(f.header().label, "") << "no \"[leer]\" the drive would never report";
  EXPECT_EQ(f.catalogue.volumes()[0].label, "");
  answers.questions.clear();
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives(""), answers));
  EXPECT_TRUE(answers.questions.empty());
}

TEST(VolumeCheck, YesWithTheUpdateStoresLabelCapacityAndFreeSpace) {
  Fixture f("[leer]");
  Answers answers;
  answers.answer = {true, true};
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives("NEWDISC"), answers));
  const VolumeHeader h = f.header();
  EXPECT_EQ(h.label, "NEWDISC");
  EXPECT_EQ(h.capacity, 2000000);
  EXPECT_EQ(h.freeSpace, 5000);
  EXPECT_EQ(h.remark, "bleibt");
  const VolumeRecord& record = f.catalogue.volumes()[0];
  EXPECT_EQ(record.label, "NEWDISC");
  EXPECT_EQ(record.capacity, 2000000);
  // Now the label matches: no more question.
  answers.questions.clear();
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives("NEWDISC"), answers));
  EXPECT_TRUE(answers.questions.empty());
}

TEST(VolumeCheck, AFailedUpdateAnswersNo) {
  Fixture f("OLD");
  std::filesystem::remove(f.data / "CD000001.DAT");
  Answers answers;
  answers.answer = {true, true};
  EXPECT_FALSE(checkVolume(f.catalogue, 0, f.drives("NEW"), answers));
}

TEST(VolumeCheck, EqualFileSystemIdsPassWhateverTheLabelsSay) {
  Fixture f("URLAUB", "1C2B-7E0A");
  Answers answers;
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives("NEU", "1c2b-7e0a"), answers));
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives("", "1C2B-7E0A"), answers));
  EXPECT_TRUE(answers.questions.empty());
}

TEST(VolumeCheck, DifferentFileSystemIdsAskEvenWhenTheLabelsAgree) {
  Fixture f("URLAUB", "1C2B-7E0A");
  Answers answers;
  EXPECT_FALSE(checkVolume(f.catalogue, 0, f.drives("URLAUB", "99AA-0001"), answers));
  ASSERT_EQ(answers.questions.size(), 1u);
  EXPECT_TRUE(answers.questions[0].differentFileSystem);
  EXPECT_NE(answers.questions[0].lines()[1].find("Dateisystem"), std::string::npos);
  EXPECT_FALSE(checkVolume(f.catalogue, 0, f.drives("ANDERS", "99AA-0001"), answers));
  ASSERT_EQ(answers.questions.size(), 2u);
  EXPECT_FALSE(answers.questions[1].differentFileSystem);
}

TEST(VolumeCheck, OnlyOneSideKnowingTheIdFallsBackToTheLabel) {
  Fixture withId("URLAUB", "1C2B-7E0A");
  Answers answers;
  EXPECT_TRUE(checkVolume(withId.catalogue, 0, withId.drives("urlaub"), answers));
  Fixture withoutId("URLAUB");
  EXPECT_TRUE(
      checkVolume(withoutId.catalogue, 0, withoutId.drives("URLAUB", "1C2B-7E0A"), answers));
  EXPECT_TRUE(answers.questions.empty());
  EXPECT_FALSE(checkVolume(withoutId.catalogue, 0, withoutId.drives("NEU", "1C2B-7E0A"), answers));
  EXPECT_EQ(answers.questions.size(), 1u);
}

TEST(VolumeCheck, UpdatingAfterTheQuestionStoresTheDrivesFileSystemId) {
  Fixture f("URLAUB", "1C2B-7E0A");
  Answers answers;
  answers.answer = {true, true};
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives("FORMAT", "5555-6666"), answers));
  EXPECT_EQ(f.header().volumeId, platform::FileSystemId::fromUuidText("5555-6666"));
  EXPECT_EQ(f.catalogue.volumes()[0].volumeId, f.header().volumeId);
  EXPECT_EQ(f.header().label, "FORMAT");
  answers.questions.clear();
  EXPECT_TRUE(checkVolume(f.catalogue, 0, f.drives("FORMAT", "5555-6666"), answers));
  EXPECT_TRUE(answers.questions.empty());
}

TEST(FileMessages, CopyFailuresReadAsTheProgramWordsThem) {
  EXPECT_EQ(copyMessage(ResultCode::NotWritable, "/mnt/x").text,
            "Datenträger bzw. Zielverzeichnis\r\n\"/mnt/x\"\r\nist schreibgeschützt!");
  EXPECT_EQ(copyMessage(ResultCode::NotFound, "E:\\A").text,
            "Datei- bzw. Verzeichnisname ist ungültig:\r\n\"E:\\A\"!");
  EXPECT_EQ(copyMessage(ResultCode::CannotOpen, "E:\\A").text,
            copyMessage(ResultCode::NotFound, "E:\\A").text);
  EXPECT_TRUE(copyMessage(ResultCode::Cancelled, "").information);
  EXPECT_FALSE(copyMessage(ResultCode::CannotWrite, "f").information);
  EXPECT_EQ(overwriteQuestion("/t/A.TXT"),
            "Die Datei\r\n\"/t/A.TXT\"\r\nexistiert bereits!\r\nSoll sie überschrieben werden?");
  EXPECT_EQ(insertVolumeQuestion("CD 1"), "Folgenden Datenträger einlegen:\r\n\"CD 1\"!");
  EXPECT_EQ(insertVolumeQuestion("CD 1", "/t/A"),
            "Kann Datei nicht kopieren:\r\n\"/t/A\"!\r\n\r\nFolgenden Datenträger "
            "einlegen:\r\n\"CD 1\"!");
  EXPECT_NE(copyMessage(ResultCode::UnsafeName, "..").text.find("\"..\""), std::string::npos);
}

}  // namespace
}  // namespace diskindex::files
