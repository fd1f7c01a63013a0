// Any bytes load as a program without crashing, and the loaded memory saves
// and reloads to the same lines. An empty line is not saved and reloads as
// GTO 0 0 0; both end a running program.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calculator/core/program_memory.h"
#include "calculator/core/text_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  finova::ProgramMemory memory;
  memory.fromText(std::string_view(reinterpret_cast<const char*>(data), size));
  finova::ProgramMemory again;
  again.fromText(memory.toText());
  const finova::ProgramMemory::Line empty{106, 106, 106, 106};
  const finova::ProgramMemory::Line gotoZero{70, 0, 0, 0};
  for (int line = 0; line < finova::ProgramMemory::kLines; ++line) {
    const bool emptied = line > 0 && memory.step(line) == empty && again.step(line) == gotoZero;
    if (again.step(line) != memory.step(line) && !emptied) std::abort();
  }
  if (finova::characterCount(memory.comment()) > finova::ProgramMemory::kMaxComment) std::abort();
  return 0;
}
