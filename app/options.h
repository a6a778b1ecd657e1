#pragma once
// The command line of both faces (the window and the headless driver),
// parsed with QCommandLineParser from the option table of option_table.h, so
// that --help, like the manual page, lists every option.
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>

namespace z2 {

struct Options {
  bool headless = false;
  bool debug_panel = false;
  bool check_data = false;
  bool saves = false;  // list the save and its backups
  bool answer_yes = true;
  std::optional<uint32_t> seed;
  bool fast = false;         // headless: fast-forward held for the whole run
  std::optional<int> zoom;   // window: 1 to 4, for this run
  bool fullscreen = false;   // window: for this run
  bool mute = false;         // window: for this run
  std::string root;
  std::string script;
  std::string record;  // the window's session, written as a headless script
};

struct ParsedOptions {
  enum class Outcome { Run, Help, Version, Error };
  Outcome outcome = Outcome::Run;
  // The help text, the version line, or the reason of an error (one line).
  std::string text;
  Options options;
};

// The version the build was given (CMake's project version).
const char* program_version();

// args as QCoreApplication::arguments() gives them: the program first.
ParsedOptions parse_options(const QStringList& args);

// The paths of --root, --script and --record exactly as the system gave them:
// a folder's name in another encoding than the locale's (Shift-JIS, say)
// does not survive the trip through QString. Call after parse_options with
// the same command line.
void keep_path_bytes(Options& o, int argc, char** argv);

// The exit status and output of a command line that does not start the game:
// the help and the version on standard output (status 0), an error on
// standard error (status 2).
int report_parse_outcome(const ParsedOptions& p);

}  // namespace z2
