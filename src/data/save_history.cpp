#include "data/save_history.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>

#include "data/reader.h"
#include "data/save.h"
#include "data/tables.h"

namespace z2 {
namespace {

std::string folder_of(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string base_of(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string backups_dir(const std::string& save_path) { return folder_of(save_path) + "backups/"; }

// "YYYY-MM-DD_HH-MM-SS" in local time.
std::string stamp(time_t t) {
  tm local{};
  localtime_r(&t, &local);
  char buf[32];
  strftime(buf, sizeof buf, "%Y-%m-%d_%H-%M-%S", &local);
  return buf;
}

bool exists_at_all(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// A copy's name is the save's name, a dot, the stamp and, where two saves
// fell in the same second, "_2", "_3" and so on.
struct CopyName {
  std::string stamp;
  int n = 1;
};

bool parse_copy_name(const std::string& name, const std::string& base, CopyName* out) {
  if (name.size() < base.size() + 20 || name.compare(0, base.size(), base) != 0 || name[base.size()] != '.')
    return false;
  const std::string rest = name.substr(base.size() + 1);
  static const char kShape[] = "dddd-dd-dd_dd-dd-dd";
  for (size_t i = 0; i < 19; ++i) {
    const bool digit = rest[i] >= '0' && rest[i] <= '9';
    if (kShape[i] == 'd' ? !digit : rest[i] != kShape[i]) return false;
  }
  out->stamp = rest.substr(0, 19);
  out->n = 1;
  if (rest.size() == 19) return true;
  if (rest[19] != '_' || rest.size() == 20 || rest.size() > 26) return false;
  int n = 0;
  for (size_t i = 20; i < rest.size(); ++i) {
    if (rest[i] < '0' || rest[i] > '9') return false;
    n = n * 10 + (rest[i] - '0');
  }
  out->n = n;
  return true;
}

std::string shown_time(const std::string& s) {
  std::string t = s;
  t[10] = ' ';
  t[13] = t[16] = ':';
  return t;
}

// The first name `stem`, `stem`_2, ... at which nothing stands yet.
std::string free_name(const std::string& stem) {
  if (!exists_at_all(stem)) return stem;
  for (int n = 2;; ++n) {
    const std::string p = stem + "_" + std::to_string(n);
    if (!exists_at_all(p)) return p;
  }
}

}  // namespace

bool save_target(const std::string& path, std::string* target, std::string* why) {
  std::string cur = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(cur.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *target = cur;
      return true;
    }
    std::string link(4096, '\0');
    const ssize_t n = ::readlink(cur.c_str(), link.data(), link.size());
    if (n < 0 || static_cast<size_t>(n) >= link.size()) break;
    link.resize(static_cast<size_t>(n));
    cur = link.front() == '/' ? link : folder_of(cur) + link;
  }
  if (why) *why = path + " を保存できません: シンボリックリンクをたどっても保存先のファイルに着きません";
  return false;
}

std::vector<SaveCopy> save_copies(const std::string& save_path) {
  const std::string dir = backups_dir(save_path), base = base_of(save_path);
  std::vector<std::pair<CopyName, std::string>> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    CopyName c;
    if (parse_copy_name(name, base, &c)) found.emplace_back(c, name);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return a.first.stamp != b.first.stamp ? a.first.stamp > b.first.stamp : a.first.n > b.first.n;
  });
  std::vector<SaveCopy> out;
  for (const auto& [c, name] : found) out.push_back({dir + name, shown_time(c.stamp)});
  return out;
}

bool save_reads_cleanly(const std::string& path) {
  auto s = std::make_unique<GameState>();
  try {
    load_save(*s, path);
    return true;
  } catch (const DataError&) {
    return false;
  }
}

SaveHistory::SaveHistory(std::string save_path, std::string target)
    : save_path_(std::move(save_path)), target_(std::move(target)) {}

void SaveHistory::begin() {
  struct stat st {};
  if (::lstat(target_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;  // nothing is replaced
  const std::string dir = backups_dir(save_path_);
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  // Two saves within one second: the later copy takes the next number after
  // every copy of that second, so the names keep their order.
  const std::string base = base_of(save_path_), when = stamp(st.st_mtim.tv_sec);
  int n = 0;
  std::error_code list_ec;
  for (std::filesystem::directory_iterator it(dir, list_ec), end; !list_ec && it != end; it.increment(list_ec)) {
    CopyName c;
    if (parse_copy_name(it->path().filename().string(), base, &c) && c.stamp == when) n = std::max(n, c.n);
  }
  const std::string path = dir + base + "." + when + (n == 0 ? "" : "_" + std::to_string(n + 1));
  // A second name for the old file costs no space and cannot be half
  // written; the save then puts a new file in its place, never writing into
  // the old one. Where the folder cannot hold a link, a copy.
  if (::link(target_.c_str(), path.c_str()) == 0) {
    made_ = path;
    return;
  }
  try {
    if (write_file_atomic(path, read_file_bytes(target_), nullptr)) made_ = path;
  } catch (const DataError&) {
  }
}

void SaveHistory::abandon() {
  if (!made_.empty()) ::unlink(made_.c_str());
  made_.clear();
}

void SaveHistory::finish() {
  made_.clear();
  const std::vector<SaveCopy> copies = save_copies(save_path_);
  if (copies.size() <= static_cast<size_t>(kKeptCopies)) return;
  // The newest copy that reads cleanly stays, however old it is.
  bool clean_kept = false;
  for (size_t i = 0; i < copies.size(); ++i) {
    if (i < static_cast<size_t>(kKeptCopies)) {
      clean_kept = clean_kept || save_reads_cleanly(copies[i].path);
      continue;
    }
    if (!clean_kept && save_reads_cleanly(copies[i].path)) {
      clean_kept = true;
      continue;
    }
    ::unlink(copies[i].path.c_str());
  }
}

int list_saves(const std::string& save_path, std::ostream& out) {
  std::vector<SaveCopy> files = save_copies(save_path);
  struct stat st {};
  if (::stat(save_path.c_str(), &st) == 0) {
    std::string when = stamp(st.st_mtim.tv_sec);
    files.insert(files.begin(), {save_path, shown_time(when)});
  } else if (::lstat(save_path.c_str(), &st) == 0) {
    files.insert(files.begin(), {save_path, "(a link to nowhere)"});
  }
  if (files.empty()) out << save_path << ": no save and no backups\n";
  for (const SaveCopy& f : files) {
    out << f.path << "  " << f.when << "  ";
    auto s = std::make_unique<GameState>();
    try {
      load_save(*s, f.path);
    } catch (const DataError& e) {
      out << "damaged: " << e.reason() << "\n";
      continue;
    }
    const int minutes = s->play_time;
    out << s->my_name << "  LV " << s->my_lv << "  floor " << s->floor << "  play time " << minutes / 60 << ":"
        << (minutes % 60 < 10 ? "0" : "") << minutes % 60 << "\n";
  }
  return 0;
}

bool set_damaged_save_aside(const std::string& save_path, std::string* why) {
  std::string target;
  if (!save_target(save_path, &target, why)) return false;
  for (int tries = 0; tries < 100; ++tries) {
    const std::string aside = free_name(target + ".damaged-" + stamp(::time(nullptr)));
    if (::renameat2(AT_FDCWD, target.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EEXIST) break;
  }
  if (why) *why = target + " をよけておけません（" + file_reason(errno) + "）";
  return false;
}

}  // namespace z2
