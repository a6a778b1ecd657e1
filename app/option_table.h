#pragma once
// The command line as the player reads it: what the program is, its ways of
// running and every option with its help. `zando2 --help` and the manual page
// zando2(6), made at build time, are both written from this one table.
#include <string_view>

namespace z2 {

struct OptionSpec {
  std::string_view name;        // the long name, without "--"
  std::string_view short_name;  // one letter, or empty
  std::string_view value;       // the value's name, empty for a switch
  std::string_view help;        // one sentence or two, plain text
};

struct UsageLine {
  std::string_view args;  // after "zando2"
  std::string_view what;
};

inline constexpr std::string_view kProgramTitle = "ZANDO ARENA 2";
inline constexpr std::string_view kProgramSummary = "a single-player, turn-based arena role-playing game";

inline constexpr UsageLine kUsageLines[] = {
    {"[--root DIR]", "the game in its window"},
    {"--headless [--script FILE]", "without a window: commands in, a transcript out"},
    {"--check-data [--root DIR]", "check the data files and exit"},
    {"--saves [--root DIR]", "list the save and its backups"},
};

inline constexpr OptionSpec kOptionTable[] = {
    {"help", "h", "", "Show this help and exit."},
    {"version", "v", "", "Show the version and exit."},
    {"root", "", "DIR",
     "The program folder DIR that holds dat/ and cg/ (default: beside the program, else the folder the build "
     "laid out)."},
    {"headless", "", "", "Run without a window: read commands, write a transcript."},
    {"seed", "", "N", "Seed the random generator with N (0 to 4294967295; otherwise from the clock)."},
    {"script", "", "FILE", "Headless: read commands from FILE instead of standard input."},
    {"record", "", "FILE",
     "Window: write the session (its seed, every click, answer, entry and timer tick) to FILE as a script that "
     "--headless --script FILE plays again."},
    {"debug-panel", "", "", "Show the debug panel at start-up."},
    {"answer", "", "yes|no", "Headless: the answer to a yes/no box when no answer command is queued (default yes)."},
    {"fast", "", "", "Headless: hold the fast-forward for the whole run (pauses count a tenth)."},
    {"zoom", "", "N", "Window: start at zoom N (1 to 4) for this run."},
    {"fullscreen", "", "", "Window: start in full screen for this run."},
    {"mute", "", "", "Window: start muted for this run."},
    {"check-data", "", "",
     "Check every data file of the program folder, report problems one per line and exit (status 1 when any)."},
    {"saves", "", "",
     "List the save and its backups with their date, name, level, floor and play time, and which are damaged; "
     "then exit."},
};

}  // namespace z2
