#pragma once
// The whole of a file the tests read back, as bytes; the empty text when it cannot be opened.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tally::testing {

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace tally::testing
