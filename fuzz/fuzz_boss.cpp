// A boss file of arbitrary bytes, read from disk as the colosseum reads it.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <string>

#include "data/reader.h"
#include "data/tables.h"
#include "fuzz_dir.h"

using namespace z2;

namespace {

const std::string& folder() {
  static const std::string dir = fuzz::private_dir("boss").string() + "/";
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = folder() + "boss7.dat";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
  GameState s;
  try {
    load_boss(s, folder(), 7);
  } catch (const DataError&) {
  }
  // Numbers past a byte name the same file as their low byte.
  try {
    load_boss(s, folder(), 7 + 256);
  } catch (const DataError&) {
  }
  return 0;
}
