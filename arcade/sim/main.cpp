// vortexia-sim LEVEL [--seed N] [--ticks N] [--input FILE] [--frame FILE.bmp]
// [--census] [--autoplay]: plays a level headless (see sim.h).
#include <cstdlib>
#include <iostream>

#include "sim.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto options = arcade::sim::parseOptions(args, error);
  if (!options) {
    std::cerr << "vortexia-sim: " << error << "\n"
              << "usage: vortexia-sim LEVEL [--seed N] [--ticks N] [--input FILE] "
                 "[--frame FILE.bmp] [--census] [--autoplay]\n";
    return 2;
  }
  // The generated artwork of the build, unless the environment names another.
  const char* art = std::getenv("VORTEXIA_ART_DIR");
  options->artDirectory = art != nullptr ? art : VORTEXIA_SIM_ART_DIR;
  return arcade::sim::run(*options, std::cout, std::cerr);
}
