#pragma once
// The save's history: before a save replaces z.wav, the file it replaces is
// kept byte for byte in the folder `backups` beside it, named with that
// file's date and time; the newest kKeptCopies stay. COUNTINUE falls back on
// them when the save itself is damaged.
#include <iosfwd>
#include <string>
#include <vector>

namespace z2 {

inline constexpr int kKeptCopies = 5;

// The file a save at `path` really replaces. Where `path` is a symbolic link
// (a player who keeps the save in a synced folder, say) that is its target,
// so the new save goes to the target's folder and the link stays a link.
// False with the reason when the links go round in a circle.
bool save_target(const std::string& path, std::string* target, std::string* why);

// A kept copy of the save.
struct SaveCopy {
  std::string path;
  std::string when;  // "YYYY-MM-DD HH:MM:SS", the time of the save it holds
};

// The copies beside `save_path`, newest first.
std::vector<SaveCopy> save_copies(const std::string& save_path);

// One save with its history. begin() keeps a copy of the file that `target`
// (see save_target) holds now; finish() then, once the save is written,
// drops the copies beyond the newest kKeptCopies, never the last one that
// reads cleanly; when the save fails, abandon() takes the new copy back, so a
// failed save changes nothing. A copy that cannot be made does not stop the
// save.
class SaveHistory {
 public:
  // `save_path` names the save (where the backups folder is); `target` the
  // file that will be replaced.
  SaveHistory(std::string save_path, std::string target);
  void begin();
  void finish();
  void abandon();

 private:
  std::string save_path_, target_, made_;
};

// `zando2 --saves`: one line for the save at `save_path` and for each copy,
// newest first: its date and time, name, level, floor and play time, or why
// it is damaged. Returns the exit status, 0.
int list_saves(const std::string& save_path, std::ostream& out);

// Whether the save at `path` reads cleanly, as COUNTINUE reads it.
bool save_reads_cleanly(const std::string& path);

// Moves the damaged save aside as `save_path`.damaged-DATE (a new name, never
// one in use), so that nothing deletes or overwrites it. False with the reason.
bool set_damaged_save_aside(const std::string& save_path, std::string* why);

}  // namespace z2
