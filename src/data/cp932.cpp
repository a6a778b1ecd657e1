#include "data/cp932.h"

#include <iconv.h>

#include <algorithm>
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

// Raw bytes live at U+F700..U+F7FF: CP932 maps nothing there (its own
// private-use area ends at U+E757).
constexpr unsigned kRawBase = 0xF700;

void put_raw(std::string& out, unsigned char b) {
  const unsigned cp = kRawBase + b;  // three UTF-8 bytes: EF 9C/9D/9E/9F xx
  out += static_cast<char>(0xE0 | (cp >> 12));
  out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (cp & 0x3F));
}

// The raw byte a UTF-8 sequence at `p` stands for, or -1.
int raw_byte_at(const char* p, size_t left) {
  if (left < 3) return -1;
  const auto u0 = static_cast<unsigned char>(p[0]), u1 = static_cast<unsigned char>(p[1]),
             u2 = static_cast<unsigned char>(p[2]);
  if (u0 != 0xEF || (u1 & 0xFC) != 0x9C || (u2 & 0xC0) != 0x80) return -1;
  return static_cast<int>((((u1 & 0x3Fu) << 6) | (u2 & 0x3Fu)) - (kRawBase & 0xFFFu));
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

// The whole text through iconv, or false.
bool convert_all(Conv& c, std::string_view text, std::string& out) {
  const char* in = text.data();
  size_t left = text.size();
  return run(c, in, left, out);
}

size_t utf8_char_len(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

bool all_ascii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// `raw_ok`: raw-byte characters count as representable (writing files) or
// not (what the player types). Returns the encoded bytes; `bad_at` gets the
// offset of the first character that had to be replaced, or npos.
std::string encode(std::string_view text, bool raw_ok, size_t* bad_at) {
  *bad_at = std::string_view::npos;
  if (all_ascii(text)) return std::string(text);
  Conv& c = from_utf8();
  std::lock_guard lock(c.m);
  std::string out;
  out.reserve(text.size());
  const char* in = text.data();
  size_t left = text.size();
  const auto replaced = [&] {
    if (*bad_at == std::string_view::npos) *bad_at = static_cast<size_t>(in - text.data());
    out += '?';
  };
  while (left > 0) {
    if (const int raw = raw_byte_at(in, left); raw >= 0) {
      if (raw_ok) {
        out += static_cast<char>(raw);
      } else {
        replaced();
      }
      in += 3;
      left -= 3;
      continue;
    }
    // The characters up to the next raw-byte one go through iconv in one
    // piece: a failed conversion costs iconv far more than a good one, so
    // raw bytes (a text of a megabyte may hold a hundred thousand) never
    // reach it.
    size_t piece = 1;
    while (piece < left && raw_byte_at(in + piece, left - piece) < 0) ++piece;
    left -= piece;
    while (piece > 0 && !run(c, in, piece, out)) {
      const size_t skip = std::min(piece, utf8_char_len(static_cast<unsigned char>(*in)));
      replaced();
      in += skip;
      piece -= skip;
    }
  }
  return out;
}

// Decodes one piece through iconv; false when it is not CP932.
bool decode_piece(std::string_view bytes, std::string& out) {
  Conv& c = to_utf8();
  std::lock_guard lock(c.m);
  return convert_all(c, bytes, out);
}

// The bytes a decoded text writes back as.
bool writes_back_as(std::string_view utf8, std::string_view bytes) {
  size_t bad = 0;
  return encode(utf8, true, &bad) == bytes && bad == std::string_view::npos;
}

}  // namespace

bool is_cp932_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

namespace {

// Text whose every character decodes and writes back as it was read.
bool clean_text(std::string_view bytes, std::string* utf8) {
  std::string local;
  std::string& out = utf8 ? *utf8 : local;
  out.clear();
  return decode_piece(bytes, out) && writes_back_as(out, bytes);
}

// How many bytes the character at `i` takes as the reader splits text: a
// lead byte and its trail when together they make a character that writes
// back the same, otherwise one byte (kept raw when it is no character). A
// cut between these units never changes what comes before it.
size_t unit_len(std::string_view bytes, size_t i, std::string* utf8) {
  const auto b = static_cast<unsigned char>(bytes[i]);
  if (b < 0x80) {
    if (utf8) *utf8 = std::string(1, static_cast<char>(b));
    return 1;
  }
  std::string piece;
  if (is_cp932_lead(b) && i + 1 < bytes.size() && clean_text(bytes.substr(i, 2), &piece) && !piece.empty()) {
    if (utf8) *utf8 = piece;
    return 2;
  }
  if (utf8) {
    if (!clean_text(bytes.substr(i, 1), &piece) || piece.empty()) {
      piece.clear();
      put_raw(piece, b);
    }
    *utf8 = piece;
  }
  return 1;
}

}  // namespace

std::string cp932_to_utf8(std::string_view bytes) {
  if (all_ascii(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  // Usual case: every character decodes and writes back as it was read.
  if (clean_text(bytes, &out)) return out;
  // Otherwise one character at a time; what does not come back whole is kept
  // as raw bytes.
  out.clear();
  std::string one;
  for (size_t i = 0; i < bytes.size();) {
    i += unit_len(bytes, i, &one);
    out += one;
  }
  return out;
}

std::string utf8_to_cp932(std::string_view text, bool* lossless) {
  size_t bad = 0;
  std::string out = encode(text, true, &bad);
  if (lossless) *lossless = bad == std::string_view::npos;
  return out;
}

bool cp932_holds(std::string_view utf8) {
  size_t bad = 0;
  encode(utf8, false, &bad);
  return bad == std::string_view::npos;
}

std::string cp932_first_foreign(std::string_view utf8) {
  size_t bad = 0;
  encode(utf8, false, &bad);
  if (bad == std::string_view::npos) return "";
  const size_t len = utf8_char_len(static_cast<unsigned char>(utf8[bad]));
  bool whole = static_cast<unsigned char>(utf8[bad]) >= 0xC2 && bad + len <= utf8.size();
  for (size_t i = 1; whole && i < len; ++i) whole = (static_cast<unsigned char>(utf8[bad + i]) & 0xC0) == 0x80;
  // Broken UTF-8 is shown as the replacement character, never passed on.
  return whole ? std::string(utf8.substr(bad, len)) : std::string("\xEF\xBF\xBD");
}

size_t cp932_length(std::string_view utf8) { return utf8_to_cp932(utf8).size(); }

std::string cp932_bytes_prefix(std::string_view sj, size_t bytes) {
  if (bytes >= sj.size()) return cp932_to_utf8(sj);
  // Walk whole characters; stop before one that the cut would split. In clean
  // text a lead byte always starts two; raw bytes split as the reader does.
  const bool clean = all_ascii(sj) || clean_text(sj, nullptr);
  size_t i = 0;
  while (i < bytes) {
    const size_t len =
        clean ? (is_cp932_lead(static_cast<unsigned char>(sj[i])) ? 2 : 1) : unit_len(sj, i, nullptr);
    if (i + len > bytes) break;
    i += len;
  }
  return cp932_to_utf8(sj.substr(0, i));
}

size_t cp932_char_at(std::string_view sj, size_t i, std::string* utf8) { return unit_len(sj, i, utf8); }

std::string cp932_prefix(std::string_view utf8, size_t bytes) {
  const std::string sj = utf8_to_cp932(utf8);
  if (bytes >= sj.size()) return std::string(utf8);
  return cp932_bytes_prefix(sj, bytes);
}

}  // namespace z2
