#pragma once
// What the reading commands of diskindx-cli (scan, rescan) share on the
// terminal: the streams, messages with plain line ends, the yes/no
// question, Ctrl+C as "Abbruch", and the observer that shows a one-line
// progress on the error stream (when it is a terminal), asks or answers the
// descriptions question and keeps what a failed reading reported.

#include <csignal>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "diskindex/core/result_code.h"
#include "diskindex/core/scan/scan_observer.h"

namespace diskindex::cli {

struct ScanStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool interactive = false;   // in and err are a terminal: questions are asked
  bool showProgress = false;  // err is a terminal
};

// The program's texts use CR LF; a terminal wants plain line ends. Any other
// control character but TAB (from a name in the text) is shown as "?".
std::string plainLines(std::string_view text);
// "Caption: text" (no second colon after a caption that ends in one).
void printMessage(std::ostream& err, const ErrorMessage& message);
// Asks on the error stream; true for an answer starting with j, J or y.
bool askYesNo(ScanStreams& streams, std::string_view question);

// Ctrl+C cancels the reading while this object lives.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;
  static bool interrupted();

 private:
  struct sigaction m_previous {};
};

class TerminalScanObserver : public scan::ScanObserver {
 public:
  // descriptions: "yes", "no" or "ask" (asked only on a terminal, else no).
  TerminalScanObserver(ScanStreams& streams, std::string descriptions);
  ~TerminalScanObserver() override;
  // Ends the progress line before the result is printed.
  void finish();
  const std::filesystem::path& failedFile() const { return m_failedFile; }
  const std::optional<ErrorMessage>& imageMessage() const { return m_imageMessage; }

  void directoryFound(int total) override;
  void writeProgress(int percent) override;
  void descriptionProgress(int percent) override;
  bool askReadDescriptions() override;
  bool cancelRequested() override;
  void volumeFailed(ResultCode code, const std::filesystem::path& dataFile) override;
  void imageFailed(const ErrorMessage& message) override;

 private:
  void showPercent(std::string_view label, int percent);
  void show(const std::string& line);

  ScanStreams& m_s;
  std::string m_descriptions;
  int m_lastPercent = -1;
  bool m_open = false;
  std::filesystem::path m_failedFile;
  std::optional<ErrorMessage> m_imageMessage;
};

}  // namespace diskindex::cli
