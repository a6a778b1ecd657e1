#include "data/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace z2 {
namespace {

// iconv descriptors are not thread-safe; the game has one thread, tests may not.
struct Conv {
  iconv_t cd;
  std::mutex m;
  Conv(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~Conv() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

Conv& to_utf8() {
  static Conv c("UTF-8", "CP932");
  return c;
}
Conv& from_utf8() {
  static Conv c("CP932", "UTF-8");
  return c;
}

// Converts one chunk; returns false when the input at `in` cannot be converted.
bool run(Conv& c, const char*& in, size_t& inleft, std::string& out) {
  char buf[256];
  while (inleft > 0) {
    char* o = buf;
    size_t oleft = sizeof buf;
    size_t r = iconv(c.cd, const_cast<char**>(&in), &inleft, &o, &oleft);
    out.append(buf, static_cast<size_t>(o - buf));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
      return false;
    }
  }
  return true;
}

size_t utf8_char_len(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

bool is_cp932_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string cp932_to_utf8(std::string_view bytes) {
  Conv& c = to_utf8();
  std::lock_guard lock(c.m);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  const char* in = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    if (run(c, in, left, out)) break;
    out += "\xEF\xBF\xBD";  // U+FFFD for a byte that is not CP932
    bool lead = is_cp932_lead(static_cast<unsigned char>(*in));
    size_t skip = (lead && left >= 2) ? 2 : 1;
    in += skip;
    left -= skip;
  }
  return out;
}

std::string utf8_to_cp932(std::string_view text, bool* lossless) {
  Conv& c = from_utf8();
  std::lock_guard lock(c.m);
  std::string out;
  out.reserve(text.size());
  const char* in = text.data();
  size_t left = text.size();
  bool ok = true;
  while (left > 0) {
    if (run(c, in, left, out)) break;
    ok = false;
    out += '?';
    size_t skip = std::min(left, utf8_char_len(static_cast<unsigned char>(*in)));
    in += skip;
    left -= skip;
  }
  if (lossless) *lossless = ok;
  return out;
}

size_t cp932_length(std::string_view utf8) { return utf8_to_cp932(utf8).size(); }

std::string cp932_bytes_prefix(std::string_view sj, size_t bytes) {
  if (bytes >= sj.size()) return cp932_to_utf8(sj);
  // Walk whole characters; stop before one that the cut would split.
  size_t i = 0;
  while (i < bytes) {
    size_t len = is_cp932_lead(static_cast<unsigned char>(sj[i])) ? 2 : 1;
    if (i + len > bytes) break;
    i += len;
  }
  return cp932_to_utf8(sj.substr(0, i));
}

std::string cp932_prefix(std::string_view utf8, size_t bytes) {
  const std::string sj = utf8_to_cp932(utf8);
  if (bytes >= sj.size()) return std::string(utf8);
  return cp932_bytes_prefix(sj, bytes);
}

}  // namespace z2
