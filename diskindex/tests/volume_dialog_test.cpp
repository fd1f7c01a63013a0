#include "diskindex/core/scan/volume_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"
#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/core/volume_file.h"

namespace diskindex::scan {
namespace {

using testing::FakeDrive;
using testing::TempTree;

struct ScriptedQuestions : DialogQuestions {
  bool otherTypeAnswer = false;
  bool sameLabelAnswer = false;
  std::vector<std::string> asked;
  bool confirmOtherDriveType() override {
    asked.push_back("type");
    return otherTypeAnswer;
  }
  void nameTaken(const std::string& name) override { asked.push_back("name " + name); }
  bool confirmSameLabel(const std::string& label) override {
    asked.push_back("label " + label);
    return sameLabelAnswer;
  }
};

class VolumeDialogTest : public ::testing::Test {
 protected:
  VolumeDialogTest()
      : m_drives(testing::fakeDriveTable({{'E', cd(m_cdRoot)}, {'F', stick(m_stickRoot)}})) {
    m_catalogue.setDataDirectory(m_data.root());
    add("Fotos 2020", 'E', 5, "FOTOS");
    add("Musik", 'E', 0, "MUSIK");
    add("Texte", 'F', 2, "TEXTE");
  }
  static FakeDrive cd(const TempTree& root) {
    FakeDrive d;
    d.root = root.root();
    d.fsType = "iso9660";
    d.label = "FOTOS";
    return d;
  }
  static FakeDrive stick(const TempTree& root) {
    FakeDrive d;
    d.root = root.root();
    d.label = "";
    return d;
  }
  void add(const std::string& name, char letter, std::uint8_t type, const std::string& label) {
    VolumeHeader h = freshHeader();
    h.name = name;
    h.driveLetter = letter;
    h.driveType = type;
    h.label = label;
    const EntryRecord entry{1, "A.TXT", 1, 0, 0x20};
    ASSERT_EQ(m_catalogue.addVolume(h, std::span<const EntryRecord>(&entry, 1), TFileCommentList{}),
              ResultCode::Ok);
  }
  DialogContext context(std::optional<std::size_t> edited = std::nullopt) {
    return DialogContext{&m_catalogue.volumes(), &m_drives, edited};
  }
  std::size_t indexOf(const std::string& name) {
    return m_catalogue.volumes().findByName(name).value();
  }

