// One data folder used by several programs at once, each a real process
// (fork): volumes added at the same time all end up in the catalogue under
// their own numbers, remarks saved by two programs are merged or reported as
// a conflict, and a lock held by one program makes the other wait.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <thread>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/fault_injector.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;

// A pipe the parent writes one byte per waiting child to, to start them at
// the same moment or in a chosen order.
class Gate {
 public:
  Gate() { EXPECT_EQ(::pipe(m_fds), 0); }
  ~Gate() {
    ::close(m_fds[0]);
    ::close(m_fds[1]);
  }
  void wait() const {
    char byte = 0;
    while (::read(m_fds[0], &byte, 1) < 0 && errno == EINTR) {
    }
  }
  void open(int children) const {
    for (int i = 0; i < children; ++i) EXPECT_EQ(::write(m_fds[1], "x", 1), 1);
  }

 private:
  int m_fds[2] = {-1, -1};
};

pid_t spawn(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  return child;
}

int exitStatus(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SharedFolder, EightProgramsAddingAtOnceLoseNoVolume) {
  test::TempDir tmp;
  constexpr int kPrograms = 8;
  constexpr int kEach = 25;
  Gate start;
  std::vector<pid_t> children;
  for (int p = 0; p < kPrograms; ++p) {
    children.push_back(spawn([&, p] {
      Catalogue catalogue;
      catalogue.setDataDirectory(tmp.path());
      catalogue.loadVolumeList();
      start.wait();
      const auto walk = test::generatedWalk(3, 2);
      for (int i = 0; i < kEach; ++i) {
        TFileCommentList remarks;
        remarks.set({1, -1}, "P" + std::to_string(p));
        const std::string name = "P" + std::to_string(p) + "-" + std::to_string(i);
        if (catalogue.addVolume(test::sampleHeader(name), walk, remarks) != ResultCode::Ok) {
          return 1;
        }
      }
      return 0;
    }));
  }
  start.open(kPrograms);
  for (const pid_t child : children) EXPECT_EQ(exitStatus(child), 0);

  Catalogue catalogue;
  catalogue.setDataDirectory(tmp.path());
  ASSERT_EQ(catalogue.loadVolumeList(), ResultCode::Ok);
  ASSERT_EQ(catalogue.volumes().size(), static_cast<std::size_t>(kPrograms * kEach));
  std::set<std::string> names;
  std::set<fs::path> files;
  for (const VolumeRecord& record : catalogue.volumes().records()) {
    names.insert(record.name);
    files.insert(record.dataFile);
    TFileCommentList remarks;
    ASSERT_EQ(loadRemarks(record.commentFile(), remarks), ResultCode::Ok) << record.name;
    // Each volume's remarks are its own program's, not another's.
    EXPECT_EQ(remarks.find({1, -1}), record.name.substr(0, record.name.find('-')));
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kPrograms * kEach));
  EXPECT_EQ(files.size(), static_cast<std::size_t>(kPrograms * kEach));
}

class TwoEditors : public ::testing::Test {
 protected:
  void SetUp() override {
    VolumeHeader header = test::sampleHeader("Gemeinsam");
    ASSERT_EQ(createVolume(m_dataFile, header, test::generatedWalk(4, 3)), ResultCode::Ok);
    TFileCommentList remarks;
    remarks.set({1, -1}, "Wurzel");
    remarks.set({2, 0}, "Datei");
    ASSERT_EQ(saveRemarks(commentFileFor(m_dataFile), remarks), ResultCode::Ok);
  }

  // Two programs load the remarks, then save one after the other, each with
  // its own edit; returns what the second one's save said.
  RemarkSaveStatus editTwice(TDirFileNo firstKey, TDirFileNo secondKey) {
    const fs::path file = commentFileFor(m_dataFile);
    Gate loaded;
    Gate firstSaved;
    Gate goOn;
    const auto editor = [&](TDirFileNo key, const std::string& text, const Gate* before,
                            const Gate* after) {
      return spawn([=, &loaded] {
        RemarksLoad load = loadRemarksForEdit(file);
        load.remarks.set(key, text);
        loaded.open(1);
        if (before != nullptr) before->wait();
        const RemarkSaveResult result =
            saveRemarksMerged({file, load.base, load.remarks.records()});
        if (after != nullptr) after->open(1);
        return static_cast<int>(result.status);
      });
    };
    const pid_t first = editor(firstKey, "erstes Programm", &goOn, &firstSaved);
    const pid_t second = editor(secondKey, "zweites Programm", &firstSaved, nullptr);
    loaded.wait();
    loaded.wait();  // both have read the file before either saves
    goOn.open(1);
    EXPECT_EQ(exitStatus(first), static_cast<int>(RemarkSaveStatus::Saved));
    return static_cast<RemarkSaveStatus>(exitStatus(second));
  }

  test::TempDir m_tmp;
  fs::path m_dataFile = m_tmp / "CD000001.DAT";
};

TEST_F(TwoEditors, DifferentEntriesAreBothKept) {
  EXPECT_EQ(editTwice({1, -1}, {3, 2}), RemarkSaveStatus::Merged);
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(m_dataFile), remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({1, -1}), "erstes Programm");
  EXPECT_EQ(remarks.find({3, 2}), "zweites Programm");
  EXPECT_EQ(remarks.find({2, 0}), "Datei");
}

TEST_F(TwoEditors, SameEntryIsAConflictAndTheFirstSaveStays) {
  EXPECT_EQ(editTwice({2, 0}, {2, 0}), RemarkSaveStatus::Conflict);
  TFileCommentList remarks;
  ASSERT_EQ(loadRemarks(commentFileFor(m_dataFile), remarks), ResultCode::Ok);
  EXPECT_EQ(remarks.find({2, 0}), "erstes Programm");
}

TEST(SharedFolder, AWriterWaitsForTheLockAndKeepsTheOtherProgramsChange) {
  test::TempDir tmp;
  const fs::path dataFile = tmp / "CD000001.DAT";
  VolumeHeader header = test::sampleHeader("Alt");
  ASSERT_EQ(createVolume(dataFile, header, test::generatedWalk(2, 2)), ResultCode::Ok);
  Gate locked;
  const pid_t holder = spawn([&] {
    // The other program changes the category while it holds the lock.
    const FolderLock lock(tmp.path(), FolderLock::Mode::Exclusive);
    locked.open(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::vector<std::uint8_t> bytes = test::readAll(dataFile);
    VolumeHeader changed;
    if (readHeader(dataFile, changed) != ResultCode::Ok) return 2;
    changed.name = "Anders";
    const HeaderBytes header = encodeHeader(changed, false);
    std::copy(header.begin(), header.end(), bytes.begin());
    return writeFileAtomically(dataFile, bytes) == ResultCode::Ok ? 0 : 1;
  });
  locked.wait();
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(rewriteCategory(dataFile, "Meine"), ResultCode::Ok);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(200));
  EXPECT_EQ(exitStatus(holder), 0);
  // The category change waited and was made on the other program's file:
  // both changes are there.
  VolumeHeader now;
  ASSERT_EQ(readHeader(dataFile, now), ResultCode::Ok);
  EXPECT_EQ(now.category, "Meine");
  EXPECT_EQ(now.name, "Anders");
}

}  // namespace
}  // namespace diskindex
