#include "data/reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "data/cp932.h"
#include "state/int32.h"

namespace z2 {

DataError::DataError(const std::string& file, const std::string& reason, int line)
    : std::runtime_error(file + " の読み込みに失敗しました: " + reason), file_(file), reason_(reason), line_(line) {}

std::string file_reason(int err) {
  switch (err) {
    case ENOENT: return "ファイルがありません";
    case EACCES:
    case EPERM: return "読み書きする許可がありません";
    case ELOOP: return "シンボリックリンクが輪になっていて、ファイルに着きません";
    case EISDIR: return "ファイルではなくフォルダーです";
    case ENOTDIR: return "途中のフォルダーがフォルダーではありません";
    case ENAMETOOLONG: return "名前が長すぎます";
    case ENOSPC: return "ディスクに空きがありません";
    case EDQUOT: return "使える容量を超えました";
    case EROFS: return "書き込めない場所です（読み出し専用）";
    case EIO: return "ディスクの読み書きでエラーが起きました";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    case ENOMEM: return "メモリーが足りません";
    case EBUSY:
    case ETXTBSY: return "ほかのプログラムが使っています";
    case EXDEV: return "別のディスクにまたがって置き換えられません";
    case EEXIST: return "同じ名前のものがすでにあります";
    default: return "システムのエラーです（番号 " + std::to_string(err) + "）";
  }
}

DataReader::DataReader(std::string bytes, std::string name) : data_(std::move(bytes)), name_(std::move(name)) {
  if (auto eof = data_.find('\x1A'); eof != std::string::npos) data_.resize(eof);
}

std::string read_file_bytes(const std::string& path, size_t limit) {
  // Non-blocking, so that opening a FIFO returns at once instead of waiting
  // for a writer; a plain read(2), since a stream would take a folder or a
  // failed read for an empty file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) throw DataError(path, file_reason(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw DataError(path, file_reason(errno));
  if (S_ISDIR(st.st_mode)) throw DataError(path, file_reason(EISDIR));
  if (!S_ISREG(st.st_mode)) throw DataError(path, "普通のファイルではありません（FIFO や装置のファイルは読みません）");
  const auto too_big = [&] {
    return DataError(path, "ファイルが大きすぎます（" + std::to_string(limit) + " バイトまで）");
  };
  if (static_cast<uint64_t>(st.st_size) > limit) throw too_big();
  std::string bytes;
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      throw DataError(path, file_reason(errno));
    }
    // The file may grow while it is read.
    if (bytes.size() + static_cast<size_t>(n) > limit) throw too_big();
    bytes.append(buf, static_cast<size_t>(n));
  }
  return bytes;
}

DataReader DataReader::open(const std::string& path) { return DataReader(read_file_bytes(path), path); }

void DataReader::require_crlf_lines() {
  if (data_.empty()) throw DataError(name_, "ファイルが空です（データが壊れています）");
  if (data_.find("\r\n") == std::string::npos)
    throw DataError(name_, "1行目に行の区切り（CR LF）がありません（データが壊れています）", 1);
  crlf_only_ = true;
}

void DataReader::bad_line_end(int line) const {
  throw DataError(name_, std::to_string(line) + "行目の行末が CR LF ではありません（データが壊れています）", line);
}

void DataReader::skip_line_end() {
  if (pos_ < data_.size() && data_[pos_] == '\r') {
    ++pos_;
    ++line_;
    if (pos_ < data_.size() && data_[pos_] == '\n') {
      ++pos_;
    } else if (crlf_only_ && pos_ < data_.size()) {
      bad_line_end(line_ - 1);
    }
  }
}

std::string DataReader::read_string() {
  size_t start = pos_;
  while (pos_ < data_.size() && data_[pos_] != '\r') ++pos_;
  std::string_view raw(data_.data() + start, pos_ - start);
  // The lines that follow lost their CR: the text ran on to the end.
  if (crlf_only_ && pos_ == data_.size() && raw.find('\n') != std::string_view::npos) bad_line_end(line_);
  skip_line_end();
  return cp932_to_utf8(raw);
}

i32 DataReader::read_int() {
  // Blanks, control characters and line ends in front are passed over.
  while (pos_ < data_.size() && static_cast<unsigned char>(data_[pos_]) <= 0x20) {
    if (data_[pos_] == '\r') {
      skip_line_end();
    } else {
      if (crlf_only_ && data_[pos_] == '\n') bad_line_end(line_);
      ++pos_;
    }
  }
  if (pos_ >= data_.size()) return 0;
  size_t start = pos_;
  while (pos_ < data_.size() && pos_ - start < 32 && static_cast<unsigned char>(data_[pos_]) > 0x20) ++pos_;
  std::string_view tok(data_.data() + start, pos_ - start);
  int tok_line = line_;
  // The rest of the line is ignored.
  while (pos_ < data_.size() && data_[pos_] != '\r') {
    if (crlf_only_ && data_[pos_] == '\n') bad_line_end(tok_line);
    ++pos_;
  }
  skip_line_end();

  size_t i = 0;
  bool neg = false;
  if (tok[0] == '-' || tok[0] == '+') {
    neg = tok[0] == '-';
    i = 1;
  }
  const auto not_a_number = [&] {
    return DataError(name_, std::to_string(tok_line) + "行目が数値ではありません「" + cp932_to_utf8(tok) + "」", tok_line);
  };
  const auto too_big = [&] {
    return DataError(name_, std::to_string(tok_line) + "行目の数値が大きすぎます「" + cp932_to_utf8(tok) + "」", tok_line);
  };
  if (i == tok.size()) throw not_a_number();
  int64_t v = 0;
  for (; i < tok.size(); ++i) {
    char c = tok[i];
    if (c < '0' || c > '9') throw not_a_number();
    v = v * 10 + (c - '0');
    if (v > int64_t{1} << 31) throw too_big();
  }
  if (neg) v = -v;
  if (v > kIntMax || v < kIntMin) throw too_big();
  return static_cast<i32>(v);
}

}  // namespace z2
