// Small text helpers shared by the source readers.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "datgen/datgen.hpp"

namespace datgen {

// Lines of a source file; LF or CR LF ends a line, a final line end is optional.
inline std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

inline std::vector<std::string_view> split(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (;;) {
    size_t end = s.find(sep, start);
    if (end == std::string_view::npos) {
      out.push_back(s.substr(start));
      return out;
    }
    out.push_back(s.substr(start, end - start));
    start = end + 1;
  }
}

// A plain signed decimal that fits 32 bits, nothing around it.
inline std::optional<int32_t> parse_int(std::string_view s) {
  if (s.empty()) return std::nullopt;
  std::string_view digits = s;
  if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  if (s.front() == '+') s.remove_prefix(1);
  int32_t v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
  return v;
}

// A text that one data line can hold. A CR would end the line in the data
// file, and no field of ours needs one, so the "\r" escape is refused too.
inline void check_text(std::string_view s) {
  if (s.find("\\r") != std::string_view::npos) {
    throw std::invalid_argument("'\\r' (a line break) cannot be stored inside a data line");
  }
  for (unsigned char c : s) {
    if (c < 0x20 || c == 0x7F) throw std::invalid_argument("control character " + std::to_string(c) + " in text");
  }
  to_cp932(s);  // throws std::invalid_argument naming the character
}

}  // namespace datgen
