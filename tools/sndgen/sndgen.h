#pragma once
// Generator of the game's sound effects (WAV) and music (Standard MIDI Files).
// Everything is computed from fixed seeds: the same build writes the same bytes.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace z2::sndgen {

constexpr double kMaxEffectSeconds = 1.0;
constexpr double kMinMusicSeconds = 30.0;
constexpr double kMaxMusicSeconds = 90.0;

// File names ("key.wav", "open.mid", ...), in a fixed order.
std::vector<std::string> effect_names();
std::vector<std::string> music_names();

// Bytes of one file; throws std::invalid_argument for an unknown name.
std::vector<uint8_t> make_effect(const std::string& name);  // 16-bit PCM WAV
std::vector<uint8_t> make_music(const std::string& name);   // SMF format 1

// Length in seconds of a piece as written (from its bars and tempo).
double music_seconds(const std::string& name);

// Writes every effect and piece into `dir` (created if missing). Returns the
// number of files written; throws std::runtime_error when a file cannot be written.
int write_all(const std::filesystem::path& dir);

}  // namespace z2::sndgen
