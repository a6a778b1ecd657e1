#pragma once
// Standard MIDI File writer (format 1).
#include <cstdint>
#include <string>
#include <vector>

namespace z2::sndgen {

class SmfTrack {
 public:
  explicit SmfTrack(std::string name) : name_(std::move(name)) {}

  void tempo(uint32_t tick, double bpm);
  void time_signature(uint32_t tick, int num, int den);  // den: 4, 8, ...
  void key_signature(uint32_t tick, int sharps, bool minor);
  void text(uint32_t tick, uint8_t type, const std::string& s);
  void program(uint32_t tick, int ch, int prog);
  void control(uint32_t tick, int ch, int cc, int value);
  void note(int ch, uint32_t on, uint32_t off, int key, int vel);
  // Channels this track sent anything on; they get "all notes off" at the end.
  const std::vector<int>& channels() const { return channels_; }

  // Track chunk. Notes are clipped to `end_tick`; a note that would overlap the
  // same key on the same channel is cut where the next one starts.
  std::vector<uint8_t> encode(uint32_t end_tick) const;

 private:
  struct Ev {
    uint32_t tick;
    int prio;  // order within one tick: 0 note off, 1 setup, 2 note on, 3 closing
    uint32_t seq;
    std::vector<uint8_t> bytes;
  };
  struct Note {
    int ch, key, vel;
    uint32_t on, off;
  };
  void add(uint32_t tick, int prio, std::vector<uint8_t> bytes);
  void use(int ch);

  std::string name_;
  std::vector<Ev> evs_;
  std::vector<Note> notes_;
  std::vector<int> channels_;
};

std::vector<uint8_t> encode_smf(int ppq, const std::vector<SmfTrack>& tracks, uint32_t end_tick);

}  // namespace z2::sndgen
