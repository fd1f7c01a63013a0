// Test doubles for the arcade libraries: a message reporter and a presenter
// that record what they are given, and helpers to reach the generated
// artwork and the directory for rendered pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "arcade/imagelib/messages.h"
#include "arcade/imagelib/presenter.h"

namespace arcade::testing {

struct RecordedMessage {
  MessageIcon icon;
  std::string caption;
  std::string text;
};

class RecordingReporter : public IMessageReporter {
 public:
  void ShowMessage(MessageIcon icon, std::string_view caption, std::string_view text) override {
    messages.push_back({icon, std::string(caption), std::string(text)});
  }
  void Beep() override { ++beeps; }
  std::vector<RecordedMessage> messages;
  int beeps = 0;
};

class RecordingPresenter : public IImagePresenter {
 public:
  void Present(const DibTransfer& t) override { transfers.push_back(t); }
  std::vector<DibTransfer> transfers;
};

inline std::filesystem::path artDirectory() {
  return VORTEXIA_ART_DIR;
}
inline std::filesystem::path renderedDirectory() {
  return ARCADE_RENDER_OUT_DIR;
}

// 64-bit FNV-1a of a byte run: the golden checksum of rendered frames.
inline std::uint64_t fnv1a(std::span<const std::uint8_t> bytes) {
  std::uint64_t h = 1469598103934665603ull;
  for (std::uint8_t b : bytes) {
    h ^= b;
    h *= 1099511628211ull;
  }
  return h;
}

}  // namespace arcade::testing
