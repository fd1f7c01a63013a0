#pragma once
// Test helper: a directory tree built under a fresh temporary directory and
// removed again when the object goes out of scope.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>

namespace diskindex::scan::testing {

class TempTree {
 public:
  TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "scan_test_XXXXXX").string();
    m_root = mkdtemp(pattern.data());
  }
  ~TempTree() {
    // Make everything writable and listable again so that removal succeeds.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(
             m_root, std::filesystem::directory_options::skip_permission_denied, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_directory(ec) && !it->is_symlink(ec)) chmod(it->path().c_str(), 0755);
    }
    std::filesystem::remove_all(m_root, ec);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::filesystem::path& root() const { return m_root; }

  std::filesystem::path file(const std::string& relative, std::string_view content = {}) {
    const std::filesystem::path path = m_root / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
    return path;
  }
  std::filesystem::path dir(const std::string& relative) {
    const std::filesystem::path path = m_root / relative;
    std::filesystem::create_directories(path);
    return path;
  }
  void setTime(const std::string& relative, time_t t) {
    const utimbuf times{t, t};
    utime((m_root / relative).c_str(), &times);
  }

 private:
  std::filesystem::path m_root;
};

// Runs check as the ordinary user "nobody" in a child process when the tests
// run as root (root reads every directory, so an unreadable one would not
// be), else right here; true when check said true.
inline bool holdsForOrdinaryUser(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace diskindex::scan::testing
