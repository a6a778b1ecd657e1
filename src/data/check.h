#pragma once
#include <iosfwd>
#include <string>

namespace z2 {

// Reads every file as the game does and reports each problem on its own line
// ("file: record: what"). Returns the exit status: 0 clean, 1 otherwise.
int check_data_main(const std::string& root, std::ostream& out);

}  // namespace z2
