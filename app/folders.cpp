#include "folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace z2 {

namespace fs = std::filesystem;

std::string user_data_dir() {
  std::string base;
  if (const char* x = std::getenv("XDG_DATA_HOME"); x && x[0] == '/') {
    base = x;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
      const passwd* pw = ::getpwuid(::getuid());
      home = pw && pw->pw_dir ? pw->pw_dir : "/tmp";
    }
    base = std::string(home) + "/.local/share";
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/zando2/";
}

Folders choose_folders(const std::string& root_option, const std::string& exe_dir, const std::string& build_dir,
                       const std::string& installed) {
  if (!root_option.empty()) return {root_option, ""};
  std::error_code ec;
  const fs::path exe(exe_dir);
  if (!exe_dir.empty() && fs::is_directory(exe / "dat", ec)) return {exe.string(), ""};
  const fs::path content = (exe / installed).lexically_normal();
  if (!exe_dir.empty() && !installed.empty() && fs::is_directory(content / "dat", ec))
    return {content.string(), user_data_dir()};
  return {build_dir, ""};
}

std::string missing_content(const std::string& root) {
  std::error_code ec;
  const fs::path dir(root);
  const std::string named = "the program folder " + dir.string();
  if (!fs::exists(dir, ec)) return named + " does not exist";
  if (!fs::is_directory(dir, ec)) return named + " is not a folder";
  for (const char* sub : {"dat", "cg"})
    if (!fs::is_directory(dir / sub, ec)) return named + " has no " + sub + "/ folder";
  return {};
}

}  // namespace z2
