#include "diskindex/tests/fault_injector.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "diskindex/core/file_io.h"

namespace diskindex::test {
namespace {

struct State {
  Fault fault = Fault::None;
  int at = 0;
  int operations = 0;
  int reads = 0;
  int writes = 0;
  int syncs = 0;
  bool fired = false;
  FileOps previous{};
};
State g_state;

// Counts one operation and ends the process when the crash point is reached.
void step() {
  ++g_state.operations;
  if (g_state.fault == Fault::Crash && g_state.operations == g_state.at) {
    g_state.fired = true;
    ::_exit(kCrashExitCode);
  }
}

// True when this call (the count-th of its kind) is the one to fail.
bool hit(Fault kind, int count) {
  return g_state.fault == kind && count == g_state.at;
}

int faultOpen(const char* path, int flags, mode_t mode) {
  step();
  return g_state.previous.open(path, flags, mode);
}

ssize_t faultRead(int fd, void* buffer, std::size_t size) {
  step();
  if (hit(Fault::ReadError, ++g_state.reads)) {
    g_state.fired = true;
    errno = EIO;
    return -1;
  }
  return g_state.previous.read(fd, buffer, size);
}

ssize_t faultWrite(int fd, const void* buffer, std::size_t size) {
  step();
  const int count = ++g_state.writes;
  if (g_state.fault == Fault::ShortWrite && g_state.fired) {
    errno = ENOSPC;  // the disk stays full
    return -1;
  }
  if (hit(Fault::ShortWrite, count)) {
    g_state.fired = true;
    if (size > 1) return g_state.previous.write(fd, buffer, size / 2);
    errno = ENOSPC;
    return -1;
  }
  if (hit(Fault::NoSpace, count)) {
    g_state.fired = true;
    errno = ENOSPC;
    return -1;
  }
  return g_state.previous.write(fd, buffer, size);
}

int faultFsync(int fd) {
  step();
  if (hit(Fault::SyncError, ++g_state.syncs)) {
    g_state.fired = true;
    errno = EIO;
    return -1;
  }
  return g_state.previous.fsync(fd);
}

int faultClose(int fd) {
  step();
  return g_state.previous.close(fd);
}

int faultRename(const char* from, const char* to) {
  step();
  return g_state.previous.rename(from, to);
}

int faultLink(const char* from, const char* to) {
  step();
  return g_state.previous.link(from, to);
}

int faultUnlink(const char* path) {
  step();
  return g_state.previous.unlink(path);
}

int faultLock(int fd, bool exclusive) {
  step();
  return g_state.previous.lock(fd, exclusive);
}

std::string g_failPrefix;
FileOps g_beforeOpenFailure{};

int failingOpen(const char* path, int flags, mode_t mode) {
  if (std::string_view(path).starts_with(g_failPrefix)) {
    errno = EACCES;
    return -1;
  }
  return g_beforeOpenFailure.open(path, flags, mode);
}

}  // namespace

OpenFailure::OpenFailure(std::string prefix) {
  g_failPrefix = std::move(prefix);
  g_beforeOpenFailure = fileOps();
  FileOps ops = g_beforeOpenFailure;
  ops.open = failingOpen;
  setFileOps(ops);
}

OpenFailure::~OpenFailure() {
  setFileOps(g_beforeOpenFailure);
}

std::string faultName(Fault fault) {
  switch (fault) {
    case Fault::None: return "none";
    case Fault::ShortWrite: return "short write";
    case Fault::NoSpace: return "ENOSPC";
    case Fault::SyncError: return "EIO on fsync";
    case Fault::ReadError: return "EIO on read";
    case Fault::Crash: return "crash";
  }
  return "?";
}

FaultInjector::FaultInjector(Fault fault, int at) {
  g_state = State{fault, at, 0, 0, 0, 0, false, fileOps()};
  setFileOps(FileOps{faultOpen, faultRead, faultWrite, faultFsync, faultClose, faultRename,
                     faultLink, faultUnlink, faultLock});
}

FaultInjector::~FaultInjector() {
  setFileOps(g_state.previous);
}

int FaultInjector::operations() const {
  return g_state.operations;
}

int FaultInjector::calls(Fault kind) const {
  switch (kind) {
    case Fault::ShortWrite:
    case Fault::NoSpace: return g_state.writes;
    case Fault::SyncError: return g_state.syncs;
    case Fault::ReadError: return g_state.reads;
    case Fault::None:
    case Fault::Crash: break;
  }
  return g_state.operations;
}

bool FaultInjector::fired() const {
  return g_state.fired;
}

int runInChild(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  if (child < 0) return -1;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace diskindex::test
