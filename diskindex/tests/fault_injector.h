#pragma once
// Fault injection for the catalogue's file access: replaces the FileOps table
// (core/file_io.h) while it lives and makes one chosen call go wrong, the way
// a full disk, a failing device or a killed process would:
//  - ShortWrite: the n-th write stores half of its bytes, every later write
//    fails with ENOSPC (a disk filling up in the middle of a file);
//  - NoSpace: the n-th write fails with ENOSPC;
//  - SyncError: the n-th fsync fails with EIO;
//  - ReadError: the n-th read fails with EIO;
//  - Crash: the process ends at once (_exit) before its n-th file operation
//    of any kind, as if killed there. Use it in a forked child only.
// With Fault::None it only counts, which tells how many operations a
// workflow makes (and so where it can crash).

#include <functional>
#include <string>

namespace diskindex::test {

enum class Fault { None, ShortWrite, NoSpace, SyncError, ReadError, Crash };

std::string faultName(Fault fault);

class FaultInjector {
 public:
  FaultInjector(Fault fault, int at);
  ~FaultInjector();
  FaultInjector(const FaultInjector&) = delete;
  FaultInjector& operator=(const FaultInjector&) = delete;

  // File operations made so far (every kind), and the calls a fault of the
  // given kind counts (writes, fsyncs, reads; every operation for Crash).
  int operations() const;
  int calls(Fault kind) const;
  bool fired() const;
};

// Makes every open of a path that starts with prefix fail with EACCES while
// it lives (a temporary file that cannot be created beside one chosen file).
class OpenFailure {
 public:
  explicit OpenFailure(std::string prefix);
  ~OpenFailure();
  OpenFailure(const OpenFailure&) = delete;
  OpenFailure& operator=(const OpenFailure&) = delete;
};

// Exit status of a child that the injector ended with Fault::Crash.
inline constexpr int kCrashExitCode = 86;

// Runs body in a forked child and returns its exit status (-1 when it did not
// exit normally). The child never returns into the test framework.
int runInChild(const std::function<int()>& body);

}  // namespace diskindex::test
