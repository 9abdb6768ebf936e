// Whole files as bytes, read and written by the tests themselves, never through the code under test.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace test {

// "(missing)" when the file cannot be opened.
inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "(missing)";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A file that does not take the bytes fails the test.
inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    ASSERT_TRUE(out.good()) << path;
}

} // namespace test
