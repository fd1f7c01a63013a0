// Message boxes of the arcade game as a small interface: the window shows
// them (modal, with the given caption and icon, OK only), tests record them.
// The library never decides how a message looks beyond caption, text and icon.
#pragma once

#include <string_view>

namespace arcade {

enum class MessageIcon { None, Stop, Warning, Question };

class IMessageReporter {
 public:
  virtual ~IMessageReporter() = default;
  virtual void ShowMessage(MessageIcon icon, std::string_view caption, std::string_view text) = 0;
  // The system's default beep (a missing bitmap resource).
  virtual void Beep() = 0;
};

inline constexpr std::string_view kImageErrorCaption = "Image Error";
inline constexpr std::string_view kImageLibraryErrorCaption = "Image Library Error";
inline constexpr std::string_view kFormatNotRecognised =
    "Fatal Error:\nFile format not recognized!";

// An image error: a stop-sign message box captioned "Image Error".
inline void ReportImageError(IMessageReporter& reporter, std::string_view text) {
  reporter.ShowMessage(MessageIcon::Stop, kImageErrorCaption, text);
}

}  // namespace arcade
