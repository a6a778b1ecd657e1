// Creature names read from the content sources, keyed by picture file, so a picture can fit its
// creature. Missing or odd files are simply skipped.
#pragma once
#include <filesystem>
#include <map>
#include <string>

namespace cggen {

struct NameEntry {
    std::string name;
    std::string about;  // other words of the record
};

class NameBook {
public:
    void read_dir(const std::filesystem::path& dir);
    void add_text(const std::string& text);  // the body of one source file
    const NameEntry* find(const std::string& picture) const;
    size_t size() const { return by_pic_.size(); }

private:
    std::map<std::string, NameEntry> by_pic_;
};

}  // namespace cggen
