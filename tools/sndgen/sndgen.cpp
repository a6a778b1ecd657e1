#include "sndgen.h"

#include <fstream>
#include <stdexcept>

namespace z2::sndgen {

namespace {

// Writes through a temporary file so a half-written sound never replaces a good one.
void write_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::path tmp = path;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + tmp.string());
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) throw std::runtime_error("cannot write " + path.string() + ": " + ec.message());
}

}  // namespace

int write_all(const std::filesystem::path& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) throw std::runtime_error("cannot create " + dir.string() + ": " + ec.message());
  int n = 0;
  for (const std::string& name : effect_names()) {
    write_file(dir / name, make_effect(name));
    ++n;
  }
  for (const std::string& name : music_names()) {
    write_file(dir / name, make_music(name));
    ++n;
  }
  return n;
}

}  // namespace z2::sndgen
