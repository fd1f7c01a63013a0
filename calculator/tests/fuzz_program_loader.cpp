// Any bytes load as a program without crashing, and the loaded memory saves
// and reloads to the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calculator/core/program_memory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  finova::ProgramMemory memory;
  memory.fromText(std::string_view(reinterpret_cast<const char*>(data), size));
  finova::ProgramMemory again;
  again.fromText(memory.toText());
  for (int line = 0; line < finova::ProgramMemory::kLines; ++line) {
    if (again.step(line) != memory.step(line)) std::abort();
  }
  if (memory.comment().size() > finova::ProgramMemory::kMaxComment) std::abort();
  return 0;
}
