#include "platform/files.h"
#include "platform/portable/file_reading.h"
#include "platform/portable/wildcard.h"
#include "platform/posix/os_calls.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace posix {

OsCalls& osCalls() {
    static OsCalls calls = {
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        ::read,
        ::write,
        ::close,
        ::rename,
        ::unlink,
        ::fsync,
    };
    return calls;
}

} // namespace posix

namespace {

using posix::osCalls;

// The one place where the plug-in's Windows-style paths become POSIX ones.
std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = osCalls().write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A link is replaced at the file it names, so that the link stays a link.
std::string replacedFile(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// The new file goes beside the old one, so that the rename stays within one file system; its name is short
// whatever the old one's, and hidden.
int createBeside(const std::string& target, std::string& temp) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder + ".VU-VO-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = osCalls().open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

ReadResult readChunks(const std::string& path, const std::function<void(std::string_view)>& take) {
    const int fd = osCalls().open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) return errno == ENOENT ? ReadResult::missing : ReadResult::failed;
    char buffer[8192];
    ReadResult result = ReadResult::read;
    for (;;) {
        const ssize_t got = osCalls().read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        // A folder opens but does not read.
        if (got < 0) result = ReadResult::failed;
        if (got <= 0) break;
        take(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
    osCalls().close(fd);
    return result;
}

bool appendToFile(const std::string& path, std::string_view bytes) {
    const int fd = osCalls().open(nativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes);
    return osCalls().close(fd) == 0 && written;
}

// The old file is never opened for writing: a full disk or any other failure stops before the rename, which
// swaps the whole new file in at once. The old file's permissions go over to the new one.
bool writeWholeFile(const std::string& path, std::string_view bytes) {
    const std::string target = replacedFile(nativePath(path));
    std::string temp;
    const int fd = createBeside(target, temp);
    if (fd < 0) return false;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
    // On the disk before the rename: a power cut after it must not leave a renamed file without its contents.
    const bool written = writeAll(fd, bytes) && osCalls().fsync(fd) == 0;
    // Some file systems report a full disk only when the file is closed.
    const bool closed = osCalls().close(fd) == 0;
    if (written && closed && osCalls().rename(temp.c_str(), target.c_str()) == 0) return true;
    osCalls().unlink(temp.c_str());
    return false;
}

bool overwriteFile(const std::string& path, std::string_view bytes) {
    const int fd = osCalls().open(nativePath(path).c_str(), O_WRONLY | O_TRUNC | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes);
    return osCalls().close(fd) == 0 && written;
}

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
        // A file deleted or replaced meanwhile must not swallow the lines: start on the one now there.
        struct stat open {};
        if (path != m_path || ::fstat(static_cast<int>(m_handle), &open) != 0 || open.st_nlink == 0) close();
    }
    if (m_handle < 0) {
        const int fd = osCalls().open(nativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) return false;
        m_handle = fd;
        m_path = path;
    }
    if (!writeAll(static_cast<int>(m_handle), bytes)) {
        close(); // the next append tries afresh
        return false;
    }
    return true;
}

void AppendFile::close() {
    if (m_handle >= 0) osCalls().close(static_cast<int>(m_handle));
    m_handle = -1;
    m_path.clear();
}

} // namespace platform
