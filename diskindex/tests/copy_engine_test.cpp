#include "diskindex/core/files/copy_engine.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <deque>
#include <fstream>

#include "diskindex/tests/temp_tree.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::files {
namespace {

namespace fs = std::filesystem;
using scan::testing::TempTree;

std::string content(std::size_t size, char seed = 'a') {
  std::string text(size, ' ');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>(seed + (i * 7 + i / 251) % 26);
  return text;
}

std::string readText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

time_t modified(const fs::path& file) {
  struct stat info {};
  EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
  return info.st_mtime;
}

// Every name in a directory, temporary files included.
std::vector<std::string> namesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    names.push_back(fs::relative(e.path(), dir).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class RecordingObserver : public CopyObserver {
 public:
  void begin(std::uint64_t total, bool window) override {
    totalBytes = total;
    progressWindow = window;
  }
  void progress(std::uint64_t done, std::uint64_t) override {
    ++blocks;
    lastDone = done;
  }
  bool cancelRequested() override { return cancelAfterBlocks >= 0 && blocks >= cancelAfterBlocks; }
  OverwriteAnswer askOverwrite(const fs::path& target) override {
    asked.push_back(target.filename().string());
    if (answers.empty()) return OverwriteAnswer::Cancel;
    const OverwriteAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  void end() override { ++ended; }

  std::uint64_t totalBytes = 0;
  bool progressWindow = false;
  int blocks = 0;
  std::uint64_t lastDone = 0;
  int cancelAfterBlocks = -1;
  std::deque<OverwriteAnswer> answers;
  std::vector<std::string> asked;
  int ended = 0;
};

CopyList filesList(const std::vector<std::pair<std::string, std::uint64_t>>& files) {
  CopyList list;
  for (const auto& [name, size] : files) {
    CopyEntry entry;
    for (std::size_t start = 0;;) {
      const std::size_t slash = name.find('/', start);
      entry.components.push_back(name.substr(start, slash - start));
      if (slash == std::string::npos) break;
      start = slash + 1;
    }
    entry.size = size;
    list.totalSize += size;
    list.entries.push_back(entry);
  }
  return list;
}

TEST(CopyEngine, BlockBoundarySizesArriveExactlyWithTheirTimes) {
  TempTree source;
  test::TempDir target;
  const std::size_t sizes[] = {0, 32000, 64000, 32001};
  std::vector<std::pair<std::string, std::uint64_t>> names;
  for (std::size_t i = 0; i < 4; ++i) {
    const std::string name = "F" + std::to_string(sizes[i]) + ".BIN";
    source.file("DIR/" + name, content(sizes[i], static_cast<char>('a' + i)));
    source.setTime("DIR/" + name, 1000000000 + static_cast<time_t>(i) * 3600);
    names.emplace_back("DIR/" + name, sizes[i]);
  }
  RecordingObserver observer;
  const CopyOutcome outcome = copyFiles(filesList(names), source.root(), target.path(), observer);
  ASSERT_EQ(outcome.code, ResultCode::Ok) << outcome.file;
  EXPECT_EQ(outcome.filesCopied, 4);
  for (std::size_t i = 0; i < 4; ++i) {
    const fs::path copied = target / ("F" + std::to_string(sizes[i]) + ".BIN");
    EXPECT_EQ(readText(copied), content(sizes[i], static_cast<char>('a' + i))) << copied;
    EXPECT_EQ(modified(copied), 1000000000 + static_cast<time_t>(i) * 3600) << copied;
  }
  // 32,000-byte blocks: 1 + 2 + 2 for the three non-empty files.
  EXPECT_EQ(observer.blocks, 5);
  EXPECT_EQ(observer.lastDone, 128001u);
  EXPECT_TRUE(observer.progressWindow);
  EXPECT_EQ(observer.ended, 1);
  EXPECT_EQ(namesIn(target.path()).size(), 4u);  // no temporary file left
}

TEST(CopyEngine, SmallListsGetNoProgressWindow) {
  TempTree source;
  test::TempDir target;
  for (const char* name : {"A.TXT", "B.TXT", "C.TXT"}) source.file(name, content(30000));
  RecordingObserver observer;
  const CopyList list = filesList({{"A.TXT", 30000}, {"B.TXT", 30000}, {"C.TXT", 30000}});
  EXPECT_EQ(copyFiles(list, source.root(), target.path(), observer).code, ResultCode::Ok);
  EXPECT_FALSE(observer.progressWindow);
  EXPECT_EQ(observer.totalBytes, 90000u);
  EXPECT_EQ(namesIn(target.path()), (std::vector<std::string>{"A.TXT", "B.TXT", "C.TXT"}));
}

TEST(CopyEngine, OverwriteIsAskedOncePerFileUntilAllIsChosen) {
  TempTree source;
  test::TempDir target;
  std::vector<std::pair<std::string, std::uint64_t>> names;
  for (const std::string name : {"1.TXT", "2.TXT", "3.TXT", "4.TXT", "5.TXT"}) {
    source.file(name, "new " + name);
    test::writeAll(target / name, {'o', 'l', 'd'});
    names.emplace_back(name, 9);
  }
  RecordingObserver observer;
  observer.answers = {OverwriteAnswer::No, OverwriteAnswer::Yes, OverwriteAnswer::All};
  const CopyOutcome outcome = copyFiles(filesList(names), source.root(), target.path(), observer);
  EXPECT_EQ(outcome.code, ResultCode::Ok);
  EXPECT_EQ(observer.asked, (std::vector<std::string>{"1.TXT", "2.TXT", "3.TXT"}));
  EXPECT_EQ(readText(target / "1.TXT"), "old");  // skipped
  for (const std::string name : {"2.TXT", "3.TXT", "4.TXT", "5.TXT"}) {
    EXPECT_EQ(readText(target / name), "new " + name);
  }
  EXPECT_EQ(outcome.filesCopied, 4);
  EXPECT_EQ(outcome.filesSkipped, 1);
  EXPECT_EQ(observer.lastDone, 45u);  // the skipped file still counts

  // Cancel at the question ends the copy and keeps the old file.
  test::writeAll(target / "1.TXT", {'o', 'l', 'd'});
  RecordingObserver cancel;
  const CopyOutcome stopped = copyFiles(filesList(names), source.root(), target.path(), cancel);
  EXPECT_EQ(stopped.code, ResultCode::Cancelled);
  EXPECT_EQ(cancel.asked.size(), 1u);
  EXPECT_EQ(readText(target / "1.TXT"), "old");
}

TEST(CopyEngine, OptionsAnswerTheQuestionWithoutAsking) {
  TempTree source;
  test::TempDir target;
  source.file("A.TXT", "new");
  test::writeAll(target / "A.TXT", {'o', 'l', 'd'});
  RecordingObserver observer;
  const CopyList list = filesList({{"A.TXT", 3}});
  EXPECT_EQ(copyFiles(list, source.root(), target.path(), observer, {false, true}).code,
            ResultCode::Ok);
  EXPECT_EQ(readText(target / "A.TXT"), "old");
  EXPECT_EQ(copyFiles(list, source.root(), target.path(), observer, {true, false}).code,
            ResultCode::Ok);
  EXPECT_EQ(readText(target / "A.TXT"), "new");
  EXPECT_TRUE(observer.asked.empty());
}

TEST(CopyEngine, CancelEndsAfterTheCurrentBlockWithoutPartialFile) {
  TempTree source;
  test::TempDir target;
  source.file("SMALL.TXT", "done");
  source.file("BIG.BIN", content(100000));
  test::writeAll(target / "BIG.BIN", {'o', 'l', 'd'});
  RecordingObserver observer;
  observer.answers = {OverwriteAnswer::Yes};
  observer.cancelAfterBlocks = 2;  // after SMALL.TXT and the first block of BIG.BIN
  const CopyOutcome outcome =
      copyFiles(filesList({{"SMALL.TXT", 4}, {"BIG.BIN", 100000}, {"NEVER.TXT", 1}}), source.root(),
                target.path(), observer);
  EXPECT_EQ(outcome.code, ResultCode::Cancelled);
  EXPECT_EQ(outcome.file, (target / "BIG.BIN").string());
  EXPECT_EQ(observer.blocks, 2);
  EXPECT_EQ(readText(target / "SMALL.TXT"), "done");  // copied before the cancel: stays
  EXPECT_EQ(readText(target / "BIG.BIN"), "old");     // never half replaced
  EXPECT_EQ(namesIn(target.path()), (std::vector<std::string>{"BIG.BIN", "SMALL.TXT"}));
}

TEST(CopyEngine, TreeListsStartWithTheChosenDirectory) {
  TempTree source;
  test::TempDir target;
  source.file("TOOLS/BIN/B.COM", "b");
  source.file("TOOLS/A.EXE", "a");
  source.dir("TOOLS/EMPTY");
  CopyList list;
  list.entries = {{{"TOOLS", "BIN"}, true, 0},
                  {{"TOOLS", "BIN", "B.COM"}, false, 1},
                  {{"TOOLS", "BIN", "SUB"}, true, 0}};
  RecordingObserver observer;
  ASSERT_EQ(copyFiles(list, source.root(), target.path(), observer).code, ResultCode::Ok);
  EXPECT_EQ(namesIn(target.path()), (std::vector<std::string>{"BIN", "BIN/B.COM", "BIN/SUB"}));

  // From the root: its files land in the target itself.
  test::TempDir whole;
  list.entries = {{{}, true, 0},
                  {{"TOOLS"}, true, 0},
                  {{"TOOLS", "A.EXE"}, false, 1},
                  {{"TOOLS", "EMPTY"}, true, 0},
                  {{"TOOLS", "BIN"}, true, 0},
                  {{"TOOLS", "BIN", "B.COM"}, false, 1}};
  ASSERT_EQ(copyFiles(list, source.root(), whole.path(), observer).code, ResultCode::Ok);
  EXPECT_EQ(namesIn(whole.path()), (std::vector<std::string>{"TOOLS", "TOOLS/A.EXE", "TOOLS/BIN",
                                                             "TOOLS/BIN/B.COM", "TOOLS/EMPTY"}));
}

TEST(CopyEngine, EveryFailureNamesItsFileAndLeavesNoPartialTarget) {
  TempTree source;
  test::TempDir target;
  source.file("A.TXT", "a");
  source.dir("NOTAFILE");
  RecordingObserver observer;

  CopyOutcome o = copyFiles(filesList({{"A.TXT", 1}}), source.root(), target / "missing", observer);
  EXPECT_EQ(o.code, ResultCode::NotWritable);
  EXPECT_EQ(o.file, (target / "missing").string());

  o = copyFiles(filesList({{"GONE.TXT", 1}, {"A.TXT", 1}}), source.root(), target.path(), observer);
  EXPECT_EQ(o.code, ResultCode::NotFound);
  EXPECT_EQ(o.file, (source.root() / "GONE.TXT").string());

  o = copyFiles(filesList({{"A.TXT", 1}, {"GONE.TXT", 1}}), source.root(), target.path(), observer);
  EXPECT_EQ(o.code, ResultCode::CannotOpen);
  EXPECT_EQ(readText(target / "A.TXT"), "a");  // copied before the failure: stays

  o = copyFiles(filesList({{"NOTAFILE", 1}}), source.root(), target.path(), observer);
  EXPECT_EQ(o.code, ResultCode::CannotRead);
  EXPECT_FALSE(fs::exists(target / "NOTAFILE"));

  test::writeAll(target / "SUB", {'x'});  // a file where a directory must go
  CopyList tree;
  tree.entries = {{{"SUB"}, true, 0}, {{"SUB", "A.TXT"}, false, 1}};
  o = copyFiles(tree, source.root(), target.path(), observer);
  EXPECT_EQ(o.code, ResultCode::NotFound);  // the source has no SUB either
  source.dir("SUB");
  o = copyFiles(tree, source.root(), target.path(), observer);
  EXPECT_EQ(o.code, ResultCode::CannotCreateDirectory);
  EXPECT_EQ(o.file, (target / "SUB").string());
  EXPECT_EQ(namesIn(target.path()), (std::vector<std::string>{"A.TXT", "SUB"}));
}

// While it lives, no file of this process may grow beyond limit bytes: a
// write past it comes back short (the signal that would end the process is
// ignored), as on a full target.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit smaller = m_old;
    smaller.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &smaller);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_old{};
  void (*m_oldHandler)(int) = nullptr;
};

TEST(CopyEngine, AFullTargetReportsTheFileAndKeepsTheOldOne) {
  TempTree source;
  test::TempDir target;
  source.file("BIG.BIN", content(64000));
  test::writeAll(target / "BIG.BIN", {'o', 'l', 'd'});
  RecordingObserver observer;
  observer.answers = {OverwriteAnswer::Yes};
  CopyOutcome outcome;
  {
    FileSizeLimit limit(40000);
    outcome = copyFiles(filesList({{"BIG.BIN", 64000}}), source.root(), target.path(), observer);
  }
  EXPECT_EQ(outcome.code, ResultCode::CannotWrite);
  EXPECT_EQ(outcome.file, (target / "BIG.BIN").string());
  EXPECT_EQ(readText(target / "BIG.BIN"), "old");
  EXPECT_EQ(namesIn(target.path()), (std::vector<std::string>{"BIG.BIN"}));
}

TEST(CopyEngine, UnsafeNamesWriteNothingAnywhere) {
  TempTree outside;
  const fs::path source = outside.dir("volume");
  const fs::path target = outside.dir("target");
  outside.file("secret.txt", "secret");
  outside.file("volume/A.TXT", "a");
  CopyList list = filesList({{"A.TXT", 1}});
  list.entries.push_back({{"..", "secret.txt"}, false, 6});
  RecordingObserver observer;
  const CopyOutcome o = copyFiles(list, source, target, observer);
  EXPECT_EQ(o.code, ResultCode::UnsafeName);
  EXPECT_EQ(o.file, "..");
  EXPECT_TRUE(namesIn(target).empty());
  EXPECT_EQ(observer.ended, 0);  // refused before it began

  // A tree whose directory is ".." would put its files beside the target.
  CopyList tree;
  tree.entries = {{{"X", ".."}, true, 0}, {{"X", "..", "A.TXT"}, false, 1}};
  EXPECT_EQ(copyFiles(tree, source, target, observer).code, ResultCode::UnsafeName);
  EXPECT_EQ(namesIn(outside.root()),
            (std::vector<std::string>{"secret.txt", "target", "volume", "volume/A.TXT"}));
}

}  // namespace
}  // namespace diskindex::files
