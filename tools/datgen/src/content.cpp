#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "datgen/datgen.hpp"
#include "text_util.hpp"

namespace fs = std::filesystem;

namespace datgen {

// ---------------------------------------------------------------------------
// Boss files

namespace {
const char* const kBossKeys[] = {"name", "pic", "big", "lv", "hp", "talk1", "talk2", "talk3", "talk4", "talk5"};
}

Boss parse_boss(int number, std::string_view text, const std::string& file) {
  Boss b;
  b.number = number;
  b.file = file;
  int lineno = 0;
  for (std::string_view line : split_lines(text)) {
    ++lineno;
    if (line.empty() || line.front() == '#') continue;
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) throw SourceError(file, lineno, "expected 'key: value'");
    std::string key(line.substr(0, colon));
    std::string_view value = line.substr(colon + 1);
    if (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    bool known = false;
    for (const char* k : kBossKeys) known = known || key == k;
    if (!known) throw SourceError(file, lineno, "unknown key '" + key + "'");
    if (b.lines.count(key)) {
      throw SourceError(file, lineno, "key '" + key + "' is already given on line " + std::to_string(b.lines[key]));
    }
    b.lines[key] = lineno;
    try {
      check_text(value);
    } catch (const std::invalid_argument& e) {
      throw SourceError(file, lineno, key + ": " + e.what());
    }
    std::string v(value);
    if (key == "lv" || key == "hp") {
      auto n = parse_int(v);
      if (!n) throw SourceError(file, lineno, key + ": '" + v + "' is not an integer");
      (key == "lv" ? b.lv : b.hp) = *n;
    } else if (key == "name") {
      b.name = v;
    } else if (key == "pic") {
      b.pic = v;
    } else if (key == "big") {
      b.big = v;
    } else {
      b.talk[key[4] - '1'] = v;
    }
  }
  for (const char* k : kBossKeys) {
    if (!b.lines.count(k)) throw SourceError(file, 0, std::string("key '") + k + "' is missing");
  }
  return b;
}

std::string render_boss(const Boss& b) {
  std::vector<std::string> lines = {b.name, b.pic, b.big, std::to_string(b.lv), std::to_string(b.hp)};
  for (const std::string& t : b.talk) lines.push_back(t);
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    try {
      out += to_cp932(lines[i]);
    } catch (const std::invalid_argument& e) {
      auto it = b.lines.find(kBossKeys[i]);
      throw SourceError(b.file, it == b.lines.end() ? 0 : it->second, e.what());
    }
    out += "\r\n";
  }
  return out;
}

// ---------------------------------------------------------------------------
// Plain files

Plain parse_plain(std::string_view text, const std::string& file, size_t max_lines) {
  Plain p;
  p.file = file;
  int lineno = 0;
  for (std::string_view line : split_lines(text)) {
    ++lineno;
    if (p.lines.size() == max_lines) {
      throw SourceError(file, lineno, "the game reads only " + std::to_string(max_lines) + " lines");
    }
    try {
      check_text(line);
    } catch (const std::invalid_argument& e) {
      throw SourceError(file, lineno, e.what());
    }
    p.lines.emplace_back(line);
  }
  return p;
}

std::string render_plain(const Plain& p) {
  std::string out;
  for (size_t i = 0; i < p.lines.size(); ++i) {
    try {
      out += to_cp932(p.lines[i]);
    } catch (const std::invalid_argument& e) {
      throw SourceError(p.file, static_cast<int>(i + 1), e.what());
    }
    out += "\r\n";
  }
  return out;
}

// ---------------------------------------------------------------------------
// Loading

const Table& Content::table(std::string_view source) const {
  auto it = tables.find(std::string(source));
  if (it == tables.end()) throw std::out_of_range("table " + std::string(source) + " not loaded");
  return it->second;
}

std::vector<int> boss_numbers() {
  std::vector<int> n;
  for (int i = 0; i <= 24; ++i) n.push_back(i);
  n.push_back(99);
  return n;
}

namespace {

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SourceError(path.string(), 0, "cannot be read");
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace

Content load_content(const std::string& dir) {
  Content c;
  c.dir = dir;
  const fs::path root(dir);
  for (const Schema& s : master_schemas()) {
    fs::path p = root / s.source;
    c.tables.emplace(s.source, parse_table(s, read_file(p), p.string()));
  }
  const Table& items = c.tables.at("item.tsv");
  const Table& gomi = c.tables.at("gomi.tsv");
  resolve_refs(c.tables.at("shop.tsv"), items, nullptr);
  resolve_refs(c.tables.at("wild.tsv"), items, nullptr);
  resolve_refs(c.tables.at("enemy.tsv"), items, &gomi);
  for (int n : boss_numbers()) {
    fs::path p = root / "boss" / ("boss" + std::to_string(n) + ".txt");
    c.bosses.emplace(n, parse_boss(n, read_file(p), p.string()));
  }
  fs::path op = root / "open.txt";
  fs::path sp = root / "staff.txt";
  c.open = parse_plain(read_file(op), op.string(), 200);
  c.staff = parse_plain(read_file(sp), sp.string(), 100);
  return c;
}

// ---------------------------------------------------------------------------
// Writing

namespace {

void write_atomic(const fs::path& path, const std::string& bytes) {
  fs::path tmp = path;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + tmp.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw std::runtime_error("cannot write " + tmp.string());
  }
  fs::rename(tmp, path);
}

}  // namespace

std::vector<std::string> write_content(const Content& c, const std::string& out_dir) {
  // Render everything first, so that a fault leaves the folder untouched.
  std::vector<std::pair<std::string, std::string>> files;
  for (const Schema& s : master_schemas()) files.emplace_back(s.output, render_table(c.table(s.source)));
  for (const auto& [n, b] : c.bosses) files.emplace_back("boss" + std::to_string(n) + ".dat", render_boss(b));
  files.emplace_back("open.dat", render_plain(c.open));
  files.emplace_back("staff.dat", render_plain(c.staff));

  fs::create_directories(out_dir);
  std::vector<std::string> names;
  for (const auto& [name, bytes] : files) {
    write_atomic(fs::path(out_dir) / name, bytes);
    names.push_back(name);
  }
  return names;
}

}  // namespace datgen
