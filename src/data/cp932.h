#pragma once
// CP932 (Shift-JIS) at the file boundary; the game holds UTF-8 in memory.
#include <string>
#include <string_view>

namespace z2 {

// Bytes that cannot be decoded become U+FFFD; never throws.
std::string cp932_to_utf8(std::string_view bytes);
// Characters without a CP932 form become '?'. `lossless` (optional) reports
// whether every character was representable.
std::string utf8_to_cp932(std::string_view text, bool* lossless = nullptr);

// Length of a text in CP932 bytes (the unit of typing and name cuts).
size_t cp932_length(std::string_view utf8);
// The first `bytes` CP932 bytes of a UTF-8 text, as UTF-8. A cut that falls
// inside a double-byte character leaves that half character out.
std::string cp932_prefix(std::string_view utf8, size_t bytes);
// The same for a text already in CP932 bytes.
std::string cp932_bytes_prefix(std::string_view sj, size_t bytes);

bool is_cp932_lead(unsigned char c);

}  // namespace z2
