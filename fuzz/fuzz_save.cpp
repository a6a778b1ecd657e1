// A save file of arbitrary bytes: loading it gives values or a DataError, and
// whatever loads writes back to a file that loads to the same values. And any
// bytes of a name (but the line end and the end-of-file byte) are written back
// exactly as they were read.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <string>

#include "data/cp932.h"
#include "data/reader.h"
#include "data/save.h"
#include "data/tables.h"
#include "fuzz_dir.h"

using namespace z2;

namespace {

const std::string& path() {
  static const std::string p = (fuzz::private_dir("save") / "z.wav").string();
  return p;
}

void write(const std::string& bytes) {
  FILE* f = std::fopen(path().c_str(), "wb");
  if (!f) std::abort();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// The input cut into the three string fields, each without CR or 1A.
void raw_strings_round_trip(const std::string& bytes) {
  std::string field[3];
  size_t k = 0;
  for (char c : bytes) {
    if (c == '\r' || c == '\x1a') {
      if (++k == 3) break;
      continue;
    }
    field[k] += c;
  }
  GameState s;
  new_game_values(s);
  s.my_name = cp932_to_utf8(field[0]);
  s.buki_name = cp932_to_utf8(field[1]);
  s.bougu_name = cp932_to_utf8(field[2]);
  if (utf8_to_cp932(s.my_name) != field[0]) std::abort();
  const std::string saved = save_bytes(s);
  if (saved.compare(0, field[0].size() + 2, field[0] + "\r\n") != 0) std::abort();
  write(saved);
  GameState back;
  load_save(back, path());
  if (back.my_name != s.my_name || back.buki_name != s.buki_name || back.bougu_name != s.bougu_name) std::abort();
  if (save_bytes(back) != saved) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  raw_strings_round_trip(std::string(reinterpret_cast<const char*>(data), size));
  write(std::string(reinterpret_cast<const char*>(data), size));
  GameState first;
  try {
    load_save(first, path());
  } catch (const DataError&) {
    return 0;
  }
  // One round trip settles the numbers (leading zeros, text after them, a
  // short file); strings keep their bytes. After it, save and load agree.
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
