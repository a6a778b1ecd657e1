#include "data/check.h"

#include <ostream>

#include "data/reader.h"
#include "data/tables.h"

namespace z2 {

int check_data_main(const std::string& root_in, std::ostream& out) {
  std::string root = root_in;
  if (!root.empty() && root.back() != '/') root += '/';
  const std::string dat = root + "dat/";
  int problems = 0;
  auto report = [&](const std::string& line) {
    out << line << '\n';
    ++problems;
  };
  Tables t;
  try {
    load_tables(t, dat);
  } catch (const DataError& e) {
    report(e.file() + ": " + e.reason());
  }
  GameState s;
  for (int n = 0; n <= 25; ++n) {
    const int b = n == 25 ? 99 : n;
    try {
      load_boss(s, dat, b);
    } catch (const DataError& e) {
      report(e.file() + ": " + e.reason());
    }
  }
  return problems == 0 ? 0 : 1;
}

}  // namespace z2
