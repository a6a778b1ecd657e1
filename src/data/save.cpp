#include "data/save.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/cp932.h"
#include "shell/game.h"
#include "state/vars.h"

namespace z2 {

std::string save_bytes(GameState& s) {
  std::string out;
  out.reserve(4160 * 4);
  auto line = [&](const std::string& v) {
    out += v;
    out += "\r\n";
  };
  for (const SaveRun& run : save_layout()) {
    const Var& v = *run.var;
    switch (v.type) {
      case Var::Type::Str: line(utf8_to_cp932(s.*(v.sp))); break;
      case Var::Type::Int: line(std::to_string(s.*(v.ip))); break;
      case Var::Type::Bool: line((s.*(v.bp)) ? "1" : "0"); break;
      case Var::Type::Array: {
        auto a = v.arr(s);
        for (int i = 0; i < run.count; ++i) line(std::to_string(a[static_cast<size_t>(run.first + i)]));
        break;
      }
    }
  }
  return out;
}

bool write_file_atomic(const std::string& path, const std::string& bytes, std::string* why) {
  const std::string tmp = path + ".tmp";
  auto fail = [&](const std::string& what) {
    if (why) *why = path + " を保存できません: " + what + " (" + std::strerror(errno) + ")";
    return false;
  };
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail("一時ファイルを作れません");
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      ::unlink(tmp.c_str());
      errno = e;
      return fail("書き込みに失敗しました");
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) {
    int e = errno;
    ::close(fd);
    ::unlink(tmp.c_str());
    errno = e;
    return fail("ディスクに書き出せません");
  }
  if (::close(fd) != 0) {
    int e = errno;
    ::unlink(tmp.c_str());
    errno = e;
    return fail("書き込みに失敗しました");
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    int e = errno;
    ::unlink(tmp.c_str());
    errno = e;
    return fail("置き換えに失敗しました");
  }
  return true;
}

bool save_all(Game& g, std::string* why) {
  return write_file_atomic(g.save_path(), save_bytes(g.s), why);
}

}  // namespace z2
