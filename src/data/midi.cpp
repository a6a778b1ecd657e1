#include "data/midi.h"

#include <algorithm>
#include <cstdint>

namespace z2 {
namespace {

uint32_t be32(std::string_view b, size_t at) {
  return uint32_t{static_cast<unsigned char>(b[at])} << 24 | uint32_t{static_cast<unsigned char>(b[at + 1])} << 16 |
         uint32_t{static_cast<unsigned char>(b[at + 2])} << 8 | uint32_t{static_cast<unsigned char>(b[at + 3])};
}
uint32_t le32(std::string_view b, size_t at) {
  return uint32_t{static_cast<unsigned char>(b[at + 3])} << 24 | uint32_t{static_cast<unsigned char>(b[at + 2])} << 16 |
         uint32_t{static_cast<unsigned char>(b[at + 1])} << 8 | uint32_t{static_cast<unsigned char>(b[at])};
}
unsigned be16(std::string_view b, size_t at) {
  return unsigned{static_cast<unsigned char>(b[at])} << 8 | unsigned{static_cast<unsigned char>(b[at + 1])};
}

// One track chunk's events, walked from start to end.
class TrackWalk {
 public:
  explicit TrackWalk(std::string_view data) : d_(data) {}

  // Empty when every event is whole; `end_tick` and `notes` then tell how long
  // the track lasts and how many notes it strikes.
  std::string walk() {
    unsigned running = 0;
    while (pos_ < d_.size()) {
      uint32_t delta = 0;
      if (!number(&delta)) return cut_or_bad_;
      end_tick += delta;
      if (pos_ >= d_.size()) return "cut off inside an event";
      unsigned status = byte(pos_);
      if (status >= 0x80) {
        ++pos_;
      } else if (running == 0) {
        return "an event without a status byte";
      } else {
        status = running;
      }
      if (status == 0xFF) {
        if (pos_ >= d_.size()) return "cut off inside a meta event";
        const unsigned type = byte(pos_++);
        uint32_t len = 0;
        if (!number(&len)) return cut_or_bad_;
        if (len > d_.size() - pos_) return "cut off inside a meta event";
        if (const int want = meta_length(type); want >= 0 && len != static_cast<uint32_t>(want))
          return "a meta event of the wrong length";
        pos_ += len;
        running = 0;
        if (type == 0x2F) return {};  // end of track: what follows is not read
      } else if (status == 0xF0 || status == 0xF7) {
        uint32_t len = 0;
        if (!number(&len)) return cut_or_bad_;
        if (len > d_.size() - pos_) return "cut off inside a system exclusive message";
        pos_ += len;
        running = 0;
      } else if (status > 0xF0) {
        return "a status byte that has no place in a file";
      } else {
        running = status;
        const unsigned kind = status & 0xF0;
        const size_t count = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        if (count > d_.size() - pos_) return "cut off inside an event";
        for (size_t i = 0; i < count; ++i)
          if (byte(pos_ + i) >= 0x80) return "an event with a data byte above 127";
        if (kind == 0x90 && byte(pos_ + 1) > 0) ++notes;
        pos_ += count;
      }
    }
    return {};
  }

  uint64_t end_tick = 0;
  uint64_t notes = 0;

 private:
  unsigned byte(size_t at) const { return static_cast<unsigned char>(d_[at]); }

  // A variable-length number: at most four bytes of seven bits.
  bool number(uint32_t* out) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      if (pos_ >= d_.size()) {
        cut_or_bad_ = "cut off inside an event";
        return false;
      }
      const unsigned b = byte(pos_++);
      v = v << 7 | (b & 0x7F);
      if (b < 0x80) {
        *out = v;
        return true;
      }
    }
    cut_or_bad_ = "a length or time longer than four bytes";
    return false;
  }

  // The length a meta event of `type` must have, or -1 when any will do.
  static int meta_length(unsigned type) {
    switch (type) {
      case 0x00: return 2;  // sequence number
      case 0x20: return 1;  // channel prefix
      case 0x2F: return 0;  // end of track
      case 0x51: return 3;  // tempo
      case 0x54: return 5;  // SMPTE offset
      case 0x58: return 4;  // time signature
      case 0x59: return 2;  // key signature
      default: return -1;
    }
  }

  std::string_view d_;
  size_t pos_ = 0;
  std::string cut_or_bad_;
};

}  // namespace

std::string_view midi_payload(std::string_view b) {
  if (b.size() < 12 || b.substr(0, 4) != "RIFF" || b.substr(8, 4) != "RMID") return b;
  for (size_t at = 12; b.size() - at >= 8;) {
    const uint32_t len = le32(b, at + 4);
    if (len > b.size() - at - 8) return {};
    if (b.substr(at, 4) == "data") return b.substr(at + 8, len);
    at += 8 + len + (len & 1);
    if (at > b.size()) return {};
  }
  return {};
}

std::string midi_fault(std::string_view bytes) {
  if (bytes.empty()) return "empty";
  const std::string_view b = midi_payload(bytes);
  if (b.empty()) return "a RIFF file without MIDI data";
  if (b.size() < 14 || b.substr(0, 4) != "MThd") return "not a MIDI file";
  if (be32(b, 4) != 6) return "a MIDI header of the wrong length";
  const unsigned format = be16(b, 8), tracks = be16(b, 10), division = be16(b, 12);
  if (format > 2) return "MIDI format " + std::to_string(format) + ", which does not exist";
  if (tracks == 0) return "no tracks";
  if (division & 0x8000) return "SMPTE time, which the synthesizer cannot play";
  if (division == 0) return "zero ticks per quarter note";
  uint64_t longest = 0, notes = 0;
  size_t at = 14;
  for (unsigned k = 1; k <= tracks;) {
    const std::string track = "track " + std::to_string(k) + ": ";
    if (b.size() - at < 8) return track + "missing (the file is cut off)";
    const uint32_t len = be32(b, at + 4);
    if (len > b.size() - at - 8) return track + "cut off";
    const std::string_view id = b.substr(at, 4);
    const std::string_view body = b.substr(at + 8, len);
    at += 8 + len;
    if (id != "MTrk") continue;  // a chunk of another kind is passed over
    TrackWalk w(body);
    if (std::string why = w.walk(); !why.empty()) return track + why;
    longest = std::max(longest, w.end_tick);
    notes += w.notes;
    ++k;
  }
  // A piece of no length would be looped without end within one instant.
  if (longest == 0) return "no length to play";
  if (notes == 0) return "not a single note";
  return {};
}

}  // namespace z2
