#pragma once
// CP932 (Shift-JIS) at the file boundary; the game holds UTF-8 in memory.
//
// Reading keeps every byte: a byte that is not part of a CP932 character
// (or a character that would not be written back with the same bytes, such
// as the duplicate NEC and IBM codes) is held as one private-use character
// U+F700 + byte, and writing turns it back into that byte. So any text read
// from a file is written back byte for byte.
#include <string>
#include <string_view>

namespace z2 {

// Never throws; bytes that are not CP932 become raw-byte characters.
std::string cp932_to_utf8(std::string_view bytes);
// Raw-byte characters become their bytes again; other characters without a
// CP932 form become '?'. `lossless` (optional) reports whether nothing had
// to be replaced.
std::string utf8_to_cp932(std::string_view text, bool* lossless = nullptr);

// True when every character of a UTF-8 text has a proper CP932 form (what the
// player may type: raw-byte characters and invalid UTF-8 do not count).
bool cp932_holds(std::string_view utf8);
// The first character of a UTF-8 text that CP932 cannot hold; empty if none.
std::string cp932_first_foreign(std::string_view utf8);

// Length of a text in CP932 bytes (the unit of typing and name cuts).
size_t cp932_length(std::string_view utf8);
// The first `bytes` CP932 bytes of a UTF-8 text, as UTF-8. A cut that falls
// inside a double-byte character leaves that half character out.
std::string cp932_prefix(std::string_view utf8, size_t bytes);
// The same for a text already in CP932 bytes.
std::string cp932_bytes_prefix(std::string_view sj, size_t bytes);

bool is_cp932_lead(unsigned char c);

// The character of CP932 bytes that starts at `i`, as the reader splits a
// text: its length in bytes (1 or 2), and its text in `utf8` (a raw-byte
// character for a byte that is no character). cp932_to_utf8 of a text is its
// characters one after the other, and so is every cp932_bytes_prefix.
size_t cp932_char_at(std::string_view sj, size_t i, std::string* utf8);

}  // namespace z2
