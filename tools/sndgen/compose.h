#pragma once
// Procedural arranger: a piece is a set of sections (chord progression plus
// part styles) laid out in a form; melodies come from a seeded motif
// generator that follows the scale and the chords.
#include <cstdint>
#include <string>
#include <vector>

namespace z2::sndgen {

constexpr int kPpq = 480;
constexpr int kStepTicks = kPpq / 4;  // the grid is the sixteenth note

// Roman-numeral chord relative to the tonic: "I", "vi", "bVII", "V7", "iio",
// "I+", "IIsus4", "i5", "bIIImaj7", "#IV+".
struct ChordSym {
  int root = 0;            // semitones above the tonic, 0..11
  std::vector<int> ivals;  // semitones above the root, first is 0
};
ChordSym parse_chord(const std::string& token);

struct Section {
  char id = 'A';
  std::string prog = {};    // bars separated by '|', chords in a bar by spaces
  char melody_of = 0;       // reuse the motifs of an earlier section
  double density = -1;      // melody rhythm density, -1: the piece's
  int oct = 0;              // melody octave shift
  int voice = 0;            // melody on 0: lead, 1: second lead, 2: both (octave apart)
  bool harmony = false;     // second lead a third below the melody
  bool counter = false;     // second lead plays held guide tones
  bool melody = true;       // false: accompaniment only
  std::string bass = {}, comp = {}, pad = {}, drums = {};  // style overrides, "" keeps the piece's
  int dyn = 0;              // velocity offset for the whole section
  bool fill = true;         // drum fill in the last bar
};

struct Piece {
  std::string file, title;
  double bpm = 120;
  std::vector<int> meter = {4, 4, 4, 4};  // beat lengths in sixteenths
  int ts_num = 4, ts_den = 4;
  int tonic = 60;                      // melody register reference
  std::vector<int> scale = {0, 2, 4, 5, 7, 9, 11};
  bool minor = false;                  // for the key signature only
  bool adapt = true;                   // bend the scale to chord tones outside it
  int lead = 0, lead2 = 48, comp = 0, pad = -1, bass = 33, kit = 0;
  std::string bass_style = "eighths", comp_style = "pad", pad_style = "pad", drums = "rock";
  double density = 0.5, legato = 0.9, leap = 0.15, sync = 0.15;
  int mel_lo = -5, mel_hi = 14;        // melody range around the tonic
  int swing = 0;                       // ticks added to off-beat sixteenths
  int reverb = 40, chorus = 10;
  int lead_vol = 100, lead2_vol = 85, comp_vol = 78, pad_vol = 68, bass_vol = 90, drum_vol = 84;
  std::vector<Section> sections;
  std::string form;                    // section ids in playing order
};

struct Rendered {
  std::vector<uint8_t> bytes;
  double seconds = 0;
};

// Throws std::logic_error when the piece is malformed (bad chord, a pattern
// that does not fit the meter, an ending off the tonic or dominant, ...).
Rendered render_piece(const Piece& p);

}  // namespace z2::sndgen
