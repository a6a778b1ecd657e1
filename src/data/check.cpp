#include "data/check.h"

#include <filesystem>
#include <ostream>

#include "data/check_steps.h"

namespace z2 {
namespace checker {

std::vector<std::string> Checker::run() {
  // Without its folders every file would be reported one by one.
  bool folders = true;
  for (const char* dir : {"dat", "cg"}) {
    std::error_code ec;
    if (!std::filesystem::is_directory(root_ + dir, ec)) {
      report(std::string(dir) + "/: no such folder in " + root_);
      folders = false;
    }
  }
  if (!folders) return std::move(lines_);
  read_master_files();
  read_boss_files();
  read_opening();
  if (ok_[kEnemy]) enemies();
  if (ok_[kItem]) items();
  if (ok_[kItem]) shops();
  if (ok_[kMonster]) monsters();
  if (ok_[kMagic]) {
    names_of(kMagic, magic_roles(), "magic", [&](size_t i) { return t_->magic_table[i].mg_name; });
    spells_taught();
  }
  if (ok_[kEnemy] && ok_[kMonster] && ok_[kGomi] && ok_[kItem]) monsters_obtainable();
  if (ok_[kItem]) price_ladders();
  if (ok_[kGomi]) gomi();
  if (ok_[kJob]) names_of(kJob, kJobRoles, "class", [&](size_t i) { return t_->job_table[i].jb_name; });
  if (ok_[kMap]) floors();
  values();
  pictures();
  sounds();
  return std::move(lines_);
}

}  // namespace checker

using checker::kFloors;

std::span<const FixedFile> fixed_pictures() { return checker::kPictures; }

bool enemy_drawn(int n) {
  if (n < 0 || n > 254) return false;
  const int band = n / 10, slot = n % 10;
  if (floors::monster_room(band)) return true;
  // The random rooms take records 1..253 of the floors below their own.
  if (n < 1 || n > 253) return false;
  for (int f = band + 1; f < kFloors; ++f) {
    if (floors::random_room(f) && slot <= 6) return true;
    if (floors::advanced_room(f) && slot <= 8) return true;
  }
  return false;
}
std::span<const FixedFile> fixed_sounds() { return checker::kSounds; }

std::vector<std::string> check_data(const std::string& root) { return checker::Checker(root).run(); }

int check_data_main(const std::string& root, std::ostream& out) {
  const auto lines = check_data(root);
  for (const auto& line : lines) out << line << '\n';
  if (lines.empty()) {
    out << "check-data: no problems found\n";
    return 0;
  }
  out << "check-data: " << lines.size() << (lines.size() == 1 ? " problem" : " problems") << '\n';
  return 1;
}

}  // namespace z2
