#include "diskindex/core/scan/folder_drive.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "diskindex/core/scan/volume_scanner.h"
#include "diskindex/tests/fake_drives.h"
#include "diskindex/tests/temp_tree.h"
#include "platform/ini_file.h"

namespace diskindex::scan {
namespace {

using testing::FakeDrive;
using testing::TempTree;

class FolderDriveTest : public ::testing::Test {
 protected:
  FolderDriveTest() {
    m_tree.file("Archiv/Briefe/a.txt");
    m_tree.file("Fotos/b.jpg");
    m_disc.root = m_tree.root() / "Disc";
    std::filesystem::create_directories(m_disc.root);
  }

  // The disc as an automatic letter D, plus the settings' [Drives] section.
  platform::DriveTable table() const {
    return platform::DriveTable(
        std::make_shared<testing::FakeMountSource>(std::map<char, FakeDrive>{{'D', m_disc}}),
        withDisc(driveOverrides(m_settings)));
  }
  std::map<char, std::filesystem::path> withDisc(std::map<char, std::filesystem::path> map) const {
    map.try_emplace('D', m_disc.root);
    return map;
  }

  TempTree m_tree;
  FakeDrive m_disc;
  platform::IniFile m_settings = platform::IniFile::fromText("");
};

TEST_F(FolderDriveTest, AFolderGetsTheFirstFreeLetterRecordedInTheDrivesSection) {
  const FolderDrive first = assignFolderDrive(m_settings, table(), m_tree.root() / "Archiv");
  ASSERT_EQ(first.status, FolderDriveStatus::Assigned);
  EXPECT_EQ(first.letter, 'E');
  EXPECT_EQ(m_settings.readString("Drives", "E"), (m_tree.root() / "Archiv").string());

  // Read again with the settings as they now are, the letter resolves.
  const platform::DriveTable later = table();
  EXPECT_EQ(later.root('E'), m_tree.root() / "Archiv" / "");
  const FolderDrive second = assignFolderDrive(m_settings, later, m_tree.root() / "Fotos");
  EXPECT_EQ(second.letter, 'F');
}

TEST_F(FolderDriveTest, AFolderThatHasALetterKeepsItWhateverTheSpelling) {
  m_settings.writeString("Drives", "K", (m_tree.root() / "Archiv").string());
  const std::string before = m_settings.text();
  const std::filesystem::path spelled = m_tree.root() / "Fotos" / ".." / "Archiv" / "";
  const FolderDrive found = assignFolderDrive(m_settings, table(), spelled);
  EXPECT_EQ(found.status, FolderDriveStatus::Existing);
  EXPECT_EQ(found.letter, 'K');
  EXPECT_EQ(m_settings.text(), before) << "nothing is recorded twice";
  // A mount point among the automatic letters counts as well.
  EXPECT_EQ(assignFolderDrive(m_settings, table(), m_disc.root).letter, 'D');
}

TEST_F(FolderDriveTest, ALetterRunsOutAtZAndNothingIsRecorded) {
  for (char letter = 'E'; letter <= 'Z'; ++letter) {
    m_settings.writeString("Drives", std::string(1, letter), "/srv/" + std::string(1, letter));
  }
  const std::string before = m_settings.text();
  const FolderDrive none = assignFolderDrive(m_settings, table(), m_tree.root() / "Fotos");
  EXPECT_EQ(none.status, FolderDriveStatus::LettersRanOut);
  EXPECT_EQ(none.letter, 0);
  EXPECT_EQ(none.folder, m_tree.root() / "Fotos");
  EXPECT_EQ(m_settings.text(), before);
}

TEST_F(FolderDriveTest, OnlyExistingDirectoriesAreGivenALetter) {
  EXPECT_EQ(assignFolderDrive(m_settings, table(), m_tree.root() / "fehlt").status,
            FolderDriveStatus::NotAFolder);
  EXPECT_EQ(assignFolderDrive(m_settings, table(), m_tree.root() / "Fotos" / "b.jpg").status,
            FolderDriveStatus::NotAFolder);
  EXPECT_FALSE(m_settings.hasSection("Drives"));
}

}  // namespace
}  // namespace diskindex::scan
