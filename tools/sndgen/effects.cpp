// The game's sound effects, each built from a few synthesised layers.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "dsp.h"
#include "sndgen.h"

namespace z2::sndgen {

namespace {

// Struck metal: partials at `ratios` of `hz`, the higher ones fading sooner.
Signal bell(double hz, double dur, double tau, double bright,
            const std::vector<double>& ratios = {1.0, 2.0, 3.0, 4.2, 5.4}) {
  Signal out;
  double amp = 1.0;
  for (size_t k = 0; k < ratios.size(); ++k) {
    double f = hz * ratios[k];
    if (f > kRate * 0.45) break;
    double tk = tau / (1.0 + 0.8 * static_cast<double>(k));
    mix(out, voice(Wave::Sine, dur, [f](double) { return f; },
                   [tk](double t) { return perc(t, 0.0015, tk); }),
        0.0, amp);
    amp *= bright;
  }
  return out;
}

// Glockenspiel-like bar: inharmonic, bright and short.
Signal glock(double hz, double dur, double tau) {
  return bell(hz, dur, tau, 0.35, {1.0, 2.76, 5.40, 8.93});
}

// A soft lead note: triangle with a sine an octave up.
Signal soft_note(double hz, double dur, double tau) {
  Signal s = voice(Wave::Triangle, dur, [hz](double) { return hz; },
                   [tau](double t) { return perc(t, 0.004, tau); });
  mix(s, voice(Wave::Sine, dur, [hz](double) { return hz * 2; },
               [tau](double t) { return perc(t, 0.004, tau * 0.6); }),
      0.0, 0.35);
  return s;
}

// Brassy note: two detuned saws through a lowpass that opens on the attack.
Signal brass(double hz, double dur, double vibrato = 0.0) {
  Osc a, b(0.37);
  Biquad lp;
  return render(dur, [&](double t) {
    double vib = 1.0 + vibrato * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t / 0.15);
    double x = a.step(Wave::Saw, hz * vib) + b.step(Wave::Saw, hz * vib * 1.004);
    double cut = hz * (1.5 + 7.0 * perc(t, 0.03, 0.12)) + 600.0;
    lp.lowpass(cut, 0.8);
    return lp.run(x) * 0.5 * adsr(t, dur, 0.015, 0.08, 0.7, std::min(0.08, dur * 0.4));
  });
}

// Body hit: a sine whose pitch falls from f0 to f1.
Signal thump(double f0, double f1, double drop_tau, double dur, double amp_tau) {
  return voice(Wave::Sine, dur,
               [=](double t) { return f1 + (f0 - f1) * std::exp(-t / drop_tau); },
               [=](double t) { return perc(t, 0.0008, amp_tau); });
}

// Filtered noise with a percussive envelope.
Signal noise_hit(Rng& rng, double dur, Filter type, double hz, double q, double tau,
                 double attack = 0.0008) {
  Signal s = white_noise(dur, rng);
  filter(s, type, hz, q);
  for (size_t i = 0; i < s.size(); ++i) s[i] *= perc(static_cast<double>(i) / kRate, attack, tau);
  fade(s, 0.0, std::min(0.01, dur * 0.25));
  return s;
}

Signal chord(const std::vector<int>& keys, double dur, double vibrato = 0.0) {
  Signal s;
  for (int k : keys) mix(s, brass(note_hz(k), dur, vibrato), 0.0, 1.0 / std::sqrt(keys.size()));
  return s;
}

// ---- the effects ----

// Turn start: two bell strokes rising a fourth.
// It opens every player turn and the punch sound queues behind it on the same
// channel, so it has to be over in about a fifth of a second.
Signal fx_turn(Rng&) {
  Signal s;
  mix(s, bell(note_hz(83), 0.09, 0.035, 0.3), 0.0, 0.75);
  mix(s, bell(note_hz(88), 0.14, 0.04, 0.3), 0.06, 1.0);
  reverb(s, 0.12, 0.2, 0.0);
  return s;
}

// Confirm: a quick rising blip.
Signal fx_key(Rng&) {
  auto blip = [](double hz, double dur) {
    Signal b = voice(Wave::Square, dur, [hz](double) { return hz; },
                     [](double t) { return perc(t, 0.002, 0.035); }, 0.25);
    filter(b, Filter::Low, 5000, 0.7);
    return b;
  };
  Signal s;
  mix(s, blip(note_hz(84), 0.06), 0.0, 0.8);
  mix(s, blip(note_hz(91), 0.10), 0.045, 1.0);
  return s;
}

// Refusal: two low rough buzzes.
Signal fx_miss(Rng&) {
  auto buzz = [](double hz, double dur) {
    Osc a, b(0.5), c;
    Signal s = render(dur, [&](double t) {
      double x = a.step(Wave::Saw, hz) + b.step(Wave::Saw, hz * 1.06) +
                 0.6 * c.step(Wave::Square, hz * 0.5);
      return x * adsr(t, dur, 0.004, 0.03, 0.8, 0.03);
    });
    filter(s, Filter::Low, 1600, 0.9);
    return s;
  };
  Signal s;
  mix(s, buzz(110, 0.13), 0.0);
  mix(s, buzz(98, 0.17), 0.17);
  return s;
}

// Something good: a bright rising arpeggio with sparkles on top.
Signal fx_get(Rng&) {
  Signal s;
  const int keys[] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i)
    mix(s, soft_note(note_hz(keys[i]), i == 3 ? 0.62 : 0.3, i == 3 ? 0.22 : 0.12), 0.065 * i,
        i == 3 ? 0.9 : 0.7);
  const int sparkle[] = {96, 100, 103, 108};
  for (int i = 0; i < 4; ++i) mix(s, glock(note_hz(sparkle[i]), 0.3, 0.09), 0.28 + 0.05 * i, 0.22);
  reverb(s, 0.2, 0.4, 0.05);
  return s;
}

