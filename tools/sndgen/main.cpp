// sndgen OUTPUT_DIR: writes the game's sound effects and music into OUTPUT_DIR.
#include <cstdio>
#include <exception>

#include "sndgen.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sndgen OUTPUT_DIR\n");
    return 2;
  }
  try {
    int n = z2::sndgen::write_all(argv[1]);
    std::printf("sndgen: %d files written to %s\n", n, argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "sndgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