  TempTree m_cdRoot;
  TempTree m_stickRoot;
  TempTree m_data;
  Catalogue m_catalogue;
  platform::DriveTable m_drives;
};

TEST_F(VolumeDialogTest, AddingProposesTheLabelAsNameAndTheFilterAsCategory) {
  const DialogValues values = valuesForAdding(m_drives, 'e', "Urlaub");
  EXPECT_EQ(values.driveLetter, 'E');
  EXPECT_EQ(values.name, "FOTOS");
  EXPECT_EQ(values.category, "Urlaub");
  EXPECT_EQ(valuesForAdding(m_drives, 'F', "<ALLE>").category, "<keine Zuordnung>");
  EXPECT_EQ(valuesForAdding(m_drives, 'F', "<ALLE>").name, "");
}

TEST_F(VolumeDialogTest, NameOfAnotherVolumeInOtherCaseIsRefused) {
  ScriptedQuestions questions;
  DialogValues values = valuesForAdding(m_drives, 'F', "<ALLE>");
  values.name = "MUSIK";
  EXPECT_EQ(checkDialog(values, context(), questions), DialogCheck::KeepOpen);
  values.name = "Fotos %1";
  values.serial = true;
  values.countText = "2030";
  EXPECT_EQ(checkDialog(values, context(), questions), DialogCheck::KeepOpen);
  EXPECT_EQ(questions.asked, (std::vector<std::string>{"name MUSIK", "name Fotos 2020"}));
}

TEST_F(VolumeDialogTest, NameIsCheckedAsAUtf8VolumeWouldStoreIt) {
  // "M" and 25 "ö" fit a Windows-1252 field but take 51 bytes in UTF-8,
  // where the last "ö" is cut off; a new volume can still become UTF-8.
  std::string stored(1, 'M');
  for (int i = 0; i < 24; ++i) stored += "\xC3\xB6";
  add(stored, 'F', 2, "");
  ScriptedQuestions questions;
  DialogValues values = valuesForAdding(m_drives, 'F', "<ALLE>");
  values.name = stored + "\xC3\xB6";
  EXPECT_EQ(checkDialog(values, context(), questions), DialogCheck::KeepOpen);
  EXPECT_EQ(questions.asked, std::vector<std::string>{"name " + stored});
  // Changing a Windows-1252 volume keeps that encoding: the name fits.
  const std::size_t texte = indexOf("Texte");
  questions.asked.clear();
  DialogValues changed = values;
  changed.driveLetter = 'F';
  EXPECT_EQ(checkDialog(changed, context(texte), questions), DialogCheck::Accepted);
  EXPECT_TRUE(questions.asked.empty());
}

TEST_F(VolumeDialogTest, KnownLabelIsAcceptedOnlyAfterYes) {
  ScriptedQuestions questions;
  DialogValues values = valuesForAdding(m_drives, 'E', "<ALLE>");
  values.name = "Fotos 2021";
  EXPECT_EQ(checkDialog(values, context(), questions), DialogCheck::KeepOpen);
  questions.sameLabelAnswer = true;
  int count = -1;
  EXPECT_EQ(checkDialog(values, context(), questions, &count), DialogCheck::Accepted);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(questions.asked, (std::vector<std::string>{"label FOTOS", "label FOTOS"}));
}

TEST_F(VolumeDialogTest, SeriesCountComesFromTheCountField) {
  ScriptedQuestions questions;
  DialogValues values = valuesForAdding(m_drives, 'F', "<ALLE>");
  values.name = "Band";
  values.serial = true;
  values.countText = "x";
  int count = -1;
  EXPECT_EQ(checkDialog(values, context(), questions, &count), DialogCheck::Accepted);
  EXPECT_EQ(count, 1);
  values.countText = "4";
  EXPECT_EQ(checkDialog(values, context(), questions, &count), DialogCheck::Accepted);
  EXPECT_EQ(count, 4);
}

TEST_F(VolumeDialogTest, ChangingKeepsItsOwnNameAndAsksAboutAnotherDriveType) {
  ScriptedQuestions questions;
  const std::size_t texte = indexOf("Texte");
  VolumeHeader header;
  ASSERT_EQ(readHeader(m_catalogue.volumes()[texte].dataFile, header), ResultCode::Ok);
  DialogValues values = valuesForChanging(header);
  values.name = "TEXTE";
  EXPECT_EQ(checkDialog(values, context(texte), questions), DialogCheck::Accepted);
  EXPECT_TRUE(questions.asked.empty());
  values.driveLetter = 'E';  // a CD-ROM drive instead of the stick
  EXPECT_EQ(checkDialog(values, context(texte), questions), DialogCheck::KeepOpenRestoreDrive);
  questions.otherTypeAnswer = true;
  EXPECT_EQ(checkDialog(values, context(texte), questions), DialogCheck::Accepted);
  EXPECT_EQ(questions.asked, (std::vector<std::string>{"type", "type"}));
}

TEST_F(VolumeDialogTest, FilledHeaderTakesTheValuesAndDropsThePseudoCategory) {
  VolumeHeader header = freshHeader();
  DialogValues values;
  values.driveLetter = 'f';
  values.name = "N";
  values.remark = "R";
  values.location = "L";
  values.category = "<keine Zuordnung>";
  fillHeader(header, values, 2);
  EXPECT_EQ(header.driveLetter, 'F');
  EXPECT_EQ(header.driveType, 2);
  EXPECT_EQ(header.category, "");
  EXPECT_EQ(header.remark, "R");
  EXPECT_EQ(header.location, "L");
  EXPECT_EQ(driveTypeCode(m_drives, 'E'), 5);
  EXPECT_EQ(driveTypeCode(m_drives, 'Q'), 1);
}

TEST_F(VolumeDialogTest, DriveChangeOnAllVolumesMovesTheOldLetterOfMatchingType) {
  const std::size_t fotos = indexOf("Fotos 2020");
  VolumeHeader header;
  ASSERT_EQ(readHeader(m_catalogue.volumes()[fotos].dataFile, header), ResultCode::Ok);
  DialogValues values = valuesForChanging(header);
  values.driveLetter = 'G';
  values.name = "Fotos 2020 neu";
  values.changeAllDrives = true;
  // G is no drive of the table: its type code is 1, so only "Musik" (type 0)
  // follows; "Fotos" itself gets G as the edited volume.
  std::size_t newIndex = 99;
  ASSERT_EQ(changeVolumeInformation(m_catalogue, m_drives, fotos, header, values, &newIndex),
            ResultCode::Ok);
  const VolumeList& volumes = m_catalogue.volumes();
  EXPECT_EQ(volumes[newIndex].name, "Fotos 2020 neu");
  EXPECT_EQ(volumes[newIndex].driveLetter, 'G');
  EXPECT_EQ(volumes[indexOf("Musik")].driveLetter, 'G');
  EXPECT_EQ(volumes[indexOf("Musik")].driveType, 1);
  EXPECT_EQ(volumes[indexOf("Texte")].driveLetter, 'F');
  VolumeHeader musik;
  ASSERT_EQ(readHeader(volumes[indexOf("Musik")].dataFile, musik), ResultCode::Ok);
  EXPECT_EQ(musik.driveLetter, 'G');
}

TEST_F(VolumeDialogTest, DriveChangeLeavesVolumesOfAnotherTypeAlone) {
  add("Fotos 2019", 'E', 5, "F19");
  const std::size_t musik = indexOf("Musik");
  VolumeHeader header;
  ASSERT_EQ(readHeader(m_catalogue.volumes()[musik].dataFile, header), ResultCode::Ok);
  DialogValues values = valuesForChanging(header);
  values.driveLetter = 'F';  // removable (2): the CD-ROM volumes (5) stay on E
  values.changeAllDrives = true;
  ASSERT_EQ(changeVolumeInformation(m_catalogue, m_drives, musik, header, values), ResultCode::Ok);
  EXPECT_EQ(m_catalogue.volumes()[indexOf("Musik")].driveLetter, 'F');
  EXPECT_EQ(m_catalogue.volumes()[indexOf("Fotos 2019")].driveLetter, 'E');
  EXPECT_EQ(m_catalogue.volumes()[indexOf("Fotos 2020")].driveLetter, 'E');
}

}  // namespace
}  // namespace diskindex::scan
