#include "platform/files.h"
#include "platform/portable/text_lines.h"
#include "platform/portable/wildcard.h"

#include <windows.h>

#include <algorithm>

namespace platform {
namespace {

// Owns a file handle for the span of one call.
class File {
public:
    explicit File(HANDLE handle) : m_handle(handle) {}
    ~File() {
        if (ok()) CloseHandle(m_handle);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool ok() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Others may read and write a file while we read it: the host keeps its own files open. A folder does not open
// (no backup semantics asked for), so it reads as a file that cannot be opened.
File openForReading(const std::string& path) {
    return File(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool readWhole(const std::string& path, std::string& bytes) {
    File file = openForReading(path);
    if (!file.ok()) return false;
    char buffer[8192];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) return true;
        bytes.append(buffer, got);
    }
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Others may read what we write (a Cabrillo file open in a viewer, the bad-QSO file in an editor) but not
// write it at the same time.
bool writeBytes(const std::string& path, DWORD access, DWORD disposition, std::string_view bytes) {
    File file(CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
    return file.ok() && writeAll(file.get(), bytes);
}

} // namespace

bool readLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::string bytes;
    if (!readWhole(path, bytes)) return false;
    text::splitLines(bytes, lines);
    return true;
}

std::size_t countLines(const std::string& path) {
    File file = openForReading(path);
    if (!file.ok()) return 0;
    char buffer[8192];
    DWORD got = 0;
    std::size_t count = 0;
    char last = '\n';
    for (;;) {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return 0;
        if (got == 0) break;
        count += static_cast<std::size_t>(std::count(buffer, buffer + got, '\n'));
        last = buffer[got - 1];
    }
    return count + (last != '\n' ? 1 : 0);
}

bool appendToFile(const std::string& path, std::string_view bytes) {
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end, whatever else has the file open.
    return writeBytes(path, FILE_APPEND_DATA | SYNCHRONIZE, OPEN_ALWAYS, bytes);
}

bool writeWholeFile(const std::string& path, std::string_view bytes) {
    return writeBytes(path, GENERIC_WRITE, CREATE_ALWAYS, bytes);
}

std::vector<std::string> listDirectory(const std::string& pattern) {
    std::vector<std::string> names;
    const std::size_t slash = pattern.find_last_of("\\/:");
    const std::string_view namePattern =
        slash == std::string::npos ? std::string_view(pattern) : std::string_view(pattern).substr(slash + 1);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string_view name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (wildcard::matchesFileName(namePattern, name)) names.emplace_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

} // namespace platform

namespace platform {

bool AppendFile::append(const std::string& path, std::string_view bytes) {
    if (m_handle != -1) {
        // A file deleted meanwhile stays "delete pending" while we hold it: the lines would vanish with it, so
        // close it and start a new one.
        FILE_STANDARD_INFO info{};
        const HANDLE open = reinterpret_cast<HANDLE>(m_handle);
        if (path != m_path || !GetFileInformationByHandleEx(open, FileStandardInfo, &info, sizeof info) ||
            info.DeletePending || info.NumberOfLinks == 0) {
            close();
        }
    }
    if (m_handle == -1) {
        const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        m_handle = reinterpret_cast<std::intptr_t>(file);
        m_path = path;
    }
    if (!writeAll(reinterpret_cast<HANDLE>(m_handle), bytes)) {
        close();  // the next append tries afresh
        return false;
    }
    return true;
}

void AppendFile::close() {
    if (m_handle != -1) CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
    m_path.clear();
}

} // namespace platform
