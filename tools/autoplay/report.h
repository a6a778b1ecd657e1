#pragma once
// The machine player's report over several seeds: a markdown table per
// floor, the floors it could not win and why, and a plot of level and
// estimated hours against floor.
#include <string>
#include <vector>

#include "player.h"

namespace z2::autoplay {

struct Spread {
  double median = 0, p10 = 0, p90 = 0;
};
// The median and the 10th and 90th percentiles (nearest rank) of some values.
Spread spread(std::vector<double> values);

struct FloorSummary {
  int floor = 0;  // kGauntlet for the 豪傑 gauntlet
  int runs = 0;   // runs that reached it
  int cleared = 0;
  Spread fights, hours, cumulative_hours, level, cents;
  int deaths = 0;
  double median_deaths = 0;
};
std::vector<FloorSummary> summarize(const std::vector<RunResult>& runs, int last_target);

std::string markdown_report(const std::vector<RunResult>& runs, const RunOptions& o, uint32_t first_seed,
                            int last_target);

// The plot as a PNG. False when the file could not be written.
bool write_plot(const std::vector<FloorSummary>& floors, const std::string& path);

}  // namespace z2::autoplay
