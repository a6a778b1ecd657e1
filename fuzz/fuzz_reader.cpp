// The line reader on arbitrary bytes: any sequence of string and integer
// reads either gives values or a DataError, never anything else. Also the
// CP932 helpers the typing and name cuts use, and the check of MIDI files.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "data/cp932.h"
#include "data/midi.h"
#include "data/reader.h"

using namespace z2;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  // A little of the input picks the reads (bit set: an integer), the rest is the file.
  const std::string ops = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<size_t>(0, 16));
  const std::string bytes = in.ConsumeRemainingBytesAsString();

  DataReader r(bytes, "fuzz.dat");
  const size_t reads = ops.empty() ? 64 : ops.size() * 8;
  try {
    // The save's stricter line ends, on one input in two.
    if (!ops.empty() && (ops[0] & 0x80)) r.require_crlf_lines();
    for (size_t i = 0; i < reads; ++i) {
      const bool integer = ops.empty() ? (i % 3 == 2) : ((ops[i / 8] >> (i % 8)) & 1);
      if (integer) {
        (void)r.read_int();
      } else {
        const std::string s = r.read_string();
        // A string never holds a line end's CR, nor the end-of-file byte.
        if (s.find('\r') != std::string::npos || s.find('\x1A') != std::string::npos) std::abort();
      }
    }
  } catch (const DataError&) {
  }
  // Past the end every read is empty.
  DataReader tail(bytes, "fuzz.dat");
  try {
    while (!tail.at_end()) (void)tail.read_string();
    if (tail.read_int() != 0 || !tail.read_string().empty()) std::abort();
  } catch (const DataError&) {
    std::abort();  // strings never fail
  }

  // The same bytes as a piece of music: a piece that passes the check has a
  // standard MIDI file inside it.
  if (midi_fault(bytes).empty()) {
    const std::string_view smf = midi_payload(bytes);
    if (smf.size() < 14 || smf.substr(0, 4) != "MThd" || smf.data() < bytes.data() ||
        smf.data() + smf.size() > bytes.data() + bytes.size())
      std::abort();
  }

  // The text helpers: a CP932 cut never exceeds its byte count.
  const std::string utf8 = cp932_to_utf8(bytes);
  const size_t n = cp932_length(utf8);
  for (size_t cut : {size_t{0}, size_t{1}, size_t{2}, n / 2, n, n + 1}) {
    if (cp932_length(cp932_prefix(utf8, cut)) > cut && cut < n) std::abort();
  }
  // Typing: every two-byte step is a prefix of the next one (for text that
  // CP932 can hold; anything else is shown as '?' until the text is whole).
  bool lossless = false;
  const std::string sj = utf8_to_cp932(utf8, &lossless);
  std::string before;
  for (size_t step = 1; 2 * step <= n + 1 && step <= 64; ++step) {
    std::string now = cp932_prefix(utf8, 2 * step);
    if (lossless && now.compare(0, before.size(), before) != 0) std::abort();
    if (cp932_bytes_prefix(sj, 2 * step) != now && 2 * step < n) std::abort();
    before = std::move(now);
  }
  (void)utf8_to_cp932(bytes, &lossless);
  return 0;
}
