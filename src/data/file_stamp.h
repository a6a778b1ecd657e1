#pragma once
// What a file on disk is at one moment: enough to tell later whether it is
// still the same file with the same contents. The caches of decoded pictures
// and of the master files keep what they read only while this holds.
#include <sys/stat.h>

#include <optional>
#include <string>

namespace z2 {

struct FileStamp {
  struct stat st {};
  // The file had not changed for a while when it was stamped. File times tick
  // coarsely (a few milliseconds here, seconds on some filesystems): a file
  // written again within the same tick keeps its time, so only the stamp of a
  // file that had been still for longer than that can vouch for its contents.
  bool settled = false;

  // nullopt when the path is missing or not a regular file.
  static std::optional<FileStamp> of(const std::string& path);

  // What was read at `earlier` still holds: the stamp was settled, and the
  // file is the same one (device and inode) with the same size and times.
  bool vouches_for(const FileStamp& earlier) const;
};

}  // namespace z2
