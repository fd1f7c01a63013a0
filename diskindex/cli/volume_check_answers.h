#pragma once
// The volume check on the terminal: the unreadable drive's message and the
// wrong-volume question printed on the error stream, the question answered
// by the command's --yes (never with the label update). Used by copy and
// rescan alike.

#include <ostream>
#include <string>

#include "diskindex/core/files/file_messages.h"
#include "diskindex/core/files/volume_check.h"

namespace diskindex::cli {

class TerminalVolumeCheck : public files::VolumeCheckObserver {
 public:
  TerminalVolumeCheck(bool yes, std::ostream& err) : m_yes(yes), m_err(err) {}
  void driveUnreadable(const VolumeRoot& root) override {
    m_err << files::kVolumeAccessCaption << ": " << plain(files::driveUnreadableMessage(root))
          << "\n";
  }
  files::OtherVolumeAnswer askOtherVolume(const files::OtherVolumeQuestion& question) override {
    m_err << files::kVolumeAccessCaption << ":\n";
    for (const std::string& line : question.lines()) m_err << line << "\n";
    m_err << (m_yes ? "--yes: Ja\n" : "Nein (mit --yes fortsetzen)\n");
    return files::OtherVolumeAnswer{m_yes, false};
  }

 private:
  static std::string plain(std::string text) {
    std::erase(text, '\r');
    return text;
  }
  bool m_yes;
  std::ostream& m_err;
};

}  // namespace diskindex::cli