// Page turn / opening: an airy whoosh that ends on a soft bell.
Signal fx_next(Rng& rng) {
  const double dur = 0.34;
  Signal s = white_noise(dur, rng);
  filter_sweep(s, Filter::Band, [&](double t) { return 400.0 * std::pow(9.0, t / dur); }, 1.4);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = static_cast<double>(i) / kRate, w = std::sin(kPi * t / dur);
    s[i] *= w * w;
  }
  scale(s, 1.6);
  mix(s, voice(Wave::Sine, 0.25, [](double t) { return 660.0 + 330.0 * std::min(1.0, t / 0.08); },
               [](double t) { return perc(t, 0.01, 0.08); }),
      0.12, 0.35);
  mix(s, bell(note_hz(88), 0.3, 0.15, 0.25), 0.2, 0.35);
  return s;
}

// Item / chest: a quick glittering run upwards.
Signal fx_item(Rng&) {
  Signal s;
  const int keys[] = {84, 86, 88, 91, 93, 96, 98, 100};
  for (int i = 0; i < 8; ++i) mix(s, glock(note_hz(keys[i]), 0.35, 0.12), 0.03 * i, 0.45 + 0.05 * i);
  mix(s, soft_note(note_hz(72), 0.4, 0.12), 0.0, 0.5);
  reverb(s, 0.3, 0.5, 0.2);
  return s;
}

// Punch: a heavy thud with a slap on top.
Signal fx_punch(Rng& rng) {
  Signal s = thump(190, 50, 0.03, 0.26, 0.07);
  mix(s, noise_hit(rng, 0.08, Filter::Low, 3000, 0.7, 0.018), 0.0, 0.7);
  mix(s, noise_hit(rng, 0.12, Filter::Band, 1100, 1.0, 0.035), 0.0, 0.5);
  saturate(s, 2.0);
  return s;
}

// Tower strike: a huge boom with a crack, a cymbal crash and a rumble.
Signal fx_tower(Rng& rng) {
  Signal s = thump(130, 32, 0.09, 0.95, 0.32);
  mix(s, thump(95, 30, 0.12, 0.8, 0.25), 0.07, 0.6);
  mix(s, noise_hit(rng, 0.1, Filter::High, 2000, 0.7, 0.015), 0.0, 0.9);
  mix(s, noise_hit(rng, 0.9, Filter::Band, 5200, 0.6, 0.22, 0.003), 0.01, 0.35);
  mix(s, noise_hit(rng, 0.95, Filter::Low, 220, 0.7, 0.38, 0.01), 0.0, 1.6);
  saturate(s, 2.5);
  return s;
}

