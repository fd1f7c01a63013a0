// Any bytes parse as tape lines within their field sizes (in characters),
// the parsed lines written again read as a tape, and the recogniser of tape
// files takes any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/core/tape.h"
#include "calculator/core/text_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  (void)finova::Tape::isTapeText(bytes);
  const auto lines = finova::Tape::parse(bytes);
  std::string text;
  for (const finova::TapeLine& line : lines) {
    if (finova::characterCount(line.text) > finova::TapeLine::kTextSize) std::abort();
    if (finova::characterCount(line.mnemonic) > finova::TapeLine::kMnemonicSize) std::abort();
    text += line.fileText() + "\r\n";
  }
  (void)finova::Tape::parse(text);
  return 0;
}
