// The main window finding volumes: "Datenträ&ger erkennen" against the file
// system this machine really has, and the overview by free space.

#include <QMenuBar>

#include "diskindex/core/volume_file.h"
#include "diskindex/tests/main_form_fixture.h"

namespace diskindex::ui::testing {
namespace {

class FormFinderTest : public MainFormTest {
 protected:
  void addVolumeWithFree(const std::string& name, std::int64_t freeSpace,
                         const platform::FileSystemId& id = {}) {
    Catalogue catalogue;
    catalogue.setDataDirectory(m_data);
    catalogue.loadVolumeList();
    SampleVolume volume;
    volume.name = name;
    volume.capacity = 8'000'000'000;
    volume.freeSpace = freeSpace;
    ASSERT_EQ(addSampleVolume(catalogue, volume, kEntries), ResultCode::Ok);
    const auto index = catalogue.volumes().findByName(name);
    ASSERT_TRUE(index.has_value());
    if (id.known()) {
      VolumeHeader header;
      ASSERT_EQ(readHeader(catalogue.volumes()[*index].dataFile, header), ResultCode::Ok);
      header.volumeId = id;
      ASSERT_EQ(rewriteHeader(catalogue.volumes()[*index].dataFile, header), ResultCode::Ok);
    }
    if (!std::filesystem::exists(m_settingsFile)) writeSettings("");
  }
  QStringList overviewRows() {
    QStringList rows;
    for (int row = 0; row < tree()->model()->rowCount(); ++row) {
      rows << tree()->model()->index(row, 0).data().toString();
    }
    return rows;
  }
  // The identity of this machine's root file system, which the drive table
  // always lists as C:.
  static platform::FileSystemId rootId() {
    return platform::DriveTable::fromSystem().volumeId('C');
  }
};

TEST_F(FormFinderTest, OverviewByFreeSpaceShowsTheRoomAndIsRemembered) {
  addVolumeWithFree("Alpha", 1000);
  addVolumeWithFree("Beta", 5'000'000'000);
  addVolumeWithFree("Gamma", -1);
  TDiskIndexForm& form = start();
  EXPECT_EQ(overviewRows(), (QStringList{"Alpha", "Beta", "Gamma"}));
  tree()->setCurrentIndex(tree()->model()->index(0, 0));  // Alpha
  form.actions().sortOverviewFree->trigger();
  EXPECT_EQ(overviewRows(),
            (QStringList{"Beta  (4,7 GB frei)", "Alpha  (1000 Byte frei)", "Gamma"}));
  EXPECT_EQ(tree()->currentIndex().row(), 1) << "the selection stays on Alpha";
  ModelCheck check(tree()->model());
  form.close();
  EXPECT_EQ(check.failures(), 0) << check.messages().join('\n').toStdString();
  EXPECT_EQ(platform::IniFile(m_settingsFile).readInt("Inits", "SORT_FREE", -1), 1);
  TDiskIndexForm& again = start();
  EXPECT_TRUE(again.actions().sortOverviewFree->isChecked());
  EXPECT_EQ(overviewRows().value(0), "Beta  (4,7 GB frei)");
  again.actions().sortOverviewFree->trigger();
  EXPECT_EQ(overviewRows(), (QStringList{"Alpha", "Beta", "Gamma"}));
}

TEST_F(FormFinderTest, RecogniseSaysSoWhenNoCataloguedVolumeIsInADrive) {
  addVolumeWithFree("Ohne Kennung", 10);
  TDiskIndexForm& form = start();
  form.actions().recogniseVolume->trigger();
  ASSERT_EQ(m_prompts->shown.size(), 1u);
  EXPECT_EQ(m_prompts->shown[0].kind, "information");
  EXPECT_EQ(m_prompts->shown[0].caption, "Datenträger erkennen");
  EXPECT_TRUE(m_prompts->shown[0].text.startsWith("Keiner der eingelegten Datenträger"));
  EXPECT_EQ(form.windowTitle(), "K&T DiskIndex");
  EXPECT_EQ(form.actions().recogniseVolume->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
}

TEST_F(FormFinderTest, RecogniseOpensTheVolumeReadFromAMountedFileSystem) {
  if (!rootId().known()) GTEST_SKIP() << "the root file system has no identity here";
  addVolumeWithFree("Anderes", 10, platform::FileSystemId::fromUuidText("0000-0001"));
  addVolumeWithFree("System", 10, rootId());
  TDiskIndexForm& form = start();
  form.actions().recogniseVolume->trigger();
  EXPECT_TRUE(m_prompts->shown.empty());
  EXPECT_EQ(form.windowTitle(), "K&T DiskIndex:  [System]");
}

TEST_F(FormFinderTest, SeveralRecognisedVolumesAreOfferedForChoice) {
  if (!rootId().known()) GTEST_SKIP() << "the root file system has no identity here";
  addVolumeWithFree("System 1", 10, rootId());
  addVolumeWithFree("System 2", 10, rootId());
  TDiskIndexForm& form = start();
  m_prompts->itemChoices = {std::nullopt, 1};
  form.actions().recogniseVolume->trigger();  // cancelled
  EXPECT_EQ(form.windowTitle(), "K&T DiskIndex");
  form.actions().recogniseVolume->trigger();
  ASSERT_EQ(m_prompts->itemLists.size(), 2u);
  EXPECT_EQ(m_prompts->itemLists[1], (QStringList{"C:  System 1", "C:  System 2"}));
  EXPECT_EQ(form.windowTitle(), "K&T DiskIndex:  [System 2]");
  // From the contents view of one volume straight into the other.
  m_prompts->itemChoices = {0};
  form.actions().recogniseVolume->trigger();
  EXPECT_EQ(form.windowTitle(), "K&T DiskIndex:  [System 1]");
}

}  // namespace
}  // namespace diskindex::ui::testing
