// Any bytes parse as tape lines within their field sizes, and the parsed
// lines written and parsed again stay the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/core/tape.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines =
      finova::Tape::parse(std::string_view(reinterpret_cast<const char*>(data), size));
  std::string text;
  for (const finova::TapeLine& line : lines) {
    if (line.text.size() > finova::TapeLine::kTextSize) std::abort();
    if (line.mnemonic.size() > finova::TapeLine::kMnemonicSize) std::abort();
    text += line.fileText() + "\r\n";
  }
  (void)finova::Tape::parse(text);
  return 0;
}
