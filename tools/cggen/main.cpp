// cggen: draws every picture of the game into a folder.
//   cggen <out dir> [--content <dir>]
//   cggen --sheet <png> <prefix,...> [--zoom N] [--columns N] [--content <dir>]   (a contact sheet for review)
//   cggen --explain [--content <dir>]   (which body plan each creature got)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "generate.h"

int main(int argc, char** argv) {
    std::string out, sheet, prefix, content;
    bool explain = false;
    int zoom = 2, columns = 10;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--content" && i + 1 < argc) content = argv[++i];
        else if (a == "--explain") explain = true;
        else if (a == "--sheet" && i + 2 < argc) {
            sheet = argv[++i];
            prefix = argv[++i];
        } else if (a == "--zoom" && i + 1 < argc) zoom = std::max(1, std::atoi(argv[++i]));
        else if (a == "--columns" && i + 1 < argc) columns = std::max(1, std::atoi(argv[++i]));
        else if (out.empty() && a.rfind("--", 0) != 0) out = a;
        else {
            std::fprintf(stderr, "cggen: unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    cggen::NameBook names;
    if (!content.empty()) names.read_dir(content);
    if (explain) {
        std::fputs(cggen::explain_all(names).c_str(), stdout);
        return 0;
    }
    if (!sheet.empty()) {
        std::vector<cggen::Picture> pick;
        // Several prefixes may be given, separated by commas.
        std::vector<std::string> prefixes;
        for (size_t a = 0, b; a <= prefix.size(); a = b + 1) {
            b = prefix.find(',', a);
            if (b == std::string::npos) b = prefix.size();
            prefixes.push_back(prefix.substr(a, b - a));
        }
        for (auto& p : cggen::all_pictures(names))
            for (const auto& pre : prefixes)
                if (!pre.empty() && p.file.rfind(pre, 0) == 0) {
                    pick.push_back(std::move(p));
                    break;
                }
        if (!cggen::write_sheet(sheet, pick, zoom, columns)) {
            std::fprintf(stderr, "cggen: no sheet written\n");
            return 1;
        }
        return 0;
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: cggen <out dir> [--content <dir>]\n");
        return 2;
    }
    std::string error;
    const int n = cggen::write_all(out, names, &error);
    if (n < 0) {
        std::fprintf(stderr, "cggen: %s\n", error.c_str());
        return 1;
    }
    std::printf("cggen: %d pictures written to %s (%zu names known)\n", n, out.c_str(), names.size());
    return 0;
}
