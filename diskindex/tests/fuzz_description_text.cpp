// Feeds arbitrary bytes to the description text rules as a list file (in
// chunks whose size the first byte chooses) and as a directory text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "diskindex/core/scan/description_text.h"

using namespace diskindex::scan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t chunk = 1 + data[0] % 64;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  ListLineSplitter splitter;
  const auto onLine = [](std::string_view line) {
    if (line.size() > kMaxListLine) std::abort();
    if (const auto parsed = parseListLine(line)) {
      const std::string remark = descriptionToRemark(applyQuotedTitle(parsed->description));
      if (remark.size() > 4 * kMaxListLine) std::abort();
    }
  };
  for (std::size_t i = 0; i < input.size(); i += chunk)
    splitter.feed(input.substr(i, chunk), onLine);
  splitter.finish(onLine);
  const std::string text = descriptionToRemark(input.substr(0, kMaxDirectoryText));
  if (text.size() > 4 * kMaxRemarkChars) std::abort();
  return 0;
}
