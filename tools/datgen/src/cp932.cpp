#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "datgen/datgen.hpp"

namespace datgen {
namespace {

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// The UTF-8 sequence starting at p, for messages ("U+301C 〜").
std::string describe_utf8(std::string_view s, size_t p) {
  unsigned char c = static_cast<unsigned char>(s[p]);
  size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  if (p + len > s.size()) len = s.size() - p;
  uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  for (size_t i = 1; i < len; ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[p + i]) & 0x3F);
  char buf[32];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
  return std::string(buf) + " '" + std::string(s.substr(p, len)) + "'";
}

std::string convert(std::string_view in, const char* to, const char* from, bool describe_as_utf8) {
  iconv_t raw = iconv_open(to, from);
  if (raw == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  std::unique_ptr<void, IconvCloser> cd(raw);
  std::string out;
  out.resize(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  while (src_left > 0) {
    size_t r = iconv(raw, &src, &src_left, &dst, &dst_left);
    if (r != static_cast<size_t>(-1)) break;
    size_t at = static_cast<size_t>(src - in.data());
    if (errno == E2BIG) {
      size_t used = static_cast<size_t>(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dst_left = out.size() - used;
      continue;
    }
    std::string what;
    if (describe_as_utf8) {
      what = errno == EILSEQ ? "character " + describe_utf8(in, at) + " has no CP932 code"
                             : "malformed UTF-8 at byte " + std::to_string(at);
    } else {
      what = "byte " + std::to_string(at) + " is not CP932";
    }
    throw std::invalid_argument(what);
  }
  out.resize(static_cast<size_t>(dst - out.data()));
  return out;
}

}  // namespace

std::string to_cp932(std::string_view utf8) { return convert(utf8, "CP932", "UTF-8", true); }

std::string from_cp932(std::string_view cp932) { return convert(cp932, "UTF-8", "CP932", false); }

}  // namespace datgen
