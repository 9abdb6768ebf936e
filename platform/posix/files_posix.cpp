#include "platform/files.h"
#include "platform/portable/text_lines.h"
#include "platform/portable/wildcard.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool readWhole(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(nativePath(path).c_str(), "rb");
    if (file == nullptr) return false;
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    // A folder opens but does not read.
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

bool writeBytes(const std::string& path, const char* mode, std::string_view bytes) {
    std::FILE* file = std::fopen(nativePath(path).c_str(), mode);
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
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
    std::FILE* file = std::fopen(nativePath(path).c_str(), "rb");
    if (file == nullptr) return 0;
    char buffer[8192];
    std::size_t got = 0;
    std::size_t count = 0;
    char last = '\n';
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        count += static_cast<std::size_t>(std::count(buffer, buffer + got, '\n'));
        last = buffer[got - 1];
    }
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    if (!ok) return 0;
    return count + (last != '\n' ? 1 : 0);
}

bool appendToFile(const std::string& path, std::string_view bytes) { return writeBytes(path, "ab", bytes); }

bool writeWholeFile(const std::string& path, std::string_view bytes) { return writeBytes(path, "wb", bytes); }

std::vector<std::string> listDirectory(const std::string& pattern) {
    const std::string native = nativePath(pattern);
    const std::size_t slash = native.rfind('/');
    std::string folder = ".";
    if (slash == 0) folder = "/";
    else if (slash != std::string::npos) folder = native.substr(0, slash);
    const std::string_view namePattern =
        slash == std::string::npos ? std::string_view(native) : std::string_view(native).substr(slash + 1);

    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (wildcard::matchesFileName(namePattern, name)) names.emplace_back(name);
    }
    closedir(dir);
    return names;
}

bool AppendFile::append(const std::string& path, std::string_view bytes) {
    if (m_handle >= 0) {
        // A file deleted meanwhile must not swallow the lines: start a new one.
        struct stat open {};
        if (path != m_path || ::fstat(static_cast<int>(m_handle), &open) != 0 || open.st_nlink == 0) close();
    }
    if (m_handle < 0) {
        int fd = ::open(nativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        m_handle = fd;
        m_path = path;
    }
    const int fd = static_cast<int>(m_handle);
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close(); // the next append tries afresh
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void AppendFile::close() {
    if (m_handle >= 0) ::close(static_cast<int>(m_handle));
    m_handle = -1;
    m_path.clear();
}

} // namespace platform
