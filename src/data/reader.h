#pragma once
// The line reader of every data file, the save file and the boss files.
// A line ends at CR; an LF right after the CR belongs to the line end; a bare
// LF is text; byte 1A ends the file. Past the end an integer reads 0 and a
// string reads empty.
#include <stdexcept>
#include <string>
#include <string_view>

#include "state/game_state.h"

namespace z2 {

class DataError : public std::runtime_error {
 public:
  DataError(const std::string& file, const std::string& reason, int line = 0);
  const std::string& file() const { return file_; }
  const std::string& reason() const { return reason_; }
  // The line the reason is about (from 1), or 0 when it is the whole file.
  int line() const { return line_; }

 private:
  std::string file_, reason_;
  int line_;
};

// Why a file could not be read or written, for `errno` value `err`, in the
// game's own words (never the system's English text).
std::string file_reason(int err);

// No real file of the game comes near this; anything larger is refused
// before it is read.
inline constexpr size_t kFileLimit = size_t{64} << 20;

// The whole of the regular file `path`. A folder, a FIFO, a device (or a link
// to one) is refused without waiting on it, and so is a file over `limit`
// bytes. Throws DataError naming the file.
std::string read_file_bytes(const std::string& path, size_t limit = kFileLimit);

class DataReader {
 public:
  // `name` is what errors call the file (its path).
  DataReader(std::string bytes, std::string name);
  // Opens a file (see read_file_bytes); a missing or unreadable file throws
  // DataError.
  static DataReader open(const std::string& path);

  std::string read_string();  // UTF-8
  i32 read_int();             // throws DataError on a token that is not a number
  bool at_end() const { return pos_ >= data_.size(); }
  // A file the game itself wrote is never empty and ends every line with
  // CR LF; anything else (a blank file, one converted to LF in whole or in
  // part) is damaged. Checks the start at once and, from then on, every line
  // end as it is read: a CR without its LF, an LF without its CR where a
  // number is read, or a text that runs into further lines at the end of the
  // file throws DataError. A bare LF inside a text line stays text.
  void require_crlf_lines();
  int line() const { return line_; }

 private:
  void skip_line_end();
  [[noreturn]] void bad_line_end(int line) const;
  std::string data_;
  std::string name_;
  size_t pos_ = 0;
  int line_ = 1;
  bool crlf_only_ = false;
};

}  // namespace z2