// Footsteps climbing stairs: four steps, each a little higher.
Signal fx_walk(Rng& rng) {
  Signal s;
  for (int k = 0; k < 4; ++k) {
    double at = 0.17 * k, up = 1.0 + 0.07 * k, g = (k % 2 == 0) ? 1.0 : 0.8;
    Signal step = thump(150 * up, 75 * up, 0.02, 0.13, 0.035);
    mix(step, noise_hit(rng, 0.08, Filter::Band, 900 * up, 1.2, 0.022, 0.002), 0.004, 0.55);
    mix(s, step, at, g);
  }
  return s;
}

// A fight begins: a swish, then two dark brass stabs over a drum hit.
Signal fx_battle(Rng& rng) {
  const double sw = 0.2;
  Signal s = white_noise(sw, rng);
  filter_sweep(s, Filter::Band, [&](double t) { return 6000.0 * std::pow(0.1, t / sw); }, 1.2);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    s[i] *= std::sin(kPi * t / sw) * 0.9;
  }
  mix(s, chord({49, 56, 61, 65}, 0.11), 0.12, 0.8);
  mix(s, chord({48, 55, 60, 63, 66}, 0.6, 0.006), 0.26, 1.0);
  mix(s, thump(110, 40, 0.06, 0.5, 0.15), 0.26, 0.9);
  mix(s, noise_hit(rng, 0.6, Filter::Band, 4500, 0.7, 0.18, 0.002), 0.26, 0.2);
  saturate(s, 1.3);
  return s;
}

// Equipping: a metallic clank and its rattle.
Signal fx_equip(Rng& rng) {
  auto clank = [&](double mul) {
    const double parts[] = {820, 1340, 2210, 3170, 4420};
    const double amps[] = {1.0, 0.8, 0.6, 0.4, 0.3};
    const double taus[] = {0.12, 0.09, 0.07, 0.05, 0.04};
    Signal c;
    for (int k = 0; k < 5; ++k) {
      double f = parts[k] * mul, tk = taus[k];
      mix(c, voice(Wave::Sine, 0.4, [f](double) { return f; },
                   [tk](double t) { return perc(t, 0.0008, tk); }),
          0.0, amps[k] * 0.4);
    }
    mix(c, noise_hit(rng, 0.03, Filter::High, 3000, 0.7, 0.004), 0.0, 0.8);
    return c;
  };
  Signal s;
  mix(s, clank(1.0), 0.0, 1.0);
  mix(s, clank(1.12), 0.085, 0.6);
  reverb(s, 0.15, 0.3, 0.1);
  return s;
}

// Cash register: two mechanical clacks and a ringing bell.
Signal fx_buy(Rng& rng) {
  Signal s;
  for (int k = 0; k < 2; ++k) {
    mix(s, noise_hit(rng, 0.05, Filter::Band, 2400, 2.0, 0.008), 0.06 * k, 0.9);
    mix(s, thump(420, 220, 0.01, 0.05, 0.012), 0.06 * k, 0.4);
  }
  Signal ring = bell(1760, 0.7, 0.32, 0.45, {1.0, 1.5, 2.41, 3.9});
  mix(ring, bell(2637, 0.7, 0.28, 0.4, {1.0, 2.41}), 0.0, 0.6);
  for (size_t i = 0; i < ring.size(); ++i)
    ring[i] *= 0.8 + 0.2 * std::sin(kTwoPi * 28.0 * static_cast<double>(i) / kRate);
  mix(s, ring, 0.12, 0.8);
  return s;
}

