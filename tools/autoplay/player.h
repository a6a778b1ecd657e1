#pragma once
// The machine player's loop: a whole game from NEW GAME on the headless
// face, in process, driven only through the window's controls (clicks, list
// rows, answers to boxes, timer ticks), with the policy of policy.h deciding.
#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "policy.h"
#include "state/ids.h"

namespace z2::autoplay {

// Index kTopFloor + 1 of the floor records is the 豪傑 gauntlet.
inline constexpr int kGauntlet = kTopFloor + 1;
inline constexpr int kRecords = kTopFloor + 2;

struct RunOptions {
  std::string root;          // the program folder
  Policy policy = Policy::Careful;
  int floors = kTopFloor;    // stop after clearing this floor (the top floor: the gauntlet too)
  int samples = 8;           // sample fights before each colosseum decision (the careful policy)
  int max_fights = 1500;     // a target not won within this many fights fails
  double max_hours = 40;     // ... or within this much estimated play time
  int click_ms = 1500;       // the fixed time a player takes per click or answer
  std::ostream* log = nullptr;  // every map decision, when set
  std::ostream* transcript = nullptr;  // the game's transcript of the played run, when set
};

struct FloorRecord {
  bool reached = false;
  bool cleared = false;
  int fights = 0;
  int deaths = 0;
  int tries = 0;             // colosseum (gauntlet) fights
  double hours = 0;          // estimated play time spent on this target
  int level_on_arrival = 0;
  long long cents_on_arrival = 0;
  std::string failure;       // why the target was not won, when it was not
};

struct RunResult {
  uint32_t seed = 0;
  std::array<FloorRecord, kRecords> floors{};
  bool finished = false;     // every asked-for target won
  double hours = 0;          // total estimated play time
  long long clicks = 0;
  long long pause_ms = 0;    // the game's own virtual time of pauses
  int errors = 0;            // error boxes the game showed during play
  std::string first_error;
};

RunResult play_run(const RunOptions& options, uint32_t seed);

// A run's result as one line of text and back, exactly (the worker processes
// of a parallel run hand their results over this way).
std::string encode_run(const RunResult& r);
bool decode_run(const std::string& text, RunResult& r);

const char* policy_name(Policy p);

}  // namespace z2::autoplay
