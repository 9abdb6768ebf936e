#include "platform/files.h"
#include "platform/portable/file_reading.h"
#include "platform/portable/wildcard.h"
#include "platform/win32/os_calls_win32.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace platform {

namespace win32 {

OsCalls& osCalls() {
    static OsCalls calls = {CreateFileA, ReadFile, WriteFile, CloseHandle, MoveFileExA, DeleteFileA, FlushFileBuffers};
    return calls;
}

} // namespace win32

namespace {

using win32::osCalls;

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!osCalls().writeFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// The new file goes beside the old one, so that the move stays within one volume; its name is short whatever
// the old one's. Others may read it while it is written (a viewer, a backup) but not write it.
HANDLE createBeside(const std::string& path, std::string& temp) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.find_last_of("\\/:");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder + "~VU-VO-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
        const HANDLE file = osCalls().createFile(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

// Others may read and write a file while we read it: the host keeps its own files open. A folder does not open
// (no backup semantics asked for), so it reads as a file that cannot be read.
ReadResult readChunks(const std::string& path, const std::function<void(std::string_view)>& take) {
    const HANDLE file =
        osCalls().createFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::missing
                                                                              : ReadResult::failed;
    }
    char buffer[8192];
    ReadResult result = ReadResult::read;
    for (;;) {
        DWORD got = 0;
        if (!osCalls().readFile(file, buffer, sizeof buffer, &got, nullptr)) {
            result = ReadResult::failed;
            break;
        }
        if (got == 0) break;
        take(std::string_view(buffer, got));
    }
    osCalls().closeHandle(file);
    return result;
}

bool appendToFile(const std::string& path, std::string_view bytes) {
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end, whatever else has the file open.
    const HANDLE file = osCalls().createFile(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ, nullptr,
                                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(file, bytes);
    return osCalls().closeHandle(file) != 0 && written;
}

// The old file is never opened for writing: a full disk or any other failure stops before the move, which swaps
// the whole new file in at once. A program holding the old file without sharing its deletion keeps the move
// from happening: the old file then stays.
bool writeWholeFile(const std::string& path, std::string_view bytes) {
    std::string temp;
    const HANDLE file = createBeside(path, temp);
    if (file == INVALID_HANDLE_VALUE) return false;
    // On the disk before the move: a power cut after it must not leave a moved file without its contents.
    const bool written = writeAll(file, bytes) && osCalls().flushFileBuffers(file) != 0;
    const bool closed = osCalls().closeHandle(file) != 0;
    if (written && closed && osCalls().moveFileEx(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    osCalls().deleteFile(temp.c_str());
    return false;
}

// Others who hold the file may go on reading and writing it; CREATE_ALWAYS truncates it while they do.
bool overwriteFile(const std::string& path, std::string_view bytes) {
    const HANDLE file = osCalls().createFile(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(file, bytes);
    return osCalls().closeHandle(file) != 0 && written;
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
        const HANDLE file = osCalls().createFile(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    if (m_handle != -1) osCalls().closeHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
    m_path.clear();
}

} // namespace platform
