// A save file of arbitrary bytes: loading it gives values or a DataError, and
// whatever loads writes back to a file that loads to the same values.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <string>

#include "data/reader.h"
#include "data/save.h"
#include "data/tables.h"

using namespace z2;

namespace {

std::string& path() {
  static std::string p = [] {
    char tmpl[] = "/tmp/zando-fuzz-save-XXXXXX";
    if (!mkdtemp(tmpl)) std::abort();
    static std::string made = tmpl;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(made, ec);
    });
    return std::string(tmpl) + "/z.wav";
  }();
  return p;
}

void write(const std::string& bytes) {
  FILE* f = std::fopen(path().c_str(), "wb");
  if (!f) std::abort();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  write(std::string(reinterpret_cast<const char*>(data), size));
  GameState first;
  try {
    load_save(first, path());
  } catch (const DataError&) {
    return 0;
  }
  // One round trip settles the text (bytes that are not CP932 become
  // replacement characters, then '?'); after it, save and load agree.
  const std::string once = save_bytes(first);
  write(once);
  GameState second;
  try {
    load_save(second, path());
  } catch (const DataError&) {
    std::abort();  // the game's own save must always load
  }
  const std::string twice = save_bytes(second);
  write(twice);
  GameState third;
  load_save(third, path());
  if (save_bytes(third) != twice) std::abort();
  return 0;
}
