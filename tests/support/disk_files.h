// Whole files on the real disk, read and written byte for byte.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace qb {
namespace testing_support {

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace testing_support
}  // namespace qb
