// Text files and directory listing. Paths may use '\' as folder separator on every platform. Contents are bytes:
// nothing is translated on writing.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reads the whole file as lines: each line without its "\n" or "\r\n" end; a last line without an end counts.
// Returns false (and no lines) when the file cannot be opened.
bool readLines(const std::string& path, std::vector<std::string>& lines);

// Number of lines readLines would give; 0 when the file cannot be opened.
std::size_t countLines(const std::string& path);

// Appends bytes, creating the file when missing. False when it cannot be opened or written.
bool appendToFile(const std::string& path, std::string_view bytes);

// Creates or truncates the file and writes bytes. False when it cannot be created or written.
bool writeWholeFile(const std::string& path, std::string_view bytes);

// Names (without folder) of the directory entries matching a pattern such as "C:\Tarn\*.ini" or "/x/*.ini",
// in the order the platform lists them; the '*' and '?' wildcards match without regard to letter case.
// Empty when the folder cannot be read.
std::vector<std::string> listDirectory(const std::string& pattern);

} // namespace platform
