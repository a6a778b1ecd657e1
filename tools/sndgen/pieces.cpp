// The game's music: each piece is a handful of sections with their chord
// progressions, instruments and styles; the arranger does the rest.
#include <functional>
#include <stdexcept>

#include "compose.h"
#include "sndgen.h"

namespace z2::sndgen {

namespace {

const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kMinor = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> kHarmonic = {0, 2, 3, 5, 7, 8, 11};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kMixolydian = {0, 2, 4, 5, 7, 9, 10};
const std::vector<int> kPhrygian = {0, 1, 3, 5, 7, 8, 10};
const std::vector<int> kPentaMajor = {0, 2, 4, 7, 9};
const std::vector<int> kPentaMinor = {0, 3, 5, 7, 10};
const std::vector<int> kMiyakobushi = {0, 1, 5, 7, 8};
const std::vector<int> kWholeTone = {0, 2, 4, 6, 8, 10};

// General MIDI programs (0-based).
enum Gm {
  Piano = 0, EPiano = 4, Celesta = 8, MusicBox = 10, Vibraphone = 11, Marimba = 12,
  DrawbarOrgan = 16, ChurchOrgan = 19, Accordion = 21, NylonGuitar = 24, CleanGuitar = 27,
  MutedGuitar = 28, OverdriveGuitar = 29, DistortionGuitar = 30, AcousticBass = 32,
  FingerBass = 33, PickBass = 34, Fretless = 35, SlapBass = 36, SynthBass = 38, SynthBass2 = 39,
  Violin = 40, Cello = 42, Contrabass = 43, Pizzicato = 45, Harp = 46, Strings = 48,
  SlowStrings = 49, SynthStrings = 50, Choir = 52, Voice = 53, Trumpet = 56, Trombone = 57,
  Tuba = 58, Horn = 60, Brass = 61, SynthBrass = 62, AltoSax = 65, Oboe = 68, Clarinet = 71,
  Piccolo = 72, Flute = 73, Ocarina = 79, SquareLead = 80, SawLead = 81, WarmPad = 89,
  HaloPad = 94, Atmosphere = 99, Shamisen = 106, Koto = 107,
};
// Drum kits (programs on channel 10).
enum Kit { Standard = 0, Room = 8, Power = 16, Electronic = 24, Brush = 40, Orchestra = 48 };

Piece title_theme() {
  Piece p;
  p.file = "open.mid"; p.title = "Title";
  p.bpm = 108; p.tonic = 65; p.scale = kMajor;
  p.lead = Trumpet; p.lead2 = Horn; p.comp = Strings; p.pad = Choir; p.bass = Contrabass; p.kit = Orchestra;
  p.comp_style = "arp8"; p.bass_style = "half"; p.drums = "anthem";
  p.density = 0.4; p.legato = 0.92; p.mel_lo = -5; p.mel_hi = 16; p.reverb = 60;
  p.sections = {
      {.id = 'A', .prog = "I | V | vi | iii | IV | I | ii | V"},
      {.id = 'B', .prog = "I | V | vi | iii | IV | I | IV V | I", .melody_of = 'A', .harmony = true, .dyn = 6},
      {.id = 'C', .prog = "IV | V | iii | vi | ii | V | IV | V", .density = 0.3, .voice = 1, .comp = "pad", .dyn = -6},
      {.id = 'D', .prog = "I | V | vi | iii | IV | I | IV V | I", .melody_of = 'A', .voice = 2, .dyn = 8},
  };
  p.form = "ABCD";
  return p;
}

Piece opening_story() {
  Piece p;
  p.file = "new.mid"; p.title = "Opening";
  p.bpm = 80; p.tonic = 74; p.scale = kMinor; p.minor = true;
  p.lead = Flute; p.lead2 = Oboe; p.comp = Harp; p.pad = Strings; p.bass = AcousticBass; p.kit = Brush;
  p.comp_style = "arp8"; p.bass_style = "half"; p.drums = "ballad";
  p.density = 0.35; p.legato = 0.96; p.mel_lo = -7; p.mel_hi = 10; p.reverb = 70; p.lead_vol = 106; p.lead2_vol = 76;
  p.sections = {
      {.id = 'A', .prog = "i | bVI | bIII | bVII | iv | i | bVI V | i"},
      {.id = 'B', .prog = "bIII | bVII | bVI | bIII | iv | bVII | bIII | V", .counter = true, .dyn = 4},
      {.id = 'C', .prog = "i | bVI | bIII | bVII | iv | i | bVI V | i", .melody_of = 'A', .voice = 1},
  };
  p.form = "ABC";
  return p;
}

// Floor 0 and 10: the humble first arena, light and plucky.
Piece arena_first() {
  Piece p;
  p.file = "ere.mid"; p.title = "First Arena";
  p.bpm = 132; p.tonic = 67; p.scale = kMixolydian;
  p.lead = SquareLead; p.lead2 = CleanGuitar; p.comp = CleanGuitar; p.pad = -1; p.bass = FingerBass;
  p.comp_style = "strum"; p.bass_style = "eighths"; p.drums = "rock";
  p.density = 0.55; p.mel_lo = -5; p.mel_hi = 12; p.lead_vol = 104;
  p.sections = {
      {.id = 'A', .prog = "I | bVII | IV | I | I | bVII | IV | V"},
      {.id = 'B', .prog = "I | bVII | IV | I | I | bVII | V | I", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "IV | IV | I | I | IV | IV | ii | V", .density = 0.4, .comp = "offbeat", .dyn = -4},
      {.id = 'D', .prog = "I | bVII | IV | I | I | bVII | V | I", .melody_of = 'A'},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_armour() {
  Piece p;
  p.file = "arm.mid"; p.title = "Iron Ring";
  p.bpm = 140; p.tonic = 64; p.scale = kMinor; p.minor = true;
  p.lead = OverdriveGuitar; p.lead2 = Strings; p.comp = DistortionGuitar; p.pad = SynthStrings; p.bass = PickBass;
  p.comp_style = "power8"; p.bass_style = "eighths"; p.drums = "battle"; p.pad_style = "pad";
  p.density = 0.55; p.mel_lo = -4; p.mel_hi = 14; p.lead_vol = 110; p.comp_vol = 70;
  p.sections = {
      {.id = 'A', .prog = "i | i | bVI | bVII | i | i | bVI | V"},
      {.id = 'B', .prog = "i | i | bVI | bVII | iv | bVI | V | i", .melody_of = 'A'},
      {.id = 'C', .prog = "iv | iv | i | i | bVI | bVII | V | V", .density = 0.35, .voice = 1, .comp = "powerhalf"},
      {.id = 'D', .prog = "i | i | bVI | bVII | iv | bVI | V | i", .melody_of = 'A', .harmony = true},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_strings() {
  Piece p;
  p.file = "sai.mid"; p.title = "Crossed Blades";
  p.bpm = 150; p.tonic = 62; p.scale = kHarmonic; p.minor = true;
  p.lead = Trumpet; p.lead2 = Violin; p.comp = Strings; p.pad = Brass; p.bass = Contrabass; p.kit = Orchestra;
  p.comp_style = "arp16"; p.bass_style = "eighths"; p.drums = "battle"; p.pad_style = "none";
  p.density = 0.5; p.mel_lo = -2; p.mel_hi = 15; p.lead_vol = 104;
  p.sections = {
      {.id = 'A', .prog = "i | iv | V | i | bVI | iv | V | V"},
      {.id = 'B', .prog = "i | iv | V | i | bVI | iv | V | i", .melody_of = 'A', .voice = 3},
      {.id = 'C', .prog = "bVI | bVII | bIII | bVI | iv | bVII | V | V", .density = 0.35, .voice = 1, .pad = "pad"},
      {.id = 'D', .prog = "i | iv | V | i | bVI | iv | V | i", .melody_of = 'A', .harmony = true, .dyn = 6},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_groove() {
  Piece p;
  p.file = "11m.mid"; p.title = "Eleven Moves";
  p.bpm = 124; p.tonic = 69; p.scale = kDorian; p.minor = true;
  p.lead = SawLead; p.lead2 = EPiano; p.comp = EPiano; p.pad = WarmPad; p.bass = SynthBass;
  p.comp_style = "funk"; p.bass_style = "funk"; p.drums = "funk"; p.swing = 18;
  p.density = 0.6; p.sync = 0.35; p.mel_lo = -9; p.mel_hi = 9; p.lead_vol = 104; p.pad_vol = 54;
  p.sections = {
      {.id = 'A', .prog = "i7 | IV7 | i7 | IV7 | i7 | IV7 | bVII | V"},
      {.id = 'B', .prog = "i7 | IV7 | i7 | IV7 | bIII | IV | V | i7", .melody_of = 'A'},
      {.id = 'C', .prog = "bVII | bVII | IV | IV | bIII | bIII | ii7 | V7", .density = 0.4, .voice = 1, .comp = "pad"},
      {.id = 'D', .prog = "i7 | IV7 | i7 | IV7 | bIII | IV | V | i7", .melody_of = 'A', .harmony = true},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_exotic() {
  Piece p;
  p.file = "gfsn.mid"; p.title = "Desert Gate";
  p.bpm = 146; p.tonic = 71; p.scale = kHarmonic; p.minor = true;
  p.lead = Brass; p.lead2 = Oboe; p.comp = Strings; p.pad = -1; p.bass = FingerBass;
  p.comp_style = "stab"; p.bass_style = "gallop"; p.drums = "battle";
  p.density = 0.5; p.mel_lo = -10; p.mel_hi = 8;
  p.sections = {
      {.id = 'A', .prog = "i | bII | i | bII | iv | i | bII | V"},
      {.id = 'B', .prog = "i | bII | i | bII | iv | bVI | V | i", .melody_of = 'A'},
      {.id = 'C', .prog = "bVI | bVII | i | i | bVI | bVII | V | V", .density = 0.35, .voice = 1, .comp = "arp16"},
      {.id = 'D', .prog = "i | bII | i | bII | iv | bVI | V | i", .melody_of = 'A', .voice = 2, .dyn = 6},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_urgent() {
  Piece p;
  p.file = "end.mid"; p.title = "No Way Back";
  p.bpm = 162; p.tonic = 60; p.scale = kMinor; p.minor = true;
  p.lead = OverdriveGuitar; p.lead2 = DistortionGuitar; p.comp = DistortionGuitar; p.pad = Brass; p.bass = PickBass;
  p.kit = Power; p.comp_style = "power8"; p.bass_style = "eighths"; p.drums = "double"; p.pad_style = "none";
  p.density = 0.55; p.mel_lo = -5; p.mel_hi = 14; p.lead_vol = 110; p.comp_vol = 66;
  p.sections = {
      {.id = 'A', .prog = "i | bVII | bVI | bVII | i | bVII | bVI | V"},
      {.id = 'B', .prog = "i | bVII | bVI | bVII | iv | bVI | V | i", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "bVI | bVII | i | i | bVI | bVII | V | V", .density = 0.35, .pad = "pad", .drums = "battle"},
      {.id = 'D', .prog = "i | bVII | bVI | bVII | iv | bVI | V | i", .melody_of = 'A', .harmony = true},
      {.id = 'E', .prog = "iv | iv | i | i | bVI | bVI | V | V", .melody = false, .comp = "powerhalf", .pad = "pad", .drums = "halftime"},
  };
  p.form = "ABCDE";
  return p;
}

Piece arena_lost() {
  Piece p;
  p.file = "mayoi.mid"; p.title = "Wavering";
  p.bpm = 112; p.tonic = 66; p.scale = kPhrygian; p.minor = true;
  p.lead = Clarinet; p.lead2 = Vibraphone; p.comp = Piano; p.pad = SlowStrings; p.bass = Fretless;
  p.comp_style = "arp8"; p.bass_style = "half"; p.drums = "halftime";
  p.density = 0.4; p.legato = 0.95; p.mel_lo = -6; p.mel_hi = 12; p.reverb = 60; p.drum_vol = 80;
  p.sections = {
      {.id = 'A', .prog = "i | bII | bvii | i | iv | bII | bVII | V"},
      {.id = 'B', .prog = "i | bII | bvii | i | iv | bII | V | i", .melody_of = 'A', .counter = true},
      {.id = 'C', .prog = "bVI | bVII | i | i | bVI | bII | V | V", .density = 0.3, .voice = 1},
      {.id = 'D', .prog = "i | bII | bvii | i | iv | bII | V | i", .melody_of = 'A', .voice = 2},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_victory() {
  Piece p;
  p.file = "vic.mid"; p.title = "Banners";
  p.bpm = 152; p.tonic = 63; p.scale = kMajor;
  p.lead = Brass; p.lead2 = Trumpet; p.comp = Strings; p.pad = -1; p.bass = FingerBass;
  p.comp_style = "offbeat"; p.bass_style = "octaves"; p.drums = "anthem";
  p.density = 0.5; p.mel_lo = -3; p.mel_hi = 14;
  p.sections = {
      {.id = 'A', .prog = "I | V | vi | IV | I | V | IV | V"},
      {.id = 'B', .prog = "I | V | vi | IV | ii | V | IV V | I", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "vi | iii | IV | I | ii | vi | IV | V", .density = 0.35, .voice = 3, .comp = "arp16"},
      {.id = 'D', .prog = "I | V | vi | IV | ii | V | IV V | I", .melody_of = 'A', .harmony = true, .dyn = 6},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_always() {
  Piece p;
  p.file = "always.mid"; p.title = "Always Forward";
  p.bpm = 144; p.tonic = 69; p.scale = kMajor;
  p.lead = Violin; p.lead2 = Flute; p.comp = Piano; p.pad = Strings; p.bass = FingerBass;
  p.comp_style = "arp16"; p.bass_style = "eighths"; p.drums = "rock";
  p.density = 0.5; p.legato = 0.95; p.mel_lo = -9; p.mel_hi = 10; p.comp_vol = 70;
  p.sections = {
      {.id = 'A', .prog = "vi | IV | I | V | vi | IV | I | V"},
      {.id = 'B', .prog = "vi | IV | I | V | ii | IV | V | V", .melody_of = 'A', .voice = 3},
      {.id = 'C', .prog = "IV | V | iii | vi | IV | V | I | I", .density = 0.3, .oct = 1, .dyn = 4},
      {.id = 'D', .prog = "vi | IV | I | V | vi | IV | V | I", .melody_of = 'A', .harmony = true},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_hardrock() {
  Piece p;
  p.file = "dont.mid"; p.title = "Don't Look Down";
  p.bpm = 168; p.tonic = 64; p.scale = kPentaMinor; p.adapt = false; p.minor = true;
  p.lead = DistortionGuitar; p.lead2 = OverdriveGuitar; p.comp = DistortionGuitar; p.pad = DrawbarOrgan;
  p.bass = PickBass; p.kit = Power;
  p.comp_style = "power8"; p.bass_style = "eighths"; p.drums = "double"; p.pad_style = "none";
  p.density = 0.55; p.leap = 0.2; p.mel_lo = -4; p.mel_hi = 15; p.lead_vol = 110; p.comp_vol = 64;
  p.sections = {
      {.id = 'A', .prog = "i5 | i5 | bIII5 | IV5 | i5 | i5 | bVII5 | V5"},
      {.id = 'B', .prog = "i5 | i5 | bIII5 | IV5 | i5 | bVI5 | V5 | i5", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "iv5 | iv5 | i5 | i5 | bVI5 | bVII5 | V5 | V5", .density = 0.35, .pad = "pad", .drums = "battle"},
      {.id = 'D', .prog = "i5 | i5 | bIII5 | IV5 | i5 | bVI5 | V5 | i5", .melody_of = 'A', .harmony = true},
      {.id = 'E', .prog = "iv5 | iv5 | i5 | i5 | bVI5 | bVII5 | V5 | V5", .melody_of = 'C', .voice = 2, .pad = "pad"},
  };
  p.form = "ABCDE";
  return p;
}

Piece arena_epic() {
  Piece p;
  p.file = "ending.mid"; p.title = "Last Light";
  p.bpm = 126; p.tonic = 62; p.scale = kMinor; p.minor = true;
  p.lead = Brass; p.lead2 = Strings; p.comp = Strings; p.pad = Choir; p.bass = Contrabass; p.kit = Orchestra;
  p.comp_style = "arp16"; p.bass_style = "eighths"; p.drums = "anthem";
  p.density = 0.45; p.mel_lo = -2; p.mel_hi = 15; p.reverb = 60;
  p.sections = {
      {.id = 'A', .prog = "i | bVI | bIII | bVII | i | bVI | iv | V"},
      {.id = 'B', .prog = "i | bVI | bIII | bVII | iv | bVI | V | i", .melody_of = 'A', .voice = 2},
      {.id = 'C', .prog = "bVI | bVII | bIII | bVI | iv | bVII | V | V", .density = 0.3, .voice = 1, .dyn = -4},
      {.id = 'D', .prog = "i | bVI | bIII | bVII | iv | bVI | V | i", .melody_of = 'A', .harmony = true, .dyn = 6},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_dark() {
  Piece p;
  p.file = "dec05.mid"; p.title = "Descent";
  p.bpm = 96; p.tonic = 61; p.scale = kHarmonic; p.minor = true;
  p.lead = DrawbarOrgan; p.lead2 = Choir; p.comp = DistortionGuitar; p.pad = SynthStrings; p.bass = SynthBass;
  p.kit = Power; p.comp_style = "powerhalf"; p.bass_style = "pedal8"; p.drums = "halftime";
  p.density = 0.4; p.legato = 0.95; p.mel_lo = -1; p.mel_hi = 15; p.comp_vol = 64; p.lead_vol = 108;
  p.sections = {
      {.id = 'A', .prog = "i | i | bII | bII | i | i | bVI | V"},
      {.id = 'B', .prog = "i | i | bII | bII | iv | bVI | V | i", .melody_of = 'A', .counter = true},
      {.id = 'C', .prog = "bVI | bVI | bII | bII | iv | iv | V | V", .density = 0.3, .voice = 1, .bass = "eighths"},
      {.id = 'D', .prog = "i | i | bII | bII | iv | bVI | V | i", .melody_of = 'A', .voice = 2, .dyn = 6},
  };
  p.form = "ABCD";
  return p;
}

Piece arena_frantic() {
  Piece p;
  p.file = "dec06.mid"; p.title = "Spiral";
  p.bpm = 176; p.tonic = 67; p.scale = kHarmonic; p.minor = true;
  p.lead = SawLead; p.lead2 = SquareLead; p.comp = SynthStrings; p.pad = SynthBrass; p.bass = SynthBass2;
  p.kit = Electronic; p.comp_style = "arp16"; p.bass_style = "octaves"; p.drums = "chase"; p.pad_style = "none";
  p.density = 0.6; p.mel_lo = -7; p.mel_hi = 10; p.lead_vol = 106; p.lead2_vol = 76;
  p.sections = {
      {.id = 'A', .prog = "i | iv | viio | i | bVI | bII | V | V"},
      {.id = 'B', .prog = "i | iv | viio | i | bVI | iv | V | i", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "bVI | viio | i | iv | bVI | viio | V | V", .density = 0.45, .pad = "pad"},
      {.id = 'D', .prog = "i | iv | viio | i | bVI | iv | V | i", .melody_of = 'A', .harmony = true},
      {.id = 'E', .prog = "bVI | viio | i | iv | bVI | viio | V | V", .melody_of = 'C', .voice = 2, .pad = "pad"},
  };
  p.form = "ABCDE";
  return p;
}

// Floors 16 and 22, and the final gauntlet: the best theme of all.
Piece arena_best() {
  Piece p;
  p.file = "best.mid"; p.title = "Champions";
  p.bpm = 156; p.tonic = 60; p.scale = kMinor; p.minor = true;
  p.lead = Trumpet; p.lead2 = Strings; p.comp = DistortionGuitar; p.pad = Brass; p.bass = PickBass;
  p.comp_style = "power8"; p.bass_style = "eighths"; p.drums = "battle"; p.pad_style = "pad";
  p.density = 0.5; p.mel_lo = -2; p.mel_hi = 15; p.comp_vol = 64; p.pad_vol = 56;
  p.sections = {
      {.id = 'A', .prog = "i | bVI | bVII | i | i | bVI | bVII | V"},
      {.id = 'B', .prog = "i | bVI | bVII | i | iv | bVI | V | V", .melody_of = 'A', .voice = 2},
      {.id = 'C', .prog = "bIII | bVII | bVI | bVII | bIII | bVII | iv | V", .density = 0.35, .voice = 2, .dyn = 4},
      {.id = 'D', .prog = "bVI | bVII | bVI | bVII | iv | iv | V | V", .density = 0.65, .harmony = true, .comp = "powerhalf", .drums = "double"},
      {.id = 'E', .prog = "i | bVI | bVII | i | bVI | bVII | V | i", .melody_of = 'A', .harmony = true, .dyn = 6},
  };
  p.form = "ABCDE";
  return p;
}

// Floor 24, the strange tower: whole tones, seven beats, roots climbing.
Piece arena_tower() {
  Piece p;
  p.file = "rworld.mid"; p.title = "Upside Tower";
  p.bpm = 150; p.meter = {4, 4, 6}; p.ts_num = 7; p.ts_den = 8;
  p.tonic = 64; p.scale = kWholeTone; p.adapt = false;
  p.lead = Vibraphone; p.lead2 = HaloPad; p.comp = Celesta; p.pad = Atmosphere; p.bass = SynthBass;
  p.kit = Electronic; p.comp_style = "arp8"; p.bass_style = "eighths"; p.drums = "odd7";
  p.density = 0.5; p.leap = 0.2; p.mel_lo = -4; p.mel_hi = 14; p.reverb = 70; p.lead_vol = 104;
  p.sections = {
      {.id = 'A', .prog = "I+ | II+ | III+ | #IV+ | #V+ | bVII+ | II+ | I+"},
      {.id = 'B', .prog = "I+ | bVII+ | #V+ | #IV+ | III+ | II+ | bVII+ | I+", .density = 0.35, .counter = true},
      {.id = 'C', .prog = "I+ | II+ | III+ | #IV+ | #V+ | bVII+ | II+ | I+", .melody_of = 'A', .voice = 3},
      {.id = 'D', .prog = "I+ | bVII+ | #V+ | #IV+ | III+ | II+ | bVII+ | I+", .melody_of = 'B', .voice = 1},
  };
  p.form = "ABCD";
  return p;
}

// ---- music discs ----

Piece md_march() {
  Piece p;
  p.file = "md01.mid"; p.title = "Parade";
  p.bpm = 116; p.tonic = 65; p.scale = kMajor;
  p.lead = Trumpet; p.lead2 = Piccolo; p.comp = Brass; p.pad = -1; p.bass = Tuba;
  p.comp_style = "march"; p.bass_style = "root5"; p.drums = "march";
  p.density = 0.5; p.legato = 0.8; p.mel_lo = -3; p.mel_hi = 14;
  p.sections = {
      {.id = 'A', .prog = "I | IV | I | V | I | IV | V | I"},
      {.id = 'B', .prog = "I | IV | I | V | I | IV | V | I", .melody_of = 'A', .voice = 3},
      {.id = 'C', .prog = "IV | IV | I | I | ii | V | I | V", .density = 0.35, .oct = -1, .voice = 1, .dyn = -6},
      {.id = 'D', .prog = "I | IV | I | V | I | IV | V | I", .melody_of = 'A', .harmony = true, .dyn = 6},
  };
  p.form = "ABCD";
  return p;
}

Piece md_waltz() {
  Piece p;
  p.file = "md02.mid"; p.title = "Town Square";
  p.bpm = 132; p.meter = {4, 4, 4}; p.ts_num = 3;
  p.tonic = 67; p.scale = kMajor;
  p.lead = Flute; p.lead2 = Clarinet; p.comp = NylonGuitar; p.pad = Strings; p.bass = AcousticBass; p.kit = Brush;
  p.comp_style = "waltz"; p.bass_style = "waltz"; p.drums = "waltz"; p.pad_style = "none";
  p.density = 0.45; p.legato = 0.9; p.mel_lo = -3; p.mel_hi = 14; p.reverb = 55;
  p.sections = {
      {.id = 'A', .prog = "I | I | IV | I | vi | ii | V | V"},
      {.id = 'B', .prog = "I | I | IV | I | ii | V | I | I", .melody_of = 'A', .counter = true},
      {.id = 'C', .prog = "vi | iii | IV | I | ii | V | I | V", .density = 0.35, .voice = 1, .pad = "pad"},
      {.id = 'D', .prog = "I | I | IV | I | ii | V | I | I", .melody_of = 'A', .harmony = true},
  };
  p.form = "ABCD";
  return p;
}

Piece md_cave() {
  Piece p;
  p.file = "md03.mid"; p.title = "Dripping Cave";
  p.bpm = 76; p.tonic = 62; p.scale = kHarmonic; p.minor = true;
  p.lead = Clarinet; p.lead2 = Voice; p.comp = Celesta; p.pad = SlowStrings; p.bass = AcousticBass;
  p.comp_style = "arp8"; p.bass_style = "whole"; p.drums = "spooky";
  p.density = 0.25; p.legato = 0.95; p.leap = 0.22; p.mel_lo = -7; p.mel_hi = 9; p.reverb = 90;
  p.comp_vol = 60; p.lead_vol = 108; p.pad_vol = 60;
  p.sections = {
      {.id = 'A', .prog = "i | bII | i | viio | i | bVI | iio | V"},
      {.id = 'B', .prog = "iv | i | bII | V | iv | bVI | bII | V", .density = 0.2, .voice = 1},
      {.id = 'C', .prog = "i | bII | i | viio | iv | bII | V | i", .melody_of = 'A', .counter = true},
  };
  p.form = "ABC";
  return p;
}

Piece md_heroic() {
  Piece p;
  p.file = "md04.mid"; p.title = "Hero's Road";
  p.bpm = 120; p.tonic = 62; p.scale = kMajor;
  p.lead = Horn; p.lead2 = Trumpet; p.comp = Strings; p.pad = Brass; p.bass = Contrabass; p.kit = Orchestra;
  p.comp_style = "arp16"; p.bass_style = "gallop"; p.drums = "anthem"; p.pad_style = "pad";
  p.density = 0.45; p.mel_lo = -3; p.mel_hi = 16; p.pad_vol = 52; p.lead_vol = 110;
  p.sections = {
      {.id = 'A', .prog = "I | V | vi | IV | I | V | IV | V"},
      {.id = 'B', .prog = "I | V | vi | IV | ii | V | I | I", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "bVI | bVII | I | I | bVI | bVII | V | V", .density = 0.35, .voice = 3, .dyn = 4},
      {.id = 'D', .prog = "I | V | vi | IV | ii | V | I | I", .melody_of = 'A', .voice = 3, .dyn = 6},
  };
  p.form = "ABCD";
  return p;
}

Piece md_funk() {
  Piece p;
  p.file = "md05.mid"; p.title = "Shop Groove";
  p.bpm = 104; p.tonic = 64; p.scale = kDorian; p.minor = true;
  p.lead = AltoSax; p.lead2 = EPiano; p.comp = MutedGuitar; p.pad = DrawbarOrgan; p.bass = SlapBass;
  p.comp_style = "funk"; p.bass_style = "funk"; p.drums = "funk"; p.swing = 22; p.pad_style = "pad";
  p.density = 0.55; p.sync = 0.4; p.mel_lo = -5; p.mel_hi = 12; p.pad_vol = 48;
  p.sections = {
      {.id = 'A', .prog = "i7 | IV7 | i7 | IV7 | i7 | IV7 | ii7 | V7"},
      {.id = 'B', .prog = "i7 | IV7 | i7 | IV7 | i7 | IV7 | bVII | i7", .melody_of = 'A'},
      {.id = 'C', .prog = "bIIImaj7 | bVII | IV7 | i7 | bIIImaj7 | bVII | ii7 | V7", .density = 0.4, .voice = 1},
      {.id = 'D', .prog = "i7 | IV7 | i7 | IV7 | i7 | IV7 | bVII | i7", .melody_of = 'A', .harmony = true},
  };
  p.form = "ABCD";
  return p;
}

Piece md_ballad() {
  Piece p;
  p.file = "md06.mid"; p.title = "Letter Never Sent";
  p.bpm = 72; p.tonic = 69; p.scale = kMinor; p.minor = true;
  p.lead = Violin; p.lead2 = Cello; p.comp = Piano; p.pad = Strings; p.bass = FingerBass;
  p.comp_style = "arp8"; p.bass_style = "whole"; p.drums = "ballad";
  p.density = 0.35; p.legato = 0.98; p.mel_lo = -5; p.mel_hi = 12; p.reverb = 75; p.drum_vol = 76;
  p.sections = {
      {.id = 'A', .prog = "i | bVI | bIII | bVII | iv | i | bVI | V"},
      {.id = 'B', .prog = "bVI | bVII | bIII | bVI | iv | bVII | V | V", .density = 0.3, .counter = true, .dyn = 4},
      {.id = 'C', .prog = "i | bVI | bIII | bVII | iv | bVI | V | i", .melody_of = 'A', .voice = 2},
  };
  p.form = "ABC";
  return p;
}

Piece md_chase() {
  Piece p;
  p.file = "md07.mid"; p.title = "Pursuit";
  p.bpm = 176; p.tonic = 65; p.scale = kHarmonic; p.minor = true;
  p.lead = SawLead; p.lead2 = Trumpet; p.comp = Strings; p.pad = SynthStrings; p.bass = SynthBass;
  p.kit = Electronic; p.comp_style = "offbeat"; p.bass_style = "octaves"; p.drums = "chase"; p.pad_style = "none";
  p.density = 0.6; p.mel_lo = -5; p.mel_hi = 12; p.lead_vol = 106;
  p.sections = {
      {.id = 'A', .prog = "i | bVII | bVI | V | i | bVII | bVI | V"},
      {.id = 'B', .prog = "i | bVII | bVI | V | i | bVII | bVI | V", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "iv | iv | i | i | bVI | bVII | V | V", .density = 0.45, .voice = 1, .pad = "pulse"},
      {.id = 'D', .prog = "i | bVII | bVI | V | i | bVII | bVI | V", .melody_of = 'A', .voice = 2},
      {.id = 'E', .prog = "iv | iv | i | i | bVI | bVII | V | V", .melody_of = 'C', .voice = 3, .pad = "pulse"},
  };
  p.form = "ABCDE";
  return p;
}

Piece md_chinese() {
  Piece p;
  p.file = "md08.mid"; p.title = "Jade River";
  p.bpm = 96; p.tonic = 74; p.scale = kPentaMajor; p.adapt = false;
  p.lead = Flute; p.lead2 = Koto; p.comp = Koto; p.pad = Strings; p.bass = AcousticBass;
  p.comp_style = "arp8"; p.bass_style = "half"; p.drums = "chinese";
  p.density = 0.45; p.legato = 0.95; p.mel_lo = -5; p.mel_hi = 12; p.reverb = 65; p.pad_vol = 52; p.lead_vol = 108;
  p.bass_vol = 84;
  p.sections = {
      {.id = 'A', .prog = "I | vi | IIsus4 | I | vi | IIsus4 | Vsus4 | Vsus4"},
      {.id = 'B', .prog = "I | vi | IIsus4 | I | vi | IIsus4 | Vsus4 | I", .melody_of = 'A', .voice = 2},
      {.id = 'C', .prog = "vi | vi | I | I | IIsus4 | vi | Vsus4 | Vsus4", .density = 0.3, .oct = -1, .voice = 1},
      {.id = 'D', .prog = "I | vi | IIsus4 | I | vi | IIsus4 | Vsus4 | I", .melody_of = 'A', .harmony = true},
  };
  p.form = "ABCD";
  return p;
}

Piece md_rock() {
  Piece p;
  p.file = "md09.mid"; p.title = "Sunset Boulevard";
  p.bpm = 126; p.tonic = 69; p.scale = kMixolydian;
  p.lead = OverdriveGuitar; p.lead2 = DistortionGuitar; p.comp = DistortionGuitar; p.pad = DrawbarOrgan;
  p.bass = PickBass; p.kit = Power;
  p.comp_style = "power8"; p.bass_style = "eighths"; p.drums = "rock"; p.pad_style = "pad";
  p.density = 0.5; p.sync = 0.3; p.mel_lo = -9; p.mel_hi = 10; p.lead_vol = 108; p.comp_vol = 66; p.pad_vol = 50;
  p.sections = {
      {.id = 'A', .prog = "I | bVII | IV | I | I | bVII | IV | V"},
      {.id = 'B', .prog = "I | bVII | IV | I | I | bVII | IV V | I", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "IV | V | vi | I | IV | V | bVI bVII | I", .density = 0.4, .oct = 1, .comp = "powerhalf"},
      {.id = 'D', .prog = "I | bVII | IV | I | I | bVII | IV V | I", .melody_of = 'A', .harmony = true},
  };
  p.form = "ABCD";
  return p;
}

Piece md_festival() {
  Piece p;
  p.file = "md10.mid"; p.title = "Summer Festival";
  p.bpm = 120; p.tonic = 76; p.scale = kMiyakobushi; p.adapt = false; p.minor = true;
  p.lead = Piccolo; p.lead2 = Shamisen; p.comp = Shamisen; p.pad = -1; p.bass = AcousticBass;
  p.comp_style = "offbeat"; p.bass_style = "drone"; p.drums = "festival";
  p.density = 0.5; p.legato = 0.9; p.mel_lo = -5; p.mel_hi = 12; p.bass_vol = 80; p.drum_vol = 74;
  p.sections = {
      {.id = 'A', .prog = "I5 | I5 | iv | I5 | bII | iv | Isus4 | I5"},
      {.id = 'B', .prog = "I5 | I5 | iv | I5 | bII | iv | Isus4 | I5", .melody_of = 'A', .voice = 2},
      {.id = 'C', .prog = "iv | iv | bII | I5 | iv | bII | Isus4 | I5", .density = 0.35, .oct = -1, .voice = 1},
      {.id = 'D', .prog = "I5 | I5 | iv | I5 | bII | iv | Isus4 | I5", .melody_of = 'A', .voice = 2, .dyn = 6},
  };
  p.form = "ABCD";
  return p;
}

Piece md_lullaby() {
  Piece p;
  p.file = "md11.mid"; p.title = "Cradle";
  p.bpm = 84; p.meter = {6, 6}; p.ts_num = 6; p.ts_den = 8;
  p.tonic = 77; p.scale = kMajor;
  p.lead = MusicBox; p.lead2 = Flute; p.comp = Harp; p.pad = WarmPad; p.bass = AcousticBass;
  p.comp_style = "arp8"; p.bass_style = "dotted"; p.drums = "lullaby";
  p.density = 0.35; p.legato = 0.97; p.mel_lo = -5; p.mel_hi = 9; p.reverb = 80;
  p.bass_vol = 70; p.drum_vol = 60; p.comp_vol = 66; p.pad_vol = 54;
  p.sections = {
      {.id = 'A', .prog = "I | IV | I | V | I | IV | V | I"},
      {.id = 'B', .prog = "IV | I | ii | V | IV | I | ii V | I", .oct = -1, .voice = 1, .dyn = -4},
      {.id = 'C', .prog = "I | IV | I | V | I | IV | V | I", .melody_of = 'A', .counter = true},
  };
  p.form = "ABC";
  return p;
}

Piece md_finale() {
  Piece p;
  p.file = "md12.mid"; p.title = "Grand Finale";
  p.bpm = 116; p.tonic = 60; p.scale = kMajor;
  p.lead = Brass; p.lead2 = Strings; p.comp = Strings; p.pad = Choir; p.bass = Tuba; p.kit = Orchestra;
  p.comp_style = "arp16"; p.bass_style = "half"; p.drums = "anthem";
  p.density = 0.45; p.mel_lo = -3; p.mel_hi = 16; p.reverb = 65;
  p.sections = {
      {.id = 'A', .prog = "I | iii | IV | V | vi | IV | ii | V"},
      {.id = 'B', .prog = "I | iii | IV | V | vi | IV | V | I", .melody_of = 'A', .harmony = true},
      {.id = 'C', .prog = "IV | V | iii | vi | ii | V | I | I", .density = 0.35, .voice = 1},
      {.id = 'D', .prog = "bVI | bVII | I | I | bVI | bVII | V | V", .density = 0.55, .harmony = true, .dyn = 4},
      {.id = 'E', .prog = "I | iii | IV | V | vi | IV | V | I", .melody_of = 'A', .voice = 3, .dyn = 8},
  };
  p.form = "ABCDE";
  return p;
}

const std::vector<std::function<Piece()>>& catalogue() {
  static const std::vector<std::function<Piece()>> c = {
      title_theme,   opening_story, arena_first,  arena_armour, arena_strings, arena_groove,
      arena_exotic,  arena_urgent,  arena_lost,   arena_victory, arena_always, arena_hardrock,
      arena_epic,    arena_dark,    arena_frantic, arena_best,  arena_tower,   md_march,
      md_waltz,      md_cave,       md_heroic,    md_funk,      md_ballad,     md_chase,
      md_chinese,    md_rock,       md_festival,  md_lullaby,   md_finale,
  };
  return c;
}

Rendered render_named(const std::string& name) {
  for (const auto& make : catalogue()) {
    Piece p = make();
    if (p.file != name) continue;
    Rendered r = render_piece(p);
    if (r.seconds < kMinMusicSeconds || r.seconds > kMaxMusicSeconds)
      throw std::logic_error(name + ": length out of range");
    return r;
  }
  throw std::invalid_argument("unknown music: " + name);
}

}  // namespace

std::vector<std::string> music_names() {
  std::vector<std::string> v;
  for (const auto& make : catalogue()) v.push_back(make().file);
  return v;
}

std::vector<uint8_t> make_music(const std::string& name) { return render_named(name).bytes; }

double music_seconds(const std::string& name) { return render_named(name).seconds; }

}  // namespace z2::sndgen
