// A fresh, empty folder for one test, and file access through the C runtime (not through the code under test).
#pragma once
#include <gtest/gtest.h>

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's Windows path, without a final '\'.
    const std::string& root() const { return m_root; }
    std::string path(const std::string& name) const { return m_root + "\\" + name; }

private:
    std::string m_root;
};

class TempDirTest : public ::testing::Test {
protected:
    TempDir dir;
};

// "(missing)" when the file cannot be opened.
std::string fileBytes(const std::string& path);
void putFile(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
