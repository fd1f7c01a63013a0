#include "diskindex/core/search/results_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "diskindex/tests/test_files.h"

namespace diskindex::search {
namespace {

namespace fs = std::filesystem;

std::vector<ResultRow> rows(int count, const std::string& name = "Müll") {
  std::vector<ResultRow> result;
  for (int i = 0; i < count; ++i) {
    ResultRow r;
    r.volumeName = name;
    r.path = "E:\\Daten\\Datei " + std::to_string(i) + ".txt";
    result.push_back(r);
  }
  return result;
}

std::string text(const fs::path& file) {
  const auto bytes = test::readAll(file);
  return std::string(bytes.begin(), bytes.end());
}

TEST(ResultsFileTest, OneLinePerRowWithTabAndCrLfInWindows1252) {
  test::TempDir tmp;
  ASSERT_EQ(saveResultList(tmp / "list.txt", rows(2)), SaveResult::Ok);
  EXPECT_EQ(text(tmp / "list.txt"),
            "M\xFCll\tE:\\Daten\\Datei 0.txt\r\nM\xFCll\tE:\\Daten\\Datei 1.txt\r\n");
  ASSERT_EQ(saveResultList(tmp / "utf8.txt", rows(1, "Ελλάδα")), SaveResult::Ok);
  EXPECT_EQ(text(tmp / "utf8.txt"), "Ελλάδα\tE:\\Daten\\Datei 0.txt\r\n")
      << "UTF-8 when Windows-1252 cannot hold a name";
  EXPECT_EQ(resultLines(rows(1)), (std::vector<std::string>{"Müll\tE:\\Daten\\Datei 0.txt"}));
}

TEST(ResultsFileTest, AFileThatCannotBeCreatedIsReported) {
  test::TempDir tmp;
  EXPECT_EQ(saveResultList(tmp / "no" / "such" / "list.txt", rows(1)), SaveResult::CannotCreate);
}

// The process may write no file beyond a few hundred bytes: the save fails in
// the middle, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit limited = m_old;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_old{};
  void (*m_oldHandler)(int);
};

TEST(ResultsFileTest, AListThatCannotBeWrittenToTheEndIsRemoved) {
  test::TempDir tmp;
  const fs::path file = tmp / "list.txt";
  SaveResult result;
  {
    FileSizeLimit limit(300);
    result = saveResultList(file, rows(5000));
  }
  EXPECT_EQ(result, SaveResult::CannotWrite);
  EXPECT_FALSE(fs::exists(file)) << "no cut-off list is left behind";
}

}  // namespace
}  // namespace diskindex::search
