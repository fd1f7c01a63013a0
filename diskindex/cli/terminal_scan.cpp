#include "diskindex/cli/terminal_scan.h"

#include <iostream>

#include "diskindex/core/export/table_export.h"
#include "diskindex/core/scan/scan_messages.h"

namespace diskindex::cli {
namespace {

namespace scanText = diskindex::scan::messages;

volatile std::sig_atomic_t g_interrupted = 0;
extern "C" void onInterrupt(int) {
  g_interrupted = 1;
}

}  // namespace

std::string plainLines(std::string_view text) {
  std::string result;
  std::size_t from = 0;
  // Between the line ends and TABs of the program's own text, a control
  // character can only come from a name: it is shown as "?" (an escape
  // sequence in a file name never reaches the terminal).
  for (std::size_t at = 0; at <= text.size(); ++at) {
    const bool end = at == text.size();
    if (!end && text[at] != '\r' && text[at] != '\n' && text[at] != '\t') continue;
    result += exporting::exportName(text.substr(from, at - from));
    if (!end && text[at] != '\r') result += text[at];
    from = at + 1;
  }
  return result;
}

void printMessage(std::ostream& err, const ErrorMessage& message) {
  const bool colon = !message.caption.empty() && message.caption.back() == ':';
  err << message.caption << (colon ? " " : ": ") << plainLines(message.text) << "\n";
}

bool askYesNo(ScanStreams& s, std::string_view question) {
  s.err << plainLines(question) << " [j/N] " << std::flush;
  std::string answer;
  if (!std::getline(s.in, answer)) return false;
  return !answer.empty() && (answer[0] == 'j' || answer[0] == 'J' || answer[0] == 'y');
}

InterruptGuard::InterruptGuard() {
  g_interrupted = 0;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &m_previous);
}

InterruptGuard::~InterruptGuard() {
  sigaction(SIGINT, &m_previous, nullptr);
}

bool InterruptGuard::interrupted() {
  return g_interrupted != 0;
}

TerminalScanObserver::TerminalScanObserver(ScanStreams& streams, std::string descriptions)
    : m_s(streams), m_descriptions(std::move(descriptions)) {}

TerminalScanObserver::~TerminalScanObserver() {
  finish();
}

void TerminalScanObserver::finish() {
  if (m_open) m_s.err << "\r\033[K" << std::flush;
  m_open = false;
}

void TerminalScanObserver::directoryFound(int total) {
  if (total % 64 == 0) show(std::string(scanText::kCounterLabel) + " " + std::to_string(total));
}

void TerminalScanObserver::writeProgress(int percent) {
  showPercent(scanText::kWriteLabel, percent);
}

void TerminalScanObserver::descriptionProgress(int percent) {
  showPercent(scanText::kDescriptionsLabel, percent);
}

bool TerminalScanObserver::askReadDescriptions() {
  if (m_descriptions != "ask") return m_descriptions == "yes";
  finish();
  return m_s.interactive && askYesNo(m_s, scanText::kReadDescriptionsQuestion);
}

bool TerminalScanObserver::cancelRequested() {
  return InterruptGuard::interrupted();
}

void TerminalScanObserver::volumeFailed(ResultCode /*code*/,
                                        const std::filesystem::path& dataFile) {
  m_failedFile = dataFile;
}

void TerminalScanObserver::imageFailed(const ErrorMessage& message) {
  m_imageMessage = message;
}

void TerminalScanObserver::showPercent(std::string_view label, int percent) {
  if (percent != m_lastPercent) show(std::string(label) + " " + std::to_string(percent) + " %");
  m_lastPercent = percent;
}

void TerminalScanObserver::show(const std::string& line) {
  if (!m_s.showProgress) return;
  m_s.err << "\r\033[K" << exporting::exportName(line) << std::flush;
  m_open = true;
}

}  // namespace diskindex::cli
