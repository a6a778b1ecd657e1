// Every picture of the game by file name, and writing them out.
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"
#include "names.h"

namespace cggen {

struct Picture {
    std::string file;
    std::function<Canvas()> draw;
};

std::vector<Picture> all_pictures(const NameBook& names);

// One line per creature picture: file, name, body plan (for reviewing the name matching).
std::string explain_all(const NameBook& names);

// Writes every picture as a 24-bit BMP into `dir`; returns the number written, or -1 with `error` set.
int write_all(const std::filesystem::path& dir, const NameBook& names, std::string* error);

// A contact sheet of the given pictures (each magnified by `zoom`, in rows of `columns`).
bool write_sheet(const std::filesystem::path& png, const std::vector<Picture>& pictures, int zoom, int columns);

}  // namespace cggen
