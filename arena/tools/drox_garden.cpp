// drox-garden N: prints the generated garden number N as JSON.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "arena/core/garden_json.h"
#include "tools/cli_manual/cli_manual.h"

namespace {

const climanual::Manual& gardenManual() {
  static const climanual::Manual manual{
      .name = "drox-garden",
      .summary = "print a generated DROX garden as JSON",
      .language = climanual::Language::English,
      .synopsis = {"N", "--help", "--manpage"},
      .description =
          {"drox-garden builds garden number N exactly as the drox game builds it when the "
           "player reaches it, and prints it as one JSON object: the "
           "garden's wall tile (or the tile of every painted cell when the tiles are mixed), "
           "the wall rectangles in list order with the power-up cells marked, the power-ups "
           "and the droids.",
           "The same N always gives the same garden on every machine, so the output can be "
           "compared between builds or used to study a garden before playing it."},
      .commands = {},
      .options = {{"N", "the garden number, 1 to 2147483647"},
                  {"--help", "print this help and exit"},
                  {"--manpage", "print this help as a manual page and exit"}},
      .exitStatus = {{"0", "the garden was printed"},
                     {"2", "no garden number, or one that is not a whole number from 1 on"}},
      .examples = {{"drox-garden 1", "The first garden:"},
                   {"drox-garden 8 | python3 -m json.tool", "Garden 8, indented for reading:"}},
      .files = {},
  };
  return manual;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 &&
      (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--manpage") == 0)) {
    const std::string text = argv[1][2] == 'h' ? climanual::helpText(gardenManual())
                                               : climanual::manPage(gardenManual());
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
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
