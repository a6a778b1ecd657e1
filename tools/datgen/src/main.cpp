// datgen <content dir> <dat dir>       check the sources and write the data files
// datgen --check <content dir>         check only
// datgen --assets <content dir>        list the pictures and music the data name
#include <cstdio>
#include <iostream>
#include <set>
#include <string>

#include "datgen/datgen.hpp"

namespace {

int usage() {
  std::cerr << "usage: datgen <content dir> <dat dir>\n"
               "       datgen --check <content dir>\n"
               "       datgen --assets <content dir>\n";
  return 2;
}

std::set<std::string> assets(const datgen::Content& c) {
  std::set<std::string> out;
  auto add_field = [&](const char* src, const char* field) {
    const datgen::Table& t = c.table(src);
    for (int i = 0; i < static_cast<int>(t.records.size()); ++i) {
      const std::string& v = t.text(i, field);
      if (!v.empty()) out.insert(v);
    }
  };
  add_field("enemy.tsv", "en_pic");
  add_field("monster.tsv", "mo_pic");
  add_field("md.tsv", "md_file");
  for (const auto& [n, b] : c.bosses) {
    if (!b.pic.empty()) out.insert(b.pic);
    if (!b.big.empty()) out.insert(b.big);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return usage();
  std::string a1 = argv[1];
  bool check_only = a1 == "--check";
  bool list_assets = a1 == "--assets";
  std::string content_dir = (check_only || list_assets) ? argv[2] : argv[1];
  if (!check_only && !list_assets && !a1.empty() && a1[0] == '-') return usage();

  try {
    datgen::Content content = datgen::load_content(content_dir);
    if (list_assets) {
      for (const std::string& a : assets(content)) std::cout << a << '\n';
      return 0;
    }
    std::vector<datgen::Issue> issues = datgen::check_content(content);
    for (const datgen::Issue& i : issues) {
      std::cerr << i.file << (i.line > 0 ? ":" + std::to_string(i.line) : std::string()) << ": " << i.message << '\n';
    }
    if (!issues.empty()) {
      std::cerr << "datgen: " << issues.size() << " problem(s) in the content; nothing written\n";
      return 1;
    }
    if (check_only) return 0;
    std::vector<std::string> written = datgen::write_content(content, argv[2]);
    std::cout << "datgen: wrote " << written.size() << " files to " << argv[2] << '\n';
    return 0;
  } catch (const datgen::SourceError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "datgen: " << e.what() << '\n';
    return 1;
  }
}
