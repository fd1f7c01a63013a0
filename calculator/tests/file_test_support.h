#pragma once
// Test helpers for files: a private temporary folder removed with its owner,
// and whole-file reads and writes in binary. Shared by the session tests and
// the window tests; it holds no calculator logic.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace finova::testing {

// A folder named after the process and a counter, so parallel test
// processes never share one.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "finova_test") {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             (prefix + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path file(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

}  // namespace finova::testing
