#include "platform/drives.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <set>

namespace platform {
namespace {

namespace fs = std::filesystem;

class FakeMountSource : public MountSource {
 public:
  std::vector<MountEntry> table;
  std::map<std::string, bool> removable;
  std::map<std::string, std::string> labels;
  std::map<std::string, SpaceInfo> spaces;

  std::vector<MountEntry> mounts() const override { return table; }
  bool isRemovable(const std::string& device) const override {
    const auto it = removable.find(device);
    return it != removable.end() && it->second;
  }
  std::string labelOf(const std::string& device) const override {
    const auto it = labels.find(device);
    return it == labels.end() ? std::string() : it->second;
  }
  SpaceInfo space(const fs::path& root) const override {
    const auto it = spaces.find(root.string());
    return it == spaces.end() ? SpaceInfo{} : it->second;
  }
  bool isDirectory(const fs::path& root) const override {
    return missing.count(root.string()) == 0;
  }
  std::string uuidOf(const std::string& device) const override {
    const auto it = uuids.find(device);
    return it == uuids.end() ? std::string() : it->second;
  }
  FileSystemId statfsIdOf(const fs::path& root) const override {
    const auto it = statfsIds.find(root.string());
    return it == statfsIds.end() ? FileSystemId{} : it->second;
  }
  std::set<std::string> missing;
  std::map<std::string, std::string> uuids;
  std::map<std::string, FileSystemId> statfsIds;
};

std::shared_ptr<FakeMountSource> typicalDesktop() {
  auto fake = std::make_shared<FakeMountSource>();
  fake->table = {
      {"/dev/nvme0n1p2", "/", "ext4"},
      {"proc", "/proc", "proc"},
      {"sysfs", "/sys", "sysfs"},
      {"/dev/nvme0n1p3", "/home", "ext4"},
      {"/dev/sdb1", "/media/anna/USB STICK", "vfat"},
      {"/dev/sr0", "/media/anna/DISC_2024", "iso9660"},
      {"server:/export", "/mnt/nas", "nfs4"},
      {"tmpfs", "/mnt/ram", "tmpfs"},
      {"cgroup2", "/mnt/cgroup", "cgroup2"},
      {"tmpfs", "/run/user/1000", "tmpfs"},
      {"/dev/sdc1", "/run/media/anna/Backup", "ext4"},
  };
  fake->removable["/dev/sdb1"] = true;
  fake->labels["/dev/sr0"] = "DISC_2024";
  fake->labels["/dev/sdb1"] = "USB STICK";
  fake->spaces["/media/anna/USB STICK/"] = SpaceInfo{8'000'000'000, 5'000'000'000};
  return fake;
}

TEST(MountTable, ParsesFieldsAndDecodesOctalEscapes) {
  const auto mounts = parseMountTable(
      "/dev/sdb1 /media/anna/USB\\040STICK vfat rw,nosuid 0 0\n"
      "//srv/a\\134b /mnt/tab\\011name cifs rw 0 0\n"
      "short line\n"
      "\n"
      "dev relative/point ext4 rw 0 0\n"
      "/dev/sr0 /media/x\\04 iso9660 ro 0 0\n"
      "/dev/sda1 / ext4 rw 0 0");
  ASSERT_EQ(mounts.size(), 4u);
  EXPECT_EQ(mounts[0].mountPoint, "/media/anna/USB STICK");
  EXPECT_EQ(mounts[0].device, "/dev/sdb1");
  EXPECT_EQ(mounts[0].fsType, "vfat");
  EXPECT_EQ(mounts[1].device, "//srv/a\\b");
  EXPECT_EQ(mounts[1].mountPoint, "/mnt/tab\tname");
  EXPECT_EQ(mounts[2].mountPoint, "/media/x\\04");  // an incomplete escape stays
  EXPECT_EQ(mounts[3].mountPoint, "/");
}

TEST(DriveTypes, FollowTheFileSystemAndDevice) {
  EXPECT_EQ(driveTypeFor({"/dev/sr0", "/m", "iso9660"}, false), DriveType::CdRom);
  EXPECT_EQ(driveTypeFor({"/dev/sdb1", "/m", "udf"}, true), DriveType::CdRom);
  EXPECT_EQ(driveTypeFor({"/dev/sr1", "/m", "auto"}, false), DriveType::CdRom);
  EXPECT_EQ(driveTypeFor({"/dev/sdb1", "/m", "vfat"}, true), DriveType::Removable);
  for (const char* net : {"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs"}) {
    EXPECT_EQ(driveTypeFor({"srv:/x", "/m", net}, false), DriveType::Remote) << net;
  }
  EXPECT_EQ(driveTypeFor({"tmpfs", "/m", "tmpfs"}, false), DriveType::RamDisk);
  EXPECT_EQ(driveTypeFor({"ramfs", "/m", "ramfs"}, false), DriveType::RamDisk);
  EXPECT_EQ(driveTypeFor({"/dev/sda1", "/m", "ext4"}, false), DriveType::Fixed);
  EXPECT_EQ(static_cast<int>(DriveType::CdRom), 5);
  EXPECT_EQ(static_cast<int>(DriveType::Removable), 2);
  EXPECT_EQ(static_cast<int>(DriveType::Remote), 4);
  EXPECT_EQ(static_cast<int>(DriveType::RamDisk), 6);
  EXPECT_EQ(static_cast<int>(DriveType::Fixed), 3);
  EXPECT_TRUE(isPseudoFileSystem("proc"));
  EXPECT_TRUE(isPseudoFileSystem("cgroup2"));
  EXPECT_FALSE(isPseudoFileSystem("ext4"));
  EXPECT_FALSE(isPseudoFileSystem("tmpfs"));
}

TEST(DriveTable, RootIsCAndMediaMountsFollowSortedFromD) {
  const DriveTable table(typicalDesktop());
  EXPECT_EQ(table.letters(), (std::vector<char>{'C', 'D', 'E', 'F', 'G', 'H'}));
  EXPECT_EQ(table.root('C'), fs::path("/"));
  EXPECT_EQ(table.root('D'), fs::path("/media/anna/DISC_2024/"));
  EXPECT_EQ(table.root('E'), fs::path("/media/anna/USB STICK/"));
  EXPECT_EQ(table.root('F'), fs::path("/mnt/nas/"));
  EXPECT_EQ(table.root('G'), fs::path("/mnt/ram/"));
  EXPECT_EQ(table.root('H'), fs::path("/run/media/anna/Backup/"));
  EXPECT_FALSE(table.exists('I'));
  EXPECT_FALSE(table.exists('A'));
  EXPECT_TRUE(table.exists('e'));
}

TEST(DriveTable, InfoReportsTypeLabelAndSpace) {
  const DriveTable table(typicalDesktop());
  const auto disc = table.info('D');
  ASSERT_TRUE(disc.has_value());
  EXPECT_EQ(disc->type, DriveType::CdRom);
  EXPECT_EQ(disc->label, "DISC_2024");
  EXPECT_EQ(disc->space.capacity, -1);
  const auto stick = table.info('e');
  ASSERT_TRUE(stick.has_value());
  EXPECT_EQ(stick->letter, 'E');
  EXPECT_EQ(stick->type, DriveType::Removable);
  EXPECT_EQ(stick->label, "USB STICK");
  EXPECT_EQ(stick->space.capacity, 8'000'000'000);
  EXPECT_EQ(stick->space.freeSpace, 5'000'000'000);
  EXPECT_EQ(table.info('F')->type, DriveType::Remote);
  EXPECT_EQ(table.info('F')->label, "");
  EXPECT_EQ(table.info('G')->type, DriveType::RamDisk);
  EXPECT_EQ(table.info('C')->type, DriveType::Fixed);
  EXPECT_FALSE(table.info('Q').has_value());
}

TEST(DriveTable, OverridesAddLettersAndReplaceAutomaticOnes) {
  const DriveTable table(typicalDesktop(), {{'e', "/home/anna/Archiv"},
                                            {'A', "/media/anna/DISC_2024/sub/../docs"},
                                            {'1', "/ignored"},
                                            {'Z', ""}});
  EXPECT_EQ(table.root('E'), fs::path("/home/anna/Archiv/"));
  EXPECT_EQ(table.root('A'), fs::path("/media/anna/DISC_2024/docs/"));
  EXPECT_EQ(table.root('F'), fs::path("/mnt/nas/"));  // later letters do not move
  EXPECT_FALSE(table.exists('Z'));
  EXPECT_EQ(table.letters(), (std::vector<char>{'A', 'C', 'D', 'E', 'F', 'G', 'H'}));
  // A folder inside a mount inherits that mount's type.
  EXPECT_EQ(table.info('E')->type, DriveType::Fixed);
  EXPECT_EQ(table.info('A')->type, DriveType::CdRom);
}

TEST(DriveTable, OnlyLettersWhoseRootIsNoMountPointAreFolders) {
  const DriveTable table(typicalDesktop(), {{'E', "/home/anna/Archiv"},
                                            {'F', "/home"},
                                            {'G', "/media/anna/USB STICK/Fotos"}});
  EXPECT_FALSE(table.isFolder('C'));  // "/" is a mount point
  EXPECT_FALSE(table.isFolder('D'));  // the disc
  EXPECT_TRUE(table.isFolder('e'));
  EXPECT_FALSE(table.isFolder('F'));  // "/home" is mounted of its own
  EXPECT_TRUE(table.isFolder('G'));
  EXPECT_FALSE(table.isFolder('Q'));  // no such letter
}

TEST(DriveTable, FolderThatIsGoneHasNoRootDirectory) {
  auto fake = typicalDesktop();
  fake->missing.insert("/home/anna/Archiv/");
  fake->spaces["/home/anna/Archiv/"] = SpaceInfo{1, 1};
  const DriveTable table(fake, {{'E', "/home/anna/Archiv"}});
  const auto gone = table.info('E');
  ASSERT_TRUE(gone.has_value());
  EXPECT_EQ(gone->type, DriveType::NoRootDir);
  EXPECT_EQ(gone->space.capacity, -1);
  EXPECT_TRUE(table.exists('E'));
}

TEST(DriveTable, LetterOfPicksTheLongestRootOnComponentBoundaries) {
  const DriveTable table(typicalDesktop(), {{'K', "/media/anna/USB STICK/Fotos"}});
  EXPECT_EQ(table.letterOf("/media/anna/USB STICK/Fotos/2024/a.jpg"), 'K');
  EXPECT_EQ(table.letterOf("/media/anna/USB STICK/Musik"), 'E');
  EXPECT_EQ(table.letterOf("/media/anna/USB STICK"), 'E');
  EXPECT_EQ(table.letterOf("/mnt/nasty/file"), 'C');
  EXPECT_EQ(table.letterOf("/etc/passwd"), 'C');
}

TEST(DriveTable, LaterMountOnTheSamePointHidesTheEarlierOne) {
  auto fake = std::make_shared<FakeMountSource>();
  fake->table = {{"/dev/sda1", "/", "ext4"},
                 {"/dev/sdb1", "/media/x", "ext4"},
                 {"/dev/sr0", "/media/x", "iso9660"}};
  const DriveTable table(fake);
  EXPECT_EQ(table.letters(), (std::vector<char>{'C', 'D'}));
  EXPECT_EQ(table.info('D')->type, DriveType::CdRom);
}

TEST(DriveTable, VolumeIdIsTheUuidOfTheFileSystemMountedAtTheRoot) {
  auto fake = typicalDesktop();
  fake->uuids["/dev/sdb1"] = "1C2B-7E0A";
  fake->uuids["/dev/nvme0n1p3"] = "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12";
  fake->statfsIds["/mnt/nas"] = FileSystemId::fromStatfs(7, 9);
  const DriveTable table(fake, {{'H', "/home"}, {'P', "/home/anna/Bilder"}, {'N', "/mnt/nas"}});
  const auto stick = table.letterOf("/media/anna/USB STICK");
  ASSERT_TRUE(stick.has_value());
  EXPECT_EQ(table.volumeId(*stick), FileSystemId::fromUuidText("1C2B-7E0A"));
  EXPECT_EQ(table.volumeId('H').text(), "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12");
  // A folder inside a file system is not a volume of its own.
  EXPECT_FALSE(table.volumeId('P').known());
  // No UUID: the statfs id; neither: unknown.
  EXPECT_EQ(table.volumeId('N'), FileSystemId::fromStatfs(7, 9));
  EXPECT_FALSE(table.volumeId('C').known());
  EXPECT_FALSE(table.volumeId('Q').known());
  fake->missing.insert("/home/");
  EXPECT_FALSE(table.volumeId('H').known());
}

TEST(DriveTable, FileSystemIdOfAPathIsThatOfTheMountHoldingIt) {
  auto fake = typicalDesktop();
  fake->uuids["/dev/nvme0n1p3"] = "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12";
  fake->uuids["/dev/nvme0n1p2"] = "00112233-4455-6677-8899-aabbccddeeff";
  const DriveTable table(fake);
  EXPECT_EQ(table.fileSystemIdOf("/home/anna/Bilder/2024").text(),
            "9f3c2a1e-0b7d-4c55-8e21-3f6a9d0c4b12");
  EXPECT_EQ(table.fileSystemIdOf("/homework").text(), "00112233-4455-6677-8899-aabbccddeeff");
  EXPECT_EQ(table.fileSystemIdOf("/home/anna/../anna/x"), table.fileSystemIdOf("/home/"));
}

TEST(DriveTable, NoMoreThanTheLettersUpToZ) {
  auto fake = std::make_shared<FakeMountSource>();
  fake->table.push_back({"/dev/sda1", "/", "ext4"});
  for (int i = 0; i < 40; ++i) {
    fake->table.push_back(
        {"/dev/loop" + std::to_string(i), "/mnt/m" + std::to_string(100 + i), "ext4"});
  }
  const DriveTable table(fake);
  EXPECT_EQ(table.letters().size(), 24u);  // C..Z
  EXPECT_EQ(table.root('Z'), fs::path("/mnt/m122/"));
}

class SystemSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    m_dir = fs::temp_directory_path() / ("drives_test_" + std::to_string(rd()));
    fs::create_directories(m_dir / "dev" / "by-label");
    fs::create_directories(m_dir / "dev" / "by-uuid");
    fs::create_directories(m_dir / "sys" / "devices" / "sdb" / "sdb1");
    fs::create_directories(m_dir / "sys" / "devices" / "sda" / "sda1");
    fs::create_directories(m_dir / "class");
    std::ofstream(m_dir / "dev" / "sdb1");
    std::ofstream(m_dir / "dev" / "sda1");
    std::ofstream(m_dir / "sys" / "devices" / "sdb" / "removable") << "1\n";
    std::ofstream(m_dir / "sys" / "devices" / "sdb" / "sdb1" / "partition") << "1\n";
    std::ofstream(m_dir / "sys" / "devices" / "sda" / "removable") << "0\n";
    std::ofstream(m_dir / "sys" / "devices" / "sda" / "sda1" / "partition") << "1\n";
    fs::create_directory_symlink(m_dir / "sys" / "devices" / "sdb" / "sdb1",
                                 m_dir / "class" / "sdb1");
    fs::create_directory_symlink(m_dir / "sys" / "devices" / "sda" / "sda1",
                                 m_dir / "class" / "sda1");
    fs::create_symlink("../sdb1", m_dir / "dev" / "by-label" / "MY\\x20DISK");
    std::ofstream(m_dir / "mounts") << "/dev/sdb1 /media/anna/MY\\040DISK vfat rw 0 0\n";
    paths.mountTable = m_dir / "mounts";
    paths.sysBlock = m_dir / "class";
    fs::create_symlink("../sdb1", m_dir / "dev" / "by-uuid" / "1C2B-7E0A");
    paths.byLabel = m_dir / "dev" / "by-label";
    paths.byUuid = m_dir / "dev" / "by-uuid";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }
  fs::path dev(const char* name) const { return m_dir / "dev" / name; }

  SystemPaths paths;
  fs::path m_dir;
};

TEST_F(SystemSourceTest, ReadsLabelsRemovableFlagAndMountTable) {
  const auto source = systemMountSource(paths);
  EXPECT_EQ(source->labelOf(dev("sdb1").string()), "MY DISK");
  EXPECT_EQ(source->labelOf(dev("sda1").string()), "");
  EXPECT_EQ(source->labelOf((m_dir / "nothing").string()), "");
  EXPECT_EQ(source->uuidOf(dev("sdb1").string()), "1C2B-7E0A");
  EXPECT_EQ(source->uuidOf(dev("sda1").string()), "");
  EXPECT_TRUE(source->isRemovable(dev("sdb1").string()));
  EXPECT_FALSE(source->isRemovable(dev("sda1").string()));
  EXPECT_FALSE(source->isRemovable((m_dir / "nothing").string()));
  const auto mounts = source->mounts();
  ASSERT_EQ(mounts.size(), 1u);
  EXPECT_EQ(mounts[0].mountPoint, "/media/anna/MY DISK");
  paths.mountTable = m_dir / "dev";  // a directory, not a table
  EXPECT_TRUE(systemMountSource(paths)->mounts().empty());
}

TEST_F(SystemSourceTest, SpaceComesFromTheFileSystemOrIsUnknown) {
  const auto source = systemMountSource(paths);
  const SpaceInfo here = source->space(m_dir);
  EXPECT_GT(here.capacity, 0);
  EXPECT_GE(here.freeSpace, 0);
  EXPECT_LE(here.freeSpace, here.capacity);
  EXPECT_TRUE(source->isDirectory(m_dir));
  EXPECT_FALSE(source->isDirectory(m_dir / "mounts"));
  EXPECT_FALSE(source->isDirectory(m_dir / "no" / "such" / "dir"));
  const SpaceInfo missing = source->space(m_dir / "no" / "such" / "dir");
  EXPECT_EQ(missing.capacity, -1);
  EXPECT_EQ(missing.freeSpace, -1);
}

TEST(SystemDriveTable, RootOfThisMachineIsDriveCWithItsSize) {
  const DriveTable table = DriveTable::fromSystem({{'X', fs::temp_directory_path()}});
  const auto c = table.info('C');
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->root, fs::path("/"));
  EXPECT_GT(c->space.capacity, 0);
  EXPECT_EQ(table.letterOf(fs::temp_directory_path() / "x"), 'X');
  EXPECT_EQ(table.letterOf("/"), 'C');
  // Every real file system has a UUID or a statfs id, and the same one each time.
  const FileSystemId here = table.fileSystemIdOf(fs::temp_directory_path());
  EXPECT_TRUE(here.known());
  EXPECT_EQ(here, table.fileSystemIdOf(fs::temp_directory_path()));
}

}  // namespace
}  // namespace platform
