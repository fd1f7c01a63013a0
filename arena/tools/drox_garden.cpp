// drox-garden N: prints the generated garden number N as JSON.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "arena/core/garden_json.h"

int main(int argc, char** argv) {
  int32_t garden = 0;
  if (argc == 2) {
    const char* text = argv[1];
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, garden);
    if (ec != std::errc() || ptr != end) garden = 0;
  }
  if (garden < 1) {
    std::fprintf(stderr, "usage: drox-garden N   (N = garden number from 1 to 2147483647)\n");
    return 2;
  }
  const std::string json = arena::gardenJson(garden);
  std::fwrite(json.data(), 1, json.size(), stdout);
  return 0;
}
