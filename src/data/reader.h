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

class DataReader {
 public:
  // `name` is what errors call the file (its path).
  DataReader(std::string bytes, std::string name);
  // Opens a file; a missing or unreadable file throws DataError.
  static DataReader open(const std::string& path);

  std::string read_string();  // UTF-8
  i32 read_int();             // throws DataError on a token that is not a number
  bool at_end() const { return pos_ >= data_.size(); }
  // A file the game itself wrote is never empty and ends its lines with
  // CR LF; anything else (a blank file, one converted to LF) is damaged.
  // Throws DataError.
  void require_crlf_lines() const;
  int line() const { return line_; }

 private:
  void skip_line_end();
  std::string data_;
  std::string name_;
  size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace z2
