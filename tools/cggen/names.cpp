#include "names.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace cggen {

namespace {

std::string trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r' || s[a] == '\n')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n')) --b;
    return s.substr(a, b - a);
}

std::string lower(std::string s) {
    for (auto& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool is_picture(const std::string& s) {
    const std::string l = lower(s);
    return l.size() > 4 && l.compare(l.size() - 4, 4, ".bmp") == 0 && l.find(' ') == std::string::npos;
}

bool is_number(const std::string& s) {
    if (s.empty()) return false;
    size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (i >= s.size()) return false;
    for (; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

// "key: value" lines (boss sources) carry their value after the key.
std::string strip_key(const std::string& s) {
    const size_t colon = s.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 16) return s;
    for (size_t i = 0; i < colon; ++i) {
        const char c = s[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return s;
    }
    return trim(s.substr(colon + 1));
}

std::vector<std::string> split_tabs(const std::string& line) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : line) {
        if (c == '\t') {
            out.push_back(trim(cur));
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    out.push_back(trim(cur));
    // A field starting with '#' begins a trailing comment.
    for (size_t i = 0; i < out.size(); ++i)
        if (!out[i].empty() && out[i][0] == '#') {
            out.resize(i);
            break;
        }
    for (auto& f : out) f = strip_key(f);
    return out;
}

}  // namespace

void NameBook::add_text(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(in, line)) {
        const std::string t = trim(line);
        if (t.empty() || t[0] == '#') continue;
        lines.push_back(line);
    }
    // A file of one value per line (a boss file): its first line names the pictures in it.
    std::string first_text;
    std::string all_text;
    for (const auto& l : lines) {
        const auto f = split_tabs(l);
        if (f.size() == 1 && !is_picture(f[0]) && !is_number(f[0])) {
            if (first_text.empty()) first_text = f[0];
            if (all_text.size() < 2000) all_text += f[0] + " ";
        }
    }
    for (const auto& l : lines) {
        const auto f = split_tabs(l);
        for (size_t i = 0; i < f.size(); ++i) {
            if (!is_picture(f[i])) continue;
            NameEntry e;
            if (f.size() == 1) {
                e.name = first_text;
                e.about = all_text;
            } else {
                for (size_t k = 0; k < f.size(); ++k) {
                    if (k == i || f[k].empty() || is_number(f[k]) || is_picture(f[k])) continue;
                    if (e.name.empty()) e.name = f[k];
                    else e.about += f[k] + " ";
                }
            }
            if (e.name.empty() || e.name == " ") continue;
            by_pic_.emplace(lower(f[i]), e);  // the first record naming a picture wins
        }
    }
}

void NameBook::read_dir(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) return;
    std::vector<std::filesystem::path> files;
    for (auto it = std::filesystem::recursive_directory_iterator(dir, ec); !ec && it != std::filesystem::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string ext = lower(it->path().extension().string());
        if (ext != ".tsv" && ext != ".txt") continue;
        if (it->file_size(ec) > (8u << 20)) continue;
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());  // same result whatever order the directory lists
    for (const auto& p : files) {
        std::ifstream f(p, std::ios::binary);
        if (!f) continue;
        std::ostringstream ss;
        ss << f.rdbuf();
        add_text(ss.str());
    }
}

const NameEntry* NameBook::find(const std::string& picture) const {
    auto it = by_pic_.find(lower(picture));
    return it == by_pic_.end() ? nullptr : &it->second;
}

}  // namespace cggen
