#pragma once
#include <cstddef>
#include <string>

#include "state/game_state.h"

namespace z2 {

// The save file's bytes: every saved value in its fixed order, CP932, CR LF.
// A CR or an end-of-file byte inside a string is written as a blank, so a
// string can never shift the lines after it.
std::string save_bytes(GameState& s);

// Writes `bytes` to `path` through a temporary file in the same folder that is
// flushed and renamed over the old file, so a failure leaves the old file as
// it was. False with the reason (naming the file) in `why`.
bool write_file_atomic(const std::string& path, const std::string& bytes, std::string* why);

// The two halves of write_file_atomic: write and flush `path`.tmp (nothing
// is left behind on failure), then rename it over `path` and sync the folder.
bool write_temp(const std::string& path, const std::string& bytes, std::string* tmp_out, std::string* why);
bool commit(const std::string& tmp, const std::string& path, std::string* why);

// The system call the file writer uses for its data; returns the bytes
// written or -1 with errno set. Replaceable so a full disk can be simulated;
// nullptr restores the real one.
using WriteFn = long (*)(int fd, const char* data, size_t size);
void set_write_fn(WriteFn fn);

}  // namespace z2
