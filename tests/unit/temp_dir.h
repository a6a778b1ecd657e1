#pragma once
// An empty folder of a test's own under the system's temporary folder,
// removed with everything in it when the test is done.
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace z2::test {

struct TempDir {
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "zando-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a folder like " + tmpl);
    path = tmpl;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder's path with a '/' at its end, as the game joins paths.
  std::string dir() const { return path.string() + "/"; }

  std::filesystem::path path;
};

}  // namespace z2::test
