// make_manpage TEMPLATE OUT VERSION DATE: writes the manual page zando2(6)
// from its template (app/zando2.6.in) and the option table that --help
// prints, so that the two name the same options with the same words.
// The template's placeholders: @VERSION@, @DATE@, @SUMMARY@ and, each on a
// line of its own, @SYNOPSIS@ and @OPTIONS@.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "option_table.h"

namespace {

using z2::kOptionTable;
using z2::kUsageLines;

// Plain text as roff input: a hyphen is a minus sign in an option's name,
// a backslash is printed as one, and a line never starts as a request.
std::string roff(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

std::string bold(std::string_view s) { return "\\fB" + roff(s) + "\\fR"; }
std::string italic(std::string_view s) { return "\\fI" + roff(s) + "\\fR"; }

// One word of a usage line: an option in bold, a value's name (DIR, FILE)
// in italics, the brackets of what may be left out as they are.
std::string usage_word(std::string_view word) {
  size_t open = 0;
  while (open < word.size() && word[open] == '[') ++open;
  size_t close = word.size();
  while (close > open && word[close - 1] == ']') --close;
  const std::string_view core = word.substr(open, close - open);
  const bool is_value = !core.empty() && std::all_of(core.begin(), core.end(), [](char c) {
    return std::isupper(static_cast<unsigned char>(c)) != 0;
  });
  const std::string shown = core.starts_with("-") ? bold(core) : is_value ? italic(core) : roff(core);
  return std::string(word.substr(0, open)) + shown + std::string(word.substr(close));
}

std::string synopsis() {
  std::string out;
  bool first = true;
  for (const z2::UsageLine& u : kUsageLines) {
    if (!first) out += ".br\n";
    first = false;
    out += ".B zando2\n";
    std::istringstream words{std::string(u.args)};
    std::string line;
    for (std::string w; words >> w;) line += (line.empty() ? "" : " ") + usage_word(w);
    out += line + "\n";
  }
  return out;
}

std::string options() {
  std::string out;
  for (const z2::OptionSpec& o : kOptionTable) {
    out += ".TP\n";
    if (!o.short_name.empty()) out += bold("-" + std::string(o.short_name)) + ", ";
    out += bold("--" + std::string(o.name));
    if (!o.value.empty()) out += " " + italic(o.value);
    out += "\n" + roff(o.help) + "\n";
  }
  return out;
}

void replace_all(std::string& s, std::string_view what, const std::string& with) {
  for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
    s.replace(at, what.size(), with);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: make_manpage TEMPLATE OUT VERSION DATE\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "make_manpage: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (std::string_view placeholder : {"@SYNOPSIS@\n", "@OPTIONS@\n"}) {
    if (page.find(placeholder) == std::string::npos) {
      std::cerr << "make_manpage: " << argv[1] << " has no line " << placeholder;
      return 1;
    }
  }
  replace_all(page, "@SYNOPSIS@\n", synopsis());
  replace_all(page, "@OPTIONS@\n", options());
  replace_all(page, "@SUMMARY@", roff(z2::kProgramSummary));
  // A date's hyphens are hyphens, not minus signs.
  replace_all(page, "@VERSION@", argv[3]);
  replace_all(page, "@DATE@", argv[4]);
  std::ofstream out(argv[2], std::ios::binary);
  out << page;
  out.close();
  if (!out) {
    std::cerr << "make_manpage: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
