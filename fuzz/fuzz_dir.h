#pragma once
// A private folder for a fuzzer's files, removed again at exit. In memory
// where the system has it: the inputs write files (the whole-game fuzzers
// save the game, with a flush), and a disk's journal took a good part of the
// fuzzers' time.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace z2::fuzz {

inline std::filesystem::path private_dir(const char* tag) {
  static std::vector<std::filesystem::path> made;
  for (const char* base : {"/dev/shm", "/tmp"}) {
    std::string tmpl = std::string(base) + "/zando-fuzz-" + tag + "-XXXXXX";
    if (!mkdtemp(tmpl.data())) continue;
    if (made.empty())
      std::atexit([] {
        std::error_code ec;
        for (const auto& dir : made) std::filesystem::remove_all(dir, ec);
      });
    made.emplace_back(tmpl);
    return made.back();
  }
  std::abort();
}

}  // namespace z2::fuzz
