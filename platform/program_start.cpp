#include "platform/program_start.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace platform {
namespace {

StartResult resultFromErrno(int error) {
  switch (error) {
    case 0:
      return StartResult::Ok;
    case ENOENT:
    case ENOTDIR:
      return StartResult::NotFound;
    case EACCES:
    case ENOEXEC:
    case EPERM:
    case EISDIR:
      return StartResult::NotExecutable;
    default:
      return StartResult::Failed;
  }
}

// Runs in the forked child, where only async-signal-safe calls are allowed:
// everything it needs was prepared before the fork.
[[noreturn]] void runGrandchild(const char* file, char* const argv[], const char* directory,
                                int errorPipe) {
  if (directory != nullptr && chdir(directory) != 0) {
    const int error = errno;
    (void)!write(errorPipe, &error, sizeof error);
    _exit(127);
  }
  const int devNull = open("/dev/null", O_RDONLY);
  if (devNull >= 0) {
    dup2(devNull, STDIN_FILENO);
    if (devNull != STDIN_FILENO) close(devNull);
  }
  execv(file, argv);
  const int error = errno;
  (void)!write(errorPipe, &error, sizeof error);
  _exit(127);
}

// The child starts a new session and forks the real program, then ends at
// once, so the program is adopted by init and never becomes our zombie.
[[noreturn]] void runChild(const char* file, char* const argv[], const char* directory,
                           int errorPipe) {
  setsid();
  // Descriptors of ours (sockets, files the caller has open) must not leak
  // into the program; the error pipe is close-on-exec already.
  close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
  const pid_t pid = fork();
  if (pid == 0) runGrandchild(file, argv, directory, errorPipe);
  if (pid < 0) {
    const int error = errno;
    (void)!write(errorPipe, &error, sizeof error);
  }
  _exit(0);
}

// A bare program name looked up on PATH before the fork, so that a name
// found nowhere says NotFound even when PATH lists a directory we may not
// search (execvp would answer "permission denied" then).
struct PathSearch {
  StartResult result = StartResult::NotFound;
  std::filesystem::path path;
};

PathSearch searchPath(const std::string& name) {
  const char* variable = std::getenv("PATH");
  const std::string path = variable != nullptr ? variable : "/usr/local/bin:/usr/bin:/bin";
  PathSearch search;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find(':', start), path.size());
    const std::string directory = path.substr(start, end - start);
    const std::filesystem::path candidate = (directory.empty() ? "." : directory) + "/" + name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) {
      if (access(candidate.c_str(), X_OK) == 0) return {StartResult::Ok, candidate};
      search.result = StartResult::NotExecutable;
    }
    start = end + 1;
  }
  return search;
}

}  // namespace

StartResult startProgram(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingDirectory) {
  if (program.empty()) return StartResult::NotFound;
  std::filesystem::path resolved = program;
  if (program.string().find('/') == std::string::npos) {
    const auto found = searchPath(program.string());
    if (found.result != StartResult::Ok) return found.result;
    resolved = found.path;
  }
  const std::string file = resolved.string();
  const std::string directory = workingDirectory.string();
  std::vector<std::string> storage;
  storage.reserve(arguments.size() + 1);
  storage.push_back(file);
  storage.insert(storage.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  int errorPipe[2];
  if (pipe2(errorPipe, O_CLOEXEC) != 0) return StartResult::Failed;
  const pid_t child = fork();
  if (child == 0) {
    close(errorPipe[0]);
    runChild(file.c_str(), argv.data(), directory.empty() ? nullptr : directory.c_str(),
             errorPipe[1]);
  }
  close(errorPipe[1]);
  if (child < 0) {
    close(errorPipe[0]);
    return StartResult::Failed;
  }
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes on a successful exec; otherwise it carries the errno.
  int error = 0;
  ssize_t n = 0;
  do {
    n = read(errorPipe[0], &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  close(errorPipe[0]);
  if (n == 0) return StartResult::Ok;
  if (n != static_cast<ssize_t>(sizeof error)) return StartResult::Failed;
  return resultFromErrno(error);
}

StartResult openDocument(const std::filesystem::path& document) {
  std::error_code ec;
  if (!std::filesystem::exists(document, ec)) return StartResult::NotFound;
  return startProgram("xdg-open", {document.string()});
}

}  // namespace platform
