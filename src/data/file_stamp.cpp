#include "data/file_stamp.h"

#include <time.h>

#include <algorithm>
#include <cstdint>

namespace z2 {
namespace {

// Longer than any filesystem's tick of file times.
constexpr int64_t kSettledNs = 2'000'000'000;

int64_t ns_of(const timespec& t) { return int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; }

bool same_time(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

}  // namespace

std::optional<FileStamp> FileStamp::of(const std::string& path) {
  FileStamp f;
  if (::stat(path.c_str(), &f.st) != 0 || !S_ISREG(f.st.st_mode)) return std::nullopt;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  f.settled = std::max(ns_of(f.st.st_mtim), ns_of(f.st.st_ctim)) < ns_of(now) - kSettledNs;
  return f;
}

bool FileStamp::vouches_for(const FileStamp& earlier) const {
  const struct stat& a = st;
  const struct stat& b = earlier.st;
  return earlier.settled && a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
         same_time(a.st_mtim, b.st_mtim) && same_time(a.st_ctim, b.st_ctim);
}

}  // namespace z2
