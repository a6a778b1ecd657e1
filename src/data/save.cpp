#include "data/save.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/cp932.h"
#include "data/reader.h"
#include "state/vars.h"

namespace z2 {
namespace {

long real_write(int fd, const char* data, size_t size) { return static_cast<long>(::write(fd, data, size)); }

WriteFn g_write = real_write;

std::string failure(const std::string& path, const char* what, int err) {
  return path + " を保存できません: " + what + "（" + file_reason(err) + "）";
}

void add_string(std::string& out, const std::string& utf8) {
  const size_t from = out.size();
  out += utf8_to_cp932(utf8);
  // CR ends a line and 1A ends the file; neither is ever a CP932 trail byte.
  for (size_t i = from; i < out.size(); ++i)
    if (out[i] == '\r' || out[i] == '\x1a') out[i] = ' ';
}

}  // namespace

// Writes and flushes `path`.tmp; on failure nothing of it is left behind.
bool write_temp(const std::string& path, const std::string& bytes, std::string* tmp_out, std::string* why) {
  const std::string tmp = path + ".tmp";
  auto fail = [&](const char* what, int err, int fd) {
    if (fd >= 0) {
      ::close(fd);
      ::unlink(tmp.c_str());
    }
    if (why) *why = failure(path, what, err);
    return false;
  };
  // Made anew, never opened through whatever stands at its name: a link
  // planted there must not send the save into a file elsewhere. A leftover of
  // an interrupted save (or anything else in the way) is removed first;
  // unlink removes a link itself, not what it points to.
  const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(tmp.c_str(), flags, 0644);
  if (fd < 0 && errno == EEXIST && ::unlink(tmp.c_str()) == 0) fd = ::open(tmp.c_str(), flags, 0644);
  if (fd < 0) return fail("一時ファイルを作れません", errno, -1);
  size_t done = 0;
  while (done < bytes.size()) {
    long n = g_write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("書き込みに失敗しました", errno, fd);
    }
    if (n == 0) return fail("書き込みに失敗しました", ENOSPC, fd);
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) return fail("ディスクに書き出せません", errno, fd);
  if (::close(fd) != 0) {
    const int e = errno;
    ::unlink(tmp.c_str());
    if (why) *why = failure(path, "書き込みに失敗しました", e);
    return false;
  }
  *tmp_out = tmp;
  return true;
}

// Makes the renames themselves durable.
static void sync_folder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool commit(const std::string& tmp, const std::string& path, std::string* why) {
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    const int e = errno;
    ::unlink(tmp.c_str());
    if (why) *why = failure(path, "置き換えに失敗しました", e);
    return false;
  }
  sync_folder(path);
  return true;
}

void set_write_fn(WriteFn fn) { g_write = fn ? fn : real_write; }

std::string save_bytes(GameState& s) {
  std::string out;
  out.reserve(4160 * 4);
  auto end_line = [&] { out += "\r\n"; };
  for (const SaveRun& run : save_layout()) {
    const Var& v = *run.var;
    switch (v.type) {
      case Var::Type::Str: add_string(out, s.*(v.sp)); end_line(); break;
      case Var::Type::Int: out += std::to_string(s.*(v.ip)); end_line(); break;
      case Var::Type::Bool: out += (s.*(v.bp)) ? "1" : "0"; end_line(); break;
      case Var::Type::Array: {
        auto a = v.arr(s);
        for (int i = 0; i < run.count; ++i) {
          out += std::to_string(a[static_cast<size_t>(run.first + i)]);
          end_line();
        }
        break;
      }
    }
  }
  return out;
}

bool write_file_atomic(const std::string& path, const std::string& bytes, std::string* why) {
  std::string tmp;
  return write_temp(path, bytes, &tmp, why) && commit(tmp, path, why);
}

}  // namespace z2
