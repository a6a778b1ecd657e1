// The folders of src/ depend on each other in one direction only: a folder
// may include a lower one, never one that (directly or through others)
// includes it back. This test reads the include lines and fails on a circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Graph = std::map<std::string, std::set<std::string>>;

// The folder of a path under src/: "battle" for battle/turns.cpp, "platform/qt"
// for platform/qt/window.cpp (each face is a folder of its own), "" for the
// composition files at the top.
std::string folder_of(const std::string& rel) {
  const auto slash = rel.find('/');
  if (slash == std::string::npos) return "";
  std::string top = rel.substr(0, slash);
  if (top == "platform") {
    const auto next = rel.find('/', slash + 1);
    if (next != std::string::npos) return rel.substr(0, next);
  }
  return top;
}

Graph read_includes(const fs::path& src) {
  Graph g;
  const std::regex include(R"re(^\s*#\s*include\s+"([^"]+)")re");
  for (const auto& e : fs::recursive_directory_iterator(src)) {
    if (!e.is_regular_file()) continue;
    const auto ext = e.path().extension();
    if (ext != ".cpp" && ext != ".h") continue;
    const std::string from = folder_of(fs::relative(e.path(), src).generic_string());
    g[from];
    std::ifstream in(e.path());
    for (std::string line; std::getline(in, line);) {
      std::smatch m;
      if (!std::regex_search(line, m, include)) continue;
      const std::string to = folder_of(m[1].str());
      if (to != from && fs::exists(src / m[1].str())) g[from].insert(to);
    }
  }
  return g;
}

// A circle through the graph as "a -> b -> a", or empty when there is none.
std::string find_circle(const Graph& g) {
  std::map<std::string, int> state;  // 0 new, 1 on the path, 2 done
  std::vector<std::string> path;
  std::string found;
  std::function<bool(const std::string&)> visit = [&](const std::string& n) {
    state[n] = 1;
    path.push_back(n);
    if (auto it = g.find(n); it != g.end()) {
      for (const auto& m : it->second) {
        if (state[m] == 1) {
          auto from = std::find(path.begin(), path.end(), m);
          for (auto p = from; p != path.end(); ++p) found += (p->empty() ? "(top)" : *p) + " -> ";
          found += m.empty() ? "(top)" : m;
          return true;
        }
        if (state[m] == 0 && visit(m)) return true;
      }
    }
    path.pop_back();
    state[n] = 2;
    return false;
  };
  for (const auto& [n, _] : g)
    if (state[n] == 0 && visit(n)) break;
  return found;
}

TEST(Layout, FoldersOfSrcIncludeEachOtherInOneDirectionOnly) {
  const Graph g = read_includes(fs::path(ZANDO_SOURCE_DIR) / "src");
  ASSERT_GT(g.size(), 5u) << "src/ was not found";
  EXPECT_EQ(find_circle(g), "");
  // The faces and the composition sit on top: nothing below includes them.
  for (const auto& [from, tos] : g) {
    for (const std::string top : {"platform/qt", "platform/headless", ""}) {
      if (from == top || (from.rfind("platform/", 0) == 0 && top.empty())) continue;
      EXPECT_EQ(tos.count(top), 0u) << from << " includes " << (top.empty() ? "the composition file" : top);
    }
  }
}

// The functions a header declares at namespace scope, by name, with the
// folder of the header; and the functions a .cpp file defines outside an
// anonymous namespace, by name, with the folder of the file. Both read lines
// that start at the first column, as the sources are written.
using Places = std::map<std::string, std::set<std::string>>;

void read_functions(const fs::path& src, Places& declared, Places& defined) {
  const std::regex declaration(R"re(^[A-Za-z_][\w:<>,\s\*&]*?[\s\*&](\w+)\s*\([^;{]*\)\s*(?:noexcept\s*)?;)re");
  const std::regex definition(R"re(^[A-Za-z_][\w:<>,\s\*&]*?[\s\*&](?:\w+::)?(\w+)\s*\([^;]*\)\s*(?:const\s*)?\{)re");
  for (const auto& e : fs::recursive_directory_iterator(src)) {
    if (!e.is_regular_file()) continue;
    const auto ext = e.path().extension();
    if (ext != ".cpp" && ext != ".h") continue;
    const std::string folder = folder_of(fs::relative(e.path(), src).generic_string());
    std::ifstream in(e.path());
    bool anonymous = false;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("namespace {", 0) == 0) anonymous = true;
      if (line.rfind("}  // namespace", 0) == 0 && line.find("z2") == std::string::npos) anonymous = false;
      if (anonymous || line.rfind("using ", 0) == 0 || line.rfind("return", 0) == 0) continue;
      std::smatch m;
      if (ext == ".h" && std::regex_search(line, m, declaration)) declared[m[1].str()].insert(folder);
      if (ext == ".cpp" && std::regex_search(line, m, definition)) defined[m[1].str()].insert(folder);
    }
  }
}

// A function declared in a folder must be defined there: one defined in a
// folder above would let the folder below call up without an include line.
TEST(Layout, FunctionsAreDefinedInTheFolderThatDeclaresThem) {
  Places declared, defined;
  read_functions(fs::path(ZANDO_SOURCE_DIR) / "src", declared, defined);
  ASSERT_GT(declared.size(), 50u) << "no declarations were read";
  for (const auto& [name, folders] : declared) {
    auto it = defined.find(name);
    if (it == defined.end()) continue;
    for (const std::string& at : it->second) {
      if (folders.count(at)) continue;
      auto where = [](const std::string& f) { return f.empty() ? std::string("the composition file") : f + "/"; };
      ADD_FAILURE() << name << " is declared in " << where(*folders.begin()) << " but defined in " << where(at);
    }
  }
}

TEST(Layout, TheCircleFinderSeesCircles) {
  EXPECT_EQ(find_circle({{"a", {"b"}}, {"b", {"c"}}, {"c", {}}}), "");
  EXPECT_EQ(find_circle({{"a", {"b"}}, {"b", {"c"}}, {"c", {"a"}}}), "a -> b -> c -> a");
  EXPECT_EQ(find_circle({{"data", {"shell"}}, {"shell", {"data"}}}), "data -> shell -> data");
}

}  // namespace
