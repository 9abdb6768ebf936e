// Text files and directory listing. Paths may use '\' as folder separator on every platform. Contents are bytes:
// nothing is translated on writing.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class ReadResult {
    read,     // bytes hold the whole file
    missing,  // neither the file nor, maybe, its folder is there
    failed,   // it is there but cannot be read (a folder, no permission, a read error)
};

// The whole file's bytes (replacing what bytes held; empty unless read).
ReadResult readWholeFile(const std::string& path, std::string& bytes);

// Reads the whole file as lines: each line without its "\n" or "\r\n" end; a last line without an end counts.
// Returns false (and no lines) when the file cannot be opened.
bool readLines(const std::string& path, std::vector<std::string>& lines);

// Appends bytes, creating the file when missing. False when it cannot be opened or written.
bool appendToFile(const std::string& path, std::string_view bytes);

// Appends to one file and keeps it open between appends, so that a burst of lines costs no reopening. Each
// append goes to the system at once (no buffer of ours): readers see whole lines and nothing waits in memory.
// Others may read, write, rename and delete the file while it is open. Close it before writeWholeFile replaces
// its file (Windows replaces no file that is held open); the next append then opens the new file.
class AppendFile {
public:
    AppendFile() = default;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;
    ~AppendFile() { close(); }

    // Opens path (creating it) when another or no file is open. False when it cannot be opened or written.
    bool append(const std::string& path, std::string_view bytes);
    void close();

private:
    std::string m_path;
    std::intptr_t m_handle = -1;
};

// Replaces the file whole or not at all: the bytes go to a new file in the same folder, which then takes the
// old one's place in one step; until then others read the old file as it was, and may read the new one too.
// False when anything fails (a full disk, a missing folder, a folder of that name, a file that another program
// holds open without letting it be replaced): the old file then stays as it was and no new file is left. The new
// file reaches the disk before it takes the old one's place, so that a power cut leaves one or the other whole.
bool writeWholeFile(const std::string& path, std::string_view bytes);

// Writes the file in place: truncated, then written. For a file whose replacement another program refuses (a
// viewer holding it open shares writing but not deletion): not whole-or-nothing, so only for files that are made
// again from what is held in memory. False when it cannot be opened or written.
bool overwriteFile(const std::string& path, std::string_view bytes);

// Names (without folder) of the directory entries matching a pattern such as "C:\Tarn\*.ini" or "/x/*.ini",
// in the order the platform lists them; the '*' and '?' wildcards match without regard to letter case.
// Empty when the folder cannot be read.
std::vector<std::string> listDirectory(const std::string& pattern);

} // namespace platform