// Fusion: two tones swirl together and merge into a shimmering chord.
Signal fx_fusion(Rng& rng) {
  const double glide = 0.45;
  auto swirl = [&](double f0, double f1) {
    return voice(Wave::Sine, glide + 0.05,
                 [=](double t) {
                   double u = std::min(1.0, t / glide);
                   return f0 * std::pow(f1 / f0, u) * (1.0 + 0.012 * std::sin(kTwoPi * 7.0 * t));
                 },
                 [=](double t) {
                   return adsr(t, glide + 0.05, 0.08, 0.1, 0.8, 0.06) *
                          (0.75 + 0.25 * std::sin(kTwoPi * 13.0 * t));
                 });
  };
  Signal s;
  mix(s, swirl(300, 600), 0.0, 0.5);
  mix(s, swirl(1200, 600), 0.0, 0.4);
  const double merged[] = {600, 900, 1200, 1800};
  for (double f : merged) mix(s, bell(f, 0.42, 0.2, 0.3), glide, 0.3);
  const int sparkle[] = {91, 96, 98, 100, 103};
  for (int i = 0; i < 5; ++i)
    mix(s, glock(note_hz(sparkle[rng.below(5)]), 0.2, 0.06), glide + 0.04 + 0.05 * i, 0.18);
  reverb(s, 0.3, 0.5, 0.02);
  return s;
}

// Level up: a short rising fanfare ending on a held chord.
Signal fx_levelup(Rng&) {
  Signal s;
  const int keys[] = {67, 72, 76};
  for (int i = 0; i < 3; ++i) mix(s, brass(note_hz(keys[i]), 0.095), 0.1 * i, 0.7);
  mix(s, brass(note_hz(79), 0.58, 0.008), 0.3, 0.7);
  mix(s, brass(note_hz(72), 0.58, 0.008), 0.3, 0.4);
  mix(s, brass(note_hz(76), 0.58, 0.008), 0.3, 0.4);
  mix(s, glock(note_hz(96), 0.4, 0.15), 0.3, 0.15);
  reverb(s, 0.15, 0.4, 0.08);
  return s;
}

// Stat up: a light two-note rise.
Signal fx_statup(Rng&) {
  Signal s;
  mix(s, soft_note(note_hz(79), 0.12, 0.05), 0.0, 0.8);
  mix(s, soft_note(note_hz(86), 0.35, 0.13), 0.07, 1.0);
  mix(s, glock(note_hz(98), 0.3, 0.08), 0.07, 0.2);
  return s;
}

// Class change: a dark chord brightens into a high one, marked by a bell.
Signal fx_class(Rng&) {
  auto pad = [](const std::vector<int>& keys, double dur, double open) {
    Signal p;
    for (int k : keys) {
      double hz = note_hz(k);
      Osc a, b(0.3);
      Biquad lp;
      mix(p, render(dur, [&](double t) {
            double x = a.step(Wave::Saw, hz) + b.step(Wave::Saw, hz * 1.005);
            lp.lowpass(hz * (1.2 + open * t / dur) + 300.0, 0.9);
            return lp.run(x) * adsr(t, dur, 0.06, 0.1, 0.8, 0.12);
          }),
          0.0, 0.18);
    }
    return p;
  };
  Signal s;
  mix(s, pad({57, 60, 64}, 0.42, 2.0), 0.0);
  mix(s, pad({60, 64, 67, 72, 76}, 0.6, 6.0), 0.34);
  mix(s, bell(note_hz(96), 0.55, 0.25, 0.3), 0.34, 0.3);
  reverb(s, 0.3, 0.6, 0.05);
  return s;
}

// Munching: three crunchy bites.
Signal fx_eat(Rng& rng) {
  Signal s;
  for (int bite = 0; bite < 3; ++bite) {
    double at = 0.2 * bite;
    for (int g = 0; g < 10; ++g) {
      double off = rng.uniform() * 0.08, hz = 1500 + rng.uniform() * 2000;
      mix(s, noise_hit(rng, 0.03, Filter::Band, hz, 1.5, 0.006), at + off, 0.4 + 0.5 * rng.uniform());
    }
    mix(s, thump(210, 120, 0.03, 0.1, 0.04), at, 0.5);
  }
  return s;
}

// Healing magic: a rising, trembling chord of glass and a sweep.
Signal fx_magic(Rng&) {
  Signal s;
  const int keys[] = {72, 76, 79, 84, 88};
  for (int i = 0; i < 5; ++i) {
    double hz = note_hz(keys[i]);
    mix(s, voice(Wave::Sine, 0.62, [hz](double) { return hz; },
                 [](double t) { return perc(t, 0.02, 0.2) * (0.7 + 0.3 * std::sin(kTwoPi * 9.0 * t)); }),
        0.055 * i, 0.3);
    mix(s, glock(hz * 2, 0.3, 0.1), 0.055 * i, 0.12);
  }
  mix(s, voice(Wave::Sine, 0.5, [](double t) { return 500.0 * std::pow(4.0, t / 0.5); },
               [](double t) { return adsr(t, 0.5, 0.1, 0.2, 0.5, 0.15); }),
      0.0, 0.12);
  reverb(s, 0.3, 0.5, 0.02);
  return s;
}

// Spell chant: a swelling low drone that opens up and bursts into sparkles.
Signal fx_spell(Rng& rng) {
  const double dur = 0.62;
  Osc a, b, c;
  Biquad lp;
  Signal s = render(dur, [&](double t) {
    double vib = 1.0 + 0.01 * std::sin(kTwoPi * 6.0 * t);
    double x = a.step(Wave::Saw, 110 * vib) + b.step(Wave::Saw, 165 * vib) +
               0.5 * c.step(Wave::Saw, 220.5 * vib);
    double u = t / dur, cut = 250.0 + 2200.0 * std::sin(kPi * std::min(1.0, u * 1.2));
    lp.lowpass(cut, 1.6);
    return lp.run(x) * 0.4 * adsr(t, dur, 0.15, 0.2, 0.75, 0.18);
  });
  Signal air = white_noise(dur, rng);
  filter_sweep(air, Filter::Band, [&](double t) { return 300.0 * std::pow(12.0, t / dur); }, 2.0);
  for (size_t i = 0; i < air.size(); ++i) air[i] *= adsr(static_cast<double>(i) / kRate, dur, 0.2, 0.1, 0.8, 0.2);
  mix(s, air, 0.0, 0.5);
  const int sparkle[] = {100, 96, 91};
  for (int i = 0; i < 3; ++i) mix(s, glock(note_hz(sparkle[i]), 0.3, 0.1), 0.45 + 0.06 * i, 0.25);
  reverb(s, 0.25, 0.5, 0.1);
  return s;
}

// Small button: a tiny tick.
Signal fx_button(Rng& rng) {
  Signal s = voice(Wave::Sine, 0.06, [](double) { return 1800.0; },
                   [](double t) { return perc(t, 0.0008, 0.012); });
  mix(s, noise_hit(rng, 0.02, Filter::High, 4000, 0.7, 0.003), 0.0, 0.3);
  return s;
}

struct EffectDef {
  const char* name;
  double loud_db;  // level of the loudest 50 ms, tuned by ear
  Signal (*make)(Rng&);
};

const EffectDef kEffects[] = {
    {"1.wav", -14, fx_turn},     {"key.wav", -15, fx_key},      {"miss.wav", -15, fx_miss},
    {"get2.wav", -13, fx_get},   {"next.wav", -16, fx_next},    {"item.wav", -14, fx_item},
    {"punch.wav", -11, fx_punch}, {"tower.wav", -9, fx_tower},  {"walk.wav", -15, fx_walk},
    {"battle.wav", -11, fx_battle}, {"soubi.wav", -14, fx_equip}, {"buy.wav", -14, fx_buy},
    {"gousei.wav", -14, fx_fusion}, {"lvup.wav", -12, fx_levelup}, {"lv.wav", -14, fx_statup},
    {"class.wav", -13, fx_class}, {"taberu.wav", -15, fx_eat},  {"magic.wav", -14, fx_magic},
    {"m.wav", -13, fx_spell},    {"but.wav", -18, fx_button},
};

}  // namespace

std::vector<std::string> effect_names() {
  std::vector<std::string> v;
  for (const auto& e : kEffects) v.emplace_back(e.name);
  return v;
}

std::vector<uint8_t> make_effect(const std::string& name) {
  for (const auto& e : kEffects) {
    if (name != e.name) continue;
    Rng rng(seed_of(name, 0x5E));
    Signal s = e.make(rng);
    finish(s, e.loud_db, kMaxEffectSeconds);
    return encode_wav(s);
  }
  throw std::invalid_argument("unknown sound effect: " + name);
}

}  // namespace z2::sndgen
